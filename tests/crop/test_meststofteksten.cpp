// The composition texts of a fertiliser's row, worked by hand from the
// default reference data.
#include "appstate.h"
#include "elementen.h"
#include "meststofteksten.h"

#include <QtTest>

namespace {

MeststofGegevens meststof(qint16 prim0, qint16 prim1, std::initializer_list<std::pair<int, float>> inhoud)
{
    MeststofGegevens m;
    m.primElement0 = prim0;
    m.primElement1 = prim1;
    for (auto [positie, waarde] : inhoud)
        m.samenstelling[positie] = waarde;
    return m;
}

using Teksten = std::array<QString, 3>;

} // namespace

class TestMeststofTeksten : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { appState().UnitID = 0; }

    void primaryElementsComeFirstThenTheRestUpToThree()
    {
        // Potassium nitrate in the nitrate row: NO3 is PrimElement1, K PrimElement0.
        const auto kalisalpeter = meststof(2, 6, {{EP::pNO3, 9.891f}, {EP::pK, 9.891f}});
        QCOMPARE(SamenstellingTeksten(kalisalpeter), (Teksten{"K=9.9", "NO3=9.9", ""}));
        // Calcium nitrate: Ca, NO3, then the ammonium it carries; magnesium
        // added to it would be a fourth element, for which there is no room.
        const auto kalksalpeter =
            meststof(4, 6, {{EP::pNO3, 10.179f}, {EP::pNH4, 0.925f}, {EP::pCa, 4.627f}, {EP::pMg, 1}});
        QCOMPARE(SamenstellingTeksten(kalksalpeter), (Teksten{"Ca=4.6", "NO3=10.2", "NH4=0.9"}));
    }

    void phosphateOfASecondSourceShowsOnce()
    {
        // MAP is offered as phosphate (9) and as second phosphorus source (50).
        const auto map = meststof(9, 50, {{EP::pH2PO4, 8.694f}, {EP::pNH4, 8.694f}});
        QCOMPARE(SamenstellingTeksten(map), (Teksten{"H2PO4=8.7", "NH4=8.7", ""}));
        // Only a second source: its phosphate goes first, once.
        const auto bron = meststof(50, 0, {{EP::pH2PO4, 7.348f}, {EP::pK, 7.348f}});
        QCOMPARE(SamenstellingTeksten(bron), (Teksten{"H2PO4=7.3", "K=7.3", ""}));
    }

    void textsAreInTheDisplayUnit()
    {
        appState().UnitID = 1; // meq: magnesium and sulphate count twice
        const auto bitterzout = meststof(5, 8, {{EP::pSO4, 4.057f}, {EP::pMg, 4.057f}});
        QCOMPARE(SamenstellingTeksten(bitterzout), (Teksten{"Mg=8.1", "SO4=8.1", ""}));
        appState().UnitID = 2; // gram per kg
        QCOMPARE(SamenstellingTeksten(bitterzout), (Teksten{"Mg=98.6", "SO4=389.9", ""}));
    }

    void shareStandsBeforeTheName()
    {
        QCOMPARE(MeststofNaamTekst("MAP", 40), QString("40% MAP"));
        QCOMPARE(MeststofNaamTekst("MAP", 12.5f), QString("12.5% MAP"));
        QCOMPARE(MeststofNaamTekst("MAP", 0), QString("MAP"));
    }
};

QTEST_MAIN(TestMeststofTeksten)
#include "test_meststofteksten.moc"
