// The arithmetic of the water and drain windows, without widgets.
#include "watermix.h"

#include <QtTest>

namespace {

WaterRecord source(float perc, std::initializer_list<std::pair<int, float>> values)
{
    WaterRecord w;
    w.Perc = perc;
    for (const auto& [p, x] : values)
        w.Elementen[p] = x;
    return w;
}

using E = ElementVector;

} // namespace

class TestWaterMix : public QObject {
    Q_OBJECT

private slots:
    void threeSourcesMixByTheirShares()
    {
        WaterRecords water;
        water[1] = source(50, {{E::pK, 2},
                               {E::pCa, 3},
                               {E::pMg, 1},
                               {E::pNO3, 4},
                               {E::pSO4, 2},
                               {E::pHCO3, 2},
                               {E::pSi, 0.6f},
                               {E::pNa, 1},
                               {E::pFe, 4}});
        water[2] = source(30, {{E::pK, 1}, {E::pCa, 1}, {E::pNO3, 3}, {E::pHCO3, 1}, {E::pCl, 1}, {E::pFe, 6}});
        water[3] = source(20, {{E::pNH4, 1}, {E::pMg, 2}, {E::pSO4, 1}, {E::pH2PO4, 1}, {E::pFe, 10}});
        water[0].Elementen.Mo = 7; // whatever the mix held before is replaced
        BerekenMengwater(water, WaterInvoer::Volledig);

        const E& m = water[0].Elementen;
        QCOMPARE(water[0].Perc, 100.0f);
        QCOMPARE(m.NH4, 0.2f);
        QCOMPARE(m.K, 1.3f);
        QCOMPARE(m.Na, 0.5f);
        QCOMPARE(m.Ca, 1.8f);
        QCOMPARE(m.Mg, 0.9f);
        QCOMPARE(m.NO3, 2.9f);
        QCOMPARE(m.Cl, 0.3f);
        QCOMPARE(m.SO4, 1.2f);
        QCOMPARE(m.H2PO4, 0.2f);
        QCOMPARE(m.HCO3, 0.8f); // 1.3 less the 0.5 of the buffer
        QCOMPARE(m.Si, 0.1f);   // 0.3 less 0.2
        QCOMPARE(m.Fe, 5.8f);
        QCOMPARE(m.Mo, 0.0f);
        QVERIFY(IsTotaal100(water));

        // Quick entry keeps the whole HCO3.
        BerekenMengwater(water, WaterInvoer::Snel);
        QCOMPARE(water[0].Elementen.HCO3, 1.3f);
    }

    void sharesAreNotNormalised()
    {
        WaterRecords water;
        water[1] = source(80, {{E::pK, 2}});
        water[2] = source(0, {{E::pK, 100}, {E::pCa, 100}}); // no share: contributes nothing
        BerekenMengwater(water, WaterInvoer::Volledig);
        QCOMPARE(water[0].Perc, 80.0f);
        QCOMPARE(water[0].Elementen.K, 1.6f);
        QCOMPARE(water[0].Elementen.Ca, 0.0f);
        QVERIFY(!IsTotaal100(water));
    }

    void correctionsNeverGoBelowZero_data()
    {
        QTest::addColumn<float>("hco3");
        QTest::addColumn<float>("si");
        QTest::addColumn<float>("mixHco3");
        QTest::addColumn<float>("mixSi");
        QTest::newRow("below the buffer") << 0.3f << 0.1f << 0.0f << 0.0f;
        QTest::newRow("above the buffer") << 0.8f << 0.5f << 0.3f << 0.3f;
        QTest::newRow("exactly the buffer") << 0.5f << 0.2f << 0.0f << 0.0f;
    }

    void correctionsNeverGoBelowZero()
    {
        QFETCH(float, hco3);
        QFETCH(float, si);
        QFETCH(float, mixHco3);
        QFETCH(float, mixSi);
        WaterRecords water;
        water[1] = source(100, {{E::pHCO3, hco3}, {E::pSi, si}});
        BerekenMengwater(water, WaterInvoer::Volledig);
        QCOMPARE(water[0].Elementen.HCO3, mixHco3);
        QCOMPARE(water[0].Elementen.Si, mixSi);
        QVERIFY(water[0].Elementen.HCO3 >= 0 && water[0].Elementen.Si >= 0);
    }

    void sharesTotal100_data()
    {
        QTest::addColumn<QList<float>>("shares");
        QTest::addColumn<bool>("total100");
        QTest::newRow("50 30 20") << QList<float>{50, 30, 20} << true;
        QTest::newRow("50 30 19.99") << QList<float>{50, 30, 19.99f} << false;
        QTest::newRow("decimals that do not add up exactly in single precision")
            << QList<float>{10.1f, 74.2f, 15.7f} << true;
        QTest::newRow("thirds") << QList<float>{33.3f, 33.3f, 33.4f} << true;
        QTest::newRow("one source") << QList<float>{100, 0, 0} << true;
        QTest::newRow("none") << QList<float>{0, 0, 0} << false;
        QTest::newRow("above") << QList<float>{60, 30, 20} << false;
    }

    void sharesTotal100()
    {
        QFETCH(QList<float>, shares);
        QFETCH(bool, total100);
        WaterRecords water;
        for (int s = 1; s <= 3; ++s)
            water[s].Perc = shares[s - 1];
        QCOMPARE(IsTotaal100(water), total100);
    }

    void quickEntryReadingsSetTheirElement()
    {
        // field, element, value for a reading of 6
        const QList<std::tuple<int, int, float>> cases = {{5, E::pHCO3, 3},   {6, E::pCa, 1.5f}, {7, E::pMg, 1.5f},
                                                          {9, E::pSO4, 1.5f}, {10, E::pNO3, 3},  {11, E::pK, 3}};
        WaterRecord w;
        for (const auto& [field, element, value] : cases) {
            const SnelVeld* veld = ZoekSnelVeld(field);
            QVERIFY(veld);
            ZetSnelWaarde(w, *veld, 6);
            QCOMPARE(w.*veld->reading, qint16(6));
            QCOMPARE(w.Elementen[element], value);
        }
        QVERIFY(!ZoekSnelVeld(8)); // the "/" field holds nothing
        ZetSnelWaarde(w, *ZoekSnelVeld(5), 32767);
        QCOMPARE(w.Elementen.HCO3, 16383.5f);
    }

    void drainBalanceCountsHco3LessHalf_data()
    {
        QTest::addColumn<float>("hco3");
        QTest::addColumn<float>("no3");
        QTest::addColumn<bool>("balanced");
        // K 5 against NO3 and what HCO3 adds above 0.5.
        QTest::newRow("0.4 counts as 0") << 0.4f << 5.0f << true;
        QTest::newRow("0.5 counts as 0") << 0.5f << 5.0f << true;
        QTest::newRow("1.5 counts as 1") << 1.5f << 4.0f << true;
        QTest::newRow("1.5 is not counted whole") << 1.5f << 3.5f << false;
        QTest::newRow("0.4 is not counted") << 0.4f << 4.6f << false;
    }

    void drainBalanceCountsHco3LessHalf()
    {
        QFETCH(float, hco3);
        QFETCH(float, no3);
        QFETCH(bool, balanced);
        ElementVector v;
        v.K = 5;
        v.NO3 = no3;
        v.HCO3 = hco3;
        const ElementVector before = v;
        QCOMPARE(IsDrainBalansOK(v), balanced);
        QCOMPARE(v.HCO3, before.HCO3);
    }

    void drainRebalancingNeedsBothSides()
    {
        ElementVector v;
        QVERIFY(IsDrainBalansOK(v)); // zeros are balanced
        v.K = 3;
        v.HCO3 = 0.4f; // counts as no anions at all
        QCOMPARE(BalanceerDrainKopie(v), qint16(1));
        v.NO3 = 1;
        QCOMPARE(BalanceerDrainKopie(v), qint16(0));
        QCOMPARE(v.K, 3.0f); // only a copy is rebalanced
    }
};

QTEST_GUILESS_MAIN(TestWaterMix)
#include "test_watermix.moc"
