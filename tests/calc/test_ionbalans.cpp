// The whole-vector routines: ion sums, balance test, rebalancing, difference
// and EC estimate.
#include "mdlzelvoracalc.h"

#include <QtTest>

namespace {

ElementVector vector(std::initializer_list<std::pair<int, float>> values)
{
    ElementVector v;
    for (const auto& [p, x] : values)
        v[p] = x;
    return v;
}

float balansKationen(const ElementVector& v)
{
    return v.NH4 + v.K + 2 * v.Ca + 2 * v.Mg;
}
float balansAnionen(const ElementVector& v)
{
    return v.NO3 + v.Cl + 2 * v.SO4 + v.H2PO4 + v.HCO3;
}

} // namespace

Q_DECLARE_METATYPE(ElementVector)

class TestIonBalans : public QObject {
    Q_OBJECT

private slots:
    void ionSumsCountTheirOwnIons()
    {
        // Every element 1: Na and HCO3 count nowhere but the balance test's anion side.
        ElementVector v;
        for (int p = 0; p <= ElementVector::pEC; ++p)
            v[p] = 1;
        QCOMPARE(SomKationen(v), 7.0f); // NH4 + K + 2 Ca + 2 Mg + H
        QCOMPARE(SomAnionen(v), 5.0f);  // NO3 + Cl + 2 SO4 + H2PO4, no HCO3

        // Balanced only when HCO3 is on the anion side and H is left out.
        const ElementVector b = vector({{ElementVector::pK, 3},
                                        {ElementVector::pNO3, 2},
                                        {ElementVector::pHCO3, 1},
                                        {ElementVector::pH, 5},
                                        {ElementVector::pNa, 9}});
        QVERIFY(IsIonenBalansOK(b));
        QCOMPARE(SomKationen(b), 8.0f);
        QCOMPARE(SomAnionen(b), 2.0f);

        // The tolerance scales with the cation sum: 0.01 % of 10^e.
        QVERIFY(IsIonenBalansOK(vector({{ElementVector::pK, 250}, {ElementVector::pNO3, 250.009f}})));
        QVERIFY(!IsIonenBalansOK(vector({{ElementVector::pK, 250}, {ElementVector::pNO3, 250.02f}})));
        QVERIFY(IsIonenBalansOK(ElementVector()));
    }

    void rebalancingBringsBothSumsToTheirMean()
    {
        ElementVector v = vector({{ElementVector::pNH4, 1},
                                  {ElementVector::pK, 1},
                                  {ElementVector::pCa, 1},
                                  {ElementVector::pH, 2},
                                  {ElementVector::pNO3, 1},
                                  {ElementVector::pHCO3, 1},
                                  {ElementVector::pNa, 3},
                                  {ElementVector::pSi, 4},
                                  {ElementVector::pFe, 5},
                                  {ElementVector::pOH, 6},
                                  {ElementVector::pEC, 7},
                                  {ElementVector::pKationSom, 8}});
        v.Vlag = 1;
        QVERIFY(!IsIonenBalansOK(v)); // C = 4, A = 2
        QCOMPARE(BalanceerIonen(v), qint16(0));
        QCOMPARE(balansKationen(v), 3.0f);
        QCOMPARE(balansAnionen(v), 3.0f);
        QVERIFY(IsIonenBalansOK(v));
        QCOMPARE(v.NH4, 0.75f);
        QCOMPARE(v.H, 1.5f); // scaled with the cations although not counted
        QCOMPARE(v.NO3, 1.5f);
        QCOMPARE(v.HCO3, 1.5f);
        QCOMPARE(v.Na, 3.0f);
        QCOMPARE(v.Si, 4.0f);
        QCOMPARE(v.Fe, 5.0f);
        QCOMPARE(v.OH, 6.0f);
        QCOMPARE(v.EC, 7.0f);
        QCOMPARE(v.KationSom, 8.0f);
        QCOMPARE(v.Vlag, 0); // rebalancing the adjustment vector clears its storage flag

        // A balanced vector stays where it is.
        ElementVector b = vector({{ElementVector::pCa, 2.5f}, {ElementVector::pSO4, 1}, {ElementVector::pCl, 3}});
        const ElementVector before = b;
        QCOMPARE(BalanceerIonen(b), qint16(0));
        QCOMPARE(b.Ca, before.Ca);
        QCOMPARE(b.SO4, before.SO4);
        QCOMPARE(b.Cl, before.Cl);
    }

    void rebalancingWithoutCationsOrAnionsChangesNothing_data()
    {
        QTest::addColumn<ElementVector>("v");
        QTest::newRow("all zero") << ElementVector();
        QTest::newRow("cations only") << vector({{ElementVector::pK, 4}, {ElementVector::pCa, 1}});
        QTest::newRow("anions only") << vector({{ElementVector::pNO3, 4}, {ElementVector::pHCO3, 1}});
        // H and Na are not counted, so these have no cations.
        QTest::newRow("acid and sodium") << vector(
            {{ElementVector::pH, 2}, {ElementVector::pNa, 1}, {ElementVector::pNO3, 3}});
    }

    void rebalancingWithoutCationsOrAnionsChangesNothing()
    {
        QFETCH(ElementVector, v);
        ElementVector w = v;
        w.Vlag = 1;
        QCOMPARE(BalanceerIonen(w), qint16(1));
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            QCOMPARE(w[p], v[p]);
        QCOMPARE(w.Vlag, 1);
    }

    void differenceAndScaling()
    {
        ElementVector a, b;
        for (int p = 0; p < ElementVector::FloatCount; ++p) {
            a[p] = 10.0f + p;
            b[p] = 1.0f + p / 2.0f;
        }
        a.HCO3 = 5;
        b.HCO3 = 2;
        a.Vlag = 3;
        ElementVector r;
        VerschilVector(r, a, b);
        for (int p : {ElementVector::pNH4, ElementVector::pK, ElementVector::pNa, ElementVector::pCa,
                      ElementVector::pMg, ElementVector::pNO3, ElementVector::pCl, ElementVector::pSO4,
                      ElementVector::pH2PO4, ElementVector::pSi, ElementVector::pFe, ElementVector::pMn,
                      ElementVector::pZn, ElementVector::pB, ElementVector::pCu, ElementVector::pMo, ElementVector::pH})
            QCOMPARE(r[p], a[p] - b[p]);
        QCOMPARE(r.HCO3, 0.0f); // not 3
        QCOMPARE(r.OH, 0.0f);
        QCOMPARE(r.EC, a.EC); // the first vector's EC, not a difference
        QCOMPARE(r.KationSom, 0.0f);
        QCOMPARE(r.AnionSom, 0.0f);
        QCOMPARE(r.Vlag, 0);

        // The result may be one of the operands.
        ElementVector c = a;
        VerschilVector(c, c, b);
        QCOMPARE(c.K, a.K - b.K);
        VerschilVector(c, a, c);
        QCOMPARE(c.K, b.K);

        ElementVector s = a;
        SchaalKationenAnionen(s, s, 2, 0.5f);
        QCOMPARE(s.NH4, a.NH4 * 2);
        QCOMPARE(s.Mg, a.Mg * 2);
        QCOMPARE(s.H, a.H * 2);
        QCOMPARE(s.NO3, a.NO3 / 2);
        QCOMPARE(s.HCO3, a.HCO3 / 2);
        QCOMPARE(s.H2PO4, a.H2PO4 / 2);
        QCOMPARE(s.Na, a.Na);
        QCOMPARE(s.OH, a.OH);
        QCOMPARE(s.AnionSom, a.AnionSom);
        QCOMPARE(s.Vlag, 0);
    }

    void ecEstimateFromTheIonSum()
    {
        ElementVector v = vector({{ElementVector::pNH4, 1},
                                  {ElementVector::pK, 6},
                                  {ElementVector::pCa, 4},
                                  {ElementVector::pMg, 1.5f},
                                  {ElementVector::pNO3, 12},
                                  {ElementVector::pSO4, 1.5f},
                                  {ElementVector::pH2PO4, 1.5f},
                                  {ElementVector::pH, 9},
                                  {ElementVector::pHCO3, 9},
                                  {ElementVector::pNa, 9},
                                  {ElementVector::pEC, 3}});
        BerekenEC(v);
        QCOMPARE(v.EC, 1.725f); // (1 + 6 + 8 + 3 + 12 + 3 + 1.5) / 20; H, HCO3 and Na not counted
    }
};

QTEST_GUILESS_MAIN(TestIonBalans)
#include "test_ionbalans.moc"
