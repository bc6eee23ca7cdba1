// The stored advice: six rows per grower and history set, replaced as a whole,
// and the drain analysis a new run takes up.
#include "adviesopslag.h"
#include "appstate.h"
#include "defaultstate.h"
#include "units.h"

#include <QtTest>

namespace {

Advies voorbeeld(float basis)
{
    Advies a;
    for (qint16 type : kAdviesTypes) {
        ElementVector& v = a.vector(type);
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            v[p] = basis + float(type) + float(p) / 100;
    }
    a.Perc = basis + 30;
    a.RecircEC = basis + 1.5f;
    a.MaxPerc = basis + 45;
    a.MaxRecircEC = basis + 1.25f;
    return a;
}

RecordSet rijen(qint32 historie)
{
    return appState().dbT->openRecordset("SELECT * FROM HISTORIE_Advies WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ? "
                                         "ORDER BY Type",
                                         {appState().ID_ALG_Tuinder, historie});
}

} // namespace

class TestAdviesOpslag : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = TestSupport::openDefaultState(); }
    void cleanup()
    {
        resetAppState();
        m_dir.reset();
    }

    void savingReplacesTheSetsRows()
    {
        AppState& s = appState();
        s.ID_HISTORIE = 3;
        SaveAdvies(voorbeeld(500));
        s.ID_HISTORIE = 0;
        SaveAdvies(voorbeeld(100));
        SaveAdvies(voorbeeld(0));

        RecordSet rs = rijen(0);
        QCOMPARE(rs.recordCount(), 6);
        for (qint16 type : kAdviesTypes) {
            QVERIFY(rs.findFirst("Type", type));
            QCOMPARE(rs.value("NH4").toFloat(), float(type));
            QCOMPARE(rs.value("H").toFloat(), type + 0.17f); // the acid has a column of its own
            QCOMPARE(rs.value("Mo").toFloat(), type + 0.16f);
            QCOMPARE(rs.value("Ec").toFloat(), type + 0.19f);
            // Only the drain row carries the recirculation figures.
            const bool drain = type == AdviesType::MengWater;
            QCOMPARE(rs.value("Perc").toFloat(), drain ? 30.0f : 0.0f);
            QCOMPARE(rs.value("MaxRecircEC").toFloat(), drain ? 1.25f : 0.0f);
        }
        QCOMPARE(rijen(3).recordCount(), 6);
        QCOMPARE(rijen(3).value("NH4").toFloat(), 520.0f);
    }

    void aFailedSaveKeepsTheOldRows()
    {
        SaveAdvies(voorbeeld(0));
        appState().dbT->execute("CREATE TRIGGER vol BEFORE INSERT ON HISTORIE_Advies WHEN NEW.Type = 120 "
                                "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        QVERIFY_THROWS_EXCEPTION(AppError, SaveAdvies(voorbeeld(100)));
        RecordSet rs = rijen(0);
        QCOMPARE(rs.recordCount(), 6);
        QVERIFY(rs.findFirst("Type", AdviesType::Oplossing));
        QCOMPARE(rs.value("NH4").toFloat(), 60.0f);
    }

    void loadingKeepsWhatTheSetLacks()
    {
        AppState& s = appState();
        s.ID_HISTORIE = 7;
        SaveAdvies(voorbeeld(0));
        s.dbT->execute("DELETE FROM HISTORIE_Advies WHERE ID_HISTORIE = 7 AND Type = 100");

        Advies a = voorbeeld(1000);
        QVERIFY(LoadAdvies(a));
        QCOMPARE(a.StreefWaarden.K, 20.01f);
        QCOMPARE(a.StreefGecorrigeerd.H, 120.17f);
        QCOMPARE(a.AdviesOplossing.EC, 60.19f);
        QCOMPARE(a.AdviesOplossing.OH, 1060.18f); // OH is never stored
        QCOMPARE(a.AdviesMengWater.K, 1100.01f);  // no row: kept
        QCOMPARE(a.Perc, 1030.0f);

        s.ID_HISTORIE = 8; // a set without rows changes nothing
        Advies b = voorbeeld(2000);
        QVERIFY(!LoadAdvies(b));
        QCOMPARE(b.StreefWaarden.K, 2020.01f);
    }

    void aNewRunTakesUpTheStoredDrain()
    {
        AppState& s = appState();
        const qint32 t = s.ID_ALG_Tuinder;
        s.dbT->execute(
            "INSERT INTO MAT (ID_ALG_Tuinder, ID_HISTORIE, K, NO3, Fe, EC, Ph) VALUES (?, 0, 6, 6, 20, 2.8, 6.1)", {t});
        s.dbT->execute("INSERT INTO MAT (ID_ALG_Tuinder, ID_HISTORIE, K) VALUES (?, 4, 9)", {t});
        SaveAdvies(voorbeeld(0)); // recirculation 30 % at 1.5 mS/cm

        WaterRecord drain;
        QVERIFY(DrainAnalyseIsLeeg(drain));
        QVERIFY(LeesOpgeslagenDrain(drain));
        QCOMPARE(drain.Elementen.K, 6.0f);
        QCOMPARE(drain.Elementen.Fe, 20.0f);
        QCOMPARE(drain.Elementen.EC, 2.8f);
        QCOMPARE(drain.Ph, 6.1f);
        QCOMPARE(drain.Perc, 30.0f);
        QCOMPARE(drain.RecircEC, 1.5f);
        QVERIFY(!DrainAnalyseIsLeeg(drain));

        s.dbT->execute("DELETE FROM MAT");
        s.dbT->execute("DELETE FROM HISTORIE_Advies");
        WaterRecord leeg;
        QVERIFY(!LeesOpgeslagenDrain(leeg));
        QVERIFY(DrainAnalyseIsLeeg(leeg));
    }
};

QTEST_GUILESS_MAIN(TestAdviesOpslag)
#include "test_adviesopslag.moc"
