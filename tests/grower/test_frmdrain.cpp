// The drain step, and the water and drain analyses through the wizard.
#include "frmdrain.h"
#include "frmmain.h"
#include "frmwater.h"
#include "programfixture.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "units.h"
#include "zelvorageneral.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

using namespace StepDriver;

namespace {

RecordSet drainRows(qint32 history)
{
    return appState().dbT->openRecordset("SELECT * FROM MAT WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
                                         {appState().ID_ALG_Tuinder, history});
}

qint16 aanpassing()
{
    return qint16(NzValue(GetTeeltInstelling("Aanpassing", InstellingMode::Number)).toInt());
}

ElementVector& drain()
{
    return appState().DrainAnalyse.Elementen;
}

void balanced(float k, float no3, float hco3 = 0)
{
    ClearWaterRecord(appState().DrainAnalyse);
    drain().K = k;
    drain().NO3 = no3;
    drain().HCO3 = hco3;
}

frmDrain* open()
{
    return show<frmDrain>("frmDrain");
}
QLineEdit* box(frmDrain* w, int index)
{
    return StepDriver::box(w, "txtDrain", index);
}
QLabel* warning(frmDrain* w)
{
    return w->findChild<QLabel*>("lblDrain_1");
}

} // namespace

class TestFrmDrain : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

private slots:
    void initTestCase() { RegisterStepWindows(); }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        QVERIFY(m_program->showMain());
        QVERIFY(PutTeeltInstelling("TeeltSysteem", 2, InstellingMode::Number));
    }

    void cleanup() { m_program.reset(); }

    void warningShowsBicarbonateAndBalance_data()
    {
        QTest::addColumn<float>("k");
        QTest::addColumn<float>("no3");
        QTest::addColumn<float>("hco3");
        QTest::addColumn<bool>("hco3Warning");
        QTest::addColumn<bool>("balanceWarning");
        QTest::newRow("HCO3 0.4 counts as 0") << 5.0f << 5.0f << 0.4f << true << false;
        QTest::newRow("unbalanced without HCO3") << 5.0f << 4.0f << 0.0f << false << true;
        QTest::newRow("both") << 5.0f << 3.0f << 1.0f << true << true;
        QTest::newRow("neither") << 5.0f << 5.0f << 0.0f << false << false;
    }

    void warningShowsBicarbonateAndBalance()
    {
        QFETCH(float, k);
        QFETCH(float, no3);
        QFETCH(float, hco3);
        QFETCH(bool, hco3Warning);
        QFETCH(bool, balanceWarning);
        QStringList parts;
        if (hco3Warning)
            parts << GetLangStr(510100100);
        if (balanceWarning)
            parts << GetLangStr(999000045);
        balanced(k, no3, hco3);
        frmDrain* w = open();
        QCOMPARE(warning(w)->isVisible(), !parts.isEmpty());
        if (!parts.isEmpty())
            QCOMPARE(warning(w)->text(), parts.join(", "));
        QVERIFY(!w->changed());
    }

    void valuesAreTypedInTheDisplayUnit()
    {
        appState().UnitID = 1; // meq
        balanced(2, 2);
        drain().Fe = 4;
        frmDrain* w = open();
        QCOMPARE(box(w, 50)->text(), QString("2.00"));
        QCOMPARE(box(w, 41)->text(), FormatNumber(IonToUnit(4, "Fe"), 2));
        type(box(w, 70), "4"); // Ca 2 mmol
        QCOMPARE(drain().Ca, 2.0f);
        QVERIFY(warning(w)->isVisible()); // K 2 + 2·Ca 2 against NO3 2
        type(box(w, 90), "6");
        QVERIFY(!warning(w)->isVisible());
        type(box(w, 42), "2.5");
        type(box(w, 52), "5.8");
        QCOMPARE(drain().EC, 2.5f); // EC and pH have no unit to convert
        QCOMPARE(appState().DrainAnalyse.Ph, 5.8f);
        QVERIFY(w->changed());

        type(box(w, 50), "-1"); // the key filter lets the minus through; the value is refused
        QCOMPARE(lastText(), "K: " + GetLangStr(999000085).arg("0.00", "100.00"));
        QCOMPARE(drain().K, 2.0f);
        QCOMPARE(box(w, 50)->text(), QString("2.00"));
    }

    void rangesAreNamedAndTextIsNeverZero()
    {
        balanced(2, 2);
        appState().DrainAnalyse.Ph = 5.8f;
        frmDrain* w = open();
        type(box(w, 52), "14.5");
        QCOMPARE(lastText(), "pH: " + GetLangStr(999000085).arg("0.00", "14.00"));
        paste(box(w, 52), "5,6"); // the decimal sign here is "."
        QCOMPARE(lastText(),
                 "pH: " + GetLangStr(999000087).arg("5,6") + " " + GetLangStr(999000085).arg("0.00", "14.00"));
        QCOMPARE(appState().DrainAnalyse.Ph, 5.8f);
        QCOMPARE(box(w, 52)->text(), QString("5.80"));
        paste(box(w, 41), "?");
        QCOMPARE(lastText(),
                 "Fe: " + GetLangStr(999000087).arg("?") + " " + GetLangStr(999000085).arg("0.00", "1,000.00"));
        type(box(w, 90), "100.01");
        QCOMPARE(lastText(), "NO3: " + GetLangStr(999000085).arg("0.00", "100.00"));
        QCOMPARE(drain().NO3, 2.0f);
    }

    void everyBoxShowsItsLargestValueWhole()
    {
        appState().UnitID = 3; // ppm: the longest numbers
        ClearWaterRecord(appState().DrainAnalyse);
        frmDrain* w = open();
        const QList<std::pair<int, QString>> highest = {{40, "1,800.00"},  {110, "9,610.00"}, {120, "9,700.00"},
                                                        {41, "55,800.00"}, {91, "95,900.00"}, {42, "100.00"},
                                                        {52, "14.00"}};
        for (const auto& [index, text] : highest) {
            type(box(w, index), QString(text).remove(','));
            QCOMPARE(box(w, index)->text(), text);
            QVERIFY2(showsWhole(box(w, index)), qPrintable(text));
        }
        QVERIFY(MessageBox::shown().isEmpty());
        // The last box and its unit stay inside the window: the unit's text,
        // which its label's box runs on past.
        const QLabel* unit = w->findChild<QLabel*>("lblDrain_38");
        QVERIFY(unit->mapTo(w, QPoint(unit->fontMetrics().horizontalAdvance(unit->text()), 0)).x() <= w->width());
    }

    void forwardNeedsCationsAndAnions()
    {
        balanced(5, 0);
        frmDrain* w = open();
        press(w, 0);
        QCOMPARE(lastText(), GetLangStr(999000046));
        QVERIFY(isOpen("frmDrain"));
        QCOMPARE(drainRows(0).recordCount(), 0);

        type(box(w, 90), "3"); // both sides, unbalanced: goes on with the values as typed
        press(w, 0);
        QVERIFY(!isOpen("frmDrain"));
        QCOMPARE(drain().K, 5.0f);
        QCOMPARE(drain().NO3, 3.0f);
        const RecordSet rs = drainRows(0);
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.value("K").toFloat(), 5.0f);
        QCOMPARE(rs.value("NO3").toFloat(), 3.0f);
    }

    void stopWithAnUnbalancedAnalysisAsks()
    {
        balanced(5, 3);
        frmDrain* w = open();
        type(box(w, 60), "1");
        MessageBox::setNextAnswer(MsgBox::No);
        press(w, 1);
        QCOMPARE(lastText(), GetLangStr(999000008));
        QVERIFY(isOpen("frmDrain"));

        MessageBox::clear();
        MessageBox::setNextAnswer(MsgBox::Yes);
        press(w, 1);
        QCOMPARE(MessageBox::shown().size(), 1); // no save question after leaving without saving
        QVERIFY(!isOpen("frmDrain"));
        QCOMPARE(drainRows(0).recordCount(), 0);
        QCOMPARE(drain().Na, 1.0f); // the run keeps what was typed
    }

    void editsAreSavedOrAsked()
    {
        balanced(2, 2);
        frmDrain* w = open();
        type(box(w, 60), "1");
        QVERIFY(w->changed());
        MessageBox::setNextAnswer(MsgBox::Yes);
        press(w, 1);
        QCOMPARE(lastText(), GetLangStr(999000019));
        QCOMPARE(drainRows(0).value("Na").toFloat(), 1.0f);

        // Closing the window keeps the edit without asking.
        w = open();
        type(box(w, 60), "2");
        MessageBox::clear();
        qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
        QCoreApplication::processEvents();
        QVERIFY(!isOpen("frmDrain"));
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(drainRows(0).value("Na").toFloat(), 2.0f);
        QCOMPARE(drainRows(0).recordCount(), 1);
    }

    void checkBoxMovesTheAdjustment_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("after");
        QTest::newRow("ticked from automatic") << 0 << true << 2;
        QTest::newRow("unticked from drain") << 2 << false << 0;
        QTest::newRow("typed adjustment stays") << 1 << true << 1;
        QTest::newRow("unchanged") << 2 << true << 2;
    }

    void checkBoxMovesTheAdjustment()
    {
        QFETCH(int, before);
        QFETCH(bool, ticked);
        QFETCH(int, after);
        QVERIFY(PutTeeltInstelling("Aanpassing", before, InstellingMode::Number));
        ElementVector& a = appState().AdviesAanpassing;
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            a[p] = 1;
        balanced(2, 2);
        frmDrain* w = open();
        QCOMPARE(w->chkdrain->isChecked(), before == 2);
        if (w->chkdrain->isChecked() != ticked)
            w->chkdrain->click();
        QVERIFY(w->changed() || before == 2);
        type(box(w, 50), "3"); // editing a box keeps the tick
        type(box(w, 50), "2");
        QCOMPARE(w->chkdrain->isChecked(), ticked);
        press(w, 2); // back saves as forward does, without the advice step recomputing the adjustment
        QCOMPARE(aanpassing(), qint16(after));
        const float cleared = before != after ? 0 : 1;
        for (float v : {a.K, a.Na, a.Ca, a.Mg, a.NO3, a.Cl, a.SO4, a.H2PO4, a.Si, a.Fe, a.Zn, a.B, a.Cu, a.Mo})
            QCOMPARE(v, cleared);
        for (float v : {a.NH4, a.HCO3, a.Mn, a.H, a.EC})
            QCOMPARE(v, 1.0f);
    }

    void aNewRunTakesUpTheStoredAnalysis()
    {
        insertRow("MAT", {{"ID_HISTORIE", 0}, {"K", 4}, {"NO3", 4}, {"Fe", 12}, {"EC", 2.2}, {"Ph", 5.5}});
        ClearWaterRecord(appState().DrainAnalyse);
        frmDrain* w = open();
        QCOMPARE(box(w, 50)->text(), QString("4.00"));
        QCOMPARE(box(w, 41)->text(), QString("12.00"));
        QCOMPARE(box(w, 42)->text(), QString("2.20"));
        QCOMPARE(drain().K, 4.0f);
        QCOMPARE(appState().DrainAnalyse.Ph, 5.5f);
        QVERIFY(!w->changed());
        press(w, 0);
        QCOMPARE(drainRows(0).value("Fe").toFloat(), 12.0f);

        // What this run entered wins over the stored row.
        balanced(3, 3);
        w = open();
        QCOMPARE(box(w, 50)->text(), QString("3.00"));
    }

    void aStoredSetIsOnlyShown()
    {
        insertRow("MAT", {{"ID_HISTORIE", 0}, {"K", 1}, {"NO3", 1}});
        insertRow("MAT", {{"ID_HISTORIE", 4}, {"K", 3}, {"NO3", 3}});
        appState().ID_HISTORIE = 4;
        balanced(7, 7); // the history window clears it; whatever it holds, the stored set is shown
        frmDrain* w = open();
        QCOMPARE(box(w, 50)->text(), QString("3.00"));
        QVERIFY(!w->fraDrain->isEnabled());
        press(w, 0);
        QVERIFY(!isOpen("frmDrain"));
        QCOMPARE(drainRows(0).value("K").toFloat(), 1.0f);
        QCOMPARE(drainRows(4).value("K").toFloat(), 3.0f);
        QCOMPARE(appState().dbT->openRecordset("SELECT * FROM MAT").recordCount(), 2);
    }

    void aFailedSaveKeepsTheStep()
    {
        balanced(2, 2);
        frmDrain* w = open();
        type(box(w, 60), "1");
        appState().dbT->execute("DROP TABLE MAT");
        press(w, 0);
        QVERIFY(lastText().startsWith(GetLangStr(999000006) + "\n"));
        QVERIFY(isOpen("frmDrain"));
        QVERIFY(w->changed());
    }

    void waterAndDrainSurviveTheWizardAndARestart()
    {
        QVERIFY(PutTeeltInstelling("Aanpassing", 1, InstellingMode::Number));
        auto* water = show<frmWater>("frmWater");
        water->cboWater->setCurrentIndex(1);
        emit water->cboWater->activated(1);
        type(StepDriver::box(water, "txtWater", 20), "70");
        type(StepDriver::box(water, "txtWater", 21), "30");
        type(StepDriver::box(water, "txtWater", 70), "1");    // Ca of source 1
        type(StepDriver::box(water, "txtWater", 130), "2.5"); // HCO3 of source 1
        type(StepDriver::box(water, "txtWater", 51), "2");    // K of source 2
        type(StepDriver::box(water, "txtWater", 101), "1");   // Cl of source 2
        press(water, 0);
        QVERIFY(!isOpen("frmWater"));

        frmDrain* d = qobject_cast<frmDrain*>(OpenStepWindow("frmDrain"));
        QVERIFY(d);
        type(box(d, 50), "6");
        type(box(d, 90), "6");
        type(box(d, 81), "0.5"); // Cu
        press(d, 2);
        QVERIFY(!isOpen("frmDrain"));

        water = qobject_cast<frmWater*>(OpenStepWindow("frmWater"));
        QVERIFY(water);
        QCOMPARE(StepDriver::box(water, "txtWater", 20)->text(), QString("70"));
        QCOMPARE(StepDriver::box(water, "txtWater", 131)->text(), QString("0.00"));
        QCOMPARE(StepDriver::box(water, "txtWater", 130)->text(), QString("2.50"));
        press(water, 0);
        d = qobject_cast<frmDrain*>(OpenStepWindow("frmDrain"));
        QVERIFY(d);
        QCOMPARE(box(d, 81)->text(), QString("0.50"));
        press(d, 0);
        QVERIFY(!isOpen("frmDrain") && !isOpen("frmWater"));

        // A new run: nothing in memory, the grower database opened afresh.
        ClearWaterRecord(appState().DrainAnalyse);
        OpenTuinderDb();
        water = show<frmWater>("frmWater");
        QCOMPARE(water->cboWater->currentIndex(), 1);
        QCOMPARE(StepDriver::box(water, "txtWater", 21)->text(), QString("30"));
        QCOMPARE(StepDriver::box(water, "txtWater", 51)->text(), QString("2.00"));
        QCOMPARE(water->WaterAnalyses[2].Elementen.Cl, 1.0f);
        press(water, 0);
        d = qobject_cast<frmDrain*>(OpenStepWindow("frmDrain"));
        QVERIFY(d);
        QCOMPARE(box(d, 50)->text(), QString("6.00"));
        QCOMPARE(box(d, 81)->text(), QString("0.50"));
        QCOMPARE(drain().NO3, 6.0f);
    }
};

QTEST_MAIN(TestFrmDrain)
#include "test_frmdrain.moc"
