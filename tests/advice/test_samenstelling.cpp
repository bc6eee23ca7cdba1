// The composition beside its window: the tank concentration it computes
// with, the stored composition and where each line is shown.
#include "appstate.h"
#include "bakverdeling.h"
#include "defaultstate.h"
#include "samenstelling.h"
#include "samenstellingopslag.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QtTest>

namespace {

MeststofRecord regel(qint16 code, const QString& naam, qint16 bak, float kg, float kgl = 1)
{
    MeststofRecord m;
    m.Code_MEST = code;
    m.Naam = naam;
    m.Bak = bak;
    m.Hoeveelheid = kg;
    m.KGl = kgl;
    m.Hoeveelheid2 = kgl == 1 ? kg : kg / kgl;
    return m;
}

Samenstelling voorbeeld()
{
    Samenstelling s;
    s.BakDoel.NH4 = 1.25f, s.BakDoel.K = 8.75f, s.BakDoel.HCO3 = 0.5f, s.BakDoel.H = 0.4f, s.BakDoel.Mo = 0.5f;
    s.BakDoel.OH = 3, s.BakDoel.EC = 2.3f; // not stored
    s.Vlaggen.Mn = 1;
    s.Meststoffen[1] = regel(1, "Kalksalpeter", 1, 91.85f);
    s.Meststoffen[2] = regel(11, "Ammoniumnitraat vloeibaar", 1, 6.23f, 1.23f);
    s.Meststoffen[3] = regel(103, "Fe-EDDHA 6 % [40%]", 1, 560);
    s.Meststoffen[3].Aandeel = 1;
    return s;
}

} // namespace

class TestSamenstelling : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = TestSupport::openDefaultState(); }
    void cleanup()
    {
        resetAppState();
        m_dir.reset();
    }

    void storedCompositionComesBackAsShownAndIsReplacedWhole()
    {
        SamenstellingOpslag::Schrijf(voorbeeld());
        SamenstellingOpslag::Schrijf(voorbeeld()); // a new result replaces the stored one

        Samenstelling terug;
        QVERIFY(SamenstellingOpslag::Lees(terug));
        const Samenstelling v = voorbeeld();
        for (int p = ElementVector::pNH4; p <= ElementVector::pH; ++p) {
            QCOMPARE(terug.BakDoel[p], v.BakDoel[p]);
            QCOMPARE(terug.Vlaggen[p], v.Vlaggen[p]);
        }
        QCOMPARE(terug.BakDoel.OH, 0.0f);
        QCOMPARE(terug.BakDoel.EC, 0.0f);
        for (int slot = 1; slot <= kLijstBoven; ++slot) {
            const MeststofRecord &a = terug.Meststoffen[slot], &b = v.Meststoffen[slot];
            QCOMPARE(a.Code_MEST, b.Code_MEST);
            QCOMPARE(a.Naam, b.Naam);
            QCOMPARE(a.Bak, b.Bak);
            QCOMPARE(a.Hoeveelheid, b.Hoeveelheid);
            QCOMPARE(a.KGl, b.KGl);
            QCOMPARE(a.Hoeveelheid2, b.Hoeveelheid2);
            QCOMPARE(a.Aandeel, 0.0f); // no second percentage suffix
        }

        // A save that fails on its last row leaves the stored composition as it was.
        appState().dbT->execute("CREATE TRIGGER vol BEFORE INSERT ON HISTORIE_SamenstellingMeststoffen "
                                "WHEN NEW.\"Index\" = 20 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        Samenstelling anders = voorbeeld();
        anders.BakDoel.K = 1;
        QVERIFY_THROWS_EXCEPTION(AppError, SamenstellingOpslag::Schrijf(anders));
        QVERIFY(SamenstellingOpslag::Lees(terug));
        QCOMPARE(terug.BakDoel.K, 8.75f);
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_StandaardBakEC"), 2);
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_SamenstellingMeststoffen"), 20);

        appState().ID_HISTORIE = 7; // a stored set is never written
        SamenstellingOpslag::Schrijf(voorbeeld());
        QCOMPARE(TestSupport::rowsInSet("HISTORIE_StandaardBakEC", 7), 0);
    }

    // A new grower's row holds 0, and big-bag blends are made up for 100.
    void tankConcentration_data()
    {
        QTest::addColumn<int>("concentratie");
        QTest::addColumn<int>("bigBag");
        QTest::addColumn<int>("verwacht");
        QTest::newRow("0, no big bags") << 0 << 0 << 100;
        QTest::newRow("200, big bags") << 200 << 1 << 100;
        QTest::newRow("200, no big bags") << 200 << 0 << 200;
    }
    void tankConcentration()
    {
        QFETCH(int, concentratie);
        QFETCH(int, bigBag);
        QFETCH(int, verwacht);
        QVERIFY(PutTeeltInstelling("Concentratie", concentratie, InstellingMode::Number));
        QVERIFY(PutTeeltInstelling("ExtraBigbag", bigBag, InstellingMode::Number));
        QCOMPARE(LeesSamenstelInstellingen().Concentratie, qint16(verwacht));
    }

    void linesArePlacedByTheirTank()
    {
        MeststofLijst lijst{};
        lijst[1] = regel(1, "A1", BakNummer::A, 10);
        lijst[2] = regel(2, "A2", BakNummer::A, 0.5f);  // counts as nothing
        lijst[3] = regel(3, "A3", BakNummer::A, -0.6f); // shown, in red
        lijst[4] = regel(4, "B1", BakNummer::B, 4);
        lijst[5] = regel(5, "B2", BakNummer::B, -0.5f); // counts as nothing
        lijst[6] = regel(6, "B3", BakNummer::B, 7);
        lijst[7] = regel(7, "B4", BakNummer::B, 7);
        lijst[8] = regel(8, "9 kg", BakNummer::Beide, 3); // a tank without a place
        lijst[9] = regel(24, "Si", BakNummer::Silicium, 2);
        lijst[10] = regel(105, "Mn", BakNummer::Sporenelementen, 150);
        lijst[11] = regel(114, "Mo", 101, 12);
        const TankIndeling t = DeelTankRegelsIn(lijst);

        QStringList plaatsen;
        for (const TankRegel& r : t.regels)
            plaatsen << QString("%1:%2:%3%4%5%6")
                            .arg(lijst[r.slot].Naam)
                            .arg(r.kolom)
                            .arg(r.n)
                            .arg(r.lager ? " lower" : "")
                            .arg(r.negatief ? " negative" : "")
                            .arg(r.zonderBak ? " no tank" : "");
        QCOMPARE(plaatsen, QStringList({"A1:100:1", "A3:100:2 negative", "B1:200:1", "B3:200:2", "B4:200:3",
                                        "9 kg:100:5 lower no tank", "Si:100:15", "Mn:200:4 lower", "Mo:100:4 lower"}));
        QCOMPARE(t.eigenA, 2);
        QCOMPARE(t.aantalA, 3); // padded to the length of column B
        QCOMPARE(t.hoogsteRegel, 15);
    }
};

QTEST_MAIN(TestSamenstelling)
#include "test_samenstelling.moc"
