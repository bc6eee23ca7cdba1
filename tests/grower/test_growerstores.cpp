// The rows of the grower, water and drain steps, read and written without
// windows: every column comes back as it was stored, empty columns read as
// empty, and a write that fails halfway stores nothing.
#include "appstate.h"
#include "bedrijfgegevens.h"
#include "db/apperror.h"
#include "defaultstate.h"
#include "drainanalyse.h"
#include "ui/dialogs.h"
#include "wateranalyse.h"

#include <QtTest>

namespace {

Database& db()
{
    return growerDb();
}

// A different value in every stored field, so that a column read into the wrong field shows.
WaterRecord distinctSource(int n)
{
    WaterRecord w;
    w.Perc = 10.5f * n;
    qint16 WaterRecord::*readings[] = {&WaterRecord::SC1, &WaterRecord::SC2, &WaterRecord::SC3,
                                       &WaterRecord::SC4, &WaterRecord::SC5, &WaterRecord::SC6};
    for (int k = 0; k < 6; ++k)
        w.*readings[k] = qint16(100 * n + k);
    for (int p = ElementVector::pNH4; p <= ElementVector::pMo; ++p)
        w.Elementen[p] = float(n) + float(p) / 8;
    return w;
}

void compareStored(const WaterRecord& got, const WaterRecord& want)
{
    QCOMPARE(got.Perc, want.Perc);
    QCOMPARE(got.SC1, want.SC1);
    QCOMPARE(got.SC2, want.SC2);
    QCOMPARE(got.SC3, want.SC3);
    QCOMPARE(got.SC4, want.SC4);
    QCOMPARE(got.SC5, want.SC5);
    QCOMPARE(got.SC6, want.SC6);
    for (int p = ElementVector::pNH4; p <= ElementVector::pMo; ++p)
        QCOMPARE(got.Elementen[p], want.Elementen[p]);
}

} // namespace

class TestGrowerStores : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = TestSupport::openDefaultState(); }
    void cleanup()
    {
        resetAppState();
        m_dir.reset();
    }

    void theGrowerRowAndItsAddressComeBackWhole()
    {
        BedrijfGegevens::HerstelAfleveradressen();
        const qint32 code = BedrijfGegevens::Lees().Code_ALG_Handelaar;
        const RecordSet slot3 =
            db().openRecordset("SELECT ID FROM ALG_Afleveradres WHERE ID_ALG_Tuinder = ? AND Code_Afleveradres = 3",
                               {appState().ID_ALG_Tuinder});

        const TuinderGegevens tuinder{"K-1042",      "Kwekerij 't Hof", "Naaldwijkseweg 12",
                                      "2691 RC",     "'s-Gravenzande",  "NL",
                                      "0174-123456", "06-12345678",     "info@hof.nl",
                                      "0174-654321", qint16(code + 7),  slot3.value(0).toInt()};
        const Afleveradres adres{
            tuinder.ID_ALG_Afleveradres, "Achterkas", "Kasweg 3", "2691 AB", "Monster", "GB", "1234#", "Bel aan"};
        BedrijfGegevens::Schrijf(tuinder, adres);

        const TuinderGegevens terug = BedrijfGegevens::Lees();
        for (QString TuinderGegevens::*veld :
             {&TuinderGegevens::relNR, &TuinderGegevens::Naam, &TuinderGegevens::Adres, &TuinderGegevens::Postcode,
              &TuinderGegevens::woonplaats, &TuinderGegevens::Land, &TuinderGegevens::Telefoon,
              &TuinderGegevens::Mobiel, &TuinderGegevens::Email, &TuinderGegevens::Fax})
            QCOMPARE(terug.*veld, tuinder.*veld);
        QCOMPARE(terug.ID_ALG_Afleveradres, tuinder.ID_ALG_Afleveradres);
        QCOMPARE(terug.Code_ALG_Handelaar, tuinder.Code_ALG_Handelaar); // what the window read is written back

        const Afleveradres adresTerug = BedrijfGegevens::LeesAfleveradres(adres.ID);
        for (QString Afleveradres::*veld :
             {&Afleveradres::AfleverAdres, &Afleveradres::Adres, &Afleveradres::Postcode, &Afleveradres::Woonplaats,
              &Afleveradres::Land, &Afleveradres::Deurcode, &Afleveradres::ExtraInfo})
            QCOMPARE(adresTerug.*veld, adres.*veld);

        // Empty columns read as empty.
        db().execute("UPDATE ALG_Tuinder SET Telefoon = NULL, Fax = NULL, ID_ALG_Afleveradres = NULL");
        db().execute("UPDATE ALG_Afleveradres SET Deurcode = NULL WHERE ID = ?", {adres.ID});
        const TuinderGegevens leeg = BedrijfGegevens::Lees();
        QCOMPARE(leeg.Telefoon, QString());
        QCOMPARE(leeg.Fax, QString());
        QCOMPARE(leeg.ID_ALG_Afleveradres, 0);
        QCOMPARE(BedrijfGegevens::LeesAfleveradres(adres.ID).Deurcode, QString());
        QCOMPARE(BedrijfGegevens::LeesAfleveradres(4711).ID, 0);
    }

    void waterSourcesComeBackWhole()
    {
        WaterRecords water;
        for (int n = 1; n <= 3; ++n)
            water[n] = distinctSource(n);
        QVERIFY(WaterAnalyse::Schrijf(WaterInvoer::Volledig, water));
        QCOMPARE(WaterAnalyse::LeesInvoerType(), qint16(WaterInvoer::Volledig));

        WaterRecords terug;
        terug[0].Perc = 7; // the mix is not stored and not read
        WaterAnalyse::Lees(terug);
        QCOMPARE(terug[0].Perc, 7.0f);
        for (int n = 1; n <= 3; ++n)
            compareStored(terug[n], water[n]);

        // Empty columns read as 0; a reading beyond 16 bits as the nearest bound.
        db().execute("UPDATE WATER SET Perc = NULL, K = NULL, SC1 = 40000, SC2 = -40000 WHERE Type = 2");
        WaterAnalyse::Lees(terug);
        QCOMPARE(terug[2].Perc, 0.0f);
        QCOMPARE(terug[2].Elementen.K, 0.0f);
        QCOMPARE(terug[2].SC1, qint16(32767));
        QCOMPARE(terug[2].SC2, qint16(-32768));
    }

    void drainAnalysisComesBackWhole()
    {
        WaterRecord drain;
        QVERIFY(!DrainAnalyse::Lees(drain));

        for (int p = ElementVector::pNH4; p <= ElementVector::pMo; ++p)
            drain.Elementen[p] = 1 + float(p) / 4;
        drain.Elementen.EC = 2.7f;
        drain.Ph = 5.8f;
        bool changed = false;
        QVERIFY(DrainAnalyse::Schrijf(drain, false, changed));
        QVERIFY(!changed);

        WaterRecord terug;
        QVERIFY(DrainAnalyse::Lees(terug));
        for (int p = ElementVector::pNH4; p <= ElementVector::pMo; ++p)
            QCOMPARE(terug.Elementen[p], drain.Elementen[p]);
        QCOMPARE(terug.Elementen.EC, 2.7f);
        QCOMPARE(terug.Ph, 5.8f);
        QCOMPARE(db().openRecordset("SELECT COUNT(*) FROM MAT").value(0).toInt(), 1);
    }

    void aWriteThatFailsHalfwayStoresNothing()
    {
        // The grower row goes back when its address has gone.
        BedrijfGegevens::HerstelAfleveradressen();
        TuinderGegevens tuinder = BedrijfGegevens::Lees();
        const QString naam = tuinder.Naam;
        tuinder.Naam = "Nieuwe naam";
        Afleveradres adres;
        adres.ID = 4711;
        try {
            BedrijfGegevens::Schrijf(tuinder, adres);
            QFAIL("stored under an address that is not there");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), qint32(JetError::NoCurrentRecord));
        }
        QCOMPARE(BedrijfGegevens::Lees().Naam, naam);

        // The input type goes back when a source cannot be written.
        WaterRecords water;
        QVERIFY(WaterAnalyse::Schrijf(WaterInvoer::Snel, water));
        db().execute("CREATE TRIGGER vast BEFORE UPDATE ON WATER BEGIN SELECT RAISE(ABORT, 'locked'); END");
        QVERIFY_THROWS_EXCEPTION(AppError, WaterAnalyse::Schrijf(WaterInvoer::Volledig, water));
        QCOMPARE(WaterAnalyse::LeesInvoerType(), qint16(WaterInvoer::Snel));

        // The new drain row goes when the setting cannot be stored; the user is told once.
        db().execute("CREATE TRIGGER instelling BEFORE UPDATE ON TEELT_Instelling "
                     "BEGIN SELECT RAISE(ABORT, 'locked'); END");
        MessageBox::clear();
        bool changed = true;
        QVERIFY(!DrainAnalyse::Schrijf(WaterRecord(), true, changed));
        QVERIFY(!changed);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(db().openRecordset("SELECT COUNT(*) FROM MAT").value(0).toInt(), 0);
    }
};

QTEST_MAIN(TestGrowerStores)
#include "test_growerstores.moc"
