// The fertiliser preference list driven as the user drives it: fertilisers
// switched off are gone from the fertiliser choice's search, an empty list
// opened and closed changes nothing, and a failed save is told.
#include "appstate.h"
#include "defaultstate.h"
#include "frmmain.h"
#include "frmmestpref.h"
#include "frmmeststoffen.h"
#include "programfixture.h"
#include "searchwindow.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QListWidget>
#include <QSet>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr int kKalium = 1; // the potassium row of the fertiliser choice's macro page
const QString kKalisalpeter = "3", kKaliumsulfaat = "9", kKaliloog = "22";

} // namespace

class TestFrmMestPref : public QObject {
    Q_OBJECT

    QTemporaryDir m_registry;
    std::unique_ptr<ProgramFixture> m_program;

    frmMestPref* window() const { return qobject_cast<frmMestPref*>(OpenStepWindow("frmMestPref")); }

    // The potassium fertilisers the fertiliser choice offers: its search reads
    // the copy of the list in the reference database.
    QSet<QString> kaliumZoeken()
    {
        appState().ElementType = 0;
        auto* keuze = StepDriver::show<frmMeststoffen>("frmMeststoffen");
        TestSupport::SearchView gezien;
        TestSupport::answerSearch({}, 0, &gezien);
        keuze->cmdMeststoffen[kKalium]->click();
        m_program->closeChildWindows();
        return QSet<QString>(gezien.cells.begin(), gezien.cells.end());
    }

    frmMestPref* openFromMenu()
    {
        return qobject_cast<frmMestPref*>(m_program->openFromMenu("mnu8Sub5", "frmMestPref"));
    }

    QListWidgetItem* item(const QString& naam) const
    {
        const QList<QListWidgetItem*> items = window()->lstMestFref->findItems(naam, Qt::MatchExactly);
        return items.size() == 1 ? items.first() : nullptr;
    }

    // Ticks or unticks the entry with the keyboard.
    void toggle(const QString& naam)
    {
        QListWidget* lijst = window()->lstMestFref;
        lijst->setFocus();
        lijst->setCurrentItem(item(naam));
        QTest::keyClick(lijst, Qt::Key_Space);
    }

    QStringList uitgezet() const
    {
        QStringList namen;
        QListWidget* lijst = window()->lstMestFref;
        for (int row = 0; row < lijst->count(); ++row)
            if (lijst->item(row)->checkState() != Qt::Checked)
                namen << lijst->item(row)->text();
        return namen;
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
    }

    void cleanup() { m_program.reset(); }

    void anEmptyListOpenedAndClosedChangesNothing()
    {
        const QSet<QString> voorheen = kaliumZoeken();
        QVERIFY(voorheen.contains(kKalisalpeter));
        QVERIFY(voorheen.contains(kKaliumsulfaat));
        frmMestPref* w = openFromMenu();
        QVERIFY(!m_program->main()->tool("mnu2")->isEnabled());
        QVERIFY(!w->cmdControl[0]->isEnabled());
        QVERIFY(!w->cmdControl[2]->isEnabled());
        QCOMPARE(w->lstMestFref->count(), TestSupport::countOf(referenceDb(), "SELECT COUNT(*) FROM MEST"));
        QCOMPARE(uitgezet(), QStringList());

        StepDriver::press(w, 1);
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM MEST_PrefList"), 0);
        QCOMPARE(kaliumZoeken(), voorheen);
        QVERIFY(m_program->main()->tool("mnu2")->isEnabled());
    }

    void switchedOffFertilisersAreGoneFromTheFertiliserSearch()
    {
        openFromMenu();
        toggle("Kalisalpeter");
        toggle("Kaliumsulfaat");
        QCOMPARE(uitgezet(), (QStringList{"Kalisalpeter", "Kaliumsulfaat"}));
        // Closed by its frame it saves all the same, without a question.
        StepDriver::closeWindow(window());
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM MEST_PrefList"),
                 TestSupport::countOf(referenceDb(), "SELECT COUNT(*) FROM MEST"));
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM MEST_PrefList WHERE UseMeststof = 0"), 2);
        QCOMPARE(TestSupport::countOf(referenceDb(), "SELECT COUNT(*) FROM MEST_PrefList WHERE UseMeststof = 0"), 2);
        const QSet<QString> kalium = kaliumZoeken();
        QVERIFY(!kalium.isEmpty());
        QVERIFY(!kalium.contains(kKalisalpeter));
        QVERIFY(!kalium.contains(kKaliumsulfaat));

        frmMestPref* w = openFromMenu();
        QCOMPARE(uitgezet(), (QStringList{"Kalisalpeter", "Kaliumsulfaat"}));
        w->cmdMestPref[0]->click();
        QCOMPARE(uitgezet().size(), w->lstMestFref->count());
        w->cmdMestPref[1]->click();
        QCOMPARE(uitgezet(), QStringList());
        StepDriver::press(w, 1);
        QCOMPARE(TestSupport::countOf(referenceDb(), "SELECT COUNT(*) FROM MEST_PrefList WHERE UseMeststof = 0"), 0);
        QVERIFY(kaliumZoeken().contains(kKalisalpeter));
    }

    void workedWithTheKeyboardAlone()
    {
        using TestSupport::typeKey;
        frmMestPref* w = openFromMenu();
        QListWidget* lijst = w->lstMestFref;
        // The keyboard starts in the list: Space unticks the first fertiliser, Down and Space the next.
        QCOMPARE(QApplication::focusWidget(), lijst);
        typeKey(Qt::Key_Space);
        typeKey(Qt::Key_Down);
        typeKey(Qt::Key_Space);
        QCOMPARE(uitgezet(), (QStringList{lijst->item(0)->text(), lijst->item(1)->text()}));
        // Tab reaches "all on" and "all off"; Enter presses them.
        typeKey(Qt::Key_Tab);
        typeKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdMestPref[1]);
        typeKey(Qt::Key_Return);
        QCOMPARE(uitgezet(), QStringList());
        typeKey(Qt::Key_Backtab);
        typeKey(Qt::Key_Return);
        const int alle = lijst->count();
        QCOMPARE(uitgezet().size(), alle);
        // Esc is Stop, which saves the list without a question (and the window is gone).
        typeKey(Qt::Key_Escape);
        QTRY_VERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM MEST_PrefList WHERE UseMeststof = 0"), alle);
    }

    void aFertiliserWithoutARowIsShownAndSearchedOn()
    {
        // A fertiliser switched off, one switched on, the rest without a row.
        appState().dbT->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (3, 0), (9, -1)");
        QVERIFY(CopieMestPrefList());
        const QSet<QString> kalium = kaliumZoeken();
        QVERIFY(!kalium.contains(kKalisalpeter));
        QVERIFY(kalium.contains(kKaliumsulfaat) && kalium.contains(kKaliloog));
        openFromMenu();
        QCOMPARE(uitgezet(), QStringList{"Kalisalpeter"});
    }

    void aFailedSaveIsToldAndTheListStaysAsItWas()
    {
        appState().dbT->execute("CREATE TRIGGER vol BEFORE INSERT ON MEST_PrefList WHEN NEW.Code_MEST = 20 "
                                "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        frmMestPref* w = openFromMenu();
        toggle("Kalisalpeter");
        StepDriver::press(w, 1);
        QVERIFY(window());
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(850900000) + "\n"));
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM MEST_PrefList"), 0);

        // Stored, but the searches' copy could not follow: said so, and the window goes.
        appState().dbT->execute("DROP TRIGGER vol");
        appState().dbH->execute(
            "CREATE TRIGGER vol BEFORE INSERT ON MEST_PrefList BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        StepDriver::press(w, 1);
        QVERIFY(!window());
        QCOMPARE(MessageBox::last().text, GetLangStr(850900100));
        QCOMPARE(TestSupport::countOf(growerDb(), "SELECT COUNT(*) FROM MEST_PrefList WHERE UseMeststof = 0"), 1);
        QCOMPARE(TestSupport::countOf(referenceDb(), "SELECT COUNT(*) FROM MEST_PrefList"), 0);
    }
};

QTEST_MAIN(TestFrmMestPref)
#include "test_frmmestpref.moc"
