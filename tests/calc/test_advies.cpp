// The calculation inputs and the advice chain, on worked examples whose
// figures were worked out by hand from the rules of the chain.
#include "advies.h"
#include "calcfixture.h"
#include "invoer.h"
#include "mdlzelvoracalc.h"

#include <QtTest>

using namespace CalcFixture;

namespace {

// A balanced standard solution (cations and anions both 20).
const QVariantMap kStandaard{{"NH4", 1}, {"K", 7},     {"Ca", 4},   {"Mg", 2},  {"NO3", 14.5}, {"Cl", 0.5},
                             {"SO4", 2}, {"H2PO4", 1}, {"Si", 0.5}, {"Fe", 15}, {"Mn", 10},    {"Zn", 5},
                             {"B", 30},  {"Cu", 0.75}, {"Mo", 0.5}, {"Ec", 2}};

// The standard solution with stage 2: K and NO3 raised by 1, Fe by 5.
const Waarden kMetStadium = {{P::pNH4, 1},  {P::pK, 8},   {P::pCa, 4},    {P::pMg, 2},    {P::pNO3, 15.5},
                             {P::pCl, 0.5}, {P::pSO4, 2}, {P::pH2PO4, 1}, {P::pSi, 0.5},  {P::pFe, 20},
                             {P::pMn, 10},  {P::pZn, 5},  {P::pB, 30},    {P::pCu, 0.75}, {P::pMo, 0.5}};

bool isBalanced(const ElementVector& v)
{
    return near(v.NH4 + v.K + 2 * v.Ca + 2 * v.Mg, v.NO3 + v.Cl + 2 * v.SO4 + v.H2PO4);
}

} // namespace

class TestAdvies : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    ElementVector m_t0, m_aanpassing, m_t1, m_advies, m_resultaat;
    WaterRecord m_waterDeel, m_drainDeel;
    BerekenInstellingen m_instellingen;

    Database& h() { return *appState().dbH; }
    Database& t() { return *appState().dbT; }

    void gewas(qint16 code, const QVariantMap& oplossing)
    {
        insertRow(h(), "TEELT_StdVOplossing", with(oplossing, {{"Code_Teelt", code}}));
    }

    void water(qint16 bron, float perc, const QVariantMap& analyse)
    {
        insertRow(t(), "WATER",
                  with(analyse, {{"ID_ALG_Tuinder", appState().ID_ALG_Tuinder}, {"Type", bron}, {"Perc", perc}}));
    }

    void reken()
    {
        LaadBerekeningInvoer(m_t0, m_aanpassing, m_t1, m_advies, m_waterDeel, m_drainDeel, m_resultaat, m_instellingen);
    }

private slots:
    void init()
    {
        m_dir = openDefaultState();
        gewas(901, kStandaard);
        insertRow(h(), "TEELT_Stadium", {{"Code_TEELT", 901}, {"Code", 1}, {"K", 9}});
        insertRow(h(), "TEELT_Stadium", {{"Code_TEELT", 901}, {"Code", 2}, {"K", 1}, {"NO3", 1}, {"Fe", 5}});
        insertRow(h(), "TEELT_Stadium", {{"Code_TEELT", 901}, {"Code", 3}, {"NH4", 0.5}, {"NO3", 0.5}});
        m_t0 = m_aanpassing = m_t1 = m_advies = m_resultaat = ElementVector();
        m_waterDeel = m_drainDeel = WaterRecord();
        m_instellingen = BerekenInstellingen();
        m_instellingen.Code_Teelt = 901;
        m_instellingen.Code_Teeltstadium = 2;
        m_instellingen.Aanpassing = 1;
        m_instellingen.WaterInputType = 1;
    }

    void cleanup()
    {
        resetAppState();
        m_dir.reset();
    }

    void freeDrainageWithoutWater()
    {
        reken();
        QCOMPARE_ELEMENTS(m_t0, kMetStadium);
        QCOMPARE(m_t0.EC, 2.0f);
        QCOMPARE_ELEMENTS(m_t1, kMetStadium);
        QCOMPARE_ELEMENTS(m_advies, kMetStadium);
        QCOMPARE_ELEMENTS(m_resultaat, kMetStadium);
        QCOMPARE_ELEMENTS(m_resultaat, {{P::pH, 0}, {P::pHCO3, 0}, {P::pEC, 0}}); // EC 0: the standard EC
        QCOMPARE(SomKationen(m_resultaat), SomAnionen(m_resultaat));
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            QVERIFY(m_waterDeel.Elementen[p] == 0 && m_drainDeel.Elementen[p] == 0);
        QCOMPARE(m_instellingen.AmoniumAanpassing, qint16(0));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void oneWaterSource()
    {
        // Balanced once 0.5 HCO3 is taken off; Na is dropped since the advice has none,
        // Si 0.1 falls away with the 0.2 deduction.
        water(1, 100,
              {{"K", 1}, {"Ca", 1}, {"Mg", 0.5}, {"Cl", 1}, {"SO4", 0.5}, {"HCO3", 2.5}, {"Na", 1}, {"Si", 0.1}});
        reken();
        QCOMPARE_ELEMENTS(
            m_waterDeel.Elementen,
            {{P::pK, 1}, {P::pNa, 0}, {P::pSi, 0}, {P::pHCO3, -2}, {P::pH, -2}, {P::pKationSom, 2}, {P::pAnionSom, 2}});
        // The water's bicarbonate becomes acid to be dosed.
        QCOMPARE_ELEMENTS(m_resultaat, {{P::pNH4, 1},
                                        {P::pK, 7},
                                        {P::pCa, 3},
                                        {P::pMg, 1.5},
                                        {P::pCl, -0.5},
                                        {P::pSO4, 1.5},
                                        {P::pH2PO4, 1},
                                        {P::pSi, 0.5},
                                        {P::pH, 2},
                                        {P::pNO3, 15.5},
                                        {P::pFe, 20},
                                        {P::pMo, 0.5}});
        QCOMPARE(SomKationen(m_resultaat), SomAnionen(m_resultaat));
    }

    void threeWaterSources_data()
    {
        QTest::addColumn<qint16>("inputType");
        QTest::addColumn<QList<double>>("verwacht"); // NH4 K Ca Mg NO3 Cl SO4 H2PO4 Si H

        // Full analysis: the water part is rebalanced (m = 4.75 from C 4.4, A 5.1)
        // and then subtracted as it is.
        QTest::newRow("balanced") << qint16(1) << QList<double>{1,         6.704545, 2.596591, 1.676136, 14.568627,
                                                                -0.338235, 1.534314, 1,        0.46,     2.04902};
        // Quick entry: the water part stays unbalanced (C 1.7, A 2.9 with H = −2.7), so the
        // remainder is brought back to the advice's sums, cations × 21/19.3, anions × 21/18.1.
        QTest::newRow("unbalanced") << qint16(0) << QList<double>{1.088083,  7.398964, 2.937824, 1.849741, 16.823204,
                                                                  -0.464088, 1.740331, 1.160221, 0.46,     2.937824};
    }

    void threeWaterSources()
    {
        QFETCH(qint16, inputType);
        QFETCH(QList<double>, verwacht);
        // Mixed: K 1.2, Ca 1.3, Mg 0.3, NO3 1, SO4 0.5, HCO3 2.7, Cl 0.9, Si 0.24 − 0.2.
        water(1, 50, {{"K", 2}, {"Ca", 2}, {"NO3", 2}, {"SO4", 1}, {"HCO3", 3}, {"Cl", 1}});
        water(2, 30, {{"Ca", 1}, {"Mg", 1}, {"HCO3", 4}});
        water(3, 20, {{"K", 1}, {"Na", 2}, {"Cl", 2}, {"Si", 1.2}});
        m_instellingen.WaterInputType = inputType;
        reken();
        const int posities[] = {P::pNH4, P::pK, P::pCa, P::pMg, P::pNO3, P::pCl, P::pSO4, P::pH2PO4, P::pSi, P::pH};
        for (int i = 0; i < verwacht.size(); ++i)
            QCOMPARE_NEAR(m_resultaat[posities[i]], verwacht[i]);
        QCOMPARE_ELEMENTS(m_resultaat, {{P::pFe, 20}, {P::pNa, 0}});
        QCOMPARE_NEAR(SomKationen(m_resultaat), SomAnionen(m_resultaat));
        if (inputType == 1)
            QCOMPARE_NEAR(m_waterDeel.Elementen.KationSom, m_waterDeel.Elementen.AnionSom);
    }

    void recirculatingWithDrainAndLimits()
    {
        gewas(902, kStandaard);
        insertRow(h(), "TEELT_Streef", {{"Code_teelt", 902}, {"EC", 2.5}});
        // Limits at EC 2.5; the drain's ratio is (5.2 − 0.1·Na) / 2.5 = 2.
        const QVariantMap grenzen[5] = {
            {{"K", 3}, {"Ca", 2}, {"Mg", 0.5}, {"NO3", 5}, {"SO4", 2}, {"H2PO4", 0.25}, {"Fe", 10}, {"Mn", 2}},
            {{"K", 4}, {"Mg", 0.75}, {"NO3", 7}, {"H2PO4", 0.5}, {"Fe", 20}},
            {{"NO3", 9}},
            {{"Ca", 2.5}, {"NO3", 12}},
            {{"K", 100}},
        };
        const QVariantMap aanpassingen[5] = {
            {{"K", 1},
             {"Ca", -0.25},
             {"Mg", 1},
             {"NO3", 1},
             {"SO4", 0.5},
             {"H2PO4", 1},
             {"Fe", 50},
             {"Mn", 50},
             {"Zn", 10},
             {"B", 10},
             {"Cu", 10},
             {"Mo", 10}},
            {{"K", 0.5}, {"Ca", 1}, {"Mg", 0.5}, {"NO3", 0.5}, {"SO4", 1}, {"H2PO4", 0.25}, {"Fe", 20}, {"Mn", 30}},
            {{"NO3", 0.25}},
            {{"K", -1}, {"Ca", -1}, {"Mg", 0.25}, {"NO3", -1}, {"SO4", -1}, {"H2PO4", -1}, {"Fe", -10}, {"Mn", 10}},
            {{"K", -2}, {"Ca", 0.75}, {"Mg", -2}, {"NO3", -2}, {"Mn", -50}},
        };
        for (int band = 1; band <= 5; ++band) {
            const QVariantMap sleutel{{"Code_TEELT", 902}, {"GrensCode", band}};
            insertRow(h(), "TEELT_Grenzen", with(grenzen[band - 1], sleutel));
            insertRow(h(), "TEELT_GrensAanpassing", with(aanpassingen[band - 1], sleutel));
        }
        insertRow(h(), "TEELT_KCAFactor",
                  {{"Code_TEELT", 902},
                   {"Factor", 1.5},
                   {"KMin", 5},
                   {"KMax", 10},
                   {"CaMin", 2},
                   {"CaMax", 6},
                   {"K", -0.5},
                   {"Ca", 0.5}});
        insertRow(h(), "TEELT_NH4Aanpassing", {{"Code_TEELT", 902}, {"Class6", 0.5}, {"Class7", 9}, {"Class8", 9}});
        water(1, 100, {{"K", 1}, {"Ca", 1}, {"Mg", 0.5}, {"Cl", 1}, {"SO4", 0.5}, {"HCO3", 2.5}, {"Na", 1}});

        WaterRecord& drain = appState().DrainAnalyse;
        drain.Elementen = vector({{P::pNH4, 0.3},
                                  {P::pK, 7},
                                  {P::pNa, 2},
                                  {P::pCa, 6},
                                  {P::pMg, 2},
                                  {P::pNO3, 20},
                                  {P::pCl, 1.5},
                                  {P::pSO4, 3},
                                  {P::pH2PO4, 0.8},
                                  {P::pHCO3, 0.3},
                                  {P::pFe, 30},
                                  {P::pMn, 5},
                                  {P::pEC, 5.2}});
        drain.Ph = 6.8f;
        drain.RecircEC = 1.3f;

        m_instellingen.Code_Teelt = 902;
        m_instellingen.Code_Teeltstadium = 0;
        m_instellingen.Teeltsysteem = 2;
        m_instellingen.Aanpassing = 0;
        m_aanpassing.Mn = 7;    // an earlier run's value does not survive
        m_aanpassing.Na = 0.5f; // not an adjusted element: kept
        reken();

        // Bands: K 2 (8 ≥ 7), Ca 5 (no limit), Mg 4 (no limit), NO3 4 (24 ≥ 20), Cl 4, SO4 1,
        // H2PO4 2, Si 1 (0 ≤ 0), Fe 2 (20 % of 15), Mn 4 (10 % of 10), Zn, B, Cu, Mo 1 (10 %);
        // then K/Ca: 7.5 / 4.75 > 1.5 within the bounds adds K −0.5 and Ca 0.5.
        QCOMPARE_ELEMENTS(m_aanpassing, {{P::pK, 0},
                                         {P::pCa, 1.25},
                                         {P::pMg, 0.25},
                                         {P::pNO3, -1},
                                         {P::pCl, 0},
                                         {P::pSO4, 0.5},
                                         {P::pH2PO4, 0.25},
                                         {P::pSi, 0},
                                         {P::pFe, 3},
                                         {P::pMn, 1},
                                         {P::pZn, 0.5},
                                         {P::pB, 3},
                                         {P::pCu, 0.075},
                                         {P::pMo, 0.05},
                                         {P::pNH4, 0},
                                         {P::pNa, 0.5}});
        // Adjusted with kept totals (fc = 19/22, fa = 18.75/19), then class 6 adds 0.5 NH4 and NO3.
        QCOMPARE(m_instellingen.AmoniumAanpassing, qint16(6));
        QCOMPARE_ELEMENTS(m_t1, {{P::pNH4, 1.5},
                                 {P::pK, 6.045455},
                                 {P::pCa, 4.534091},
                                 {P::pNO3, 13.822368},
                                 {P::pSO4, 2.467105},
                                 {P::pFe, 18}});
        // A quarter of the supply is drain water: 1.3 / 5.2. Its HCO3 0.075 − 0.125 stops at 0.
        QCOMPARE(drain.Perc, 25.0f);
        QCOMPARE_ELEMENTS(m_drainDeel.Elementen, {{P::pK, 1.937768}, {P::pHCO3, 0}});
        QCOMPARE_NEAR(m_drainDeel.Elementen.KationSom, m_drainDeel.Elementen.AnionSom);
        QCOMPARE_ELEMENTS(m_waterDeel.Elementen, {{P::pK, 0.75}, {P::pH, -1.5}});

        QCOMPARE_ELEMENTS(m_resultaat, {{P::pNH4, 1.416953},
                                        {P::pK, 3.357686},
                                        {P::pCa, 2.123147},
                                        {P::pMg, 1.014534},
                                        {P::pNO3, 9.264065},
                                        {P::pCl, -0.598452},
                                        {P::pSO4, 1.40836},
                                        {P::pH2PO4, 1.067668},
                                        {P::pSi, 0.5},
                                        {P::pH, 1.5},
                                        {P::pFe, 10.5},
                                        {P::pMn, 9.75},
                                        {P::pZn, 5.5},
                                        {P::pB, 33},
                                        {P::pCu, 0.825},
                                        {P::pMo, 0.55}});
        QCOMPARE_NEAR(SomKationen(m_resultaat), SomAnionen(m_resultaat));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void ecModes_data()
    {
        QTest::addColumn<qint16>("mode");
        QTest::addColumn<float>("ec");
        QTest::addColumn<QList<double>>("verwacht"); // NH4 K Ca Mg NO3 Cl SO4 H2PO4

        // Stage 3: NH4 1.5, K 7, Ca 4, Mg 2, NO3 15, Cl 0.5, SO4 2, H2PO4 1 at EC 2; k = 2.5 / 2.
        const QList<double> alles{1.875, 8.75, 5, 2.5, 18.75, 0.625, 2.5, 1.25};
        QTest::newRow("0 scales all") << qint16(0) << 2.5f << alles;
        // NH4 kept: d = 23.75 + 1.5 − 25.625 = −0.375 moves K, Ca and Mg.
        QTest::newRow("1 keeps NH4") << qint16(1) << 2.5f
                                     << QList<double>{1.5, 8.888158, 5.078947, 2.539474, 18.75, 0.625, 2.5, 1.25};
        // H2PO4 kept: d = 25.625 − 24.375 − 1 = 0.25 moves NO3, Cl and SO4.
        QTest::newRow("2 keeps H2PO4") << qint16(2) << 2.5f
                                       << QList<double>{1.875, 8.75, 5, 2.5, 18.942308, 0.631410, 2.525641, 1};
        // Both kept: d = 23.75 − 24.375 + 1.5 − 1 = −0.125 over both sides (divisor 48.125).
        QTest::newRow("3 keeps both") << qint16(3) << 2.5f << QList<double>{1.5,       8.772727, 5.012987, 2.506494,
                                                                            18.701299, 0.623377, 2.493506, 1};
        // A lowered EC scales NH4 after all: mode 1 acts as 0 and mode 3 as 2.
        QTest::newRow("1 lowered") << qint16(1) << 1.5f << QList<double>{1.125, 5.25, 3, 1.5, 11.25, 0.375, 1.5, 0.75};
        // k = 0.75; d = 15.375 − 14.625 − 1 = −0.25 over NO3, Cl and SO4 (divisor 14.625).
        QTest::newRow("3 lowered") << qint16(3) << 1.5f
                                   << QList<double>{1.125, 5.25, 3, 1.5, 11.057692, 0.368590, 1.474359, 1};
        QTest::newRow("unknown mode as 0") << qint16(7) << 2.5f << alles;
    }

    void ecModes()
    {
        QFETCH(qint16, mode);
        QFETCH(float, ec);
        QFETCH(QList<double>, verwacht);
        m_instellingen.Code_Teeltstadium = 3;
        m_instellingen.ECVerhoging = mode;
        m_advies.NH4 = 99; // a previous advice must not shine through
        m_advies.H2PO4 = 99;
        m_advies.EC = ec;
        reken();
        const int posities[] = {P::pNH4, P::pK, P::pCa, P::pMg, P::pNO3, P::pCl, P::pSO4, P::pH2PO4};
        for (int i = 0; i < verwacht.size(); ++i)
            QCOMPARE_NEAR(m_advies[posities[i]], verwacht[i]);
        QVERIFY(isBalanced(m_advies));
        QCOMPARE_ELEMENTS(m_advies, {{P::pFe, 15}, {P::pSi, 0.5}}); // not scaled
        QCOMPARE(m_resultaat.EC, ec);
        QCOMPARE_NEAR(m_resultaat.NO3, m_advies.NO3);
    }

    void automaticAdjustmentIsNotAddedTwice()
    {
        // A K/Ca rule but no limits: every recompute starts from the engine's own zero.
        insertRow(h(), "TEELT_KCAFactor",
                  {{"Code_TEELT", 901}, {"Factor", 1.5}, {"KMax", 20}, {"CaMax", 20}, {"K", -0.5}, {"Ca", 0.25}});
        m_instellingen.Aanpassing = 0;
        m_aanpassing.NH4 = 0.25f; // not the engine's: kept as typed
        for (int run = 0; run < 3; ++run) {
            reken();
            QCOMPARE_ELEMENTS(m_aanpassing, {{P::pK, -0.5}, {P::pCa, 0.25}, {P::pNH4, 0.25}});
        }
        // Typed adjustments (mode 1) are left exactly as they are.
        m_instellingen.Aanpassing = 1;
        m_aanpassing.K = 2;
        reken();
        QCOMPARE_ELEMENTS(m_aanpassing, {{P::pK, 2}, {P::pCa, 0.25}});
        QCOMPARE(m_instellingen.AmoniumAanpassing, qint16(0));
    }

    void kCaRuleNeedsCalciumAndAFactor()
    {
        gewas(903, {{"K", 7}, {"NO3", 7}, {"Ec", 1}}); // no calcium at all
        insertRow(h(), "TEELT_KCAFactor",
                  {{"Code_TEELT", 903}, {"Factor", 1}, {"KMax", 99}, {"CaMin", -99}, {"CaMax", 99}, {"K", 1}});
        insertRow(h(), "TEELT_KCAFactor", {{"Code_TEELT", 901}, {"KMax", 99}, {"CaMax", 99}, {"K", 1}}); // no Factor
        m_instellingen.Aanpassing = 0;
        for (qint16 crop : {903, 901}) {
            m_instellingen.Code_Teelt = crop;
            reken();
            QCOMPARE(m_aanpassing.K, 0.0f);
            QVERIFY(!std::isnan(m_resultaat.K));
        }
    }

    void drainWithoutAnions()
    {
        // Potassium alone in the standard solution, the water and the drain: the drain part
        // cannot be balanced (message), and the anion side of the remainder has nothing to
        // scale, so it stays unscaled instead of dividing 0 by 0.
        gewas(904, {{"K", 2}});
        water(1, 100, {{"K", 1}});
        WaterRecord& drain = appState().DrainAnalyse;
        drain.Elementen = vector({{P::pK, 4}, {P::pEC, 2}});
        drain.RecircEC = 1;
        m_instellingen.Code_Teelt = 904;
        m_instellingen.Code_Teeltstadium = 0;
        m_instellingen.Teeltsysteem = 2;
        m_instellingen.WaterInputType = 0;
        reken();
        QCOMPARE(m_t0.EC, 0.1f); // no EC stored: estimated from the ion sum
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000046));
        QCOMPARE(MessageBox::last().style, int(MsgBox::OkOnly));
        QCOMPARE(m_drainDeel.Elementen.K, 2.0f); // left as it was
        // O − Wp − Dp = K −1, scaled back to O's cation sum 2.
        QCOMPARE_ELEMENTS(m_resultaat, {{P::pK, 2}, {P::pNO3, 2}});
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            QVERIFY(std::isfinite(m_resultaat[p]));
    }

    void loaderEdgeCases()
    {
        BerekenInstellingen s;
        s.Code_Teelt = 901;
        s.Code_Teeltstadium = 9; // no such stage
        ElementVector v = vector({{P::pNa, 3}, {P::pH, 4}});
        LaadStdVOplossing(v, s);
        LaadStadiumCorrectie(v, s);
        QCOMPARE_ELEMENTS(v, {{P::pK, 7}, {P::pNO3, 14.5}, {P::pNa, 3}, {P::pH, 4}}); // Na, H: not its columns

        s.Code_Teelt = 999; // no such crop: all zero
        LaadStdVOplossing(v, s);
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            QCOMPARE(v[p], 0.0f);

        // A reference EC of 0 makes every scaled limit 0: bands 1 to 3 catch only values of
        // 0 or less, the first of bands 4 and 5 that the crop has catches the rest.
        gewas(905, kStandaard);
        insertRow(h(), "TEELT_Streef", {{"Code_teelt", 905}, {"EC", 0}});
        for (int band : {1, 4, 5}) {
            const QVariantMap sleutel{{"Code_TEELT", 905}, {"GrensCode", band}};
            insertRow(h(), "TEELT_Grenzen", with(sleutel, {{"K", 5}, {"Mg", 5}}));
            insertRow(h(), "TEELT_GrensAanpassing", with(sleutel, {{"K", band}, {"Mg", band}, {"Fe", 20}}));
        }
        WaterRecord drain;
        drain.Elementen = vector({{P::pK, 3}, {P::pMg, -1}, {P::pEC, 3}});
        const ElementVector streef = vector({{P::pFe, 15}});
        ElementVector a;
        s.Code_Teelt = 905;
        LaadGrenzen(streef, drain, a, s);
        QCOMPARE_ELEMENTS(a, {{P::pK, 4}, {P::pMg, 1}, {P::pFe, 3}}); // Fe: 20 % of 15 from band 1

        s.Aanpassing = 2;
        a = vector({{P::pK, 8}});
        LaadGrenzen(streef, drain, a, s);
        QCOMPARE(a.K, 8.0f);

        // The sources are weighted, not normalised to their total.
        water(1, 60, {{"K", 1}, {"Si", 0.1}});
        water(2, 30, {{"K", 2}, {"HCO3", 2}});
        water(3, 0, {{"K", 50}});
        WaterRecord w;
        w.Elementen.Fe = 9;
        LaadWaterAnalyse(w);
        QCOMPARE_ELEMENTS(w.Elementen, {{P::pK, 1.2}, {P::pSi, 0}, {P::pFe, 0}, {P::pEC, (1.2 + 0.6) / 20}});
    }

    void ammoniumClasses_data()
    {
        QTest::addColumn<float>("nh4");
        QTest::addColumn<float>("hco3");
        QTest::addColumn<float>("ph");
        QTest::addColumn<int>("klasse");
        QTest::newRow("high bicarbonate") << 0.3f << 2.0f << 6.8f << 8;
        QTest::newRow("bicarbonate exactly 1") << 0.3f << 1.0f << 6.8f << 0;
        QTest::newRow("pH 7.5") << 0.3f << 2.0f << 7.5f << 0;
        QTest::newRow("pH between cells") << 0.3f << 0.2f << 5.5f << 0;
        QTest::newRow("negative values in the lowest band") << -1.0f << -1.0f << 4.0f << 1;
        QTest::newRow("NH4 band C, high HCO3") << 1.0f << 1.5f << 6.0f << 2;
        QTest::newRow("NH4 band D, medium HCO3") << 1.9f << 0.7f << 7.0f << 4;
        QTest::newRow("NH4 of 2") << 2.0f << 0.0f << 5.0f << 0;
        QTest::newRow("no drain analysis") << 0.0f << 0.0f << 0.0f << 0;
    }

    void ammoniumClasses()
    {
        QFETCH(float, nh4);
        QFETCH(float, hco3);
        QFETCH(float, ph);
        QFETCH(int, klasse);
        QCOMPARE(int(AmmoniumKlasse(nh4, hco3, ph)), klasse);
    }

    void storedAdjustment()
    {
        Database& db = t();
        auto rows = [&](int set) {
            return db.openRecordset("SELECT count(*) FROM HISTORIE_Aanpassing WHERE ID_HISTORIE = ?", {set})
                .value(0)
                .toInt();
        };
        ElementVector v = vector({{P::pK, 1.5}, {P::pHCO3, 0.5}, {P::pEC, 2.25}});
        v.Vlag = 1;
        HistorieAanpassing(AanpassingMode::Bewaren, v);
        v.K = 2.5f;
        HistorieAanpassing(AanpassingMode::Bewaren, v); // replaces the row
        QCOMPARE(rows(0), 1);
        ElementVector gelezen;
        gelezen.Vlag = 7;
        HistorieAanpassing(AanpassingMode::Laden, gelezen);
        QCOMPARE_ELEMENTS(gelezen, {{P::pK, 2.5}, {P::pHCO3, 0.5}, {P::pEC, 2.25}});
        QCOMPARE(gelezen.Vlag, 7);

        // A stored history set is not written, and without its own row nothing is read.
        insertRow(db, "HISTORIE_Aanpassing",
                  {{"ID_ALG_Tuinder", appState().ID_ALG_Tuinder}, {"ID_HISTORIE", 5}, {"K", 9}});
        appState().ID_HISTORIE = 5;
        v.K = 4;
        HistorieAanpassing(AanpassingMode::Bewaren, v);
        QVERIFY(rows(5) == 1 && rows(0) == 1);
        HistorieAanpassing(AanpassingMode::Laden, gelezen);
        QCOMPARE(gelezen.K, 9.0f);
        appState().ID_HISTORIE = 6;
        HistorieAanpassing(AanpassingMode::Laden, gelezen);
        QCOMPARE(gelezen.K, 9.0f);

        // A failing insert leaves the stored row in place.
        appState().ID_HISTORIE = 0;
        db.execute("CREATE TRIGGER weiger BEFORE INSERT ON HISTORIE_Aanpassing BEGIN SELECT RAISE(ABORT, "
                   "'nee'); END");
        QVERIFY_THROWS_EXCEPTION(AppError, HistorieAanpassing(AanpassingMode::Bewaren, v));
        HistorieAanpassing(AanpassingMode::Laden, gelezen);
        QCOMPARE(gelezen.K, 2.5f);
    }

    void fertiliserComposition()
    {
        insertRow(h(), "MEST", {{"Code", 95}, {"Lang0", "Mono-ammoniumfosfaat"}});
        insertRow(h(), "MEST_Meststof",
                  {{"Code_MEST", 95},
                   {"H2PO4", 8.694},
                   {"NH4", 8.694},
                   {"KGl", 1},
                   {"PrimElement0", 9},
                   {"PrimElement1", 50}});
        RecordSet rs = h().openRecordset("SELECT MEST.Lang0, MEST_Meststof.* FROM MEST INNER JOIN MEST_Meststof "
                                         "ON MEST.Code = MEST_Meststof.Code_MEST");
        MeststofRecord r;
        r.Hoeveelheid = 3;
        r.Bak = 2;
        LeesMeststofSamenstelling(rs, r, 95, 50);
        QCOMPARE(r.Code_MEST, qint16(95));
        QCOMPARE(r.Naam, QString("Mono-ammoniumfosfaat"));
        QCOMPARE(r.PrimElement0, qint16(50)); // the wanted element first
        QCOMPARE(r.PrimElement1, qint16(9));
        QCOMPARE_ELEMENTS(r.Samenstelling, {{P::pH2PO4, 8.694}, {P::pNH4, 8.694}});
        QVERIFY(r.KGl == 1 && r.Bak == 0 && r.Hoeveelheid == 3);

        LeesMeststofSamenstelling(rs, r, 77, 9);
        QCOMPARE(r.Code_MEST, qint16(0));
        QCOMPARE(r.Naam, QString("Mono-ammoniumfosfaat")); // nothing else is touched
    }
};

QTEST_GUILESS_MAIN(TestAdvies)
#include "test_advies.moc"
