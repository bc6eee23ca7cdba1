// The stock-tank composition step on the default databases: the recipe of a
// tomato advice with figures worked out by hand and what it hands on to the
// mail and print step, a stored set, the calculation log, and the ways it refuses
// to go on.
#include "advies.h"
#include "defaultstate.h"
#include "frmmain.h"
#include "frmsamenstel.h"
#include "programfixture.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "units.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <tuple>

using namespace StepDriver;

namespace {

std::shared_ptr<PrintRegels> g_ontvangen;

// The tomato example of the default data: a fertiliser for every element.
const QVariantMap kTomaat = TestSupport::tomatoChoice();

QVariantMap with(QVariantMap rij, const QVariantMap& meer)
{
    rij.insert(meer);
    return rij;
}

// The advice step of this run on the tomato example, as it leaves the shared vectors.
void advies(const QVariantMap& keuze = kTomaat, int concentratie = 100, int bigBag = 0)
{
    QVERIFY(TestSupport::chooseTomatoExample(keuze, concentratie, bigBag));
    AppState& s = appState();
    BerekenInstellingen r;
    r.Code_Teelt = 1, r.Aanpassing = 1, r.WaterInputType = 1, r.ExtraBigBag = qint16(bigBag);
    ElementVector tussen, oplossing;
    WaterRecord water, meng;
    LaadBerekeningInvoer(s.StreefWaarden, s.AdviesAanpassing, tussen, oplossing, water, meng, s.StreefGecorrigeerd, r);
    s.AdviesAanpassing.Vlag = 1;
}

// The working set's composition made history set id, as the history save leaves it, and that set opened.
void alsHistorie(qint32 id)
{
    for (const char* tabel : {"HISTORIE_StandaardBakEC", "HISTORIE_SamenstellingMeststoffen"})
        appState().dbT->execute(QString("UPDATE %1 SET ID_HISTORIE = ?").arg(tabel), {id});
    appState().ID_HISTORIE = id;
}

QLabel* label(QWidget* w, int index)
{
    return w->findChild<QLabel*>("lblSamenstel_" + QString::number(index));
}

QString tekst(QWidget* w, int index)
{
    QLabel* l = label(w, index);
    return l ? l->text() : QString("<none>");
}

bool zichtbaar(QWidget* w, int index)
{
    QLabel* l = label(w, index);
    return l && !l->isHidden();
}

// The lines of a column as "name | amount | unit", from line 1 down.
QStringList kolom(QWidget* w, int basis)
{
    QStringList regels;
    for (int n = 1; n <= 20; ++n)
        if (zichtbaar(w, basis + n) && !tekst(w, basis + n).isEmpty())
            regels << tekst(w, basis + n) + " | " + tekst(w, basis + 20 + n) + " | " + tekst(w, basis + 40 + n);
    return regels;
}

frmSamenstel* open()
{
    return show<frmSamenstel>("frmSamenstel");
}

} // namespace

// In place of the mail and print step: takes the lines handed on.
class MailPrintStandIn : public StepWindow, public PrintRegelsOntvanger {
    Q_OBJECT
public:
    QString menuToolKey() const override { return "mnu7"; }
    void ZetPrintRegels(std::shared_ptr<PrintRegels> regels) override { g_ontvangen = std::move(regels); }
};

class LogViewer : public QObject {
    Q_OBJECT
public:
    QList<QUrl> geopend;
public slots:
    void open(const QUrl& url) { geopend << url; }
};

class TestFrmSamenstel : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

private slots:
    void initTestCase()
    {
        RegisterStepWindows();
        RegisterStepWindow("frmMailPrint", [] { return new MailPrintStandIn; });
    }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        QVERIFY(m_program->showMain());
        g_ontvangen.reset();
    }

    void cleanup()
    {
        m_program.reset();
        QDesktopServices::unsetUrlHandler("file");
    }

    // After the program's own advice step, for a grower whose settings keep
    // the concentration 0 (the schema's default): the tomato recipe at 100x,
    // stored whole, shown and handed on. The figures are worked out by hand
    // from the tomato's standard solution and the fertilisers' contents in
    // the default data (1000-litre tanks at 100x, nothing from rain water).
    void tomatoRecipeAfterTheAdviceStep()
    {
        QVERIFY(TestSupport::chooseTomatoExample(kTomaat, 0));
        press(show<StepWindow>("frmAdvies"), 0);
        auto* w = qobject_cast<frmSamenstel*>(OpenStepWindow("frmSamenstel"));
        QVERIFY(w && w->heeftResultaat());
        QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(lastText()));
        // Stored whole for the report, the order and the history.
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_StandaardBakEC"), 2);
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_SamenstellingMeststoffen"), 20);
        QCOMPARE(GetTeeltInstelling("Concentratie_berek", InstellingMode::Number).toInt(), 100);

        // The standard solution per litre, in mmol (trace elements in µmol).
        const QStringList namen{"NH4", "K",  "Na", "Ca", "Mg", "NO3", "Cl", "SO4", "H2PO4",
                                "H",   "Si", "Fe", "Mn", "Zn", "B",   "Cu", "Mo"};
        const QStringList waarden{"1.25", "8.75", "0.00",  "4.25",  "2.00", "13.75", "0.00", "3.75", "1.25",
                                  "0.00", "0.00", "15.00", "10.00", "5.00", "30.00", "0.75", "0.50"};
        for (int i = 0; i < 17; ++i) {
            QCOMPARE(tekst(w, 10 + i), namen[i]);
            QCOMPARE(tekst(w, 30 + i), waarden[i]);
            QVERIFY(!label(w, 30 + i)->property("rood").toBool());
        }
        QCOMPARE(tekst(w, 100), GetLangStr(70110000) + " (100x)");
        QCOMPARE(tekst(w, 200), GetLangStr(70120000) + " (100x)");

        // Tank A its own lines; tank B its own, then the trace elements a
        // little lower. Potassium nitrate (40.44 kg) evens out the tanks'
        // solids; the acid is not needed and not shown.
        const QStringList a{"1 1 Kalksalpeter | 91.9 | kg", "11 1 Ammoniumnitraat vloeibaar 18 % N | 5.1 | liter",
                            "3 1 Kalisalpeter | 19.6 | kg", "102 1 Fe-DTPA 6 % | 1,397 | gram"};
        const QStringList b{"6 2 Bitterzout (magnesiumsulfaat) | 49.3 | kg", "4 2 Monokalifosfaat (MKP) | 17.0 | kg",
                            "9 2 Kaliumsulfaat | 30.5 | kg", "3 2 Kalisalpeter | 20.9 | kg"};
        const QStringList sporen{"105 100 Mangaansulfaat | 169 | gram", "107 100 Zinksulfaat | 144 | gram",
                                 "109 100 Borax | 286 | gram", "112 100 Kopersulfaat | 19 | gram",
                                 "114 100 Natriummolybdaat | 12 | gram"};
        const auto getoond = [](const QStringList& regels) {
            QStringList zonderCode;
            for (const QString& r : regels)
                zonderCode << r.section(' ', 2);
            return zonderCode;
        };
        QCOMPARE(kolom(w, 100), getoond(a));
        QCOMPARE(kolom(w, 200), getoond(b + sporen));
        const int eersteSpoor = int(b.size()) + 1;
        QCOMPARE(label(w, 200 + eersteSpoor)->y(), twips(300 * eersteSpoor + 180 + 160));
        QVERIFY(!zichtbaar(w, 999) && !zichtbaar(w, 998));

        // Forward hands the lines shown on to the mail and print step.
        press(w, 0);
        QVERIFY(!isOpen("frmSamenstel") && g_ontvangen);
        QVERIFY(!g_ontvangen->PrintMeststofEBB.has_value()); // big bags are off: no collection at all
        QStringList gekregen;
        for (const clsPrintMeststofMeststof& p : g_ontvangen->PrintMeststof)
            gekregen << QString("%1 %2 %3 | %4 | %5").arg(p.Nr).arg(p.Bak).arg(p.Naam, p.Hoeveelheid, p.Eenheid);
        QCOMPARE(gekregen, a + b + sporen);
    }

    void bigBagLinesShownAndHandedOn()
    {
        advies(kTomaat, 100, 1);
        for (const auto& [index, nr, naam, bak, kg] :
             {std::tuple{1, 1, "Kalksalpeter", 1, 20}, {21, 3, "Kalisalpeter", 2, 10}})
            TestSupport::insertWorkingSetRow(
                "HISTORIE_ExtraBigbag",
                {{"Index", index}, {"Nr", nr}, {"Naam", naam}, {"Bak", bak}, {"Kg", kg}, {"Kgl", 1}});
        frmSamenstel* w = open();
        QCOMPARE(tekst(w, 301) + " " + tekst(w, 321) + " " + tekst(w, 341), QString("Kalksalpeter 20.0 kg"));
        QCOMPARE(tekst(w, 401) + " " + tekst(w, 421) + " " + tekst(w, 441), QString("Kalisalpeter 10.0 kg"));
        press(w, 0);
        QVERIFY2(g_ontvangen && g_ontvangen->PrintMeststofEBB.has_value(), qPrintable(lastText()));
        QCOMPARE(g_ontvangen->PrintMeststofEBB->size(), 2);
        QCOMPARE((*g_ontvangen->PrintMeststofEBB)[0].Ca, 4.627f); // with the contents, for the report
    }

    // The second phosphate and iron lines carry their share once their amount is
    // fixed, the iron also when the engine solved it; a stored set shows them
    // from its rows, the share once, and computes and stores nothing.
    void splitSourcesShowTheirShareAlsoInAStoredSetShownReadOnly()
    {
        // No main iron source and no share: the engine solves the second source for all the iron.
        advies(with(kTomaat, {{"Fe_Code", 0}, {"FeBron_Code", 103}, {"PBron_Code", 5}, {"PBron_Perc", 30}}));
        frmSamenstel* w = open();
        QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(lastText())); // every element met
        QString regels = (kolom(w, 100) + kolom(w, 200)).join("\n");
        QVERIFY2(regels.contains("Fe-EDDHA 6 % [0%] |"), qPrintable(regels));
        QVERIFY2(regels.contains("Monoammoniumfosfaat (MAP) [30%] |"), qPrintable(regels));

        m_program->closeChildWindows();
        alsHistorie(7);
        QFile::remove(m_program->appPath() + "log.txt");
        ClearElementVector(appState().StreefGecorrigeerd); // opening a stored set clears the advice
        w = open();
        QVERIFY(w->heeftResultaat());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE((kolom(w, 100) + kolom(w, 200)).join("\n"), regels);
        // Nothing computed or stored: no log, no rows of the working set.
        QVERIFY(!QFile::exists(m_program->appPath() + "log.txt"));
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_StandaardBakEC", 0), 0);
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_StandaardBakEC", 7), 2);
        press(w, 0);
        QVERIFY(g_ontvangen && !g_ontvangen->PrintMeststof.isEmpty()); // printing stays available
    }

    // The log of the calculation on Ctrl+L, through the desktop; the button bar
    // forward while the mouse is on it, the recipe again on the frame timer.
    void logOnCtrlLAndTheButtonBarOnHover()
    {
        LogViewer viewer;
        QDesktopServices::setUrlHandler("file", &viewer, "open");
        advies();
        frmSamenstel* w = open();
        QTest::keyClick(label(w, 101), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(viewer.geopend, QList<QUrl>{QUrl::fromLocalFile(m_program->appPath() + "log.txt")});
        QTest::keyClick(w, Qt::Key_K, Qt::ControlModifier); // no other key
        QCOMPARE(viewer.geopend.size(), 1);
        QFile::remove(m_program->appPath() + "log.txt");
        QTest::keyClick(w, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(viewer.geopend.size(), 1);
        QVERIFY(lastText().startsWith(GetLangStr(70900500)));

        QCOMPARE(w->tmrSamenstel->interval(), 2000);
        QMouseEvent beweging(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
        QCoreApplication::sendEvent(w->cmdControl[1], &beweging);
        QCOMPARE(w->children().last(), w->fraControl);
        // The content comes forward, under the bar.
        QTRY_COMPARE_WITH_TIMEOUT(w->children().value(w->children().size() - 2), w->fraSamenstel[1], 5000);
        QCOMPARE(w->children().last(), w->fraControl);
    }

    // Without an advice of this run there is nothing to compute a recipe from:
    // the menu's tool says so and opens no window.
    void noWindowWithoutAnAdvice_data()
    {
        QTest::addColumn<bool>("gewist");
        QTest::newRow("no advice in this run") << false;
        QTest::newRow("advice cleared by a stored set") << true;
    }

    void noWindowWithoutAnAdvice()
    {
        QFETCH(bool, gewist);
        advies();
        AppState& s = appState();
        if (gewist)
            ClearElementVector(s.StreefGecorrigeerd); // the mark stays, the advice is gone
        else
            s.AdviesAanpassing.Vlag = 0;
        QAction* tool = m_program->main()->tool("mnu7");
        QVERIFY(tool->isEnabled());
        tool->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(lastText(), GetLangStr(70900000));
        QVERIFY(!isOpen("frmSamenstel"));
        QVERIFY(m_program->main()->tool("mnu6")->isEnabled()); // the way to the advice stays open
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_StandaardBakEC"), 0);
    }

    void noRecipeWithoutAValidCalculation_data()
    {
        QTest::addColumn<QString>("fout");
        QTest::addColumn<int>("bericht");
        QTest::newRow("concentration beyond 16 bits") << "concentratie" << 70900300;
        QTest::newRow("database error") << "database" << 70900100;
        QTest::newRow("composition cannot be stored") << "opslag" << 70900200;
        // In product-line mode tank B makes up one bag: a bag of 0 kg would make every amount 0.
        QTest::newRow("bag of 0 kg in product-line mode") << "zak" << 70900700;
    }

    void noRecipeWithoutAValidCalculation()
    {
        QFETCH(QString, fout);
        QFETCH(int, bericht);
        advies(kTomaat, 100, 2); // 2: no tank-1 limit that would bring the amounts back
        AppState& s = appState();
        QString verwacht = GetLangStr(bericht);
        if (fout == "concentratie") {
            s.StreefGecorrigeerd.EC = 0.0001f; // scaled to the base EC: ten thousand times too strong
        } else if (fout == "database") {
            s.dbH->execute("DROP TABLE MEST_Meststof");
        } else if (fout == "opslag") {
            s.dbT->execute("CREATE TRIGGER vol BEFORE INSERT ON HISTORIE_SamenstellingMeststoffen "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        } else {
            QVERIFY(PutTeeltInstelling("MixoraMest", 1, InstellingMode::Number));
            QVERIFY(PutTeeltInstelling("ZakGrootte", 0, InstellingMode::Number));
            QVERIFY(PutTeeltInstelling("ExtraBigbag", 0, InstellingMode::Number));
            verwacht = verwacht.arg(GetLangStr(40100101), GetLangStr(40000000)); // named as the crop step shows it
        }
        frmSamenstel* w = open();
        QVERIFY2(MessageBox::last().text.startsWith(verwacht), qPrintable(lastText()));
        QCOMPARE(tekst(w, 30), QString()); // no figures that pass for a result
        QCOMPARE(tekst(w, 998), verwacht);
        // Nothing stored, the concentration and the big-bag factor included.
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_StandaardBakEC") +
                     TestSupport::rowsInSet("HISTORIE_SamenstellingMeststoffen"),
                 0);
        QCOMPARE(GetTeeltInstelling("Concentratie_berek", InstellingMode::Number).toInt(), 0);
        press(w, 0);
        QVERIFY(isOpen("frmSamenstel"));
        QCOMPARE(lastText(), verwacht);
        QVERIFY(!g_ontvangen);
    }

    void unmetElementStopsTheWayForward()
    {
        advies(with(kTomaat, {{"Mn_Code", 0}}));
        frmSamenstel* w = open();
        QCOMPARE(lastText(), GetLangStr(999000001) + " Mn");
        QVERIFY(label(w, 30 + 12)->property("rood").toBool()); // Mn
        QVERIFY(!label(w, 30 + 11)->property("rood").toBool());
        QVERIFY(zichtbaar(w, 999));
        press(w, 0);
        QCOMPARE(lastText(), GetLangStr(999000051));
        QVERIFY(isOpen("frmSamenstel"));
        press(w, 1); // stop closes without asking
        QVERIFY(!isOpen("frmSamenstel"));
    }

    void lineWithoutTankIsShownAndStopsTheWayForward()
    {
        Samenstelling stored;
        stored.Meststoffen[1].Code_MEST = 3;
        stored.Meststoffen[1].Naam = "Kalisalpeter";
        stored.Meststoffen[1].Bak = 9;
        stored.Meststoffen[1].Hoeveelheid = 3;
        stored.Meststoffen[1].KGl = 1;
        SamenstellingOpslag::Schrijf(stored);
        alsHistorie(4);
        frmSamenstel* w = open();
        QCOMPARE(kolom(w, 100), QStringList{"Kalisalpeter | 3.0 | kg"});
        QVERIFY(label(w, 101)->property("rood").toBool());
        QCOMPARE(tekst(w, 998), GetLangStr(70900400));
        press(w, 0);
        QCOMPARE(lastText(), GetLangStr(70900400));
        QVERIFY(isOpen("frmSamenstel"));
    }

    void highConcentrationAnnouncedOncePerActivation()
    {
        advies(kTomaat, 250);
        frmSamenstel* w = open();
        QVERIFY(label(w, 100)->property("rood").toBool());
        QTRY_COMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(lastText(), GetLangStr(999000012) + "200x");

        // The program's window coming back after a message box is no new activation.
        QMdiArea* area = m_program->main()->mdiArea();
        emit area->subWindowActivated(area->activeSubWindow());
        QCoreApplication::processEvents();
        QCOMPARE(MessageBox::shown().size(), 1);

        // Another step in between, and back: announced again.
        show<QWidget>("frmSamenstelSimpel");
        show<QWidget>("frmSamenstel");
        QTRY_COMPARE(MessageBox::shown().size(), 2);
    }

    // A stored set is made up at the concentration its amounts were computed
    // at, as its report says, whatever the setting or big bags make of it now.
    void storedSetShowsTheConcentrationItWasComputedAt_data()
    {
        QTest::addColumn<int>("bigBag");
        QTest::addColumn<int>("concentratie");
        QTest::addColumn<int>("berekend");
        QTest::addColumn<int>("getoond");
        QTest::newRow("big bags, computed at 33x") << 1 << 100 << 33 << 33;
        QTest::newRow("computed above the setting") << 0 << 100 << 250 << 250;
        QTest::newRow("computed below the setting") << 0 << 250 << 150 << 150;
        QTest::newRow("none computed") << 0 << 0 << 0 << 100;
    }

    void storedSetShowsTheConcentrationItWasComputedAt()
    {
        QFETCH(int, bigBag);
        QFETCH(int, concentratie);
        QFETCH(int, berekend);
        QFETCH(int, getoond);
        SamenstellingOpslag::Schrijf(Samenstelling());
        alsHistorie(3);
        for (const auto& [naam, waarde] :
             {std::pair{"ExtraBigbag", bigBag}, {"Concentratie", concentratie}, {"Concentratie_berek", berekend}})
            QVERIFY(PutTeeltInstelling(naam, waarde, InstellingMode::Number));
        frmSamenstel* w = open();
        QCoreApplication::processEvents();
        QCOMPARE(tekst(w, 100), GetLangStr(70110000) + QString(" (%1x)").arg(getoond));
        QCOMPARE(tekst(w, 200), GetLangStr(70120000) + QString(" (%1x)").arg(getoond));
        QCOMPARE(label(w, 200)->property("rood").toBool(), getoond >= 201);
        QCOMPARE(MessageBox::shown().size(), getoond >= 201 ? 1 : 0);
    }

    // Opened from the keyboard, both compositions take Esc as Stop, though
    // neither has a box for the keyboard and the simple one has forward off.
    void escIsStopInBothCompositions_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("venster");
        QTest::newRow("composition") << "mnu7"
                                     << "frmSamenstel";
        QTest::newRow("simple composition") << "mnu71"
                                            << "frmSamenstelSimpel";
    }

    void escIsStopInBothCompositions()
    {
        QFETCH(QString, tool);
        QFETCH(QString, venster);
        advies();
        QWidget* knop =
            m_program->main()->findChild<QToolBar*>("HoofdMenu")->widgetForAction(m_program->main()->tool(tool));
        const QKeyCombination alt = QKeySequence::mnemonic(qobject_cast<QToolButton*>(knop)->text())[0];
        TestSupport::typeKey(alt.key(), alt.keyboardModifiers());
        QTRY_VERIFY(isOpen(qPrintable(venster)));
        QVERIFY(!m_program->main()->tool("mnu3")->isEnabled());
        TestSupport::typeKey(Qt::Key_Escape);
        QVERIFY(!isOpen(qPrintable(venster)));
        QVERIFY(m_program->main()->tool("mnu3")->isEnabled()); // every tool on again, as Stop leaves them
    }

    void simpleCompositionOpensFromItsTool()
    {
        m_program->main()->tool("mnu71")->trigger();
        QCoreApplication::processEvents();
        auto* w = qobject_cast<StepWindow*>(OpenStepWindow("frmSamenstelSimpel"));
        QVERIFY(w && !w->cmdControl[0]->isEnabled());
        press(w, 1);
        QVERIFY(!isOpen("frmSamenstelSimpel"));
    }
};

QTEST_MAIN(TestFrmSamenstel)
#include "test_frmsamenstel.moc"
