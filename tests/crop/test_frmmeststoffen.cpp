// The fertiliser choice, driven as the user drives it: every search is
// answered in the real search window, the share typed into its dialog.
#include "appstate.h"
#include "frmmain.h"
#include "frmmeststoffen.h"
#include "frmmeststofpercent.h"
#include "programfixture.h"
#include "programsettings.h"
#include "searchwindow.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QToolButton>
#include <QtTest>

namespace {

using Aandeel = std::function<void(frmMeststofPercent*)>;

// Types the share into the percentage dialog and confirms it; getoond
// receives the share the dialog showed first.
Aandeel percentage(const QString& tekst, QString* getoond = nullptr)
{
    return [=](frmMeststofPercent* dialog) {
        if (getoond)
            *getoond = dialog->txtMeststofPercent->text();
        dialog->txtMeststofPercent->setText(tekst);
        dialog->cmdMeststofPercent->click();
    };
}

QVariant selectie(const QString& kolom)
{
    const RecordSet rs = appState().dbT->openRecordset(
        "SELECT " + kolom + " FROM MEST_Selectie WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = 0",
        {appState().ID_ALG_Tuinder});
    return rs.recordCount() == 1 ? rs.value(0) : QVariant();
}

int rijen(const QString& tabel)
{
    return appState().dbT->openRecordset("SELECT * FROM " + tabel).recordCount();
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

    // Clicks a row's choose button and answers its search with the fertiliser
    // of this code (0 cancels the search) and, when given, the share dialog
    // that follows it.
    static void kies(frmMeststoffen* w, int rij, int code, const Aandeel& aandeel = {})
    {
        TestSupport::answerSearch(code ? QString::number(code) : QString(), 0);
        bool gevraagd = false;
        QTimer timer; // the share dialog opens once the search has closed
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<frmMeststofPercent*>(QApplication::activeModalWidget());
            if (!dialog || gevraagd)
                return;
            gevraagd = true;
            aandeel(dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        if (aandeel)
            timer.start(5);
        knop(w, rij)->click();
        QVERIFY(!aandeel || gevraagd);
    }

    // The codes a row's search offers; none is chosen.
    static QSet<QString> aangeboden(frmMeststoffen* w, int rij)
    {
        TestSupport::SearchView gezien;
        TestSupport::answerSearch({}, 0, &gezien);
        knop(w, rij)->click();
        return QSet<QString>(gezien.cells.begin(), gezien.cells.end());
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
        QVERIFY(PutTeeltInstelling("BakGrootte", 1000, InstellingMode::Number)); // the crop step needs a tank
        // A search database left on the grower's by an earlier search: this one names its own.
        appState().ZoekDatabase = appState().TDatabaseNaam;
        frmMeststoffen* w = open();
        QVERIFY(!m_program->main()->tool("mnu2")->isEnabled());

        kies(w, 0, 12);
        QCOMPARE(label(w, 20), QString("Zwavelzure ammoniak"));
        QCOMPARE(label(w, 40), QString("NH4=15.1"));
        QCOMPARE(label(w, 60), QString("SO4=7.6"));
        QVERIFY(w->changed());

        press(w, 0); // to the micro page: the window stays
        QCOMPARE(window(), w);
        QCOMPARE(w->pagina(), qint16(1));
        QVERIFY(!w->lblMeststoffen[7]->isVisible() && !knop(w, 7)->isVisible());
        QCOMPARE(selectie("NH4_Code").toInt(), 12);
        kies(w, 0, 102);

        // On to the crop step and back: the micro page as it was stored.
        press(w, 0);
        QVERIFY(!window());
        StepDriver::press(qobject_cast<StepWindow*>(OpenStepWindow("frmTeelt")), 2);
        w = window();
        QVERIFY(w);
        QCOMPARE(w->pagina(), qint16(1));
        QCOMPARE(label(w, 20), QString("Fe-DTPA 6 %"));

        press(w, 2); // back to the macro page
        QCOMPARE(w->pagina(), qint16(0));
        QCOMPARE(label(w, 20), QString("Zwavelzure ammoniak"));
        QVERIFY(!w->changed());
        QCOMPARE(selectie("Fe_Code").toInt(), 102);
        QCOMPARE(rijen("HISTORIE_Mest"), 11 + 7);
        QCOMPARE(historieNaam(0), QString("Zwavelzure ammoniak"));
        QCOMPARE(historieNaam(100), QString("Fe-DTPA 6 %"));

        // Stop on a change asks once; No leaves the stored choice as it was.
        kies(w, 2, 1);
        MessageBox::clear();
        MessageBox::setNextAnswer(MsgBox::No);
        press(w, 1);
        QVERIFY(!window());
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
        QCOMPARE(selectie("Ca_Code").toInt(), 0);
        QVERIFY(m_program->main()->tool("mnu2")->isEnabled());
    }

    void afterASearchTheKeyboardIsBackOnItsButton()
    {
        using TestSupport::typeKey;
        frmMeststoffen* w = open();
        for (int tab = 0; tab < 40 && QApplication::focusWidget() != knop(w, 0); ++tab)
            typeKey(Qt::Key_Tab);
        // Enter opens the search; letters and Enter there choose.
        QTimer::singleShot(0, [w] {
            QWidget* search = QApplication::activeModalWidget();
            if (!search)
                return;
            // Some desktops have the step forget its focus while the search is up.
            knop(w, 0)->clearFocus();
            search->activateWindow(); // as a window manager does with a new window
            if (QTest::qWaitFor([search] { return search->isActiveWindow(); })) {
                TestSupport::typeText("zwavelzure");
                typeKey(Qt::Key_Return);
            }
            if (search->isVisible())
                search->close();
        });
        typeKey(Qt::Key_Return);
        QCOMPARE(label(w, 20), QString("Zwavelzure ammoniak"));
        QTRY_COMPARE(QApplication::focusWidget(), knop(w, 0));
        // A further Enter searches again; the wizard stays on the page.
        TestSupport::SearchView gezien;
        TestSupport::answerSearch({}, 0, &gezien);
        typeKey(Qt::Key_Return);
        QVERIFY(!gezien.title.isEmpty());
        QCOMPARE(w->pagina(), qint16(0));

        // Opened with the mouse while a wizard button has the keyboard: the
        // keyboard comes back to the clicked button, not to "<<".
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->cmdControl[2]->setFocus();
        TestSupport::answerSearch("1", 0);
        QTest::mouseClick(knop(w, 2), Qt::LeftButton);
        QCOMPARE(label(w, 22), QString("Kalksalpeter"));
        QTRY_COMPARE(QApplication::focusWidget(), knop(w, 2));
        gezien = {};
        TestSupport::answerSearch({}, 0, &gezien);
        typeKey(Qt::Key_Return);
        QVERIFY(!gezien.title.isEmpty());
        QCOMPARE(window(), w);
        QCOMPARE(w->pagina(), qint16(0));
    }

    void secondPhosphorusSourceTakesItsShare()
    {
        frmMeststoffen* w = open();
        QString getoond;
        kies(w, 8, 5, percentage("40", &getoond));
        QCOMPARE(getoond, QString("0.0"));
        QCOMPARE(label(w, 28), QString("40% Monoammoniumfosfaat (MAP)"));
        // The phosphate of the second source counts once in the composition.
        QCOMPARE(label(w, 48), QString("H2PO4=8.7"));
        QCOMPARE(label(w, 68), QString("NH4=8.7"));
        QCOMPARE(label(w, 88), QString());

        // A cancelled search still asks the share; closing that dialog changes nothing.
        kies(w, 8, 0, [&](frmMeststofPercent* dialog) {
            getoond = dialog->txtMeststofPercent->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(getoond, QString("40.0"));
        QCOMPARE(label(w, 28), QString("40% Monoammoniumfosfaat (MAP)"));

        press(w, 0);
        QCOMPARE(selectie("PBron_Code").toInt(), 5);
        QCOMPARE(selectie("PBron_Perc").toFloat(), 40.0f);
        QCOMPARE(historieNaam(8), QString("40% Monoammoniumfosfaat (MAP)"));

        // The second iron source asks its own share; clearing empties both.
        kies(w, 1, 101, percentage("12.5"));
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

        QCOMPARE(aangeboden(w, 0), QSet<QString>({"10", "11", "12"}));
        w->cboMeststoffen->setCurrentIndex(1);
        emit w->cboMeststoffen->activated(1);
        QCOMPARE(aangeboden(w, 0), QSet<QString>({"11", "12"})); // ammonium nitrate 10 is no product of the line

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

    void solidPotassiumFertiliserClearsTheNitrateRow()
    {
        frmMeststoffen* w = open();
        kies(w, 4, 7);
        QCOMPARE(label(w, 24), QString("Magnesiumnitraat"));
        kies(w, 1, 3); // potassium nitrate, a solid
        QCOMPARE(MessageBox::last().text, GetLangStr(999000026));
        QCOMPARE(label(w, 24), QString());
        QVERIFY(!knop(w, 4)->isEnabled());

        kies(w, 1, 22); // potash lye, a liquid
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
        for (auto [index, naam] : {std::pair{0, "Oud ammonium"}, {2, "Oud calcium"}})
            appState().dbT->execute("INSERT INTO HISTORIE_Mest (ID_ALG_Tuinder, ID_HISTORIE, \"Index\", Naam, Conc1) "
                                    "VALUES (?, 7, ?, ?, 'X=1.0')",
                                    {appState().ID_ALG_Tuinder, index, naam});
        const int selecties = rijen("MEST_Selectie"), instellingen = rijen("TEELT_Instelling"),
                  teksten = rijen("HISTORIE_Mest");
        appState().ID_HISTORIE = 7;

        frmMeststoffen* w = open();
        QCOMPARE(label(w, 20), QString("Oud ammonium"));
        QCOMPARE(label(w, 40), QString("X=1.0"));
        QCOMPARE(label(w, 21), QString()); // no row with Index 1: empty, not the next one
        QCOMPARE(label(w, 22), QString("Oud calcium"));
        QVERIFY(!w->fraMeststoffen->isEnabled());

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
        kies(w, 0, 12);
        press(w, 0);
        press(w, 2);
        appState().dbT->execute("CREATE TRIGGER vast BEFORE INSERT ON HISTORIE_Mest "
                                "BEGIN SELECT RAISE(ABORT, 'locked'); END");
        kies(w, 0, 10);
        MessageBox::clear();
        press(w, 0);
        QCOMPARE(window(), w);
        QCOMPARE(w->pagina(), qint16(0));
        QCOMPARE(appState().ElementType, qint16(0));
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000004) + "\n"));
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
