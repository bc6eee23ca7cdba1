// The own-crop editor driven as the user drives it: a crop entered, balanced,
// stepped through, searched and deleted; codes outside their range; a failed
// save; the display unit; closing an unbalanced crop; and an own crop chosen
// in the crop step and used for an advice.
#include "appstate.h"
#include "defaultstate.h"
#include "frmadvies.h"
#include "frmeigenteelt.h"
#include "frmmain.h"
#include "frmteelt.h"
#include "programfixture.h"
#include "searchwindow.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

namespace {

constexpr int kCode = 1000;
constexpr int kNaam = 1001;

QVariant opgeslagen(const char* kolom, int code)
{
    const RecordSet rs = appState().dbT->openRecordset(
        QString("SELECT %1 FROM TEELT_StdVOplossing WHERE Code_Teelt = ?").arg(kolom), {code});
    return rs.recordCount() == 1 ? rs.value(0) : QVariant();
}

QString naamVan(int code)
{
    const RecordSet rs = appState().dbT->openRecordset("SELECT Lang0 FROM TEELT WHERE Code = ?", {code});
    return rs.recordCount() == 1 ? rs.value(0).toString() : QString();
}

// A value of the advice step: the columns it computes are labels, the adjustment boxes.
QString adviesTekst(QWidget* advies, int index)
{
    if (auto* box = advies->findChild<QLineEdit*>("txtAdvies_" + QString::number(index)))
        return box->text();
    auto* label = advies->findChild<QLabel*>("lblAdvies_" + QString::number(index));
    return label ? label->text() : QString("<none>");
}

} // namespace

class TestFrmEigenTeelt : public QObject {
    Q_OBJECT

    QTemporaryDir m_registry;
    std::unique_ptr<ProgramFixture> m_program;

    frmEigenTeelt* window() const { return qobject_cast<frmEigenTeelt*>(OpenStepWindow("frmEigenTeelt")); }

    frmEigenTeelt* openFromMenu()
    {
        return qobject_cast<frmEigenTeelt*>(m_program->openFromMenu("mnu8Sub3", "frmEigenTeelt"));
    }

    QLineEdit* box(int index) const { return window()->txtTeelt[index]; }
    void type(int index, const QString& text) { StepDriver::type(box(index), text); }
    void press(int index)
    {
        window()->cmdTeelt[index]->click();
        QCoreApplication::processEvents();
    }

    // NH4 1.2, K 8, Ca 4, Mg 2 against NO3 15.2, SO4 2, H2PO4 2: both sums 21.2.
    void typeBalancedSolution()
    {
        const std::pair<int, const char*> waarden[] = {{1, "1.2"},  {2, "8"}, {3, "4"}, {4, "2"},
                                                       {5, "15.2"}, {7, "2"}, {8, "2"}, {10, "15"}};
        for (const auto& [index, tekst] : waarden)
            type(index, tekst);
    }

    void addCrop(int code, const QString& naam, const QString& kolommen = {}, const QVariantList& waarden = {})
    {
        appState().dbT->execute("INSERT INTO TEELT (Code, Lang0, Lang1) VALUES (?, ?, 'own')", {code, naam});
        appState().dbT->execute("INSERT INTO TEELT_StdVOplossing (Code_Teelt" + kolommen + ") VALUES (?" +
                                    QString(", ?").repeated(int(waarden.size())) + ")",
                                QVariantList{code} + waarden);
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

    void aCropIsEnteredBalancedSteppedSearchedAndDeleted()
    {
        frmEigenTeelt* w = openFromMenu();
        QVERIFY(!w->cmdControl[0]->isEnabled());
        QVERIFY(!w->cmdControl[2]->isEnabled());

        type(kCode, "7");
        type(kNaam, "Eigen tomaat");
        // The first element that upsets the sums is told once; more of the same is not.
        type(1, "1.2");
        QCOMPARE(MessageBox::last().text, GetLangStr(999000028));
        type(2, "8");
        QCOMPARE(MessageBox::shown().size(), 1);
        // A button only checks again while the sums differ.
        press(1);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM TEELT"), 0);

        typeBalancedSolution();
        QVERIFY(!w->BalansUit());
        QCOMPARE(box(17)->text(), QString("21.20"));
        QCOMPARE(box(18)->text(), QString("21.20"));
        QCOMPARE(box(16)->text(), QString("2.12"));
        press(2); // new: the crop on screen is stored first
        QCOMPARE(naamVan(7), QString("Eigen tomaat"));
        QCOMPARE(opgeslagen("K", 7).toFloat(), 8.0f);
        QCOMPARE(opgeslagen("Fe", 7).toFloat(), 15.0f);
        QCOMPARE(opgeslagen("EC", 7).toFloat(), 2.12f);
        QCOMPARE(box(kCode)->text(), QString());
        QCOMPARE(box(2)->text(), QString("0.00"));

        // An all-zero solution is balanced.
        type(kCode, "3");
        type(kNaam, "Sla");
        press(0); // previous from the lowest code stays on it
        QCOMPARE(naamVan(3), QString("Sla"));
        QCOMPARE(box(kCode)->text(), QString("3"));
        press(1);
        QCOMPARE(box(kNaam)->text(), QString("Eigen tomaat"));

        // A changed name alone is a change that is stored.
        type(kNaam, "Tomaat winter");
        press(0);
        QCOMPARE(naamVan(7), QString("Tomaat winter"));

        TestSupport::SearchView getoond;
        TestSupport::answerSearch("Tomaat winter", 2, &getoond);
        press(5);
        QCOMPARE(getoond.cells.size(), 2);
        QCOMPARE(box(kNaam)->text(), QString("Tomaat winter"));
        QCOMPARE(box(5)->text(), QString("15.20"));

        MessageBox::setNextAnswer(MsgBox::No);
        press(3);
        QCOMPARE(naamVan(7), QString("Tomaat winter"));
        MessageBox::setNextAnswer(MsgBox::Yes);
        press(3);
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM TEELT_StdVOplossing WHERE Code_Teelt = 7"), 0);
        QCOMPARE(box(kNaam)->text(), QString("Sla"));
        // The last one gone, the screen offers a new crop.
        MessageBox::setNextAnswer(MsgBox::Yes);
        press(3);
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM TEELT"), 0);
        QCOMPARE(box(kNaam)->text(), QString());
        QVERIFY(!w->changed());
    }

    void workedWithTheKeyboardAlone()
    {
        using TestSupport::typeKey;
        addCrop(7, "Sla");
        frmEigenTeelt* w = openFromMenu();
        QCOMPARE(QApplication::focusWidget(), box(kCode));
        // The search beside the code is next; Enter on it searches.
        typeKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdTeelt[5]);
        TestSupport::SearchView gezien;
        TestSupport::answerSearch({}, 0, &gezien);
        typeKey(Qt::Key_Return);
        QCOMPARE(gezien.title, QString("Gewas zoeken"));
        m_program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_program->main()));

        // A changed name, then Esc in the code box: Stop, which asks about the change.
        QCOMPARE(QApplication::focusWidget(), w->cmdTeelt[5]);
        typeKey(Qt::Key_Tab);
        typeKey(Qt::Key_End);
        TestSupport::typeText(" rood");
        typeKey(Qt::Key_Backtab);
        typeKey(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), box(kCode));
        MessageBox::setNextAnswer(MsgBox::Yes);
        typeKey(Qt::Key_Escape);
        QTRY_VERIFY(!window());
        QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
        QCOMPARE(naamVan(7), QString("Sla rood"));
    }

    void codesOutsideOneTo31767AreRefused()
    {
        // -5 was once stored, and its copy under code + 1000 replaced standard crop 995.
        appState().dbH->execute("INSERT INTO TEELT (Code, Lang0) VALUES (995, 'Standaard')");
        appState().dbH->execute("INSERT INTO TEELT_StdVOplossing (Code_Teelt, K) VALUES (995, 6)");
        openFromMenu();
        type(kNaam, "Fout");
        StepDriver::paste(box(kCode), "-5");
        press(2);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000014).arg(31767));
        QVERIFY(window()->changed()); // the edit is kept for a better code
        QCOMPARE(TestSupport::countOf(referenceDb(),
                                      "SELECT COUNT(*) FROM TEELT_StdVOplossing WHERE Code_Teelt = 995 AND K = 6"),
                 1);
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM TEELT"), 0);

        type(kCode, "31767");
        press(2);
        QCOMPARE(naamVan(31767), QString("Fout"));
        QVERIFY(CopieGewasT2H(32767));
    }

    void aFailedSaveKeepsTheCropAndItsChangesOnScreen()
    {
        addCrop(4, "Roos", ", K, NO3", {5, 5});
        addCrop(9, "Gerbera");
        frmEigenTeelt* w = openFromMenu();
        QCOMPARE(w->HuidigeCode(), qint16(9)); // the highest code first
        press(0);
        QCOMPARE(box(kNaam)->text(), QString("Roos"));
        type(kNaam, "Roos rood");
        appState().dbT->execute("CREATE TRIGGER vol BEFORE UPDATE ON TEELT_StdVOplossing "
                                "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        press(1);
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(830900000) + "\n"));
        QCOMPARE(w->HuidigeCode(), qint16(4));
        QCOMPARE(box(kNaam)->text(), QString("Roos rood"));
        QCOMPARE(naamVan(4), QString("Roos")); // the name was not stored without its solution

        appState().dbT->execute("DROP TRIGGER vol");
        press(1);
        QCOMPARE(naamVan(4), QString("Roos rood"));
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM TEELT WHERE Code = 4 AND Lang1 = 'own'"), 1);
        QCOMPARE(w->HuidigeCode(), qint16(9));
        // Another code for a stored crop: a copy, only when the user agrees.
        type(kCode, "12");
        type(2, "6");
        type(5, "6");
        MessageBox::setNextAnswer(MsgBox::No);
        press(0);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000015));
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM TEELT"), 2);
        type(kCode, "4");
        MessageBox::setNextAnswer(MsgBox::Yes);
        press(0);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000016));
        QCOMPARE(naamVan(4), QString("Gerbera"));
        QCOMPARE(opgeslagen("K", 4).toFloat(), 6.0f);
        QCOMPARE(naamVan(9), QString("Gerbera"));
        QCOMPARE(opgeslagen("K", 9).toFloat(), 0.0f);
    }

    void valuesAreShownInTheDisplayUnitAndStoredInMmol()
    {
        addCrop(5, "Anthurium", ", K, Fe, Ec", {8, 20, 1.5});
        appState().UnitID = 2;
        frmEigenTeelt* w = openFromMenu();
        QCOMPARE(box(2)->text(), QString("312.80"));
        QCOMPARE(box(10)->text(), QString("1,116.00"));
        QCOMPARE(box(16)->text(), QString("1.50"));
        QVERIFY(w->BalansUit()); // told when the window opened
        type(2, "-4");
        QCOMPARE(MessageBox::last().text, "K: " + GetLangStr(999000080));
        QCOMPARE(box(2)->text(), QString("312.80"));
        MessageBox::clear();
        type(1, "0");
        type(2, "0");
        type(10, "558");
        QVERIFY(!w->BalansUit());
        press(1);
        QCOMPARE(opgeslagen("K", 5).toFloat(), 0.0f);
        QCOMPARE(opgeslagen("Fe", 5).toFloat(), 10.0f);
        QCOMPARE(opgeslagen("EC", 5).toFloat(), 0.0f);
    }

    void anUnbalancedCropIsNotStoredOnClosing()
    {
        addCrop(6, "Chrysant");
        openFromMenu();
        QVERIFY(!m_program->main()->tool("mnu4")->isEnabled());
        type(3, "2");
        MessageBox::setNextAnswer(MsgBox::No);
        StepDriver::closeWindow(window());
        QCOMPARE(MessageBox::last().text, GetLangStr(830900300));
        QVERIFY(window());
        // Stop while the sums differ only checks them again.
        StepDriver::press(window(), 1);
        QVERIFY(window());
        QCOMPARE(MessageBox::last().text, GetLangStr(999000028));
        MessageBox::setNextAnswer(MsgBox::Yes);
        StepDriver::closeWindow(window());
        QVERIFY(!window());
        QCOMPARE(opgeslagen("Ca", 6).toFloat(), 0.0f);
        QVERIFY(m_program->main()->tool("mnu4")->isEnabled());
    }

    void aCropInUseCannotBeDeletedAndAHistoryKeepsItsCopy()
    {
        addCrop(8, "Aardbei", ", K, NO3", {5, 5});
        addCrop(11, "Framboos");
        QVERIFY(PutTeeltInstelling("Code_Teelt", 1008, InstellingMode::Number));
        QVERIFY(CopieGewasT2H(1011));
        frmEigenTeelt* w = openFromMenu();
        press(0);
        QCOMPARE(w->HuidigeCode(), qint16(8));
        press(3);
        QCOMPARE(MessageBox::last().text, GetLangStr(830900200));
        QCOMPARE(naamVan(8), QString("Aardbei"));

        // A crop only stored history sets use goes; its copy stays for them.
        press(1);
        MessageBox::setNextAnswer(MsgBox::Yes);
        press(3);
        QCOMPARE(naamVan(11), QString());
        QCOMPARE(TestSupport::countOf(referenceDb(), "SELECT COUNT(*) FROM TEELT WHERE Code = 1011"), 1);
    }

    void anOwnCropIsChosenInTheCropStepAndGivesTheAdvice()
    {
        openFromMenu();
        type(kCode, "21");
        type(kNaam, "Eigen paprika");
        typeBalancedSolution();
        MessageBox::setNextAnswer(MsgBox::Yes);
        StepDriver::press(window(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
        QVERIFY(!window());

        auto* teelt = StepDriver::show<frmTeelt>("frmTeelt");
        StepDriver::type(teelt->txtTeelt[0], "1000");
        TestSupport::answerSearch("Eigen paprika", 1);
        teelt->cboTeelt[0]->setCurrentIndex(1);
        emit teelt->cboTeelt[0]->activated(1);
        QCOMPARE(teelt->Code_Teelt, qint16(1021));
        // On through one water source to the advice of the crop just entered.
        StepDriver::insertRow("WATER", {{"ID_HISTORIE", 0}, {"Type", 1}, {"Perc", 100}});
        StepDriver::press(teelt, 0);
        StepDriver::press(qobject_cast<StepWindow*>(OpenStepWindow("frmWater")), 0);
        auto* advies = qobject_cast<frmAdvies*>(OpenStepWindow("frmAdvies"));
        QVERIFY(advies && advies->isBerekend());
        // The base target: K in row 2, Ca in row 4, NO3 in row 6.
        QCOMPARE(adviesTekst(advies, 22), QString("8.00"));
        QCOMPARE(adviesTekst(advies, 26), QString("15.20"));
        m_program->closeChildWindows();

        // An edit reaches the advice without another visit to the crop step.
        openFromMenu();
        QCOMPARE(box(kNaam)->text(), QString("Eigen paprika"));
        type(2, "6");
        type(3, "5");
        MessageBox::setNextAnswer(MsgBox::Yes); // closing asks to save the change
        StepDriver::closeWindow(window());
        QVERIFY(!window());
        QCOMPARE(MessageBox::last().text, GetLangStr(999000013));
        advies = StepDriver::show<frmAdvies>("frmAdvies");
        QVERIFY(advies && advies->isBerekend());
        QCOMPARE(adviesTekst(advies, 22), QString("6.00"));
        QCOMPARE(adviesTekst(advies, 24), QString("5.00"));
    }
};

QTEST_MAIN(TestFrmEigenTeelt)
#include "test_frmeigenteelt.moc"
