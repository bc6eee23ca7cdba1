// The calculation engine on the default databases: one advice chain for the
// default tomato crop, with the grower's water and drain analysis added, and
// the stock-tank recipe for it with and without big bags, with the grower's
// fertiliser choice and blends added.
#include "advies.h"
#include "appstate.h"
#include "benchutil.h"
#include "defaultstate.h"
#include "recept.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QCoreApplication>

namespace {

void addGrowerAnalyses()
{
    Database& t = growerDb();
    const qint32 tuinder = appState().ID_ALG_Tuinder;
    t.execute("INSERT INTO WATER (ID_ALG_Tuinder, ID_HISTORIE, Type, Perc, K, Ca, Mg, Na, Cl, SO4, HCO3, Si) "
              "VALUES (?, 0, 1, 70, 0.1, 1.2, 0.4, 0.8, 0.9, 0.3, 2.1, 0.3)",
              {tuinder});
    t.execute("INSERT INTO WATER (ID_ALG_Tuinder, ID_HISTORIE, Type, Perc, Na, Cl, HCO3) "
              "VALUES (?, 0, 2, 30, 0.1, 0.1, 0.1)",
              {tuinder});
    WaterRecord& drain = appState().DrainAnalyse;
    drain.Elementen.NH4 = 0.3f;
    drain.Elementen.K = 8;
    drain.Elementen.Na = 3;
    drain.Elementen.Ca = 6;
    drain.Elementen.Mg = 3;
    drain.Elementen.NO3 = 20;
    drain.Elementen.Cl = 2;
    drain.Elementen.SO4 = 4;
    drain.Elementen.H2PO4 = 0.8f;
    drain.Elementen.HCO3 = 0.6f;
    drain.Elementen.Fe = 20;
    drain.Elementen.EC = 3.2f;
    drain.Ph = 6.2f;
    drain.RecircEC = 1.0f;
}

void addGrowerChoice()
{
    Database& t = growerDb();
    const qint32 tuinder = appState().ID_ALG_Tuinder;
    TestSupport::insertWorkingSetRow("MEST_Selectie", TestSupport::tomatoChoice());
    t.execute("INSERT INTO HISTORIE_ExtraBigbag (ID_ALG_Tuinder, ID_HISTORIE, \"Index\", Nr, Naam, Bak, Kg, "
              "Kgl, liter) "
              "VALUES (?, 0, 1, 1, 'Kalksalpeter', 1, 20, 1, 0), (?, 0, 2, 3, 'Kalisalpeter', 1, 10, 1, 0)",
              {tuinder, tuinder});
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto dir = TestSupport::openDefaultState();
    addGrowerAnalyses();

    BerekenInstellingen instellingen;
    instellingen.Code_Teelt = 1;
    instellingen.Teeltsysteem = 2;
    instellingen.WaterInputType = 1;
    ElementVector aanpassing, aangepast, advies;
    WaterRecord waterDeel, drainDeel;
    AppState& s = appState();
    report("LaadBerekeningInvoer, recirculating (median of 500)",
           medianMs(500,
                    [&] {
                        LaadBerekeningInvoer(s.StreefWaarden, aanpassing, aangepast, advies, waterDeel, drainDeel,
                                             s.StreefGecorrigeerd, instellingen);
                    }),
           "< 1 ms");

    addGrowerChoice();
    MeststofLijst lijst;
    ElementVector ecDoel, bakDoel, resultaat;
    auto recept = [&](qint16 extraBigBag) {
        BerekenInstellingen r;
        r.BakGrootte = 1000;
        r.Concentratie = 100;
        r.ExtraBigBag = extraBigBag;
        BerekenMeststoffen(s.StreefWaarden, s.StreefGecorrigeerd, ecDoel, bakDoel, lijst, resultaat, r);
    };
    report("BerekenMeststoffen, no big bags (median of 200)", medianMs(200, [&] { recept(0); }), "< 5 ms");
    report("BerekenMeststoffen, big bags (median of 50)", medianMs(50, [&] { recept(1); }), "< 50 ms");
    return 0;
}
