// The crop step driven as the user drives it: the crop searches, the stage and
// the lists, the own crop's copy in the reference data, the sizes and their
// ranges, a stored history set, and the menu after closing.
#include "appstate.h"
#include "frmmain.h"
#include "frmteelt.h"
#include "programfixture.h"
#include "searchwindow.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
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
    QString rows;
    for (int row = 0; row < rs.recordCount(); ++row) {
        rs.move(row);
        for (int f = 0; f < rs.fieldCount(); ++f)
            rows += rs.value(f).toString() + (f + 1 < rs.fieldCount() ? ',' : '\n');
    }
    return rows;
}

using StepDriver::lastText;

} // namespace

class TestFrmTeelt : public QObject {
    Q_OBJECT

    QTemporaryDir m_registry;
    std::unique_ptr<ProgramFixture> m_program;

    frmTeelt* window() const { return qobject_cast<frmTeelt*>(OpenStepWindow("frmTeelt")); }

    frmTeelt* openFromMenu() { return qobject_cast<frmTeelt*>(m_program->openFromMenu("mnu4", "frmTeelt")); }

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

    QString rangeMessage(qint32 label, int lowest, const QString& noNumber = {}) const
    {
        const QString range = GetLangStr(999000086).arg(QString::number(lowest), "32,767");
        return GetLangStr(label) + ": " +
               (noNumber.isEmpty() ? range : GetLangStr(999000087).arg(noNumber) + " " + range);
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

    // The grower's own crop first, copied into the reference data; then a standard crop with its stage and lists.
    void chosenCropsAndStageAreStoredAndShownAgain()
    {
        dbT().execute("INSERT INTO TEELT (Code, Lang0, Lang1) VALUES (12, 'Eigen tomaat', 'Own tomato')");
        dbT().execute(
            "INSERT INTO TEELT_StdVOplossing (Code_Teelt, NH4, K, Ca, NO3, EC) VALUES (12, 1.5, 7, 4, 14, 2.1)");
        appState().AdviesAanpassing.K = 0.5f;
        frmTeelt* w = openFromMenu();
        QCOMPARE(stored("BakGrootte"), QVariant(0)); // a new grower's row, made on first reading
        type(0, "1000");
        type(1, "200");
        QCOMPARE(box(0)->text(), QString("1,000"));
        TestSupport::SearchView beeld;
        chooseCrop(1, "Eigen tomaat", &beeld);
        QCOMPARE(beeld.cells, QStringList{"Eigen tomaat"}); // the grower's crops only
        QCOMPARE(w->Code_Teelt, qint16(1012));
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
        QVERIFY(OpenStepWindow("frmWater"));
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

        // A search database left on the grower's by an earlier search: this one names its own.
        appState().ZoekDatabase = appState().TDatabaseNaam;
        chooseCrop(0, "Tomaat", &beeld);
        QCOMPARE(beeld.cells.size(), 15);
        QCOMPARE(w->Code_Teelt, qint16(1));
        // A standard crop is adjusted automatically again.
        QCOMPARE(list(4)->currentIndex(), 0);
        QVERIFY(list(4)->isEnabled() && !list(1)->isHidden());
        QCOMPARE(w->Aanpassing, qint16(0));
        QCOMPARE(appState().AdviesAanpassing.K, 0.0f);
        QCOMPARE(list(1)->count(), 4);
        QCOMPARE(box(3)->text(), GetLangStr(40300100));
        list(1)->setCurrentIndex(list(1)->findData(2));
        QCOMPARE(box(3)->text(), QString("Productie"));
        list(2)->setCurrentIndex(3);
        list(3)->setCurrentIndex(2);
        QCOMPARE(box(5)->text(), GetLangStr(40300304));
        press(0);
        QVERIFY(!window());
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
        openFromMenu();
        QCOMPARE(box(0)->text(), QString("0"));
        press(1);
        QVERIFY(!window());
        QCOMPARE(settingRows(), before);
    }

    // Forward stores only sizes within their columns, and keeps what was typed when the store fails.
    void sizesOutsideTheirColumnsAndAFailedSaveAreReported()
    {
        openFromMenu();
        press(0); // a tank of 0 litres would leave every amount 0
        QVERIFY(window());
        QCOMPARE(lastText(), rangeMessage(40100000, 1));
        type(0, "40000");
        press(0);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(lastText(), rangeMessage(40100000, 1));
        type(0, "7,5"); // a comma where the decimal sign is a point
        press(0);
        QCOMPARE(lastText(), rangeMessage(40100000, 1, "7,5"));
        type(0, "32767");
        type(1, "32768");
        press(0);
        QCOMPARE(lastText(), rangeMessage(40100100, 0));
        type(1, "0");
        box(8)->setText("12a"); // a text that is no number is not stored as 0
        press(0);
        QCOMPARE(lastText(), rangeMessage(40100800, 0, "12a"));
        type(8, "2500");

        dbT().execute("CREATE TRIGGER vast BEFORE UPDATE ON TEELT_Instelling BEGIN SELECT RAISE(ABORT, 'locked'); END");
        press(0);
        QVERIFY(window());
        QVERIFY(lastText().startsWith(GetLangStr(40900000) + "\n"));
        QCOMPARE(stored("BakGrootte").toInt(), 0);
        dbT().execute("DROP TRIGGER vast");
        MessageBox::clear();
        press(0);
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(stored("BakGrootte").toInt(), 32767);
        QCOMPARE(stored("Concentratie").toInt(), 0);
        QCOMPARE(stored("Mixorabak").toInt(), 2500);
    }

    // Back, and stop without saving, never hold a new grower who has no tank yet:
    // a size that cannot be stored stays as it was, the grower is told, the step closes.
    void backAndStopLeaveTheStepWithASizeThatCannotBeStored()
    {
        openFromMenu();
        list(2)->setCurrentIndex(3);
        type(1, "150");
        press(2);
        QVERIFY(!window());
        QVERIFY(OpenStepWindow("frmMeststoffen"));
        QCOMPARE(lastText(), rangeMessage(40100000, 1));
        QCOMPARE(stored("BakGrootte").toInt(), 0);
        QCOMPARE(stored("TeeltSysteem").toInt(), 3);
        QCOMPARE(stored("Concentratie").toInt(), 150);

        m_program->closeChildWindows();
        openFromMenu();
        type(0, "7,5");
        type(1, "200");
        MessageBox::setNextAnswer(MsgBox::No);
        press(1);
        QVERIFY(!window());
        QCOMPARE(lastText(), GetLangStr(999000019));
        QCOMPARE(stored("Concentratie").toInt(), 150);
    }

    // An adjustment by hand with the drain (2) has no list entry of its own: shown as automatic, stored as it was.
    void productLineModeEditsTheBagSizeAndKeepsAnAdjustmentByHand()
    {
        const std::pair<const char*, int> settings[] = {{"MixoraMest", 1},     {"ZakGrootte", 25},
                                                        {"Concentratie", 150}, {"VerrekeningStandaardEC", 1},
                                                        {"BakGrootte", 1000},  {"Aanpassing", 2}};
        for (const auto& [column, value] : settings)
            QVERIFY(PutTeeltInstelling(column, value, InstellingMode::Number));
        appState().AdviesAanpassing.K = 0.5f;
        frmTeelt* w = openFromMenu();
        QCOMPARE(box(1)->text(), QString("25"));
        QVERIFY(!list(5)->isEnabled());
        QCOMPARE(list(4)->currentIndex(), 0);
        QVERIFY(!list(1)->isHidden());
        QCOMPARE(w->Aanpassing, qint16(2));
        type(1, "0");
        press(0);
        QCOMPARE(lastText(), rangeMessage(40100101, 1));
        type(1, "40");
        press(0);
        QVERIFY(!window());
        QCOMPARE(stored("ZakGrootte").toInt(), 40);
        QCOMPARE(stored("Concentratie").toInt(), 150);
        QCOMPARE(stored("VerrekeningStandaardEC").toInt(), 0);
        QCOMPARE(stored("Aanpassing").toInt(), 2);
        QCOMPARE(appState().AdviesAanpassing.K, 0.5f);
    }

    // Closing from the frame asks about what was typed, and leaves every tool on.
    void eachListOpensUnderItsOwnBox()
    {
        openFromMenu();
        for (int index = 0; index <= 5; ++index) {
            QComboBox* button = list(index);
            if (!button->isVisible())
                continue;
            button->showPopup();
            const QRect opened = button->view()->window()->geometry();
            const QPoint under = box(index + 2)->mapToGlobal(QPoint(0, 0));
            QCOMPARE(opened.left(), under.x());
            QVERIFY(opened.right() >= button->mapToGlobal(QPoint(button->width() - 1, 0)).x());
            button->hidePopup();
        }
    }

    void closingFromTheFrameAsksAndSwitchesEveryToolOn()
    {
        frmTeelt* w = openFromMenu();
        QVERIFY(!m_program->main()->tool("mnu2")->isEnabled());
        type(0, "1500");
        MessageBox::setNextAnswer(MsgBox::Yes);
        StepDriver::closeWindow(w);
        QCOMPARE(lastText(), GetLangStr(999000019));
        QVERIFY(!window());
        QCOMPARE(stored("BakGrootte").toInt(), 1500);
        for (const char* key : {"mnu2", "mnu4", "mnu5"})
            QVERIFY2(m_program->main()->tool(key)->isEnabled(), key);
    }
};

QTEST_MAIN(TestFrmTeelt)
#include "test_frmteelt.moc"
