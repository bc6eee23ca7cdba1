// The water step and its trace-element dialog, driven as the user drives them.
#include "frmmain.h"
#include "frmwater.h"
#include "frmwaterspoor.h"
#include "programfixture.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "units.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

using namespace StepDriver;

namespace {

const QColor kRed(255, 0, 0);

// The stored value of one column of a source.
QVariant stored(qint16 type, const QString& column, qint32 history = 0)
{
    const RecordSet rs =
        appState().dbT->openRecordset("SELECT * FROM WATER WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ? AND Type = ?",
                                      {appState().ID_ALG_Tuinder, history, type});
    return rs.recordCount() == 1 ? rs.value(column) : QVariant();
}

int rowCount(const QString& where = "1 = 1")
{
    return appState().dbT->openRecordset("SELECT * FROM WATER WHERE " + where).recordCount();
}

frmWater* open()
{
    return show<frmWater>("frmWater");
}
bool isOpen()
{
    return StepDriver::isOpen("frmWater");
}
QLineEdit* box(frmWater* w, int index)
{
    return StepDriver::box(w, "txtWater", index);
}
QLabel* label(frmWater* w, int index)
{
    return w->findChild<QLabel*>("lblWater_" + QString::number(index));
}

void fullAnalysis(frmWater* w)
{
    w->cboWater->setCurrentIndex(1);
    emit w->cboWater->activated(1);
}

// Runs the action on the trace-element dialog once it shows; it is closed afterwards whatever happened.
void onTraceDialog(std::function<void(frmWaterSpoor*)> action)
{
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<frmWaterSpoor*>(QApplication::activeModalWidget());
        if (!dialog || !QTest::qWaitForWindowActive(dialog))
            return;
        // The widgets learn of the activation a little after the window does.
        (void)QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; });
        action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class TestFrmWater : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

private slots:
    void initTestCase() { RegisterStepWindows(); }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        QVERIFY(m_program->showMain());
        // No drain step: forward leaves for the advice, which these tests leave out.
        QVERIFY(PutTeeltInstelling("TeeltSysteem", 1, InstellingMode::Number));
        QVERIFY(PutTeeltInstelling("Aanpassing", 1, InstellingMode::Number));
    }

    void cleanup() { m_program.reset(); }

    void missingSourcesAreAddedToTheWorkingSet()
    {
        insertRow("WATER", {{"ID_HISTORIE", 0}, {"Type", 2}, {"Perc", 100}, {"SC1", 6}, {"HCO3", 3}});
        frmWater* w = open();
        QCOMPARE(w->windowTitle(), GetLangStr(50000000));
        QCOMPARE(rowCount("ID_HISTORIE = 0"), 3);
        QCOMPARE(stored(1, "Perc").toFloat(), 0.0f);
        QCOMPARE(stored(3, "Perc").toFloat(), 0.0f);
        QCOMPARE(box(w, 20)->text(), QString("0"));
        QCOMPARE(box(w, 21)->text(), QString("100"));
        QCOMPARE(box(w, 51)->text(), QString("6"));
        QVERIFY(box(w, 27)->isReadOnly());
        QVERIFY(!w->changed());
        QVERIFY(m_program->main()->tool("mnu5")->isEnabled());
        QVERIFY(!m_program->main()->tool("mnu2")->isEnabled());
    }

    void twoSourcesInFullAnalysisAreStoredAndReloaded()
    {
        frmWater* w = open();
        fullAnalysis(w);
        QVERIFY(w->changed());
        QCOMPARE(w->WaterInputType, qint16(1));
        type(box(w, 20), "60");
        type(box(w, 21), "40");
        type(box(w, 50), "3");   // K of source 1
        type(box(w, 90), "2");   // NO3 of source 1
        type(box(w, 71), "1.5"); // Ca of source 2
        type(box(w, 91), "2");   // NO3 of source 2
        type(box(w, 61), "0.25");
        QCOMPARE(box(w, 27)->text(), QString("100"));
        press(w, 0);
        QVERIFY(!isOpen());

        QCOMPARE(NzValue(GetTeeltInstelling("WaterInputType", InstellingMode::Number)).toInt(), 1);
        QCOMPARE(stored(1, "Perc").toFloat(), 60.0f);
        QCOMPARE(stored(1, "K").toFloat(), 3.0f);
        QCOMPARE(stored(2, "Ca").toFloat(), 1.5f);
        QCOMPARE(stored(2, "Na").toFloat(), 0.25f);
        QCOMPARE(stored(3, "Perc").toFloat(), 0.0f);

        w = open();
        QCOMPARE(w->cboWater->currentIndex(), 1);
        QCOMPARE(box(w, 20)->text(), QString("60"));
        QCOMPARE(box(w, 71)->text(), QString("1.50"));
        QCOMPARE(box(w, 61)->text(), QString("0.25"));
        QVERIFY(!w->changed());
    }

    void elementsAreTypedInTheDisplayUnit()
    {
        appState().UnitID = 2; // mg per litre
        frmWater* w = open();
        fullAnalysis(w);
        type(box(w, 20), "100");
        type(box(w, 70), "80.2"); // Ca: 2 mmol
        QCOMPARE(w->WaterAnalyses[1].Elementen.Ca, 2.0f);
        QCOMPARE(box(w, 70)->text(), QString("80.20"));
        QCOMPARE(box(w, 77)->text(), FormatNumber(IonToUnit(w->WaterAnalyses[0].Elementen.Ca, "Ca"), 2));
    }

    void quickEntryReadingsAreWholeNumbers()
    {
        frmWater* w = open();
        QCOMPARE(w->WaterInputType, qint16(0));
        QVERIFY(!box(w, 40) || !box(w, 40)->isVisible()); // no NH4 in quick entry
        QCOMPARE(box(w, 80)->text(), QString("/"));
        type(box(w, 50), "2.5"); // halves go to the even number
        QCOMPARE(w->WaterAnalyses[1].SC1, qint16(2));
        QCOMPARE(w->WaterAnalyses[1].Elementen.HCO3, 1.0f);
        QCOMPARE(box(w, 50)->text(), QString("2"));
        type(box(w, 50), "3.5");
        QCOMPARE(w->WaterAnalyses[1].SC1, qint16(4));
        QCOMPARE(w->WaterAnalyses[1].Elementen.HCO3, 2.0f);
        type(box(w, 60), "7");
        QCOMPARE(w->WaterAnalyses[1].Elementen.Ca, 1.75f);
        QCOMPARE(label(w, 40)->text(), QString("A"));
        type(box(w, 110), "1");
        QCOMPARE(w->WaterAnalyses[1].Elementen.K, 0.5f);
        QCOMPARE(label(w, 40)->text(), QString("B"));
        QCOMPARE(label(w, 41)->text(), QString("A"));
    }

    void quickEntryOutOfBalanceCannotGoOn()
    {
        frmWater* w = open();
        type(box(w, 20), "100");
        type(box(w, 50), "5"); // only HCO3: anions without cations
        QCOMPARE(label(w, 10)->palette().color(QPalette::Window), kRed);
        QCOMPARE(box(w, 50)->palette().color(QPalette::Base), kRed);
        QCOMPARE(box(w, 57)->palette().color(QPalette::Base), kRed);
        QVERIFY(box(w, 51)->palette().color(QPalette::Base) != kRed);
        press(w, 0);
        QCOMPARE(lastText(), GetLangStr(999000028));
        QCOMPARE(MessageBox::last().style & MsgBox::Critical, int(MsgBox::Critical));
        QVERIFY(isOpen());

        type(box(w, 60), "5"); // Ca 1.25 meets HCO3 5 / 2
        QVERIFY(box(w, 50)->palette().color(QPalette::Base) != kRed);
        press(w, 0);
        QVERIFY(!isOpen());
        QCOMPARE(stored(1, "SC2").toInt(), 5);
        QCOMPARE(stored(1, "HCO3").toFloat(), 2.5f); // quick entry keeps the whole HCO3 of the source
    }

    void sharesMustTotal100()
    {
        frmWater* w = open();
        type(box(w, 20), "50");
        type(box(w, 21), "30");
        type(box(w, 22), "19.99");
        for (int index : {20, 21, 22, 27})
            QCOMPARE(box(w, index)->palette().color(QPalette::Base), kRed);
        press(w, 0);
        QCOMPARE(lastText(), GetLangStr(999000007));
        QVERIFY(isOpen());
        press(w, 2);
        QVERIFY(isOpen());

        // Shares with decimals whose single-precision sum misses 100 by a hair.
        type(box(w, 20), "10.1");
        type(box(w, 21), "74.2");
        type(box(w, 22), "15.7");
        QVERIFY(box(w, 27)->palette().color(QPalette::Base) != kRed);
        QCOMPARE(box(w, 20)->text(), QString("10"));

        // Passing through a box without typing keeps the value behind its rounded text.
        box(w, 20)->setFocus();
        QTRY_VERIFY(box(w, 20)->hasFocus());
        QTest::keyClick(box(w, 20), Qt::Key_Tab);
        QCOMPARE(w->WaterAnalyses[1].Perc, 10.1f);
        QVERIFY(box(w, 27)->palette().color(QPalette::Base) != kRed);

        press(w, 0);
        QVERIFY(!isOpen());
        QCOMPARE(stored(1, "Perc").toFloat(), 10.1f);
        QCOMPARE(stored(3, "Perc").toFloat(), 15.7f);
    }

    void badInputIsRefusedAndLosesNothing()
    {
        frmWater* w = open();
        type(box(w, 20), "40");
        paste(box(w, 20), "-60");
        QCOMPARE(lastText(), GetLangStr(50101000) + " %: " + GetLangStr(999000085).arg("0", "100"));
        QCOMPARE(w->WaterAnalyses[1].Perc, 40.0f);
        QCOMPARE(box(w, 20)->text(), QString("40"));

        type(box(w, 60), "12");
        MessageBox::clear();
        type(box(w, 60), "40000"); // above what a reading can hold
        QCOMPARE(lastText(), GetLangStr(50101000) + " Ca: " + GetLangStr(999000086).arg("0", "32,767"));
        QCOMPARE(w->WaterAnalyses[1].SC2, qint16(12));
        QCOMPARE(box(w, 60)->text(), QString("12"));
        type(box(w, 60), "32767");
        QCOMPARE(w->WaterAnalyses[1].SC2, qint16(32767));

        fullAnalysis(w);
        type(box(w, 50), "2");
        paste(box(w, 50), "-1");
        QCOMPARE(lastText(), GetLangStr(50101000) + " K: " + GetLangStr(999000085).arg("0.00", "100.00"));
        QCOMPARE(w->WaterAnalyses[1].Elementen.K, 2.0f);
        type(box(w, 50), "1" + QString(40, '0'));
        QCOMPARE(w->WaterAnalyses[1].Elementen.K, 2.0f);
    }

    void rangeMessagesNameBothLimitsAndTextIsNeverZero()
    {
        appState().UnitID = 2; // mg per litre
        frmWater* w = open();
        type(box(w, 20), "40");
        type(box(w, 20), "100.5");
        const QString aandeel = GetLangStr(50101000) + " %: ";
        QCOMPARE(lastText(), aandeel + GetLangStr(999000085).arg("0", "100"));
        QCOMPARE(w->WaterAnalyses[1].Perc, 40.0f);
        paste(box(w, 20), "7,5"); // the decimal sign here is "."
        QCOMPARE(lastText(), aandeel + GetLangStr(999000087).arg("7,5") + " " + GetLangStr(999000085).arg("0", "100"));
        QCOMPARE(w->WaterAnalyses[1].Perc, 40.0f);
        QCOMPARE(box(w, 20)->text(), QString("40"));
        paste(box(w, 60), "veel");
        QCOMPARE(lastText(), GetLangStr(50101000) + " Ca: " + GetLangStr(999000087).arg("veel") + " " +
                                 GetLangStr(999000086).arg("0", "32,767"));

        // An element's range is that of 100 mmol per litre, in the display unit.
        fullAnalysis(w);
        type(box(w, 50), "78.2");
        MessageBox::clear();
        type(box(w, 50), "3911");
        QCOMPARE(lastText(), GetLangStr(50101000) + " K: " + GetLangStr(999000085).arg("0.00", "3,910.00"));
        QCOMPARE(box(w, 50)->text(), QString("78.20"));
        type(box(w, 50), "3910");
        QCOMPARE(w->WaterAnalyses[1].Elementen.K, 100.0f);
        paste(box(w, 50), "");
        QCOMPARE(w->WaterAnalyses[1].Elementen.K, 0.0f); // an emptied box is 0
    }

    void everyNumberBoxShowsItsLargestValueWhole()
    {
        appState().UnitID = 2; // mg per litre: the longest numbers
        frmWater* w = open();
        for (int index : {50, 61, 112}) {
            type(box(w, index), "32767");
            QCOMPARE(box(w, index)->text(), QString("32,767"));
            QVERIFY2(showsWhole(box(w, index)), qPrintable(QString::number(index)));
        }
        type(box(w, 20), "100");
        type(box(w, 21), "100");
        type(box(w, 22), "100");
        QCOMPARE(box(w, 27)->text(), QString("300"));
        QVERIFY(showsWhole(box(w, 27)));

        fullAnalysis(w);
        type(box(w, 20), "100");
        const QStringList highest = {"1,800", "3,910", "2,300", "4,010", "2,430", "6,200",
                                     "3,550", "9,610", "9,700", "6,100", "2,810"};
        for (int f = 4; f <= 14; ++f) {
            type(box(w, 10 * f), QString(highest[f - 4]).remove(','));
            QCOMPARE(box(w, 10 * f)->text(), highest[f - 4] + ".00");
            QVERIFY2(showsWhole(box(w, 10 * f)), qPrintable(highest[f - 4]));
            QVERIFY2(showsWhole(box(w, 10 * f + 7)), qPrintable(box(w, 10 * f + 7)->text()));
        }
        QVERIFY(MessageBox::shown().isEmpty());

        onTraceDialog([](frmWaterSpoor* d) {
            for (int i = 0; i < 6; ++i) {
                d->txtWaterSpoor[i]->setFocus();
                d->txtWaterSpoor[i]->selectAll();
                QTest::keyClicks(d->txtWaterSpoor[i], "95900");
                QTest::keyClick(d->txtWaterSpoor[i], Qt::Key_Return);
                QVERIFY(showsWhole(d->txtWaterSpoor[i]));
            }
            QCOMPARE(d->txtWaterSpoor[5]->text(), QString("95,900.00")); // Mo: 1,000 µmol
            QFont title = d->font();
            title.setBold(true);
            QVERIFY(d->width() > QFontMetrics(title).horizontalAdvance(d->windowTitle()));
        });
        w->cmdwater[1]->click();
    }

    void onlyTheBoxWithTheFocusLooksSelected()
    {
        frmWater* w = open();
        type(box(w, 20), "60");
        // Passing through a box before its text was selected leaves it unselected.
        box(w, 21)->setFocus();
        QTest::keyClick(box(w, 21), Qt::Key_Tab);
        QTRY_VERIFY(box(w, 22)->hasSelectedText());
        QCoreApplication::processEvents();
        QVERIFY(!box(w, 21)->hasSelectedText());

        // The dialog's box has the focus; the water window's box shows no selection meanwhile.
        box(w, 20)->setFocus();
        QTRY_VERIFY(box(w, 20)->hasSelectedText());
        bool waterSelected = true, dialogSelected = false;
        onTraceDialog([&](frmWaterSpoor* d) {
            QTRY_VERIFY(d->txtWaterSpoor[0]->hasSelectedText());
            dialogSelected = true;
            waterSelected = box(w, 20)->hasSelectedText();
        });
        w->cmdwater[1]->click();
        QVERIFY(dialogSelected);
        QVERIFY(!waterSelected);
    }

    void switchingTheInputTypeClearsTheWindowOnly()
    {
        insertRow("WATER", {{"ID_HISTORIE", 0}, {"Type", 1}, {"Perc", 100}, {"K", 2}, {"NO3", 2}});
        frmWater* w = open();
        fullAnalysis(w);
        QCOMPARE(w->WaterAnalyses[1].Perc, 0.0f);
        QCOMPARE(box(w, 50)->text(), QString("0.00"));
        QVERIFY(w->changed());
        QCOMPARE(stored(1, "K").toFloat(), 2.0f);
    }

    void theIronWarningFollowsEveryRecalculation()
    {
        insertRow("WATER", {{"ID_HISTORIE", 0}, {"Type", 1}, {"Perc", 100}, {"Fe", 5}});
        insertRow("WATER", {{"ID_HISTORIE", 0}, {"Type", 2}, {"Perc", 0}, {"Fe", 5}});
        frmWater* w = open();
        QVERIFY(MessageBox::shown().isEmpty()); // exactly 5 is no warning
        type(box(w, 21), "0.2");
        QCOMPARE(lastText(), GetLangStr(999000020));
        QCOMPARE(MessageBox::last().style & MsgBox::Information, int(MsgBox::Information));
    }

    void fullAnalysisRebalancesTheMix()
    {
        frmWater* w = open();
        fullAnalysis(w);
        type(box(w, 20), "100");
        type(box(w, 130), "0.8"); // HCO3 above the buffer: the warning shows
        QVERIFY(label(w, 1)->isVisible());
        type(box(w, 130), "0.3");
        QVERIFY(!label(w, 1)->isVisible());
        type(box(w, 130), "0");

        type(box(w, 90), "1"); // anions only: cannot be rebalanced
        MessageBox::clear();
        press(w, 0);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown()[0].text, GetLangStr(999000045));
        QCOMPARE(MessageBox::shown()[1].text, GetLangStr(999000046));
        QVERIFY(isOpen());

        type(box(w, 50), "3"); // K 3 against NO3 1: the mix shows both at their mean
        QCOMPARE(box(w, 57)->text(), QString("2.00"));
        QCOMPARE(box(w, 97)->text(), QString("2.00"));
        QVERIFY(box(w, 57)->palette().color(QPalette::Base) != kRed);
        QCOMPARE(w->WaterAnalyses[1].Elementen.K, 3.0f);

        // The trace elements recompute the mix without rebalancing it: the next forward does.
        onTraceDialog([](frmWaterSpoor* d) {
            d->txtWaterSpoor[0]->selectAll();
            QTest::keyClicks(d->txtWaterSpoor[0], "1");
            d->cmdWaterSpoor->click();
        });
        w->cmdwater[1]->click();
        MessageBox::clear();
        press(w, 0);
        QCOMPARE(lastText(), GetLangStr(999000045));
        QVERIFY(isOpen());
        QCOMPARE(box(w, 57)->text(), QString("2.00"));
        press(w, 0);
        QVERIFY(!isOpen());
        QCOMPARE(stored(1, "NO3").toFloat(), 1.0f); // the sources are stored as typed
    }

    void stopAsksWhenTheAnalysisIsNotRight()
    {
        frmWater* w = open();
        type(box(w, 20), "90");
        MessageBox::setNextAnswer(MsgBox::No);
        press(w, 1);
        QCOMPARE(lastText(), GetLangStr(999000008));
        QVERIFY(isOpen());
        QVERIFY(w->changed());

        // Yes leaves without saving; closing then asks about the shares as well.
        MessageBox::clear();
        MessageBox::setNextAnswer(MsgBox::Yes);
        MessageBox::setNextAnswer(MsgBox::No);
        press(w, 1);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown()[1].text, GetLangStr(999000009));
        QVERIFY(isOpen());

        MessageBox::setNextAnswer(MsgBox::Yes);
        closeWindow(w);
        QVERIFY(!isOpen());
        QCOMPARE(stored(1, "Perc").toFloat(), 0.0f);
    }

    void closingKeepsTheChangesOrAsks()
    {
        frmWater* w = open();
        type(box(w, 20), "99");
        MessageBox::setNextAnswer(MsgBox::No);
        closeWindow(w);
        QCOMPARE(lastText(), GetLangStr(999000009));
        QVERIFY(isOpen());
        QVERIFY(w->changed()); // the edit is still there to be saved

        type(box(w, 20), "100");
        MessageBox::clear();
        MessageBox::setNextAnswer(MsgBox::Yes);
        closeWindow(w);
        QCOMPARE(lastText(), GetLangStr(999000019));
        QVERIFY(!isOpen());
        QCOMPARE(stored(1, "Perc").toFloat(), 100.0f);
    }

    void aFailedSaveKeepsTheStep()
    {
        frmWater* w = open();
        type(box(w, 20), "100");
        appState().dbT->execute("DROP TABLE WATER");
        press(w, 0);
        QVERIFY(lastText().startsWith(GetLangStr(999000006) + "\n"));
        QVERIFY(isOpen());
        QVERIFY(w->changed());
    }

    void aStoredHistorySetIsOnlyShown()
    {
        insertRow(
            "WATER",
            {{"ID_HISTORIE", 5}, {"Type", 1}, {"Perc", 100}, {"SC1", 4}, {"SC6", 4}, {"HCO3", 2}, {"K", 2}, {"Fe", 3}});
        appState().ID_HISTORIE = 5;
        const int before = rowCount();
        frmWater* w = open();
        QCOMPARE(box(w, 20)->text(), QString("100"));
        QCOMPARE(box(w, 110)->text(), QString("4"));
        QVERIFY(!box(w, 20)->isEnabled());
        QVERIFY(!w->cboWater->isEnabled());
        QCOMPARE(rowCount(), before); // nothing added, in neither set

        onTraceDialog([](frmWaterSpoor* d) {
            QVERIFY(d->txtWaterSpoor[0]->isReadOnly());
            QCOMPARE(d->txtWaterSpoor[0]->text(), QString("3.00"));
            d->cmdWaterSpoor->click();
        });
        w->cmdwater[0]->click();

        press(w, 0);
        QVERIFY(!isOpen());
        QCOMPARE(rowCount(), before);
        QCOMPARE(rowCount("ID_HISTORIE = 0"), 0);
        QCOMPARE(stored(1, "Fe", 5).toFloat(), 3.0f);
        const RecordSet settings =
            appState().dbT->openRecordset("SELECT WaterInputType FROM TEELT_Instelling WHERE ID_HISTORIE = 5 "
                                          "AND WaterInputType IS NOT NULL "
                                          "AND WaterInputType <> 0");
        QCOMPARE(settings.recordCount(), 0);
    }

    void traceElementsRoundTrip_data()
    {
        QTest::addColumn<int>("unit");
        QTest::newRow("mmol") << 0;
        QTest::newRow("meq") << 1;
        QTest::newRow("mgr") << 2;
        QTest::newRow("ppm") << 3;
    }

    void traceElementsRoundTrip()
    {
        QFETCH(int, unit);
        appState().UnitID = qint16(unit);
        insertRow("WATER", {{"ID_HISTORIE", 0}, {"Type", 2}, {"Perc", 100}, {"Fe", 10}, {"Mn", 1.234}});
        frmWater* w = open();
        QVERIFY(!w->changed());

        QString shownFe, caption;
        bool readOnly = true;
        onTraceDialog([&](frmWaterSpoor* d) {
            shownFe = d->txtWaterSpoor[0]->text();
            caption = d->windowTitle();
            readOnly = d->txtWaterSpoor[2]->isReadOnly();
            d->txtWaterSpoor[2]->selectAll();
            QTest::keyClicks(d->txtWaterSpoor[2], "3"); // Zn
            d->cmdWaterSpoor->click();
        });
        w->cmdwater[1]->click();
        QCOMPARE(shownFe, FormatNumber(IonToUnit(10, "Fe"), 2));
        QCOMPARE(caption, GetLangStr(52100000) + " " + GetLangStr(50101100));
        QVERIFY(!readOnly);
        QVERIFY(w->changed());
        const ElementVector& v = w->WaterAnalyses[2].Elementen;
        QCOMPARE(v.Zn, IonFromUnit(3, "Zn"));
        QCOMPARE(v.Fe, 10.0f); // untouched entries keep their full precision
        QCOMPARE(v.Mn, 1.234f);
        QCOMPARE(w->WaterAnalyses[0].Elementen.Zn, v.Zn);

        press(w, 0);
        QVERIFY(!isOpen());
        QCOMPARE(stored(2, "Zn").toFloat(), IonFromUnit(3, "Zn"));
        QCOMPARE(stored(2, "Mn").toFloat(), 1.234f);
    }

    void traceElementsAreEditedOnSources2And3()
    {
        frmWater* w = open();
        QList<bool> readOnly;
        for (int index : {0, 1, 2, 3}) {
            onTraceDialog([&](frmWaterSpoor* d) {
                readOnly << d->txtWaterSpoor[0]->isReadOnly();
                d->cmdWaterSpoor->click();
            });
            w->cmdwater[index]->click();
        }
        QCOMPARE(readOnly, QList<bool>({true, false, false, true}));
        QVERIFY(!w->changed());
    }

    void traceDialogEscapeAndRefusals()
    {
        insertRow("WATER", {{"ID_HISTORIE", 0}, {"Type", 2}, {"Perc", 100}, {"Fe", 0.123}});
        frmWater* w = open();
        // Escape cancels from inside a box, with or without a typed change.
        bool closedByEscape = false;
        onTraceDialog([&](frmWaterSpoor* d) {
            QCOMPARE(d->txtWaterSpoor[0]->text(), QString("0.12"));
            d->txtWaterSpoor[1]->setFocus();
            d->txtWaterSpoor[1]->selectAll();
            QTest::keyClicks(d->txtWaterSpoor[1], "9");
            QTest::keyClick(d->txtWaterSpoor[1], Qt::Key_Escape);
            closedByEscape = !d->isVisible();
        });
        w->cmdwater[1]->click();
        QVERIFY(closedByEscape);
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(w->changed()); // a typed change counts, even when cancelled
        QCOMPARE(w->WaterAnalyses[2].Elementen.Fe, 0.123f);
        QCOMPARE(w->WaterAnalyses[2].Elementen.Mn, 0.0f);

        onTraceDialog([](frmWaterSpoor* d) {
            // Too much: the message names the range, the box keeps its value.
            d->txtWaterSpoor[1]->setFocus();
            d->txtWaterSpoor[1]->selectAll();
            QTest::keyClicks(d->txtWaterSpoor[1], "1234.5");
            QTest::keyClick(d->txtWaterSpoor[1], Qt::Key_Return); // on to the next box, no confirm
            QVERIFY(d->isVisible());
            QCOMPARE(lastText(), "Mn: " + GetLangStr(999000085).arg("0.00", "1,000.00"));
            QCOMPARE(d->txtWaterSpoor[1]->text(), QString("0.00"));
            d->txtWaterSpoor[1]->setFocus();
            d->txtWaterSpoor[1]->selectAll();
            QTest::keyClicks(d->txtWaterSpoor[1], "999.5");
            QTest::keyClick(d->txtWaterSpoor[1], Qt::Key_Return);
            QCOMPARE(d->txtWaterSpoor[1]->text(), QString("999.50"));
            // A text that is no number in the user's locale is not read as 0.
            d->txtWaterSpoor[2]->selectAll();
            d->txtWaterSpoor[2]->insert("7,5");
            QTest::keyClick(d->txtWaterSpoor[2], Qt::Key_Return);
            QCOMPARE(lastText(),
                     "Zn: " + GetLangStr(999000087).arg("7,5") + " " + GetLangStr(999000085).arg("0.00", "1,000.00"));
            QCOMPARE(d->txtWaterSpoor[2]->text(), QString("0.00"));
            d->txtWaterSpoor[3]->selectAll();
            d->txtWaterSpoor[3]->insert("-2");
            d->cmdWaterSpoor->click();
        });
        w->cmdwater[1]->click();
        QCOMPARE(lastText(), "B: " + GetLangStr(999000085).arg("0.00", "1,000.00"));
        QCOMPARE(w->WaterAnalyses[2].Elementen.Mn, 999.5f);
        QCOMPARE(w->WaterAnalyses[2].Elementen.Zn, 0.0f);
        QCOMPARE(w->WaterAnalyses[2].Elementen.B, 0.0f);
        QCOMPARE(w->WaterAnalyses[2].Elementen.Fe, 0.123f);
    }
};

QTEST_MAIN(TestFrmWater)
#include "test_frmwater.moc"
