// The advice step on the default crops: what it shows against the engine, the
// edits a grower makes, where the wizard goes on, and what is kept.
#include "advies.h"
#include "adviesgrenzen.h"
#include "adviesopslag.h"
#include "drainanalyse.h"
#include "elementen.h"
#include "frmadvies.h"
#include "frmmain.h"
#include "historie.h"
#include "programfixture.h"
#include "stepdriver.h"
#include "stepwindows.h"
#include "units.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>

using namespace StepDriver;

namespace {

struct Uitkomst {
    ElementVector streef, aanpassing, tussen, oplossing, gecorrigeerd;
    WaterRecord water, meng, drain;
    qint16 klasse = 0;
};

BerekenInstellingen instellingen(int systeem, int aanpassing)
{
    for (auto [naam, waarde] :
         {std::pair{"Code_Teelt", 1}, {"TeeltSysteem", systeem}, {"Aanpassing", aanpassing}, {"WaterInputType", 1}})
        PutTeeltInstelling(naam, waarde, InstellingMode::Number);
    return {.Code_Teelt = 1, .Teeltsysteem = qint16(systeem), .Aanpassing = qint16(aanpassing), .WaterInputType = 1};
}

// What the engine makes of the same rows and the same drain analysis.
Uitkomst engine(BerekenInstellingen i, float ec = 0)
{
    AppState& s = appState();
    const WaterRecord drain = s.DrainAnalyse;
    Uitkomst u;
    u.aanpassing = s.AdviesAanpassing;
    u.oplossing.EC = ec;
    LaadBerekeningInvoer(u.streef, u.aanpassing, u.tussen, u.oplossing, u.water, u.meng, u.gecorrigeerd, i);
    u.drain = s.DrainAnalyse;
    CalcPercentages(u.oplossing, u.water.Elementen, u.drain);
    u.klasse = i.AmoniumAanpassing;
    s.DrainAnalyse = drain;
    MessageBox::clear();
    return u;
}

void water()
{
    appState().dbT->execute("INSERT INTO WATER (ID_ALG_Tuinder, ID_HISTORIE, Type, Perc, K, Na, Ca, Mg, Cl, SO4, HCO3, "
                            "Si, Fe) VALUES (?, 0, 1, 100, 0.1, 0.8, 1.2, 0.4, 0.9, 0.3, 2.1, 0.3, 1)",
                            {appState().ID_ALG_Tuinder});
}

// A drain that calls for the strongest ammonium class: little NH4, much bicarbonate, pH 6.8.
void drain(WaterRecord& d)
{
    ClearWaterRecord(d);
    ElementVector& e = d.Elementen;
    e.NH4 = 0.3f, e.K = 8, e.Na = 3, e.Ca = 6, e.Mg = 3, e.NO3 = 20, e.Cl = 2, e.SO4 = 4, e.H2PO4 = 0.8f, e.HCO3 = 2;
    e.Fe = 20, e.EC = 3.2f;
    d.Ph = 6.8f;
    d.RecircEC = 1.0f;
}

QString tekst(QWidget* w, int index)
{
    if (auto* box = w->findChild<QLineEdit*>("txtAdvies_" + QString::number(index)))
        return box->text();
    auto* l = w->findChild<QLabel*>("lblAdvies_" + QString::number(index));
    return l ? l->text() : QString("<none>");
}

bool isRood(QWidget* w)
{
    return w->property("rood").toBool();
}

// Every cell of the column shows the vector in the display unit.
void vergelijkKolom(frmAdvies* w, int code, const ElementVector& v)
{
    for (int rij = 1; rij <= 17; ++rij) {
        int p = Elementen::NH4totMo[rij - 1];
        if (code == 120 && p == ElementVector::pHCO3)
            p = ElementVector::pH;
        QCOMPARE(tekst(w, code + rij), FormatNumber(IonToUnit(v[p], ElementNaam(p)), 2));
    }
}

RecordSet adviesRijen(qint32 historie)
{
    return appState().dbT->openRecordset("SELECT * FROM HISTORIE_Advies WHERE ID_HISTORIE = ?", {historie});
}

// The message of a box that refuses what was typed: the box's name, then its
// limits as the box shows them, after what was no number.
QString bereik(const QString& veld, const char* laagste, const char* hoogste, const QString& geenGetal = {})
{
    const QString grenzen = GetLangStr(999000085).arg(laagste, hoogste);
    return veld + ": " + (geenGetal.isEmpty() ? grenzen : GetLangStr(999000087).arg(geenGetal) + " " + grenzen);
}

qint16 instelling(const char* naam)
{
    return qint16(NzValue(GetTeeltInstelling(naam, InstellingMode::Number)).toInt());
}

} // namespace

class TestFrmAdvies : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;
    int m_bigBag = 0;
    int m_samenstel = 0;

    frmAdvies* open() { return show<frmAdvies>("frmAdvies"); }

private slots:
    void initTestCase()
    {
        RegisterStepWindows();
        // The steps after the advice, as far as the wizard needs them here.
        RegisterStepWindow("frmExtraBigBag", [this] {
            ++m_bigBag;
            return new QLabel("big bag");
        });
        RegisterStepWindow("frmSamenstel", [this] {
            ++m_samenstel;
            return new QLabel("samenstelling");
        });
    }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        QVERIFY(m_program->showMain());
        m_bigBag = m_samenstel = 0;
        water();
    }

    void cleanup() { m_program.reset(); }

    void forwardFromTheWaterStepShowsTheEnginesAdvice_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("systeem");
        QTest::addColumn<bool>("bigBag");
        QTest::newRow("mmol") << 0 << 0 << false;
        QTest::newRow("meq") << 1 << 0 << false;
        QTest::newRow("mgr") << 2 << 0 << false;
        QTest::newRow("ppm, on to the big bags") << 3 << 0 << true;
        QTest::newRow("meq, recirculating, through the drain step") << 1 << 2 << false;
    }

    void forwardFromTheWaterStepShowsTheEnginesAdvice()
    {
        QFETCH(int, unit);
        QFETCH(int, systeem);
        QFETCH(bool, bigBag);
        appState().UnitID = qint16(unit);
        if (systeem == 2)
            drain(appState().DrainAnalyse);
        const Uitkomst u = engine(instellingen(systeem, 1));
        press(show<StepWindow>("frmWater"), 0);
        if (systeem == 2)
            press(qobject_cast<StepWindow*>(OpenStepWindow("frmDrain")), 0);
        auto* w = qobject_cast<frmAdvies*>(OpenStepWindow("frmAdvies"));
        QVERIFY(w && w->isBerekend());
        for (auto [code, v] : {std::pair{20, u.streef},
                               {40, u.aanpassing},
                               {60, u.oplossing},
                               {80, u.water.Elementen},
                               {120, u.gecorrigeerd}})
            vergelijkKolom(w, code, v);
        QCOMPARE(tekst(w, 1001), QString("2.30")); // no EC typed: the base EC
        QCOMPARE(w->txtAdvies[1002]->isVisible(), systeem == 2);
        if (systeem == 2)
            vergelijkKolom(w, 100, u.meng.Elementen);
        QCOMPARE(appState().AdviesAanpassing.Vlag, 1);
        if (bigBag) {
            w->chkAdvies->click();
            QCOMPARE(instelling("ExtraBigBag"), qint16(1));
        }

        press(w, 0); // on to the big bags or the tanks, the advice stored
        QCOMPARE(m_bigBag, int(bigBag));
        QCOMPARE(m_samenstel, int(!bigBag));
        RecordSet rs = adviesRijen(0);
        QCOMPARE(rs.recordCount(), 6);
        QVERIFY(rs.findFirst("Type", AdviesType::Gecorrigeerd));
        QCOMPARE(rs.value("H").toFloat(), u.gecorrigeerd.H);
    }

    // The drain calls for ammonium class 8 and bounds the recirculation; a new run
    // reached from the menu, without the drain step, takes the stored drain up.
    void theAmmoniumClassTheMaximumRecirculationAndTheStoredDrainAfterARestart()
    {
        BerekenInstellingen i = instellingen(2, 0);
        drain(appState().DrainAnalyse);
        bool gewijzigd = false;
        QVERIFY(DrainAnalyse::Schrijf(appState().DrainAnalyse, false, gewijzigd));
        frmAdvies* w = open();
        QCOMPARE(lastText(), GetLangStr(999000115));
        QVERIFY(w->lblAdvies[1050]->isVisible());
        QCOMPARE(instelling("AmoniumAanpassing"), qint16(8));
        type(w->txtAdvies[1002], "-0.5");
        QCOMPARE(lastText(), bereik(GetLangStr(60100102), "0.00", "20.00"));
        QCOMPARE(appState().DrainAnalyse.RecircEC, 1.0f);
        type(w->txtAdvies[1002], "1.2");
        QCOMPARE(MessageBox::shown().size(), 2); // the class is told once, not again on a recomputation
        const Uitkomst u = engine(i);
        QCOMPARE(u.klasse, qint16(8));
        vergelijkKolom(w, 40, u.aanpassing); // the automatic adjustment, read-only
        QVERIFY(!w->findChild<QLineEdit*>("txtAdvies_42"));
        vergelijkKolom(w, 120, u.gecorrigeerd);
        QCOMPARE(tekst(w, 1023), FormatNumber(u.drain.MaxRecircEC, 2));
        QTest::mouseDClick(w->lblAdvies[1050], Qt::LeftButton); // the marker tells it again
        QCOMPARE(lastText(), GetLangStr(999000115));
        closeWindow(w);
        RecordSet rs = adviesRijen(0);
        QVERIFY(rs.findFirst("Type", AdviesType::MengWater));
        QCOMPARE(rs.value("MaxPerc").toFloat(), u.drain.MaxPerc);

        // A new run: nothing in memory, the grower database opened afresh, the drain step not passed.
        ClearWaterRecord(appState().DrainAnalyse);
        ClearElementVector(appState().StreefGecorrigeerd);
        ClearElementVector(appState().AdviesAanpassing);
        OpenTuinderDb();
        w = qobject_cast<frmAdvies*>(m_program->openFromMenu("mnu6", "frmAdvies"));
        QVERIFY(w);
        QCOMPARE(appState().DrainAnalyse.Ph, 6.8f);
        QCOMPARE(tekst(w, 1002), QString("1.20"));
        QCOMPARE(w->Advies.Instellingen.AmoniumAanpassing, qint16(8));
        vergelijkKolom(w, 40, u.aanpassing);
        vergelijkKolom(w, 120, u.gecorrigeerd);
    }

    // The reused drain water is typed in the advice: a new run, and a return from a
    // stored set, take it up again also when the road passes the drain step.
    void theReusedDrainWaterSurvivesANewRunAndAStoredSet()
    {
        BerekenInstellingen i = instellingen(2, 1);
        drain(appState().DrainAnalyse);
        appState().DrainAnalyse.RecircEC = 0;
        const auto naarAdvies = [] {
            press(show<StepWindow>("frmWater"), 0);
            press(qobject_cast<StepWindow*>(OpenStepWindow("frmDrain")), 0);
            return qobject_cast<frmAdvies*>(OpenStepWindow("frmAdvies"));
        };
        frmAdvies* w = naarAdvies();
        QVERIFY(w);
        type(w->txtAdvies[1002], "1.2");
        const Uitkomst u = engine(i);
        press(w, 0);

        QVERIFY(m_program->restart());
        w = naarAdvies();
        QVERIFY(w && w->isBerekend());
        QCOMPARE(tekst(w, 1002), QString("1.20"));
        vergelijkKolom(w, 100, u.meng.Elementen);
        vergelijkKolom(w, 120, u.gecorrigeerd);
        press(w, 0);
        RecordSet rs = adviesRijen(0);
        QVERIFY(rs.findFirst("Type", AdviesType::MengWater));
        QCOMPARE(rs.value("RecircEC").toFloat(), 1.2f);

        ::Advies opgeslagen;
        opgeslagen.RecircEC = 0.8f;
        appState().ID_HISTORIE = 7;
        instellingen(2, 1);
        SaveAdvies(opgeslagen);
        Historie::KiesSet(7);
        w = open();
        QCOMPARE(tekst(w, 1002), QString("0.80"));
        press(w, 1);
        Historie::KiesSet(0);
        w = naarAdvies();
        QVERIFY(w);
        QCOMPARE(tekst(w, 1002), QString("1.20"));
        vergelijkKolom(w, 120, u.gecorrigeerd);
    }

    void typedValuesAreJudgedAndRefusedOutsideTheirRange()
    {
        appState().UnitID = 1; // meq: Ca counts twice
        drain(appState().DrainAnalyse);
        BerekenInstellingen i = instellingen(3, 1);
        frmAdvies* w = open();
        type(w->txtAdvies[1001], "2.76"); // the EC raised by a fifth
        QCOMPARE(appState().StreefGecorrigeerd.EC, 2.76f);
        const Uitkomst u = engine(i, 2.76f);
        QVERIFY(u.oplossing.K > 1.19f * u.streef.K);
        vergelijkKolom(w, 120, u.gecorrigeerd);

        QLineEdit* ca = w->txtAdvies[44];
        type(ca, "2"); // 1 mmol, within 0.3 × 4.25
        QCOMPARE(appState().AdviesAanpassing.Ca, 1.0f);
        QVERIFY(!isRood(ca) && MessageBox::shown().isEmpty());
        vergelijkKolom(w, 120, engine(i, 2.76f).gecorrigeerd);
        type(ca, "3"); // 1.5 mmol: beyond
        QVERIFY(isRood(ca));
        QCOMPARE(lastText(), GetLangStr(999000010) + " Ca" + GetLangStr(999000011));
        type(ca, "-3.2"); // still beyond, as a lowering: no second warning
        QVERIFY(isRood(ca));
        QCOMPARE(MessageBox::shown().size(), 1);
        type(ca, "1");
        QVERIFY(!isRood(ca));
        type(ca, "1-2");                                           // not a number: refused, the previous value stays
        const QString aanpassingCa = GetLangStr(60104000) + " Ca"; // named by its column and its row
        QCOMPARE(lastText(), bereik(aanpassingCa, "-20.00", "20.00", "1-2"));
        QCOMPARE(appState().AdviesAanpassing.Ca, 0.5f);
        QCOMPARE(ca->text(), QString("1.00"));
        type(ca, "25"); // 2.5 with its point slipped: more than any solution holds (10 mmol)
        QCOMPARE(lastText(), bereik(aanpassingCa, "-20.00", "20.00"));
        QCOMPARE(appState().AdviesAanpassing.Ca, 0.5f);

        for (const char* refused : {"-1", "23", "99999999999"}) {
            type(w->txtAdvies[1001], refused);
            QCOMPARE(lastText(), bereik(GetLangStr(60100110), "0.00", "20.00"));
            QCOMPARE(tekst(w, 1001), QString("2.76"));
        }
        QCOMPARE(appState().StreefGecorrigeerd.EC, 2.76f);
        QVERIFY(appState().StreefGecorrigeerd.K > 0);
        type(w->txtAdvies[1001], "5.5"); // judged against 5 mS/cm when adjusted by hand
        QVERIFY(isRood(w->txtAdvies[1001]));
        QCOMPARE(lastText(), GetLangStr(999000010) + " Ec" + GetLangStr(999000011));
        type(w->txtAdvies[1002], "120");
        QCOMPARE(lastText(), bereik(GetLangStr(60100102), "0", "100"));
        QCOMPARE(appState().DrainAnalyse.Perc, 0.0f);
        type(w->txtAdvies[1002], "25");
        QCOMPARE(appState().DrainAnalyse.Perc, 25.0f);
        vergelijkKolom(w, 100, engine(i, 5.5f).meng.Elementen);
    }

    void theAdjustmentViewShowsTheKeptAdjustmentBesideTheTypedOne()
    {
        instellingen(0, 1);
        insertRow("HISTORIE_Aanpassing", {{"ID_HISTORIE", 0}, {"K", 0.75}});
        frmAdvies* w = open();
        type(w->txtAdvies[42], "0.5");
        const int oplossingLinks = w->lblAdvies[61]->x();

        w->cmdAdvies->click();
        QCOMPARE(tekst(w, 202), QString("0.75"));
        QCOMPARE(tekst(w, 42), QString("0.50")); // the typed adjustment stays beside it
        QVERIFY(w->lblAdvies[200]->x() > w->lblAdvies[40]->x());
        QVERIFY(w->lblAdvies[61]->x() > w->lblAdvies[202]->x());

        // Turned off, the first layout is back; turned on again, the kept adjustment is read anew.
        appState().dbT->execute("UPDATE HISTORIE_Aanpassing SET K = 2");
        w->cmdAdvies->click();
        QVERIFY(!w->lblAdvies.contains(200) && !w->lblAdvies.contains(202));
        QCOMPARE(w->lblAdvies[61]->x(), oplossingLinks);
        QCOMPARE(tekst(w, 42), QString("0.50"));
        w->cmdAdvies->click();
        QCOMPARE(tekst(w, 202), QString("2.00"));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void aStoredSetIsShownReadOnly()
    {
        AppState& s = appState();
        s.ID_HISTORIE = 5;
        instellingen(2, 1);
        ::Advies opgeslagen;
        opgeslagen.StreefGecorrigeerd.K = 7.5f;
        opgeslagen.AdviesAanpassing.K = 0.25f;
        opgeslagen.RecircEC = 0.8f;
        SaveAdvies(opgeslagen);

        frmAdvies* w = open();
        QCOMPARE(tekst(w, 122), QString("7.50"));
        QCOMPARE(tekst(w, 42), QString("0.25"));
        QCOMPARE(tekst(w, 1002), QString("0.80"));
        QVERIFY(!w->txtAdvies[42]->isEnabled() && !w->chkAdvies->isEnabled());
        w->chkAdvies->setChecked(true); // whatever reaches it, nothing is written
        w->chkAdvies_Click();
        QCOMPARE(instelling("ExtraBigBag"), qint16(0));

        press(w, 1);
        QVERIFY(!isOpen("frmAdvies"));
        QCOMPARE(adviesRijen(0).recordCount(), 0);
        QCOMPARE(adviesRijen(5).recordCount(), 6);
        QCOMPARE(s.AdviesAanpassing.Vlag, 0);
    }

    void anEngineErrorIsReportedAndNothingIsKept()
    {
        instellingen(0, 1);
        PutTeeltInstelling("AmoniumAanpassing", 3, InstellingMode::Number);
        appState().dbT->execute("DROP TABLE WATER");
        frmAdvies* w = open();
        QVERIFY(lastText().startsWith(GetLangStr(60900300) + "\n"));
        QCOMPARE(appState().StreefWaarden.K, 0.0f); // not half a run
        QCOMPARE(appState().AdviesAanpassing.Vlag, 0);

        press(w, 0);
        QCOMPARE(lastText(), GetLangStr(60900400));
        QVERIFY(isOpen("frmAdvies"));
        press(w, 1);
        QVERIFY(!isOpen("frmAdvies"));
        QCOMPARE(adviesRijen(0).recordCount(), 0);
        QCOMPARE(instelling("AmoniumAanpassing"), qint16(3));
    }

    void aFailedSaveKeepsTheStepAndTheStoredAdvice()
    {
        instellingen(0, 1);
        press(open(), 1);
        appState().dbT->execute("CREATE TRIGGER vol BEFORE INSERT ON HISTORIE_Advies WHEN NEW.Type = 120 "
                                "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        frmAdvies* w = open();
        type(w->txtAdvies[41], "0.5");
        press(w, 0);
        QVERIFY(lastText().startsWith(GetLangStr(60900500) + "\n"));
        QVERIFY(isOpen("frmAdvies"));
        RecordSet rs = adviesRijen(0);
        QCOMPARE(rs.recordCount(), 6);
        QVERIFY(rs.findFirst("Type", AdviesType::Aanpassing));
        QCOMPARE(rs.value("NH4").toFloat(), 0.0f);
    }
};

QTEST_MAIN(TestFrmAdvies)
#include "test_frmadvies.moc"
