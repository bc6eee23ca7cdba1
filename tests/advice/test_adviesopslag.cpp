// The stored advice: six rows per grower and history set, replaced as a whole.
#include "adviesopslag.h"
#include "appstate.h"
#include "defaultstate.h"

#include <QtTest>

namespace {

Advies voorbeeld(float basis)
{
    Advies a;
    a.Perc = basis + 30, a.RecircEC = basis + 1.5f, a.MaxPerc = basis + 45, a.MaxRecircEC = basis + 1.25f;
    for (qint16 type : kAdviesTypes) {
        ElementVector& v = a.vector(type);
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            v[p] = basis + float(type) + float(p) / 100;
    }
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

    void eachSetKeepsItsOwnSixRows()
    {
        AppState& s = appState();
        s.ID_HISTORIE = 3;
        SaveAdvies(voorbeeld(500));
        s.ID_HISTORIE = 0;
        SaveAdvies(voorbeeld(100));
        SaveAdvies(voorbeeld(0));
        QCOMPARE(rijen(3).recordCount(), 6);
        QCOMPARE(rijen(3).value("NH4").toFloat(), 520.0f);
        RecordSet rs = rijen(0);
        QCOMPARE(rs.recordCount(), 6);
        for (qint16 type : kAdviesTypes) {
            QVERIFY(rs.findFirst("Type", type));
            QCOMPARE(rs.value("H").toFloat(), type + 0.17f); // the acid has a column of its own
            QCOMPARE(rs.value("Ec").toFloat(), type + 0.19f);
            QCOMPARE(rs.value("Perc").toFloat(), type == AdviesType::MengWater ? 30.0f : 0.0f);
        }

        // A set without its drain row: the recirculation figures stay as they were, and OH is never stored.
        s.dbT->execute("DELETE FROM HISTORIE_Advies WHERE ID_HISTORIE = 0 AND Type = 100");
        Advies a = voorbeeld(1000);
        QVERIFY(LoadAdvies(a));
        QCOMPARE(a.StreefGecorrigeerd.H, 120.17f);
        QCOMPARE(a.AdviesOplossing.OH, 1060.18f);
        QCOMPARE(a.AdviesMengWater.K, 1100.01f);
        QCOMPARE(a.Perc, 1030.0f);
        s.ID_HISTORIE = 8;
        QVERIFY(!LoadAdvies(a));
    }
};

QTEST_GUILESS_MAIN(TestAdviesOpslag)
#include "test_adviesopslag.moc"
