// The order register window driven as the user drives it: opened from the
// menu on the last year (an old grower database too), a period typed, the
// element report, the list of one fertiliser with a deletion, the printed list.
#include "appstate.h"
#include "bestelregister.h"
#include "frmmain.h"
#include "frmprintpreview.h"
#include "frmregistratie.h"
#include "frmregistratiebestellingen.h"
#include "pdftext.h"
#include "programfixture.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

const QDate kVandaag = QDate::currentDate();
// The first day of the default period: a year back, 29 February to 1 March.
const QDate kEersteDag =
    kVandaag.month() == 2 && kVandaag.day() == 29 ? QDate(kVandaag.year() - 1, 3, 1) : kVandaag.addYears(-1);

void bestel(const QDate& dag, int uur, const QList<BestelRegel>& regels)
{
    RegistreerBestelling(appState().ID_ALG_Tuinder, 1, QDateTime(dag, QTime(uur, 0)), regels);
}

// The grid's rows as "cell|cell|...", from column `van` on.
QStringList rijen(QTableView* grid, int van = 1)
{
    QStringList tekst;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        QStringList cellen;
        for (int k = van; k < grid->model()->columnCount(); ++k)
            cellen << grid->model()->index(r, k).data().toString();
        tekst << cellen.join('|');
    }
    return tekst;
}

// Runs the action on the modal window once it shows; it is closed afterwards whatever happened.
template <typename W> void opModaal(std::function<void(W*)> actie)
{
    QTimer::singleShot(0, [actie] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!w)
            return;
        actie(w);
        if (w->isVisible())
            w->close();
    });
}

} // namespace

class TestFrmRegistratie : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

    frmRegistratie* openFromMenu()
    {
        return qobject_cast<frmRegistratie*>(m_program->openFromMenu("mnu8Sub2", "frmRegistratie"));
    }

    void type(QLineEdit* box, const QString& text, Qt::Key leave = Qt::Key_Tab)
    {
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, leave);
    }

    void dubbelklik(QTableView* grid, int rij)
    {
        const QRect cel = grid->visualRect(grid->model()->index(rij, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cel.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cel.center());
    }

private slots:
    void initTestCase() { RegisterStepWindows(); }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        QVERIFY(m_program->showMain());
        bestel(kEersteDag, 0, {{1, "Kalksalpeter", 400.0, "kg"}, {22, "Kaliloog 50 %", 100.0, "liter"}});
        bestel(kVandaag, 0, {{1, "Kalksalpeter", 250.0, "kg"}});
        bestel(kEersteDag.addDays(-1), 23, {{1, "Kalksalpeter", 1000.0, "kg"}});
        bestel(QDate(2020, 5, 10), 12, {{1, "Kalksalpeter", 50.0, "kg"}, {105, "Mangaansulfaat", 1000.0, "gram"}});
    }
    void cleanup()
    {
        m_program.reset();
        MessageBox::clear();
    }

    void opensFromTheMenuOnTheLastYearWithOnlyStop()
    {
        QVERIFY(m_program->main()->tool("mnu8Sub2")->isEnabled());
        frmRegistratie* w = openFromMenu();
        QVERIFY(w);
        QVERIFY(!w->cmdControl[0]->isEnabled() && !w->cmdControl[2]->isEnabled());
        QVERIFY(!m_program->main()->tool("mnu2")->isEnabled());
        QVERIFY(w->txtRegistratie[0]->hasFocus());
        // The first day and today count; the day before does not.
        const QStringList jaar{"Kaliloog 50 %|100|liter", "Kalksalpeter|650|kg"};
        QCOMPARE(rijen(w->grdRegistratie), jaar);

        // An old grower database without the element table: said, and the grid kept.
        growerDb().execute("DROP TABLE BEST_HistElementen");
        w->cboRegistratie[0]->setCurrentIndex(1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000050));
        QCOMPARE(MessageBox::last().style & MsgBox::Critical, int(MsgBox::Critical));
        QCOMPARE(rijen(w->grdRegistratie), jaar);

        w->cmdControl[1]->click();
        QCoreApplication::processEvents();
        QVERIFY(!OpenStepWindow("frmRegistratie"));
        QVERIFY(m_program->main()->tool("mnu2")->isEnabled());
    }

    void aTypedPeriodAndTheElementReport()
    {
        frmRegistratie* w = openFromMenu();
        const QString dag = Registratie::DatumTekst(QDate(2020, 5, 10));
        type(w->txtRegistratie[0], dag, Qt::Key_Return);
        QVERIFY(w->txtRegistratie[1]->hasFocus()); // Enter goes on to the last day
        type(w->txtRegistratie[1], dag, Qt::Key_Return);
        QCOMPARE(rijen(w->grdRegistratie), (QStringList{"Kalksalpeter|50|kg", "Mangaansulfaat|1000|gram"}));

        // 50 kg of Kalksalpeter and 1000 gram of Mangaansulfaat (32.51 % Mn).
        w->cboRegistratie[0]->setCurrentIndex(1);
        QCOMPARE(rijen(w->grdRegistratie), (QStringList{"N-totaal|7.780|kg", "CaO|13|kg", "Mn|0.325|kg"}));

        // Double-clicking an element opens nothing.
        dubbelklik(w->grdRegistratie, 0);
        QVERIFY(!QApplication::activeModalWidget());

        // A text that is no date gives the last year again.
        type(w->txtRegistratie[0], "gisteren");
        QCOMPARE(w->txtRegistratie[0]->text(), Registratie::DatumTekst(kEersteDag));
        QCOMPARE(w->txtRegistratie[1]->text(), Registratie::DatumTekst(kVandaag));
        QCOMPARE(rijen(w->grdRegistratie), (QStringList{"N-totaal|101|kg", "K2O|63|kg", "CaO|169|kg"}));
    }

    void listOfOneFertiliserDeletesAnOrderAndTheSumsFollow()
    {
        frmRegistratie* w = openFromMenu();
        QStringList voor, na;
        int vragen = 0;
        opModaal<frmRegistratieBestellingen>([&](frmRegistratieBestellingen* lijst) {
            voor = rijen(lijst->grdRegistratie);
            lijst->grdRegistratie->setCurrentIndex(lijst->grdRegistratie->model()->index(1, 1));
            MessageBox::setNextAnswer(MsgBox::No);
            QTest::keyClick(lijst->grdRegistratie, Qt::Key_Delete);
            MessageBox::setNextAnswer(MsgBox::Yes);
            lijst->cmdRegistratie[1]->click();
            for (const MessageBox::Shown& m : MessageBox::shown())
                vragen += m.text == GetLangStr(999000048);
            na = rijen(lijst->grdRegistratie);
            QTest::keyClick(lijst, Qt::Key_Escape);
        });
        dubbelklik(w->grdRegistratie, 1); // Kalksalpeter
        // Date, amount, unit and the fertiliser's name.
        const QString eerste = Registratie::DatumTekst(kEersteDag) + "|400|kg|Kalksalpeter";
        QCOMPARE(voor, (QStringList{eerste, Registratie::DatumTekst(kVandaag) + "|250|kg|Kalksalpeter"}));
        QCOMPARE(vragen, 2);
        QCOMPARE(na, QStringList{eerste});
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(rijen(w->grdRegistratie), (QStringList{"Kaliloog 50 %|100|liter", "Kalksalpeter|400|kg"}));
    }

    void workedWithTheKeyboardAlone()
    {
        using TestSupport::typeKey;
        frmRegistratie* w = openFromMenu();
        QCOMPARE(QApplication::focusWidget(), w->txtRegistratie[0]);
        // Tab goes from box to box to the grid, where Enter opens a fertiliser's orders.
        for (int i = 0; i < 4; ++i)
            typeKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->grdRegistratie);
        typeKey(Qt::Key_Down);
        QStringList orders;
        bool dicht = false;
        opModaal<frmRegistratieBestellingen>([&](frmRegistratieBestellingen* lijst) {
            orders = rijen(lijst->grdRegistratie);
            // Tab goes from the list to Delete and Close; Enter on Close closes.
            // The offscreen platform hands the keyboard to a new window only when asked.
            lijst->activateWindow();
            if (!QTest::qWaitFor([lijst] { return QApplication::activeWindow() == lijst; }))
                return;
            typeKey(Qt::Key_Tab);
            typeKey(Qt::Key_Tab);
            if (QApplication::focusWidget() == lijst->cmdRegistratie[0])
                typeKey(Qt::Key_Return);
            dicht = !lijst->isVisible();
        });
        typeKey(Qt::Key_Return);
        QCOMPARE(orders.size(), 2); // Kalksalpeter's
        QVERIFY(orders.first().endsWith("|Kalksalpeter"));
        QVERIFY(dicht);
        m_program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_program->main()));
        // Tab leaves the grid for Stop; Esc stops.
        QCOMPARE(QApplication::focusWidget(), w->grdRegistratie);
        typeKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdControl[1]);
        typeKey(Qt::Key_Escape);
        QTRY_VERIFY(!OpenStepWindow("frmRegistratie"));
    }

    void theListOfOneFertiliserShowsItsWholeTitle()
    {
        const QString naam = "Magnesium sulphate heptahydrate (Epsom salt)";
        bestel(kVandaag, 1, {{4, naam, 25.0, "kg"}});
        frmRegistratie* w = openFromMenu();
        QString titel;
        int breed = 0;
        opModaal<frmRegistratieBestellingen>([&](frmRegistratieBestellingen* lijst) {
            titel = lijst->windowTitle();
            breed = lijst->width();
        });
        dubbelklik(w->grdRegistratie, int(rijen(w->grdRegistratie).indexOf(naam + "|25|kg")));
        QVERIFY(titel.endsWith(naam));
        QFont vet = QApplication::font();
        vet.setBold(true);
        QVERIFY(breed > QFontMetrics(vet).horizontalAdvance(titel));
    }

    void printShowsTheListOfThePeriodInThePreview()
    {
        frmRegistratie* w = openFromMenu();
        QTemporaryDir dir;
        const QString pdf = dir.filePath("register.pdf");
        bool getoond = false;
        opModaal<frmPrintPreview>([&](frmPrintPreview* preview) {
            getoond = preview->writePdf(pdf);
            preview->accept();
        });
        QTest::mouseClick(w->cmdRegistratie, Qt::LeftButton);
        QVERIFY(getoond);
        const QString tekst = PdfText::layout(pdf);
        QVERIFY(PdfText::lineWith(tekst, "Kalksalpeter").contains(QRegularExpression("650\\s+kg")));
        QVERIFY(PdfText::lineWith(tekst, GetLangStr(820100000)).contains(Registratie::DatumTekst(kEersteDag)));
    }
};

QTEST_MAIN(TestFrmRegistratie)
#include "test_frmregistratie.moc"
