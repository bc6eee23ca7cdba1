// The judgements of an advice: the limit of a typed adjustment and the highest
// reusable share of drain water.
#include "adviesgrenzen.h"

#include <QtTest>

class TestAdviesGrenzen : public QObject {
    Q_OBJECT

private slots:
    void aBoxBeyondItsLimitTurnsRedAndWarnsOnce_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("limit");
        QTest::addColumn<bool>("alRood");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<bool>("rood");
        QTest::addColumn<bool>("waarschuwen");
        QTest::newRow("equal to the limit is within") << 0.625f << 0.625f << false << false << false << false;
        QTest::newRow("beyond warns") << 0.7f << 0.625f << false << false << true << true;
        QTest::newRow("a lowering beyond warns too") << -0.7f << 0.625f << false << false << true << true;
        QTest::newRow("already red stays quiet") << 0.7f << 0.625f << true << false << true << false;
        QTest::newRow("quiet check marks only") << 0.7f << 0.625f << false << true << true << false;
        QTest::newRow("back within clears") << 0.1f << 0.625f << true << false << false << false;
        QTest::newRow("base target 0: anything exceeds") << 0.01f << 0.0f << false << false << true << true;
    }

    void aBoxBeyondItsLimitTurnsRedAndWarnsOnce()
    {
        QFETCH(float, value);
        QFETCH(float, limit);
        QFETCH(bool, alRood);
        QFETCH(bool, quiet);
        const GrensOordeel o = MarkElementLimit(value, limit, alRood, quiet);
        QTEST(o.rood, "rood");
        QTEST(o.waarschuwen, "waarschuwen");
    }

    void maximumRecirculation()
    {
        ElementVector oplossing, water;
        WaterRecord drain;
        oplossing.K = 8;
        oplossing.Na = 1;
        oplossing.Cl = 2;
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
