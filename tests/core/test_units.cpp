// Display units, unit labels, number formats and clearing the records.
#include "appstate.h"
#include "units.h"

#include <QtTest>

class TestUnits : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        appState().UnitID = 0;
        QLocale::setDefault(QLocale::c());
    }

    void conversionsRoundTrip()
    {
        const QStringList elements = {"NH4", "K",    "Na", "Ca", "Mg", "NO3", "Cl", "SO4", "H2PO4",
                                      "H",   "HCO3", "Si", "Fe", "Mn", "Zn",  "B",  "Cu",  "Mo"};
        for (qint16 unit = 0; unit <= 3; ++unit) {
            appState().UnitID = unit;
            for (const QString& e : elements) {
                const float shown = IonToUnit(2.5f, e);
                QVERIFY2(shown > 0, qPrintable(e));
                QVERIFY2(qAbs(IonFromUnit(shown, e.toLower()) - 2.5f) < 1e-6f, qPrintable(e));
            }
        }
    }

    void knownFactors()
    {
        appState().UnitID = 1;
        QCOMPARE(IonToUnit(2, "Ca"), 4.0f);
        QCOMPARE(IonFromUnit(4, "ca"), 2.0f);
        QCOMPARE(IonToUnit(1, "Mo"), 4.0f);
        QCOMPARE(IonToUnit(1, "EC"), 0.0f);
        appState().UnitID = 2;
        QCOMPARE(IonToUnit(1, "K"), 39.1f);
        QCOMPARE(IonToUnit(1, "EC"), 0.0f);
        QCOMPARE(IonToUnit(2, "NO3"), 124.0f); // 2 mmol/l nitrate is 124 mg/l
        QCOMPARE(IonToUnit(1.5f, "SO4"), float(1.5 * 96.1));
        appState().UnitID = 3;
        QCOMPARE(IonToUnit(1, "h2po4"), 97.0f);
        appState().UnitID = 0;
        QCOMPARE(IonToUnit(3.3f, "Onbekend"), 3.3f);
        appState().UnitID = 4;
        QCOMPARE(IonToUnit(3.3f, "K"), 0.0f);
    }

    void unitLabels_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("label");
        QTest::newRow("mmol/l") << 0 << 210 << "mmol/l";
        QTest::newRow("meq/l") << 1 << 210 << "meq/l";
        QTest::newRow("mg/l") << 2 << 210 << "mg/l";
        QTest::newRow("ppm") << 3 << 210 << "ppm";
        QTest::newRow("µmol/l") << 0 << 310 << "µmol/l";
        QTest::newRow("µg/l") << 2 << 310 << "µg/l";
        QTest::newRow("trace ppm is ppb") << 3 << 310 << "ppb";
        QTest::newRow("mol/kg") << 0 << 120 << "mol/kg";
        QTest::newRow("gr/kg") << 2 << 120 << "gr/kg";
        QTest::newRow("content in ppm mode is grams") << 3 << 120 << "gr/kg";
        QTest::newRow("no prefix") << 0 << 10 << "/l";
        QTest::newRow("no reference") << 1 << 230 << "meq";
    }

    void unitLabels()
    {
        QFETCH(int, unit);
        QFETCH(int, code);
        QFETCH(QString, label);
        appState().UnitID = qint16(unit);
        QCOMPARE(GetUnitText(qint16(code)), label);
    }

    void numberFormats()
    {
        QCOMPARE(FormatNumber(1234.5, 2), QString("1,234.50"));
        QCOMPARE(FormatNumber(1234.5, 0), QString("1,235"));
        QCOMPARE(FormatNumber(-0.25, 1), QString("-0.3"));
        QCOMPARE(FormatNumber(-0.04, 1), QString("0.0"));
        QCOMPARE(FormatNumber(2.675f, 2), QString("2.68")); // the single as written, not its binary value
        QCOMPARE(FormatNumber(999.96, 1), QString("1,000.0"));
        QCOMPARE(FormatNumber(0.000012, 5), QString("0.00001"));
        QCOMPARE(FormatNumber(1e7, 0), QString("10,000,000"));
        QCOMPARE(FormatNumber(5, -1), QString());
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        QCOMPARE(FormatNumber(1234.5, 2), QString("1.234,50"));
    }

    void clearingKeepsTheFlag()
    {
        ElementVector v;
        for (int i = 0; i < ElementVector::FloatCount; ++i)
            v[i] = float(i + 1);
        v.Vlag = 1;
        ClearElementVector(v);
        for (int i = 0; i < ElementVector::FloatCount; ++i)
            QCOMPARE(v[i], 0.0f);
        QCOMPARE(v.Vlag, 1);

        WaterRecord w;
        w.WaterSoort = "D";
        w.SC3 = 4;
        w.Perc = 20;
        w.MaxRecircEC = 1;
        w.Ph = 5.5f;
        w.Elementen.K = 3;
        w.Elementen.Vlag = 7;
        ClearWaterRecord(w);
        QCOMPARE(w.WaterSoort, QString(" "));
        QCOMPARE(w.SC3, qint16(0));
        QCOMPARE(w.Perc, 0.0f);
        QCOMPARE(w.MaxRecircEC, 0.0f);
        QCOMPARE(w.Ph, 0.0f);
        QCOMPARE(w.Elementen.K, 0.0f);
        QCOMPARE(w.Elementen.Vlag, 7);
    }
};

QTEST_GUILESS_MAIN(TestUnits)
#include "test_units.moc"
