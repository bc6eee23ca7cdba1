// The judgements of an advice: the limit of a typed adjustment and the highest
// reusable share of drain water.
#include "adviesgrenzen.h"

#include <QtTest>

class TestAdviesGrenzen : public QObject {
    Q_OBJECT

private slots:
    void aBoxBeyondItsLimitTurnsRedAndWarnsOnce()
    {
        // {red, warn} of a value against a limit of 0.625, the box red before or not, the check quiet or not.
        auto oordeel = [](float value, bool alRood, bool quiet) {
            const GrensOordeel o = MarkElementLimit(value, 0.625f, alRood, quiet);
            return std::pair{o.rood, o.waarschuwen};
        };
        QCOMPARE(oordeel(0.625f, false, false), std::pair(false, false)); // equal to the limit is within
        QCOMPARE(oordeel(0.7f, false, false), std::pair(true, true));
        QCOMPARE(oordeel(-0.7f, false, false), std::pair(true, true)); // a lowering counts as much
        QCOMPARE(oordeel(0.7f, true, false), std::pair(true, false));  // already red: told before
        QCOMPARE(oordeel(0.7f, false, true), std::pair(true, false));  // a quiet check only marks
        QCOMPARE(oordeel(0.1f, true, false), std::pair(false, false)); // back within clears
    }

    void maximumRecirculation()
    {
        ElementVector oplossing, water;
        WaterRecord drain;
        oplossing.K = 8, oplossing.Na = 1, oplossing.Cl = 2; // Cl, which the drain lacks, bounds nothing
        water.Na = 0.5f;
        drain.Elementen.EC = 3;

        // Without a drain analysis nothing bounds the share.
        CalcPercentages(oplossing, water, drain);
        QCOMPARE(drain.MaxPerc, 100.0f);
        QCOMPARE(drain.MaxRecircEC, 3.0f);

        // Na: (1 − 0.5) / (2 + 0.001) ≈ 25 %, the smallest share below 100; K gives 80 %.
        drain.Elementen.K = 10;
        drain.Elementen.Na = 2;
        CalcPercentages(oplossing, water, drain);
        QVERIFY(std::fabs(drain.MaxPerc - 0.5f / 2.001f * 100) < 1e-4);
        QVERIFY(std::fabs(drain.MaxRecircEC - 3 * drain.MaxPerc / 100) < 1e-5);

        // Water that already covers an element puts no bound on the share.
        water.Na = 1.5f;
        CalcPercentages(oplossing, water, drain);
        QVERIFY(std::fabs(drain.MaxPerc - 8 / 10.001f * 100) < 1e-4);
    }
};

QTEST_APPLESS_MAIN(TestAdviesGrenzen)
#include "test_adviesgrenzen.moc"
