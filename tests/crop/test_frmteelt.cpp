// The crop step driven as the user drives it: the crop searches, the stage and
// the lists, the own crop's copy in the reference data, the sizes and their
// ranges, a stored history set, and the menu after closing.
#include "appstate.h"
#include "com/createobject.h"
#include "frmmain.h"
#include "frmteelt.h"
#include "programfixture.h"
#include "registry/registry.h"
#include "searchwindow.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTableView>
#include <QtTest>

namespace {

Database& dbT()
{
    return *appState().dbT;
}

QVariant stored(const char* column, qint32 history = 0)
{
    const RecordSet rs = dbT().openRecordset(
        QString("SELECT %1 FROM TEELT_Instelling WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?").arg(column),
        {appState().ID_ALG_Tuinder, history});
    return rs.recordCount() == 1 ? rs.value(0) : QVariant();
}

// Every settings row as text, to see that nothing was written.
QString settingRows()
{
    RecordSet rs = dbT().openRecordset("SELECT * FROM TEELT_Instelling ORDER BY ID");
    QStringList rows;
    for (int row = 0; row < rs.recordCount(); ++row) {
        rs.move(row);
        QStringList fields;
        for (int f = 0; f < rs.fieldCount(); ++f)
            fields << rs.value(f).toString();
        rows << fields.join(',');
    }
    return rows.join('\n');
}

using StepDriver::lastText;

} // namespace

class TestFrmTeelt : public QObject {
    Q_OBJECT

    QTemporaryDir m_registry;
    std::unique_ptr<ProgramFixture> m_program;

    frmTeelt* window() const { return qobject_cast<frmTeelt*>(OpenStepWindow("frmTeelt")); }

    frmTeelt* openFromMenu()
    {
        m_program->main()->barMain_Click("mnu4");
        QCoreApplication::processEvents();
        return window();
    }

    QLineEdit* box(int index) const { return window()->txtTeelt[index]; }
    QComboBox* list(int index) const { return window()->cboTeelt[index]; }

    void type(int index, const QString& text) { StepDriver::type(box(index), text); }
    void press(int index) { StepDriver::press(window(), index); }

    void chooseCrop(int source, const QString& name, TestSupport::SearchView* beeld)
    {
        TestSupport::answerSearch(name, 1, beeld);
        list(0)->setCurrentIndex(source);
        emit list(0)->activated(source);
        QCoreApplication::processEvents();
    }

    QString rangeMessage(qint32 label, int lowest) const
    {
        return GetLangStr(label) + ": " + GetLangStr(40900100).arg(lowest).arg(32767);
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

    void aChosenCropAndStageAreStoredAndShownAgain()
    {
        frmTeelt* w = openFromMenu();
        QCOMPARE(w->windowTitle(), GetLangStr(40000000));
        QVERIFY(m_program->main()->tool("mnu4")->isEnabled());
        QVERIFY(!m_program->main()->tool("mnu5")->isEnabled());
        QCOMPARE(stored("BakGrootte"), QVariant(0)); // a new grower's row, made on first reading

        type(0, "1000");
        type(1, "200");
        QCOMPARE(box(0)->text(), QString("1,000"));
        // A search database left on the grower's by an earlier search: this one names its own.
        appState().ZoekDatabase = appState().TDatabaseNaam;
        TestSupport::SearchView beeld;
        chooseCrop(0, "Tomaat", &beeld);
        QCOMPARE(beeld.title, GetLangStr(42000100));
        QCOMPARE(beeld.cells.size(), 15);
        QCOMPARE(w->Code_Teelt, qint16(1));
        QCOMPARE(box(2)->text(), QString("Tomaat"));
        QCOMPARE(list(1)->count(), 4);
        QCOMPARE(box(3)->text(), GetLangStr(40300100));
        list(1)->setCurrentIndex(list(1)->findData(2));
        QCOMPARE(box(3)->text(), QString("Productie"));
        list(2)->setCurrentIndex(3);
        list(3)->setCurrentIndex(2);
        QCOMPARE(box(5)->text(), GetLangStr(40300304));

        press(0);
        QVERIFY(!window());
        QVERIFY(OpenStepWindow("frmWater"));
        QCOMPARE(stored("Code_Teelt").toInt(), 1);
        QCOMPARE(stored("Code_Teeltstadium").toInt(), 2);
        QCOMPARE(stored("TeeltSysteem").toInt(), 3);
        QCOMPARE(stored("ECVerhoging").toInt(), 2);
        QCOMPARE(stored("BakGrootte").toInt(), 1000);
        QCOMPARE(stored("Concentratie").toInt(), 200);

        m_program->closeChildWindows();
        w = openFromMenu();
        QCOMPARE(box(0)->text(), QString("1,000"));
        QCOMPARE(box(1)->text(), QString("200"));
        QCOMPARE(box(2)->text(), QString("Tomaat"));
        QCOMPARE(box(3)->text(), QString("Productie"));
        QCOMPARE(list(2)->currentIndex(), 3);
        QCOMPARE(box(5)->text(), GetLangStr(40300304));
        QVERIFY(!w->changed());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void anOwnCropIsCopiedUnderItsCodePlus1000()
    {
        dbT().execute("INSERT INTO TEELT (Code, Lang0, Lang1) VALUES (12, 'Eigen tomaat', 'Own tomato')");
        dbT().execute(
            "INSERT INTO TEELT_StdVOplossing (Code_Teelt, NH4, K, Ca, NO3, EC) VALUES (12, 1.5, 7, 4, 14, 2.1)");
        appState().AdviesAanpassing.K = 0.5f;
        frmTeelt* w = openFromMenu();
        type(0, "1000");
        TestSupport::SearchView beeld;
        chooseCrop(1, "Eigen tomaat", &beeld);
        QCOMPARE(beeld.title, GetLangStr(42000200));
        QCOMPARE(beeld.cells, QStringList{"Eigen tomaat"}); // the grower's crops only
        QCOMPARE(w->Code_Teelt, qint16(1012));
        QCOMPARE(box(2)->text(), QString("Eigen tomaat"));

        const RecordSet copy = appState().dbH->openRecordset(
            "SELECT TEELT.Lang0, K, Ec FROM TEELT JOIN TEELT_StdVOplossing ON Code_Teelt = Code WHERE Code = 1012");
        QCOMPARE(copy.recordCount(), 1);
        QCOMPARE(copy.value(0).toString(), QString("Eigen tomaat"));
        QCOMPARE(copy.value(1).toFloat(), 7.0f);
        QCOMPARE(copy.value(2).toFloat(), 2.1f);

        // An own crop is adjusted by hand: no stage, and the typed adjustment so far is void.
        QCOMPARE(list(4)->currentIndex(), 1);
        QVERIFY(!list(4)->isEnabled());
        QVERIFY(list(1)->isHidden());
        QCOMPARE(list(1)->count(), 1);
        QCOMPARE(appState().AdviesAanpassing.K, 0.0f);
        press(0);
        QVERIFY(!window());
        QCOMPARE(stored("Code_Teelt").toInt(), 1012);
        QCOMPARE(stored("Aanpassing").toInt(), 1);
        QCOMPARE(stored("Code_Teeltstadium").toInt(), 0);

        // Shown again as stored, an adjustment typed meanwhile stays.
        m_program->closeChildWindows();
        appState().AdviesAanpassing.K = 0.5f;
        w = openFromMenu();
        QCOMPARE(box(2)->text(), QString("Eigen tomaat"));
        QVERIFY(!list(4)->isEnabled());
        QCOMPARE(appState().AdviesAanpassing.K, 0.5f);

        // A standard crop afterwards is adjusted automatically again.
        chooseCrop(0, "Paprika", &beeld);
        QCOMPARE(w->Code_Teelt, qint16(3));
        QCOMPARE(list(4)->currentIndex(), 0);
        QVERIFY(list(4)->isEnabled());
        QVERIFY(!list(1)->isHidden());
        QCOMPARE(w->Aanpassing, qint16(0));
        QCOMPARE(appState().AdviesAanpassing.K, 0.0f);
    }

    void anAdjustmentByHandWithTheDrainSurvivesASave()
    {
        // 2 has no entry of its own: it shows as automatic, and must not be stored as that position.
        QVERIFY(PutTeeltInstelling("Aanpassing", 2, InstellingMode::Number));
        QVERIFY(PutTeeltInstelling("BakGrootte", 1000, InstellingMode::Number));
        appState().AdviesAanpassing.K = 0.5f;
        frmTeelt* w = openFromMenu();
        QCOMPARE(list(4)->currentIndex(), 0);
        QVERIFY(!list(1)->isHidden());
        QCOMPARE(w->Aanpassing, qint16(2));
        press(0);
        QVERIFY(!window());
        QCOMPARE(stored("Aanpassing").toInt(), 2);
        QCOMPARE(appState().AdviesAanpassing.K, 0.5f);
    }

    void aStoredHistorySetIsShownReadOnly()
    {
        // Values the lists do not have, and a tank size the working set would refuse.
        dbT().execute("INSERT INTO TEELT_Instelling (ID_ALG_Tuinder, ID_HISTORIE, Code_Teelt, Code_Teeltstadium, "
                      "TeeltSysteem, ECVerhoging, Aanpassing, BakGrootte, Concentratie) "
                      "VALUES (?, 7, 1, 9, 6, 1, 2, 0, 150)",
                      {appState().ID_ALG_Tuinder});
        const QString before = settingRows();
        appState().ID_HISTORIE = 7;
        frmTeelt* w = openFromMenu();
        QVERIFY(!w->fraTeelt->isEnabled());
        QCOMPARE(box(2)->text(), QString("Tomaat"));
        QCOMPARE(box(1)->text(), QString("150"));
        QCOMPARE(list(2)->currentIndex(), -1);
        QCOMPARE(list(3)->currentIndex(), 1);
        QCOMPARE(list(1)->currentIndex(), 0);
        press(0);
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(settingRows(), before);

        // A stored set without a settings row gets none.
        m_program->closeChildWindows();
        appState().ID_HISTORIE = 8;
        w = openFromMenu();
        QCOMPARE(box(0)->text(), QString("0"));
        press(1);
        QVERIFY(!window());
        QCOMPARE(settingRows(), before);
    }

    void sizesOutsideTheirColumnsAreRefused()
    {
        openFromMenu();
        // A tank of 0 litres would leave every amount 0.
        press(0);
        QVERIFY(window());
        QCOMPARE(lastText(), rangeMessage(40100000, 1));
        for (const QString bad : {"40000", "-5"}) {
            MessageBox::clear();
            type(0, bad);
            press(0);
            QVERIFY(window());
            QCOMPARE(lastText(), rangeMessage(40100000, 1));
        }
        type(0, "32767");
        type(1, "32768");
        press(0);
        QCOMPARE(lastText(), rangeMessage(40100100, 0));
        type(1, "0");
        // A text that is no number is not stored as 0.
        box(8)->setText("12a");
        press(0);
        QCOMPARE(lastText(), rangeMessage(40100800, 0));
        QVERIFY(window());
        QCOMPARE(stored("BakGrootte").toInt(), 0);

        type(8, "2500");
        MessageBox::clear();
        press(0);
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(stored("BakGrootte").toInt(), 32767);
        QCOMPARE(stored("Concentratie").toInt(), 0);
        QCOMPARE(stored("Mixorabak").toInt(), 2500);
    }

    void productLineModeEditsTheBagSize()
    {
        const std::pair<const char*, int> settings[] = {{"MixoraMest", 1},
                                                        {"ZakGrootte", 25},
                                                        {"Concentratie", 150},
                                                        {"VerrekeningStandaardEC", 1},
                                                        {"BakGrootte", 1000}};
        for (const auto& [column, value] : settings)
            QVERIFY(PutTeeltInstelling(column, value, InstellingMode::Number));
        frmTeelt* w = openFromMenu();
        QCOMPARE(w->lblTeelt[1]->text(), GetLangStr(40100101));
        QCOMPARE(box(1)->text(), QString("25"));
        QVERIFY(!list(5)->isEnabled());
        QCOMPARE(list(5)->currentIndex(), 0);
        type(1, "0");
        press(0);
        QCOMPARE(lastText(), rangeMessage(40100101, 1));
        type(1, "40");
        press(0);
        QVERIFY(!window());
        QCOMPARE(stored("ZakGrootte").toInt(), 40);
        QCOMPARE(stored("Concentratie").toInt(), 150);
        QCOMPARE(stored("VerrekeningStandaardEC").toInt(), 0);
    }

    void aFailedSaveIsReportedAndTheWindowStays()
    {
        openFromMenu();
        type(0, "1000");
        dbT().execute("CREATE TRIGGER vast BEFORE UPDATE ON TEELT_Instelling BEGIN SELECT RAISE(ABORT, 'locked'); END");
        press(0);
        QVERIFY(window());
        QVERIFY(lastText().startsWith(GetLangStr(40900000) + "\n"));
        QCOMPARE(MessageBox::last().style & MsgBox::Critical, int(MsgBox::Critical));
        QCOMPARE(stored("BakGrootte").toInt(), 0);

        dbT().execute("DROP TRIGGER vast");
        press(0);
        QVERIFY(!window());
        QCOMPARE(stored("BakGrootte").toInt(), 1000);
    }

    void stopAsksBeforeDroppingTypedSizes()
    {
        openFromMenu();
        type(0, "1500");
        MessageBox::setNextAnswer(MsgBox::Yes);
        press(1);
        QCOMPARE(lastText(), GetLangStr(999000019));
        QVERIFY(!window());
        QCOMPARE(stored("BakGrootte").toInt(), 1500);
    }

    void closingFromTheFrameSwitchesEveryToolOn()
    {
        frmTeelt* w = openFromMenu();
        QVERIFY(!m_program->main()->tool("mnu2")->isEnabled());
        qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
        QCoreApplication::processEvents();
        QVERIFY(!window());
        for (const char* key : {"mnu2", "mnu4", "mnu5"})
            QVERIFY2(m_program->main()->tool(key)->isEnabled(), key);
        QVERIFY(MessageBox::shown().isEmpty());
    }
};

QTEST_MAIN(TestFrmTeelt)
#include "test_frmteelt.moc"
