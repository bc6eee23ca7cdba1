// The fertiliser choice, driven as the user drives it: every search is
// answered in the real search window, the share typed into its dialog.
#include "appstate.h"
#include "com/createobject.h"
#include "frmmain.h"
#include "frmmeststoffen.h"
#include "frmmeststofpercent.h"
#include "programfixture.h"
#include "programsettings.h"
#include "registry/registry.h"
#include "searchwindow.h"
#include "stepdriver.h"
#include "stepwindow.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <deque>

namespace {

using Antwoord = std::function<void(QWidget*)>;

// Answers the modal windows that open, one answer each, in turn. A window an
// answer leaves open is closed, so a failed check never waits on a human.
class Modaal {
public:
    explicit Modaal(std::initializer_list<Antwoord> antwoorden) : m_antwoorden(antwoorden)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w == m_vorige || m_antwoorden.empty())
                return;
            m_vorige = w;
            const Antwoord antwoord = m_antwoorden.front();
            m_antwoorden.pop_front();
            antwoord(w);
            if (w->isVisible())
                w->close();
        });
        m_timer.start(5);
    }
    bool allesBeantwoord() const { return m_antwoorden.empty(); }

private:
    std::deque<Antwoord> m_antwoorden;
    QPointer<QWidget> m_vorige;
    QTimer m_timer;
};

QTableView* grid(QWidget* search)
{
    return search->findChild<QTableView*>("tdbTabel");
}

// Chooses the fertiliser with this code in the search window.
Antwoord kies(int code, QString* caption = nullptr)
{
    return [=](QWidget* w) {
        if (caption)
            *caption = w->windowTitle();
        QTableView* g = grid(w);
        QVERIFY(g);
        for (int row = 0; row < g->model()->rowCount(); ++row)
            if (g->model()->index(row, 0).data().toInt() == code) {
                g->setCurrentIndex(g->model()->index(row, 1));
                QTest::keyClick(w, Qt::Key_Return);
                return;
            }
        QFAIL(qPrintable(QString("fertiliser %1 is not offered").arg(code)));
    };
}

// Notes the codes the search offers and chooses none.
Antwoord aangeboden(QSet<int>& codes)
{
    return [&codes](QWidget* w) {
        QTableView* g = grid(w);
        QVERIFY(g);
        for (int row = 0; row < g->model()->rowCount(); ++row)
            codes << g->model()->index(row, 0).data().toInt();
        QTest::keyClick(w, Qt::Key_Escape);
    };
}

const Antwoord annuleer = [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); };

// Types the share into the percentage dialog and confirms it.
Antwoord percentage(const QString& tekst, QString* getoond = nullptr)
{
    return [=](QWidget* w) {
        auto* dialog = qobject_cast<frmMeststofPercent*>(w);
        QVERIFY(dialog);
        if (getoond)
            *getoond = dialog->txtMeststofPercent->text();
        dialog->txtMeststofPercent->setText(tekst);
        dialog->cmdMeststofPercent->click();
    };
}

QVariant selectie(const QString& kolom, qint32 set = 0)
{
    const RecordSet rs = appState().dbT->openRecordset(
        "SELECT " + kolom + " FROM MEST_Selectie WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
        {appState().ID_ALG_Tuinder, set});
    return rs.recordCount() == 1 ? rs.value(0) : QVariant();
}

int rijen(const QString& tabel, const QString& waar = "1 = 1")
{
    return appState().dbT->openRecordset("SELECT * FROM " + tabel + " WHERE " + waar).recordCount();
}

QString historieNaam(int index)
{
    const RecordSet rs = appState().dbT->openRecordset(
        "SELECT Naam FROM HISTORIE_Mest WHERE ID_HISTORIE = 0 AND \"Index\" = ?", {index});
    return rs.recordCount() == 1 ? rs.value(0).toString() : QString("<none>");
}

} // namespace

class TestFrmMeststoffen : public QObject {
    Q_OBJECT

    QTemporaryDir m_registry;
    std::unique_ptr<ProgramFixture> m_program;

    frmMeststoffen* open(qint16 pagina = 0)
    {
        appState().ElementType = pagina;
        return StepDriver::show<frmMeststoffen>("frmMeststoffen");
    }
    static frmMeststoffen* window() { return qobject_cast<frmMeststoffen*>(OpenStepWindow("frmMeststoffen")); }
    static QString label(frmMeststoffen* w, int index) { return w->lblMeststoffen[index]->text(); }
    static QToolButton* knop(frmMeststoffen* w, int index) { return w->cmdMeststoffen[index]; }
    static void press(frmMeststoffen* w, int index) { StepDriver::press(w, index); }
    // Clicks a row's choose button with the modal windows answered in turn.
    static void kiesRij(frmMeststoffen* w, int rij, std::initializer_list<Antwoord> antwoorden)
    {
        Modaal modaal(antwoorden);
        knop(w, rij)->click();
        QVERIFY(modaal.allesBeantwoord());
    }

private slots:
    void initTestCase()
    {
        RegisterStepWindows();
        QVERIFY(TestSupport::registerSearchLibrary(m_registry.path()));
    }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        QVERIFY(m_program->showMain());
        ProgramSettings::setMixoraWaardig(false);
    }

    void cleanup() { m_program.reset(); }

    void choicesOnBothPagesAreStoredAndShownAgain()
    {
        // A search database left on the grower's by an earlier search: this one names its own.
        appState().ZoekDatabase = appState().TDatabaseNaam;
        frmMeststoffen* w = open();
        QCOMPARE(w->windowTitle(), GetLangStr(30000000));
        QCOMPARE(label(w, 0), GetLangStr(30100000));
        QVERIFY(m_program->main()->tool("mnu3")->isEnabled());
        QVERIFY(!m_program->main()->tool("mnu2")->isEnabled());

        QString caption;
        kiesRij(w, 0, {kies(12, &caption)});
        QCOMPARE(caption, GetLangStr(32000100));
        QCOMPARE(label(w, 20), QString("Zwavelzure ammoniak"));
        QCOMPARE(label(w, 40), QString("NH4=15.1"));
        QCOMPARE(label(w, 60), QString("SO4=7.6"));
        QVERIFY(w->changed());

        press(w, 0); // to the micro page: the window stays
        QCOMPARE(window(), w);
        QCOMPARE(w->pagina(), qint16(1));
        QCOMPARE(label(w, 0), GetLangStr(30100001));
        QVERIFY(!w->lblMeststoffen[7]->isVisible() && !knop(w, 7)->isVisible());
        QCOMPARE(selectie("NH4_Code").toInt(), 12);

        kiesRij(w, 0, {kies(102)});
        QCOMPARE(label(w, 20), QString("Fe-DTPA 6 %"));
        press(w, 2); // back to the macro page, stored as it is left
        QCOMPARE(w->pagina(), qint16(0));
        QCOMPARE(label(w, 20), QString("Zwavelzure ammoniak"));
        QVERIFY(!w->changed());
        QCOMPARE(selectie("Fe_Code").toInt(), 102);
        QCOMPARE(selectie("NH4_Code").toInt(), 12);
        QCOMPARE(rijen("HISTORIE_Mest"), 11 + 7);
        QCOMPARE(historieNaam(0), QString("Zwavelzure ammoniak"));
        QCOMPARE(historieNaam(100), QString("Fe-DTPA 6 %"));

        // Stop on a change asks once; No leaves the stored choice as it was.
        kiesRij(w, 2, {kies(1)});
        MessageBox::clear();
        MessageBox::setNextAnswer(MsgBox::No);
        press(w, 1);
        QVERIFY(!window());
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
        QCOMPARE(selectie("Ca_Code").toInt(), 0);
        QVERIFY(m_program->main()->tool("mnu2")->isEnabled());
    }

    void wizardGoesOnToTheCropStepAndBackToTheMicroPage()
    {
        QVERIFY(PutTeeltInstelling("BakGrootte", 1000, InstellingMode::Number)); // the crop step needs a tank
        frmMeststoffen* w = open();
        press(w, 0);
        press(w, 0);
        QVERIFY(!window());
        auto* teelt = qobject_cast<StepWindow*>(OpenStepWindow("frmTeelt"));
        QVERIFY(teelt);
        teelt->cmdControl[2]->click();
        QCoreApplication::processEvents();
        QVERIFY(window());
        QCOMPARE(window()->pagina(), qint16(1));
        QCOMPARE(label(window(), 0), GetLangStr(30100001));
    }

    void secondPhosphorusSourceTakesItsShare()
    {
        frmMeststoffen* w = open();
        QString getoond;
        kiesRij(w, 8, {kies(5), [&](QWidget* d) {
                           auto* dialog = qobject_cast<frmMeststofPercent*>(d);
                           QVERIFY(dialog);
                           QCOMPARE(dialog->windowTitle(), GetLangStr(32100800));
                           QCOMPARE(dialog->txtMeststofPercent->text(), QString("0.0"));
                           for (const QString fout : {"120", "-5", "veertig"}) {
                               MessageBox::clear();
                               dialog->txtMeststofPercent->setText(fout);
                               dialog->cmdMeststofPercent->click();
                               QVERIFY2(dialog->isVisible(), qPrintable(fout));
                               QCOMPARE(MessageBox::last().text, GetLangStr(32100803));
                           }
                           percentage("40")(d);
                       }});
        QCOMPARE(label(w, 28), QString("40% Monoammoniumfosfaat (MAP)"));
        // The phosphate of the second source counts once in the composition.
        QCOMPARE(label(w, 48), QString("H2PO4=8.7"));
        QCOMPARE(label(w, 68), QString("NH4=8.7"));
        QCOMPARE(label(w, 88), QString());

        // A cancelled search still asks the share; closing that dialog changes nothing.
        kiesRij(w, 8, {annuleer, [&](QWidget* d) {
                           getoond = qobject_cast<frmMeststofPercent*>(d)->txtMeststofPercent->text();
                           QTest::keyClick(d, Qt::Key_Escape);
                       }});
        QCOMPARE(getoond, QString("40.0"));
        QCOMPARE(label(w, 28), QString("40% Monoammoniumfosfaat (MAP)"));

        press(w, 0);
        QCOMPARE(selectie("PBron_Code").toInt(), 5);
        QCOMPARE(selectie("PBron_Perc").toFloat(), 40.0f);
        QCOMPARE(historieNaam(8), QString("40% Monoammoniumfosfaat (MAP)"));

        // The second iron source asks its own share; clearing empties both.
        kiesRij(w, 1, {kies(101), percentage("12.5")});
        QCOMPARE(label(w, 21), QString("12.5% Fe-DTPA 3 % vloeibaar"));
        press(w, 2);
        press(w, 0);
        QVERIFY(!w->changed());
        knop(w, 21)->click();
        QCOMPARE(label(w, 21), QString());
        QVERIFY(w->changed()); // stop would ask before the clearing is lost
        press(w, 2);
        QCOMPARE(selectie("FeBron_Code").toInt(), 0);
        QCOMPARE(selectie("FeBron_Perc").toFloat(), 0.0f);
    }

    void productLineFilterNarrowsTheSearch()
    {
        frmMeststoffen* w = open();
        QVERIFY(!w->cboMeststoffen->isEnabled());
        QTest::keyClick(knop(w, 0), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(ProgramSettings::mixoraWaardig());
        QVERIFY(w->cboMeststoffen->isEnabled());

        QSet<int> alle, productlijn;
        kiesRij(w, 0, {aangeboden(alle)});
        QCOMPARE(alle, QSet<int>({10, 11, 12}));
        w->cboMeststoffen->setCurrentIndex(1);
        emit w->cboMeststoffen->activated(1);
        QCOMPARE(w->txtMeststoffen->text(), GetLangStr(30300001));
        kiesRij(w, 0, {aangeboden(productlijn)});
        QCOMPARE(productlijn, QSet<int>({11, 12})); // ammonium nitrate 10 is no product of the line

        press(w, 0);
        QCOMPARE(NzValue(GetTeeltInstelling("MixoraMest", InstellingMode::Number)).toInt(), 1);
        QVERIFY(!w->cboMeststoffen->isEnabled()); // only the macro page filters
        press(w, 1);

        // A stored fertiliser outside the line is not shown and so not kept.
        appState().dbT->execute("UPDATE MEST_Selectie SET NH4_Code = 10, Ca_Code = 1");
        w = open();
        QCOMPARE(w->cboMeststoffen->currentIndex(), 1);
        QCOMPARE(label(w, 20), QString());
        QCOMPARE(label(w, 22), QString("Kalksalpeter"));
        press(w, 0);
        QCOMPARE(selectie("NH4_Code").toInt(), 0);
        QCOMPARE(selectie("Ca_Code").toInt(), 1);
    }

    void preferenceListLeavesOutOnlyWhatItSwitchesOff()
    {
        appState().dbT->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (12, 0), (11, -1)");
        QVERIFY(CopieMestPrefList());
        frmMeststoffen* w = open();
        QSet<int> codes;
        kiesRij(w, 0, {aangeboden(codes)});
        QCOMPARE(codes, QSet<int>({10, 11})); // 10 has no row in the list: it is on
    }

    void solidPotassiumFertiliserClearsTheNitrateRow()
    {
        frmMeststoffen* w = open();
        kiesRij(w, 4, {kies(7)});
        QCOMPARE(label(w, 24), QString("Magnesiumnitraat"));
        kiesRij(w, 1, {kies(3)}); // potassium nitrate, a solid
        QCOMPARE(MessageBox::last().text, GetLangStr(999000026));
        QCOMPARE(MessageBox::last().style & MsgBox::Information, int(MsgBox::Information));
        QCOMPARE(label(w, 24), QString());
        QVERIFY(!knop(w, 4)->isEnabled());

        kiesRij(w, 1, {kies(22)}); // potash lye, a liquid
        QVERIFY(knop(w, 4)->isEnabled());
        knop(w, 21)->click(); // clearing potassium leaves the nitrate button as it is
        QVERIFY(knop(w, 4)->isEnabled());
        press(w, 1);

        // Loading applies the rule without a word, and still shows the stored nitrate.
        appState().dbT->execute("UPDATE MEST_Selectie SET K_Code = 3, NO3_Code = 7");
        MessageBox::clear();
        w = open();
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(!knop(w, 4)->isEnabled());
        QCOMPARE(label(w, 24), QString("Magnesiumnitraat"));
        press(w, 0);
        QVERIFY(knop(w, 4)->isEnabled()); // on the micro page it is boron's button
    }

    void storedHistorySetIsShownAsSavedAndNotWritten()
    {
        const qint32 grower = appState().ID_ALG_Tuinder;
        for (auto [index, naam] : {std::pair{0, "Oud ammonium"}, {2, "Oud calcium"}})
            appState().dbT->execute("INSERT INTO HISTORIE_Mest (ID_ALG_Tuinder, ID_HISTORIE, \"Index\", Naam, Conc1) "
                                    "VALUES (?, 7, ?, ?, 'X=1.0')",
                                    {grower, index, naam});
        const int selecties = rijen("MEST_Selectie"), instellingen = rijen("TEELT_Instelling"),
                  teksten = rijen("HISTORIE_Mest");
        appState().ID_HISTORIE = 7;

        frmMeststoffen* w = open();
        QCOMPARE(label(w, 20), QString("Oud ammonium"));
        QCOMPARE(label(w, 40), QString("X=1.0"));
        QCOMPARE(label(w, 21), QString()); // no row with Index 1: empty, not the next one
        QCOMPARE(label(w, 22), QString("Oud calcium"));
        QVERIFY(!w->fraMeststoffen->isEnabled());
        QVERIFY(w->cmdControl[0]->isEnabled());

        press(w, 0);
        QCOMPARE(w->pagina(), qint16(1));
        for (int r = 0; r < 7; ++r)
            QCOMPARE(label(w, 20 + r), QString()); // the set has no micro rows
        press(w, 2);
        press(w, 1);
        QVERIFY(!window());
        QCOMPARE(rijen("MEST_Selectie"), selecties);
        QCOMPARE(rijen("TEELT_Instelling"), instellingen);
        QCOMPARE(rijen("HISTORIE_Mest"), teksten);
    }

    void aFailedSaveKeepsTheOldChoiceAndTheWindow()
    {
        frmMeststoffen* w = open();
        kiesRij(w, 0, {kies(12)});
        press(w, 0);
        press(w, 2);
        appState().dbT->execute("CREATE TRIGGER vast BEFORE INSERT ON HISTORIE_Mest "
                                "BEGIN SELECT RAISE(ABORT, 'locked'); END");
        kiesRij(w, 0, {kies(10)});
        MessageBox::clear();
        press(w, 0);
        QCOMPARE(window(), w);
        QCOMPARE(w->pagina(), qint16(0));
        QCOMPARE(appState().ElementType, qint16(0));
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000004) + "\n"));
        QCOMPARE(MessageBox::last().style & MsgBox::Critical, int(MsgBox::Critical));
        QVERIFY(w->changed());
        // Nothing half done: the choice and the texts of the page are as before.
        QCOMPARE(selectie("NH4_Code").toInt(), 12);
        QCOMPARE(historieNaam(0), QString("Zwavelzure ammoniak"));

        appState().dbT->execute("DROP TRIGGER vast");
        press(w, 0);
        QCOMPARE(w->pagina(), qint16(1));
        QCOMPARE(selectie("NH4_Code").toInt(), 10);
    }
};

QTEST_MAIN(TestFrmMeststoffen)
#include "test_frmmeststoffen.moc"
