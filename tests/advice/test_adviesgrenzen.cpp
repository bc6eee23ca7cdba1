// The judgements of an advice: the limits of a typed adjustment, the highest
// reusable share of drain water, the ammonium-class text, and what a box accepts.
#include "adviesberekening.h"
#include "adviesgrenzen.h"

#include <QtTest>

namespace {

const AdviesGrens& grensVan(int box)
{
    for (const AdviesGrens& g : kAdviesGrenzen)
        if (g.box == box)
            return g;
    qFatal("no limit for box %d", box);
}

} // namespace

class TestAdviesGrenzen : public QObject {
    Q_OBJECT

private slots:
    void limitsFollowTheBaseTarget()
    {
        ElementVector streef;
        streef.NH4 = 1.25f;
        streef.K = 8.75f;
        streef.Fe = 15;
        QCOMPARE(GrensWaarde(grensVan(41), streef), 0.625f);
        QCOMPARE(GrensWaarde(grensVan(42), streef), 0.3f * 8.75f);
        QCOMPARE(GrensWaarde(grensVan(52), streef), 0.3f * 15.0f);
        QCOMPARE(GrensWaarde(grensVan(47), streef), 5.0f); // Cl and Si have fixed limits
        QCOMPARE(GrensWaarde(grensVan(51), streef), 1.5f);
        QCOMPARE(GrensWaarde(grensVan(1001), streef), 5.0f);
        QCOMPARE(GrensNaam(grensVan(1001)), QString("Ec"));
        QCOMPARE(GrensNaam(grensVan(49)), QString("H2PO4"));
        for (int geen : {43, 50}) // Na and HCO3 are not judged
            for (const AdviesGrens& g : kAdviesGrenzen)
                QVERIFY(g.box != geen);
        QVERIFY(!GrenzenActief(0));
        QVERIFY(GrenzenActief(1) && GrenzenActief(2));
    }

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

    void theAmmoniumTextIsToldOncePerClass()
    {
        QCOMPARE(AmmoniumTekst(1), 999000101);
        QCOMPARE(AmmoniumTekst(8), 999000115);
        QCOMPARE(AmmoniumTekst(0), 0);
        QCOMPARE(AmmoniumTekst(9), 0);
        qint16 laatste = 0;
        QCOMPARE(AmmoniumWaarschuwing(6, laatste), 999000111);
        QCOMPARE(AmmoniumWaarschuwing(6, laatste), 0);
        QCOMPARE(AmmoniumWaarschuwing(0, laatste), 0);
        QCOMPARE(AmmoniumWaarschuwing(6, laatste), 999000111); // back again after another class
        laatste = 0;                                           // the marker's double-click
        QCOMPARE(AmmoniumWaarschuwing(6, laatste), 999000111);
    }

    void whatABoxAccepts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("soort");
        QTest::addColumn<int>("fout");
        QTest::addColumn<float>("value");
        const int a = int(InvoerSoort::Aanpassing), ec = int(InvoerSoort::EC), perc = int(InvoerSoort::Percentage);
        QTest::newRow("negative adjustment") << "-0.5" << a << int(InvoerFout::Geen) << -0.5f;
        QTest::newRow("empty is 0") << " " << ec << int(InvoerFout::Geen) << 0.0f;
        QTest::newRow("not a number") << "1-2" << a << int(InvoerFout::GeenGetal) << 0.0f;
        QTest::newRow("too large to hold") << "1e39" << a << int(InvoerFout::GeenGetal) << 0.0f;
        QTest::newRow("negative EC") << "-1" << ec << int(InvoerFout::Negatief) << 0.0f;
        QTest::newRow("EC") << "2.75" << ec << int(InvoerFout::Geen) << 2.75f;
        QTest::newRow("share of 100") << "100" << perc << int(InvoerFout::Geen) << 100.0f;
        QTest::newRow("share above 100") << "100.5" << perc << int(InvoerFout::BuitenPercentage) << 0.0f;
        QTest::newRow("negative share") << "-5" << perc << int(InvoerFout::BuitenPercentage) << 0.0f;
    }

    void whatABoxAccepts()
    {
        QFETCH(QString, text);
        QFETCH(int, soort);
        float value = 0;
        QTEST(int(LeesAdviesInvoer(text, InvoerSoort(soort), value)), "fout");
        QTEST(value, "value");
    }
};

QTEST_APPLESS_MAIN(TestAdviesGrenzen)
#include "test_adviesgrenzen.moc"
