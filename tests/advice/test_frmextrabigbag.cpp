// The big-bag step driven as a grower drives it on the default product line:
// composing the two blends through the fertiliser search, the amounts typed
// in the grids, what is stored and what never is, the report of the blends,
// the hover rule of the button bar, and the composition that takes the
// stored blends off the tanks.
#include "bigbag.h"
#include "defaultstate.h"
#include "frmextrabigbag.h"
#include "frmmain.h"
#include "frmprintpreview.h"
#include "frmsamenstel.h"
#include "pdftext.h"
#include "programfixture.h"
#include "searchwindow.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTableView>
#include <QTimer>
#include <algorithm>

using namespace StepDriver;

namespace {

QStringList opgeslagen(qint32 historie = 0)
{
    RecordSet rs = appState().dbT->openRecordset(
        "SELECT * FROM HISTORIE_ExtraBigbag WHERE ID_HISTORIE = ? ORDER BY \"Index\"", {historie});
    QStringList rijen;
    for (; !rs.eof(); rs.moveNext())
        rijen << QStringList{rs.value("Index").toString(), rs.value("Nr").toString(), rs.value("Naam").toString(),
                             rs.value("Bak").toString(), rs.value("Kg").toString()}
                     .join('|');
    return rijen;
}

void bewaarRij(qint32 historie, int index, int nr, const QString& naam, int bak, double kg)
{
    appState().dbT->execute("INSERT INTO HISTORIE_ExtraBigbag (ID_ALG_Tuinder, ID_HISTORIE, \"Index\", Nr, Naam, Bak, "
                            "Kg, Kgl, liter) VALUES (?, ?, ?, ?, ?, ?, ?, 1, 0)",
                            {appState().ID_ALG_Tuinder, historie, index, nr, naam, bak, kg});
}

// The grid's rows as "name|amount|unit".
QStringList rijen(QTableView* grid)
{
    QStringList r;
    const QAbstractItemModel* m = grid->model();
    for (int row = 0; row < m->rowCount(); ++row)
        r << QStringList{m->index(row, 0).data().toString(), m->index(row, 1).data().toString(),
                         m->index(row, 2).data().toString()}
                 .join('|');
    return r;
}

} // namespace

class TestFrmExtraBigBag : public QObject {
    Q_OBJECT

    QTemporaryDir m_registry;
    std::unique_ptr<ProgramFixture> m_program;

    frmExtraBigBag* open() { return show<frmExtraBigBag>("frmExtraBigBag"); }
    frmExtraBigBag* window() const { return qobject_cast<frmExtraBigBag*>(OpenStepWindow("frmExtraBigBag")); }

    void voegToe(frmExtraBigBag* w, int mengsel, const QString& naam, TestSupport::SearchView* beeld = nullptr)
    {
        TestSupport::answerSearch(naam, 1, beeld);
        w->cmdEbb[mengsel - 1]->click();
        QCoreApplication::processEvents();
    }

    // Types the amount of a row of the blend's grid and leaves the cell.
    void typ(frmExtraBigBag* w, int mengsel, int rij, const QString& tekst)
    {
        // The program's window is the active one again once a search has closed.
        m_program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_program->main()));
        QTableView* grid = w->grdEbb[mengsel - 1];
        const QModelIndex cel = grid->model()->index(rij, 1);
        grid->setFocus();
        grid->setCurrentIndex(cel);
        grid->edit(cel);
        QLineEdit* editor = nullptr;
        QTRY_VERIFY((editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())));
        if (!tekst.isEmpty()) // nothing to type: the editor is left as it came
            editor->selectAll();
        QTest::keyClicks(editor, tekst);
        QTest::keyClick(editor, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }

    // Blend 1: calcium nitrate 20 kg and magnesium nitrate 5.5 kg; blend 2:
    // potassium nitrate 10 kg. een and twee: what the first search of each blend showed.
    frmExtraBigBag* stelSamen(TestSupport::SearchView* een = nullptr, TestSupport::SearchView* twee = nullptr)
    {
        frmExtraBigBag* w = open();
        voegToe(w, 1, "Kalksalpeter", een);
        voegToe(w, 1, "Magnesiumnitraat");
        voegToe(w, 2, "Kalisalpeter", twee);
        typ(w, 1, 0, "20");
        typ(w, 1, 1, "5.5");
        typ(w, 2, 0, "10");
        return w;
    }

private slots:
    void initTestCase()
    {
        RegisterStepWindows();
        QVERIFY(TestSupport::registerSearchLibrary(m_registry.path()));
    }

    void init()
    {
        QLocale::setDefault(QLocale::c());
        m_program = std::make_unique<ProgramFixture>();
        QVERIFY(m_program->showMain());
    }

    void cleanup() { m_program.reset(); }

    void twoBlendsAreComposedStoredAndShownAgain()
    {
        TestSupport::SearchView een, twee;
        frmExtraBigBag* w = stelSamen(&een, &twee);
        QCOMPARE(een.cells.size(), 4); // coupled to blend 1 on the default product line
        QCOMPARE(twee.cells.size(), 7);
        voegToe(w, 2, ""); // a cancelled search changes nothing
        typ(w, 2, 0, "1250");
        QCOMPARE(rijen(w->grdEbb[0]), (QStringList{"Kalksalpeter|20.0|kg", "Magnesiumnitraat|5.5|kg"}));
        QCOMPARE(rijen(w->grdEbb[1]), (QStringList{"Kalisalpeter|1,250.0|kg"}));
        QCOMPARE(w->findChild<QLabel*>("lblEbb_190")->text(), QString("25.5 KG "));
        QCOMPARE(w->findChild<QLabel*>("lblEbb_290")->text(), QString("1,250.0 KG ")); // as the amounts
        QVERIFY(MessageBox::shown().isEmpty());

        press(w, 0); // on to the composition, the blends stored
        QVERIFY(!window());
        QCOMPARE(opgeslagen(),
                 (QStringList{"1|1|Kalksalpeter|1|20", "2|7|Magnesiumnitraat|1|5.5", "21|3|Kalisalpeter|2|1250"}));

        m_program->closeChildWindows();
        w = open();
        QCOMPARE(rijen(w->grdEbb[0]), (QStringList{"Kalksalpeter|20.0|kg", "Magnesiumnitraat|5.5|kg"}));
        QCOMPARE(rijen(w->grdEbb[1]), (QStringList{"Kalisalpeter|1,250.0|kg"}));

        // Cleared once the grower says so, both blends are empty and the next search of blend 2 is that of coupling 1.
        MessageBox::setNextAnswer(MsgBox::Yes);
        w->cmdEbb[4]->click();
        QCOMPARE(MessageBox::last().text, GetLangStr(999000140));
        QCOMPARE(w->grdEbb[0]->model()->rowCount() + w->grdEbb[1]->model()->rowCount(), 0);
        QCOMPARE(w->findChild<QLabel*>("lblEbb_290")->text(), QString("0.0 KG "));
        voegToe(w, 2, "Kaliumsulfaat", &twee);
        QCOMPARE(twee.cells.size(), 7);
        closeWindow(w);
        QCOMPARE(opgeslagen(), (QStringList{"21|9|Kaliumsulfaat|2|0"}));
    }

    // Opening and leaving never writes over stored blends: not when no product
    // is coupled any more, and never those of a stored history set.
    void openingAndLeavingNeverLosesTheStoredBlends()
    {
        bewaarRij(0, 1, 1, "Kalksalpeter", 1, 20);
        bewaarRij(0, 21, 3, "Kalisalpeter", 2, 10);
        bewaarRij(5, 1, 7, "Magnesiumnitraat", 1, 4);
        appState().dbH->execute("UPDATE MEST_Meststof SET Mixorakoppel = NULL");
        appState().dbT->execute("CREATE TRIGGER bewaard BEFORE DELETE ON HISTORIE_ExtraBigbag "
                                "BEGIN SELECT RAISE(ABORT, 'no writing'); END");
        frmExtraBigBag* w = open();
        QCOMPARE(rijen(w->grdEbb[0]), (QStringList{"Kalksalpeter|20.0|kg"}));
        QCOMPARE(rijen(w->grdEbb[1]), (QStringList{"Kalisalpeter|10.0|kg"}));
        press(w, 1);
        QVERIFY(!window());
        closeWindow(open());

        appState().ID_HISTORIE = 5;
        w = open();
        QCOMPARE(rijen(w->grdEbb[0]), (QStringList{"Magnesiumnitraat|4.0|kg"}));
        QVERIFY(!w->fraEbb[1]->isEnabled() && !w->cmdEbb[4]->isEnabled());
        QVERIFY(w->cmdEbb[5]->isEnabled()); // a stored set can still be printed
        press(w, 1);
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(opgeslagen(0), (QStringList{"1|1|Kalksalpeter|1|20", "21|3|Kalisalpeter|2|10"}));
        QCOMPARE(opgeslagen(5), (QStringList{"1|7|Magnesiumnitraat|1|4"}));
    }

    void onlyTheAmountCanBeTypedAndANegativeAmountIsRefused()
    {
        bewaarRij(0, 1, 1, "Kalksalpeter", 1, 20);
        frmExtraBigBag* w = open();
        QTableView* grid = w->grdEbb[0];
        QAbstractItemModel* m = grid->model();
        QVERIFY(!m->setData(m->index(0, 0), "35", Qt::EditRole) && !m->setData(m->index(0, 2), "35", Qt::EditRole));
        // Typed on the name, the digits go nowhere.
        grid->setFocus();
        grid->setCurrentIndex(m->index(0, 0));
        QTest::keyClicks(grid, "35");
        QCoreApplication::processEvents();
        QCOMPARE(rijen(grid), (QStringList{"Kalksalpeter|20.0|kg"}));

        // Refused, and told with both limits.
        typ(w, 1, 0, "-5");
        QTRY_COMPARE(MessageBox::shown().size(), 1);
        const QString grenzen =
            GetLangStr(610200100) + " Kalksalpeter: " + GetLangStr(999000085).arg("0.0", "99,999.9");
        QCOMPARE(MessageBox::last().text, grenzen);
        typ(w, 1, 0, "99999999999");
        QTRY_COMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::last().text, grenzen);
        QCOMPARE(rijen(grid), (QStringList{"Kalksalpeter|20.0|kg"}));
        QCOMPARE(w->findChild<QLabel*>("lblEbb_190")->text(), QString("20.0 KG "));

        // Letters do not even reach the box.
        typ(w, 1, 0, "x7");
        QCOMPARE(rijen(grid), (QStringList{"Kalksalpeter|7.0|kg"}));

        // The grid shows the amount rounded; an editor left as it came keeps the amount typed.
        typ(w, 1, 0, "5.55");
        QCOMPARE(rijen(grid), (QStringList{"Kalksalpeter|5.6|kg"}));
        typ(w, 1, 0, QString());
        QCOMPARE(w->Mengsels.Regel(1, 1).Hoeveelheid, 5.55f);
        typ(w, 1, 0, "5.6"); // the shown text typed again is taken
        QCOMPARE(w->Mengsels.Regel(1, 1).Hoeveelheid, 5.6f);
    }

    void theAmountsAreTypedOneAfterTheOther()
    {
        using TestSupport::typeKey;
        using TestSupport::typeText;
        frmExtraBigBag* w = open();
        for (const char* naam : {"Kalksalpeter", "Magnesiumnitraat", "Kalisalpeter"})
            voegToe(w, 1, naam);
        m_program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_program->main()));
        // The keyboard is on the new line's amount; up to the first one, then amount after amount.
        QTableView* grid = w->grdEbb[0];
        QCOMPARE(QApplication::focusWidget(), grid);
        typeKey(Qt::Key_Up);
        typeKey(Qt::Key_Up);
        for (const char* tekst : {"20", "5.5", "12"}) {
            typeText(tekst);
            typeKey(Qt::Key_Return);
        }
        QCOMPARE(rijen(grid), (QStringList{"Kalksalpeter|20.0|kg", "Magnesiumnitraat|5.5|kg", "Kalisalpeter|12.0|kg"}));
        QCOMPARE(w->findChild<QLabel*>("lblEbb_190")->text(), QString("37.5 KG "));
        // Esc takes back an amount being typed; past the last amount Tab leaves the grid for blend 2's button.
        typeText("9");
        typeKey(Qt::Key_Escape);
        QCOMPARE(rijen(grid).last(), QString("Kalisalpeter|12.0|kg"));
        typeKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdEbb[1]);
        // Esc there is Stop, which stores the blends.
        typeKey(Qt::Key_Escape);
        QTRY_VERIFY(!window());
        QCOMPARE(opgeslagen(),
                 (QStringList{"1|1|Kalksalpeter|1|20", "2|7|Magnesiumnitraat|1|5.5", "3|3|Kalisalpeter|1|12"}));
    }

    // Chosen by keys in the search window, the new line's amount takes the
    // digits typed next, opened with the keyboard or with the mouse.
    void anAmountIsTypedRightAfterAChoiceByKeys()
    {
        frmExtraBigBag* w = open();
        QWindow* programma = m_program->main()->windowHandle();
        for (int tab = 0; tab < 40 && QApplication::focusWidget() != w->cmdEbb[0]; ++tab)
            QTest::keyClick(programma, Qt::Key_Tab);
        TestSupport::answerSearchByKeys("kalks");
        QTest::keyClick(programma, Qt::Key_Return);
        QCOMPARE(rijen(w->grdEbb[0]), (QStringList{"Kalksalpeter|0.0|kg"}));
        QTest::keyClick(programma, '5');
        QTest::keyClick(programma, Qt::Key_Return);
        QCOMPARE(rijen(w->grdEbb[0]), (QStringList{"Kalksalpeter|5.0|kg"}));

        w->cmdControl[2]->setFocus(); // where the keyboard was does not count
        const QPoint knop = w->cmdEbb[0]->mapTo(m_program->main(), w->cmdEbb[0]->rect().center());
        QTest::mousePress(programma, Qt::LeftButton, {}, knop);
        TestSupport::answerSearchByKeys("magn");
        QTest::mouseRelease(programma, Qt::LeftButton, {}, knop);
        QCOMPARE(w->grdEbb[0]->model()->rowCount(), 2);
        QTest::keyClick(programma, '7');
        QTest::keyClick(programma, Qt::Key_Return);
        QCOMPARE(rijen(w->grdEbb[0]), (QStringList{"Kalksalpeter|5.0|kg", "Magnesiumnitraat|7.0|kg"}));
    }

    // Past blend 2's last amount Enter lands on the clear button, where the
    // next Enter presses it: the blends go only once the grower says so.
    void enterOnTheClearButtonAsksBeforeTheBlendsGo()
    {
        using TestSupport::typeKey;
        bewaarRij(0, 1, 1, "Kalksalpeter", 1, 20);
        bewaarRij(0, 21, 3, "Kalisalpeter", 2, 10);
        frmExtraBigBag* w = open();
        const QStringList beide{"Kalksalpeter|20.0|kg", "Kalisalpeter|10.0|kg"};
        for (int i = 0; i < 40 && QApplication::focusWidget() != w->grdEbb[1]; ++i)
            typeKey(Qt::Key_Tab);
        for (int i = 0; i < 5 && QApplication::focusWidget() != w->cmdEbb[4]; ++i)
            typeKey(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->cmdEbb[4]);
        QVERIFY(MessageBox::shown().isEmpty());
        typeKey(Qt::Key_Return); // answered with No, the default
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000140));
        QCOMPARE(MessageBox::last().style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
        QCOMPARE(rijen(w->grdEbb[0]) + rijen(w->grdEbb[1]), beide);

        MessageBox::setNextAnswer(MsgBox::Yes);
        typeKey(Qt::Key_Return);
        QCOMPARE(rijen(w->grdEbb[0]) + rijen(w->grdEbb[1]), QStringList());
        typeKey(Qt::Key_Return); // nothing left to lose: nothing asked
        QCOMPARE(MessageBox::shown().size(), 2);
    }

    void aFertiliserIsOnceInABlendAndAFullBlendSaysSo()
    {
        for (int r = 1; r <= 20; ++r)
            bewaarRij(0, r, 100 + r, QString("Spoor %1").arg(r), 1, 1);
        frmExtraBigBag* w = open();
        voegToe(w, 1, "Kalksalpeter");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(610900100));
        QCOMPARE(w->grdEbb[0]->model()->rowCount(), 20);
        QCOMPARE(w->Mengsels.Regel(1, 0).Code_MEST, qint16(0));

        voegToe(w, 2, "Kalisalpeter");
        voegToe(w, 2, "Kalisalpeter");
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000042));
        QCOMPARE(w->grdEbb[1]->model()->rowCount(), 1);
    }

    void aFailedSaveIsToldAndTheStepStays()
    {
        bewaarRij(0, 1, 13, "Kaliumchloride", 1, 3);
        frmExtraBigBag* w = stelSamen();
        appState().dbT->execute("CREATE TRIGGER vol BEFORE INSERT ON HISTORIE_ExtraBigbag WHEN NEW.\"Index\" = 21 "
                                "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        press(w, 0);
        QCOMPARE(window(), w);
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(610900200)));
        QCOMPARE(opgeslagen(), (QStringList{"1|13|Kaliumchloride|1|3"}));

        appState().dbT->execute("DROP TRIGGER vol");
        press(w, 0);
        QVERIFY(!window());
        QCOMPARE(opgeslagen(), (QStringList{"1|13|Kaliumchloride|1|20", "2|1|Kalksalpeter|1|5.5",
                                            "3|7|Magnesiumnitraat|1|0", "21|3|Kalisalpeter|2|10"}));
    }

    void thePrintedReportListsBothBlends()
    {
        frmExtraBigBag* w = stelSamen();
        QTemporaryDir pdfDir;
        const QString pdf = pdfDir.filePath("mengsels.pdf");
        bool getoond = false;
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<frmPrintPreview*>(QApplication::activeModalWidget());
            getoond = preview && preview->writePdf(pdf);
            if (preview)
                preview->findChild<QAction*>("actClose")->trigger();
        });
        w->cmdEbb[5]->click();
        QVERIFY(getoond);
        const QString tekst = PdfText::layout(pdf);
        // Blend 1 in the first column of the tank table, blend 2 in the second.
        QVERIFY(PdfText::lineWith(tekst, "Kalksalpeter")
                    .contains(QRegularExpression("Kalksalpeter\\s+20\\.0\\s+kg\\s+Kalisalpeter\\s+10\\.0\\s+kg")));
        QVERIFY(PdfText::lineWith(tekst, "Magnesiumnitraat").contains(QRegularExpression("5\\.5\\s+kg")));
        QVERIFY(!tekst.contains("Big bag")); // no big-bag table of its own
    }

    void theButtonBarComesForwardWhileTheMouseIsOnIt()
    {
        frmExtraBigBag* w = open();
        QTimer* timer = w->tmrEbb;
        QCOMPARE(timer->interval(), 2000);
        auto voor = [w](QWidget* a, QWidget* b) { return w->children().indexOf(a) > w->children().indexOf(b); };

        timer->stop();
        w->fraEbb[1]->raise();
        QMouseEvent beweging(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
        QCoreApplication::sendEvent(w->cmdControl[1], &beweging);
        QVERIFY(voor(w->fraControl, w->fraEbb[1]));
        QVERIFY(timer->isActive());
        w->fraEbb[2]->raise();
        QMetaObject::invokeMethod(timer, "timeout");
        // The content comes forward, under the bar that takes the clicks.
        QVERIFY(voor(w->fraEbb[1], w->fraEbb[2]));
        QVERIFY(voor(w->fraControl, w->fraEbb[1]));
    }

    // The road of a grower with big bags on: the advice, the blends, and the
    // composition that takes them off the tanks.
    void theCompositionTakesTheStoredBlendsOffTheTanks()
    {
        QVERIFY(TestSupport::chooseTomatoExample(TestSupport::tomatoChoice(), 100, 1));
        press(show<StepWindow>("frmAdvies"), 0);
        QVERIFY(window());
        press(stelSamen(), 0);
        QVERIFY(!window());
        auto* samenstel = qobject_cast<frmSamenstel*>(OpenStepWindow("frmSamenstel"));
        QVERIFY(samenstel && samenstel->heeftResultaat());
        const QList<MessageBox::Shown> berichten = MessageBox::shown();
        QVERIFY(std::none_of(berichten.begin(), berichten.end(), // the search found a ratio
                             [](const MessageBox::Shown& m) { return m.text == GetLangStr(999000070); }));
        QCOMPARE(GetTeeltInstelling("EBB_Factor", InstellingMode::Number).toFloat(),
                 samenstel->Instellingen.EBB_Factor);

        BigBagLijnen lijnen;
        LaadExtraBigBag(lijnen);
        const ElementVector blend = BigBagTotalen(lijnen);
        const ElementVector &bakDoel = samenstel->Resultaat.BakDoel, &resultaat = samenstel->Resultaat.Vlaggen;
        const MeststofLijst& lijst = samenstel->Resultaat.Meststoffen;

        // Blend and tanks together give every met element in one and the
        // same share of the tank target: the share the search settled on.
        QList<double> delen;
        for (int p : {ElementVector::pK, ElementVector::pCa, ElementVector::pMg, ElementVector::pSO4,
                      ElementVector::pH2PO4, ElementVector::pNH4}) {
            if (resultaat[p] != 0 || bakDoel[p] <= 1)
                continue;
            double tanks = 0;
            for (int i = 1; i <= kLijstBoven; ++i)
                if (lijst[i].Aandeel != 1.0f)
                    tanks += double(lijst[i].Hoeveelheid) * lijst[i].Samenstelling[p];
            delen << (tanks + blend[p]) / bakDoel[p];
        }
        QVERIFY(delen.size() >= 4);
        for (double d : delen)
            QVERIFY2(std::fabs(d / delen[0] - 1) < 0.02,
                     qPrintable(QString::number(d) + " / " + QString::number(delen[0])));
        QVERIFY(delen[0] > 0 && std::fabs(delen[0] - 1) > 0.02); // the blends took their share
    }
};

QTEST_MAIN(TestFrmExtraBigBag)
#include "test_frmextrabigbag.moc"
