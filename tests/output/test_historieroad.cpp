// One piece of work from start to end as a user does it on the default
// databases: every step forward from the grower data to the mail and print
// step, the set saved to history, opened again read-only, the working set
// taken back and the set deleted. Also the mail and print step's own rules.
#include "appstate.h"
#include "bedrijfgegevens.h"
#include "defaultstate.h"
#include "frmhistorie.h"
#include "frmmailprint.h"
#include "frmmain.h"
#include "frmprintpreview.h"
#include "historie.h"
#include "programfixture.h"
#include "programsettings.h"
#include "smtpserver.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolBar>

using namespace StepDriver;

namespace {

constexpr qint32 OmschrijvingLeeg = 999000022;
constexpr qint32 HistorieBewaard = 999000023;
constexpr qint32 HistorieNietBewaard = 72900100;
constexpr qint32 AanpassingNietBewaard = 72900200;

// Every row of the grower database, table by table, to see that nothing was written.
QStringList alleRijen()
{
    QStringList rijen;
    Database& db = growerDb();
    for (const QString& tabel : db.tableNames()) {
        RecordSet rs = db.openRecordset("SELECT * FROM " + Database::quoteName(tabel) + " ORDER BY rowid");
        for (int i = 0; i < rs.recordCount(); ++i) {
            rs.move(i);
            QStringList velden{tabel};
            for (int k = 0; k < rs.fieldCount(); ++k)
                velden << rs.value(k).toString();
            rijen << velden.join('|');
        }
    }
    return rijen;
}

QStringList regels(const frmMailPrint* w)
{
    QStringList r;
    for (const clsPrintMeststofMeststof& p : w->printRegels().PrintMeststof)
        r << QString("%1 %2 %3 %4 %5").arg(p.Nr).arg(p.Bak).arg(p.Naam, p.Hoeveelheid, p.Eenheid);
    return r;
}

// Forward from the grower data until the mail and print step; the names of the steps passed.
QStringList rijDeWeg()
{
    QStringList stappen;
    auto* w = show<StepWindow>("frmBedrijfGeg");
    // A new grower types his own data first.
    if (w && box(w, "txtBedrijfGeg", 0)->text().isEmpty()) {
        for (auto [i, tekst] : {std::pair{0, "K-1042"},
                                {1, "Kwekerij 't Hof"},
                                {2, "Naaldwijkseweg 12"},
                                {3, "2691 RC"},
                                {4, "'s-Gravenzande"}})
            type(box(w, "txtBedrijfGeg", i), tekst);
        w->findChild<QComboBox*>("cboBedrijfGeg_5")->setCurrentIndex(11); // NL
    }
    for (int i = 0; w && i < 12 && !qobject_cast<frmMailPrint*>(w); ++i) {
        stappen << w->metaObject()->className();
        press(w, 0);
        auto* actief = qobject_cast<QMdiSubWindow*>(MainWindow()->findChild<QMdiArea*>()->activeSubWindow());
        w = actief ? qobject_cast<StepWindow*>(actief->widget()) : nullptr;
    }
    if (w)
        stappen << w->metaObject()->className();
    return stappen;
}

bool toonde(qint32 id)
{
    for (const MessageBox::Shown& m : MessageBox::shown())
        if (m.text.startsWith(GetLangStr(id)))
            return true;
    return false;
}

// Prints from the step; the preview is closed as the user closes it.
bool drukAf(frmMailPrint* w)
{
    bool getoond = false;
    QTimer::singleShot(0, [&] {
        if (auto* preview = qobject_cast<frmPrintPreview*>(QApplication::activeModalWidget())) {
            getoond = true;
            preview->findChild<QAction*>("actClose")->trigger();
        }
    });
    w->cmdMP[200]->click();
    // The main window takes the keyboard back from the closed preview.
    MainWindow()->activateWindow();
    return QTest::qWaitForWindowActive(MainWindow()) && getoond;
}

// Through the menu's popup tool, as the user opens it.
frmHistorie* historieVenster()
{
    qobject_cast<frmMain*>(MainWindow())->barMain_Click("mnu8Sub1");
    QCoreApplication::processEvents();
    return qobject_cast<frmHistorie*>(OpenStepWindow("frmHistorie"));
}

// One of its buttons, its question answered Yes.
void historieKnop(int knop)
{
    MessageBox::setNextAnswer(MsgBox::Yes);
    historieVenster()->cmdHist[knop]->click();
    QCoreApplication::processEvents();
}

// Product-line mode to the test dealer, with a delivery address.
void naarTestHandelaar(qint16 mailType)
{
    AppState& s = appState();
    ProgramSettings::setMixoraWaardig(true);
    ProgramSettings::setMailType(mailType);
    s.GeenBestelling = 1;
    insertRow("ALG_Afleveradres", {{"Code_Afleveradres", 1},
                                   {"AfleverAdres", "Achterkas"},
                                   {"Adres", "Kasweg 3"},
                                   {"Postcode", "2691 AB"},
                                   {"Woonplaats", "Monster"},
                                   {"Land", "NL"}});
    growerDb().execute("UPDATE ALG_Tuinder SET ID_ALG_Afleveradres = ? WHERE ID = ?",
                       {growerDb().lastInsertRowId(), s.ID_ALG_Tuinder});
}

const QStringList kWeg{"frmBedrijfGeg", "frmMeststoffen", "frmMeststoffen", "frmTeelt",
                       "frmWater",      "frmAdvies",      "frmSamenstel",   "frmMailPrint"};

} // namespace

class TestHistorieRoad : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

    // What a new user has chosen before the road: tomato on rain water with a
    // fertiliser for every element; then forward to the mail and print step.
    frmMailPrint* weg()
    {
        if (!TestSupport::chooseTomatoExample())
            return nullptr;
        const QStringList stappen = rijDeWeg();
        if (stappen != kWeg)
            qWarning() << stappen << lastText();
        return qobject_cast<frmMailPrint*>(OpenStepWindow("frmMailPrint"));
    }

    // Forward to the step with an order typed in, mailed over SMTP to
    // server from the grower's address kas@example.com: to the test dealer
    // or to the grower's own.
    frmMailPrint* getypteBestelling(const ScriptedSmtpServer& server, bool testHandelaar)
    {
        naarTestHandelaar(0);
        appState().GeenBestelling = testHandelaar ? 1 : 0;
        ProgramSettings::setSmtpServerName(server.address());
        growerDb().execute("UPDATE ALG_Tuinder SET Email = 'kas@example.com' WHERE ID = ?",
                           {appState().ID_ALG_Tuinder});
        frmMailPrint* w = weg();
        if (!w)
            return nullptr;
        type(w->txtMP[300], "1");
        type(w->txtMP[301], "1");
        type(w->txtMP[302], "2");
        return w;
    }

private slots:
    void initTestCase() { RegisterStepWindows(); }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        QVERIFY(m_program->showMain());
    }

    void cleanup()
    {
        m_program.reset();
        frmPrintPreview::release();
    }

    // Each switch of set closes the steps still open, the mail and print step
    // among them, so that none prints one set's recipe under the other's
    // settings; a print in the stored set or after the return stores no
    // empty adjustment over the working set's.
    void wholeRoadSavedOpenedReadOnlyAndDeleted()
    {
        AppState& s = appState();
        frmMailPrint* w = weg();
        QVERIFY2(w, qPrintable(lastText()));
        const QStringList werkRegels = regels(w);
        QVERIFY(werkRegels.size() >= 5);

        // Printed, then saved under a description.
        QVERIFY(drukAf(w));
        QVERIFY(TestSupport::rowsInSet("HISTORIE_Aanpassing", 0) == 1); // the advice's adjustment stored with the print
        type(w->txtMP[400], "Tomaat voorjaar");
        MessageBox::clear();
        w->cmdMP[400]->click();
        QVERIFY2(toonde(HistorieBewaard), qPrintable(lastText()));
        const QList<HistorieSet> sets = Historie::Lijst(s.ID_ALG_Tuinder);
        QCOMPARE(sets.size(), 1);
        const qint32 id = sets[0].ID;
        QCOMPARE(sets[0].Omschrijving, QString("Tomaat voorjaar"));
        for (const QString& tabel : Historie::KopieTabellen())
            QCOMPARE(TestSupport::rowsInSet(tabel, id), TestSupport::rowsInSet(tabel, 0));
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_SamenstellingMeststoffen", id), 20);
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_Aanpassing", id), 0); // the adjustment stays with the working set

        // The working set starts over: what the stored set shows must be its own rows.
        for (const QString& tabel : Historie::KopieTabellen())
            growerDb().execute("DELETE FROM " + Database::quoteName(tabel) + " WHERE ID_HISTORIE = 0");

        // Listed and opened.
        frmHistorie* h = historieVenster();
        QCOMPARE(h->grdHist->model()->rowCount(), 1);
        QCOMPARE(h->grdHist->model()->index(0, 2).data().toString(), QString("Tomaat voorjaar"));
        QVERIFY(!h->cmdControl[0]->isEnabled() && !h->cmdControl[2]->isEnabled());
        QVERIFY(m_program->main()->tool("mnu1")->isEnabled() && !m_program->main()->tool("mnu4")->isEnabled());
        historieKnop(1);
        QCOMPARE(s.ID_HISTORIE, id);
        QVERIFY(!isOpen("frmHistorie") && !isOpen("frmMailPrint"));

        // Every step shows the stored rows and writes nothing, up to the way back.
        const QStringList voor = alleRijen();
        QCOMPARE(rijDeWeg(), kWeg);
        w = qobject_cast<frmMailPrint*>(OpenStepWindow("frmMailPrint"));
        QVERIFY(w);
        QCOMPARE(regels(w), werkRegels);
        QVERIFY(!w->cmdMP[300]->isEnabled() && !w->cmdMP[400]->isEnabled());
        QVERIFY(!w->fraMP[2]->isEnabled() && !w->fraMP[3]->isEnabled());
        QVERIFY(drukAf(w)); // printing stays

        // Back to the working set, where a print finds no adjustment of this run to store.
        historieKnop(2);
        QCOMPARE(s.ID_HISTORIE, 0);
        QVERIFY(!isOpen("frmMailPrint"));
        QCOMPARE(alleRijen(), voor);
        QVERIFY(drukAf(show<frmMailPrint>("frmMailPrint")));
        const QRegularExpression aanpassing("^HISTORIE_Aanpassing\\|");
        QCOMPARE(alleRijen().filter(aanpassing), voor.filter(aanpassing));

        // Opened again and deleted, after a No that keeps it, with every row
        // of it; the program is back on the working set.
        historieKnop(1);
        QCOMPARE(s.ID_HISTORIE, id);
        h = historieVenster();
        MessageBox::setNextAnswer(MsgBox::No);
        h->cmdHist[0]->click();
        QCOMPARE(h->sets().size(), 1);
        MessageBox::setNextAnswer(MsgBox::Yes);
        h->cmdHist[0]->click();
        QCOMPARE(h->grdHist->model()->rowCount(), 0);
        QCOMPARE(s.ID_HISTORIE, 0);
        QCOMPARE(growerDb().openRecordset("SELECT COUNT(*) AS n FROM HISTORIE").value("n").toInt(), 0);
        for (const QString& tabel : Historie::SetTabellen())
            QCOMPARE(TestSupport::rowsInSet(tabel, id), 0);
    }

    void theHistoryIsWorkedWithTheKeyboardAlone()
    {
        using TestSupport::typeKey;
        for (const char* omschrijving : {"maart", "april"})
            growerDb().execute("INSERT INTO HISTORIE (Datum, ID_ALG_Tuinder, Omschrijving) VALUES (?, ?, ?)",
                               {"2024-04-01 10:00:00", appState().ID_ALG_Tuinder, omschrijving});
        frmHistorie* h = historieVenster();
        QCOMPARE(QApplication::focusWidget(), h->grdHist);
        typeKey(Qt::Key_Down); // the older set
        // Tab goes on from the list to Delete, Open and Back to the working set.
        for (int knop : {0, 1, 2}) {
            typeKey(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), h->cmdHist[knop]);
        }
        typeKey(Qt::Key_Backtab);
        MessageBox::setNextAnswer(MsgBox::Yes);
        typeKey(Qt::Key_Return);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000024));
        QTRY_VERIFY(!isOpen("frmHistorie"));
        QCOMPARE(appState().ID_HISTORIE, Historie::Lijst(appState().ID_ALG_Tuinder).last().ID);
    }

    // A save needs a description. What cannot be stored is said, the step
    // stays, and nothing of it is left: a refused adjustment after a print
    // keeps the stored one, a refused copy leaves no set.
    void failedWritesAreSaidAndLeaveNothing()
    {
        frmMailPrint* w = weg();
        QVERIFY(w);
        MessageBox::clear();
        w->cmdMP[400]->click();
        QVERIFY(toonde(OmschrijvingLeeg));
        QVERIFY(Historie::Lijst(appState().ID_ALG_Tuinder).isEmpty());

        QCOMPARE(appState().AdviesAanpassing.Vlag, qint16(1));
        const QStringList aanpassing = alleRijen().filter(QRegularExpression("^HISTORIE_Aanpassing\\|"));
        growerDb().execute("CREATE TRIGGER weiger BEFORE INSERT ON HISTORIE_Aanpassing "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        MessageBox::clear();
        QVERIFY(drukAf(w));
        QVERIFY(toonde(AanpassingNietBewaard));
        QVERIFY(isOpen("frmMailPrint"));
        QCOMPARE(alleRijen().filter(QRegularExpression("^HISTORIE_Aanpassing\\|")), aanpassing);

        growerDb().execute("CREATE TRIGGER vol BEFORE INSERT ON HISTORIE_SamenstellingMeststoffen "
                           "WHEN NEW.ID_HISTORIE <> 0 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        type(w->txtMP[400], "mislukt");
        MessageBox::clear();
        w->cmdMP[400]->click();
        QVERIFY(toonde(HistorieNietBewaard));
        QVERIFY(isOpen("frmMailPrint"));
        QCOMPARE(w->txtMP[400]->text(), QString("mislukt"));
        QVERIFY(Historie::Lijst(appState().ID_ALG_Tuinder).isEmpty());
        QCOMPARE(growerDb().openRecordset("SELECT COUNT(*) FROM TEELT_Instelling WHERE ID_HISTORIE <> 0").value(0), 0);
    }

    // A sent order empties the counts and stores the advice's adjustment; a
    // refused one keeps the counts for the next try and stores nothing.
    void orderSentFromTheStep()
    {
        // No mail program.
        naarTestHandelaar(2);
        frmMailPrint* w = weg();
        QVERIFY(w);
        QCOMPARE(w->lblMP[111]->text(), QString("Kasweg 3"));

        type(w->txtMP[300], "1");
        type(w->txtMP[301], "1");
        type(w->txtMP[302], "9"); // C is 2, 3 or 4
        MessageBox::clear();
        w->cmdMP[300]->click();
        QCOMPARE(MessageBox::last().style & 0x70, int(MsgBox::Critical));
        QCOMPARE(w->txtMP[302]->text(), QString("9"));
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_Aanpassing", 0), 0);
        QVERIFY(w->isEnabled());

        type(w->txtMP[302], "2");
        MessageBox::clear();
        w->cmdMP[300]->click();
        QVERIFY2(MessageBox::last().style & MsgBox::Exclamation, qPrintable(lastText()));
        QVERIFY(w->txtMP[300]->text().isEmpty() && w->txtMP[302]->text().isEmpty());
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_Aanpassing", 0), 1);
        QCOMPARE(growerDb().openRecordset("SELECT COUNT(*) FROM BEST_Hist").value(0).toInt(), 1);
    }

    // The menu stays on beside the step: grower data changed and stored
    // meanwhile is what the step shows and orders with once it is shown
    // again, while the typed counts stay.
    void orderGoesWithTheGrowerDataStoredMeanwhile()
    {
        ScriptedSmtpServer server;
        frmMailPrint* w = getypteBestelling(server, false);
        QVERIFY(w);

        TuinderGegevens t = BedrijfGegevens::Lees();
        t.Naam = "Kwekerij Nieuwland";
        t.Telefoon = "0174-999999";
        t.Email = "nieuw@nieuwland.example";
        t.Code_ALG_Handelaar = 3; // Demo Kassenhandel
        BedrijfGegevens::Schrijf(t, BedrijfGegevens::LeesAfleveradres(t.ID_ALG_Afleveradres));
        QVERIFY(m_program->openFromMenu("mnu2", "frmBedrijfGeg"));
        w = show<frmMailPrint>("frmMailPrint");
        QCOMPARE(w->lblMP[110]->text(), t.Naam);
        QCOMPARE(w->lblMP[114]->text(), t.Telefoon);

        MessageBox::clear();
        w->cmdMP[300]->click();
        QCOMPARE(lastText(), GetLangStr(999000029));
        QVERIFY(server.commands.contains("MAIL FROM: <nieuw@nieuwland.example>"));
        QVERIFY(server.commands.contains("RCPT TO: <bestellen@example.org>"));
        QFile bestand(appState().AppPath + w->bestelling().Bestelnummer + ".zv1");
        QVERIFY(bestand.open(QIODevice::ReadOnly));
        QCOMPARE(
            bestand.readAll().split('\n').value(4),
            QByteArray("K-1042;;Kwekerij Nieuwland;;Naaldwijkseweg 12;;2691 RC;;'s-Gravenzande;;NL;;0174-999999;;;;;;"
                       "nieuw@nieuwland.example;;\r"));
    }

    // The mail client lets window events through while the dealer's server
    // keeps it waiting: the menu starts nothing meanwhile, and a close of the
    // main window waits until the order has ended, told and registered.
    void closeWhileTheOrderIsMailedWaitsForIt()
    {
        ScriptedSmtpServer server;
        server.silent = true;
        frmMailPrint* w = getypteBestelling(server, true);
        QVERIFY(w);
        frmMain* main = m_program->main();
        QWidget* teelt = main->findChild<QToolBar*>("HoofdMenu")->widgetForAction(main->tool("mnu4"));
        QVERIFY(teelt && teelt->isEnabled());

        bool teeltGeopend = true;
        bool openGebleven = false;
        QTimer wachtend;
        wachtend.setInterval(20);
        connect(&wachtend, &QTimer::timeout, this, [&] {
            if (server.connections == 0)
                return;
            wachtend.stop();
            QTest::mouseClick(teelt, Qt::LeftButton);
            teeltGeopend = isOpen("frmTeelt");
            main->close();
            QCoreApplication::processEvents();
            openGebleven = main->isVisible() && isOpen("frmMailPrint");
            server.greet();
        });
        wachtend.start();
        MessageBox::clear();
        w->cmdMP[300]->click();

        QVERIFY(!teeltGeopend);
        QVERIFY(openGebleven);
        QVERIFY(server.commands.contains("quit"));
        QCOMPARE(lastText(), GetLangStr(999000029));
        QCOMPARE(growerDb().openRecordset("SELECT COUNT(*) FROM BEST_Hist").value(0).toInt(), 1);
        QTRY_VERIFY(!main->isVisible());
        QVERIFY(!isOpen("frmMailPrint"));
    }

    void bigBagCompositionCannotBeOrdered()
    {
        QVERIFY(TestSupport::chooseTomatoExample(TestSupport::tomatoChoice(), 100, 1));
        auto* w = show<frmMailPrint>("frmMailPrint");
        QVERIFY(!w->cmdMP[300]->isEnabled());
        QVERIFY(w->txtMP[300]->isHidden() && w->lblMP[301]->isHidden());
        QCOMPARE(w->lblMP[300]->text(), GetLangStr(72130001));
        QVERIFY(w->cmdMP[200]->isEnabled());
    }
};

QTEST_MAIN(TestHistorieRoad)
#include "test_historieroad.moc"
