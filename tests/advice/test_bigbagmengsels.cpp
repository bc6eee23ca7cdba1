// The big-bag blends beside their window: lines and totals, typed amounts,
// the stored rows, and the search of coupled fertilisers on the default
// product line.
#include "appstate.h"
#include "bigbagmengsels.h"
#include "bigbagopslag.h"
#include "defaultstate.h"
#include "zelvorageneral.h"

#include <QtTest>

namespace {

MeststofRecord meststof(qint16 code, const QString& naam, float kgl = 1)
{
    MeststofRecord m;
    m.Code_MEST = code;
    m.Naam = naam;
    m.KGl = kgl;
    m.Hoeveelheid = 99; // what a line took along is no amount of the blend
    return m;
}

// Blend 1: calcium nitrate 20 kg and potassium nitrate 12.5 kg; blend 2:
// potassium nitrate 10 kg and liquid ammonium nitrate 30 litres.
BigBagMengsels voorbeeld()
{
    BigBagMengsels m;
    m.VoegToe(1, meststof(1, "Kalksalpeter"));
    m.VoegToe(1, meststof(3, "Kalisalpeter"));
    m.VoegToe(2, meststof(3, "Kalisalpeter"));
    m.VoegToe(2, meststof(11, "Ammoniumnitraat vloeibaar", 1.25f));
    m.ZetHoeveelheid(1, 0, 20);
    m.ZetHoeveelheid(1, 1, 12.5f);
    m.ZetHoeveelheid(2, 0, 10);
    m.ZetHoeveelheid(2, 1, 30);
    return m;
}

QStringList opgeslagen()
{
    RecordSet rs = appState().dbT->openRecordset(
        "SELECT * FROM HISTORIE_ExtraBigbag WHERE ID_ALG_Tuinder = ? ORDER BY ID_HISTORIE, \"Index\"",
        {appState().ID_ALG_Tuinder});
    QStringList rijen;
    for (; !rs.eof(); rs.moveNext())
        rijen << QStringList{rs.value("ID_HISTORIE").toString(), rs.value("Index").toString(),
                             rs.value("Nr").toString(),          rs.value("Naam").toString(),
                             rs.value("Bak").toString(),         rs.value("Kg").toString(),
                             rs.value("Kgl").toString(),         rs.value("liter").toString()}
                     .join('|');
    return rijen;
}

QList<qint32> zoek(qint16 koppeling, int mengsel)
{
    RecordSet rs = appState().dbH->openRecordset(BigBagOpslag::ZoekQuery(koppeling, mengsel) + " ORDER BY Code");
    QList<qint32> codes;
    for (; !rs.eof(); rs.moveNext())
        codes << rs.value(0).toInt();
    return codes;
}

} // namespace

class TestBigBagMengsels : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = TestSupport::openDefaultState(); }
    void cleanup()
    {
        resetAppState();
        m_dir.reset();
    }

    void linesAmountsAndTotals()
    {
        BigBagMengsels m = voorbeeld();
        // A liquid is typed in litres: its kilograms, and so the blend's total, stay.
        QCOMPARE(m.Regel(2, 2).Hoeveelheid2, 30.0f);
        QCOMPARE(m.Regel(2, 2).Hoeveelheid, 0.0f);
        QCOMPARE(HoeveelheidTekst(m.Regel(2, 2)), QString("30.0"));
        QCOMPARE(EenheidTekst(m.Regel(2, 2)), QString("liter"));
        QCOMPARE(TotaalTekst(m.TotaalKg(1)), QString("32.5 KG "));
        QCOMPARE(TotaalTekst(m.TotaalKg(2)), QString("10.0 KG "));

        // A trace-element product is weighed in grams: it does not count.
        QVERIFY(m.VoegToe(1, meststof(105, "Mangaansulfaat")) == BigBagMengsels::Toevoegen::Toegevoegd);
        QVERIFY(m.ZetHoeveelheid(1, 2, 1500));
        QCOMPARE(HoeveelheidTekst(m.Regel(1, 3)), QString("1,500"));
        QCOMPARE(EenheidTekst(m.Regel(1, 3)), QString("gram"));
        QCOMPARE(m.TotaalKg(1), 32.5f);

        QVERIFY(!m.ZetHoeveelheid(1, 3, 5)); // no such row
    }

    void clearingAsksWhileEitherBlendHoldsAFertiliser()
    {
        BigBagMengsels m;
        QVERIFY(m.IsLeeg());
        m.VoegToe(2, meststof(3, "Kalisalpeter")); // chosen, no amount typed yet
        QVERIFY(!m.IsLeeg());
        m.Leeg();
        QVERIFY(m.IsLeeg());
    }

    void typedAmounts_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<int>("fout");
        QTest::addColumn<float>("waarde");
        QTest::newRow("with thousands") << "1,250.5" << int(InvoerFout::Geen) << 1250.5f;
        QTest::newRow("empty is nothing") << " " << int(InvoerFout::Geen) << 0.0f;
        QTest::newRow("minus zero") << "-0" << int(InvoerFout::Geen) << 0.0f;
        QTest::newRow("negative") << "-5" << int(InvoerFout::BuitenBereik) << 7.0f;
        QTest::newRow("no number") << "12kg" << int(InvoerFout::GeenGetal) << 7.0f;
        QTest::newRow("a decimal comma in an English amount") << "5,1" << int(InvoerFout::GeenGetal) << 7.0f;
        QTest::newRow("the largest") << "99,999.9" << int(InvoerFout::Geen) << 99999.9f;
        QTest::newRow("above the largest") << "100000" << int(InvoerFout::BuitenBereik) << 7.0f;
        QTest::newRow("beyond a single") << "1e39" << int(InvoerFout::BuitenBereik) << 7.0f;
    }

    void typedAmounts()
    {
        QFETCH(QString, tekst);
        QFETCH(int, fout);
        QFETCH(float, waarde);
        float gelezen = 7;
        QCOMPARE(int(LeesHoeveelheid(tekst, gelezen)), fout);
        QCOMPARE(gelezen, waarde);
        QVERIFY(!std::signbit(gelezen));
    }

    void storedBlendsComeBackOnTheirLines()
    {
        BigBagOpslag::Schrijf(voorbeeld());
        BigBagOpslag::Schrijf(voorbeeld()); // the stored blends are replaced, not added to
        const QStringList rijen{"0|1|1|Kalksalpeter|1|20|1|0", "0|2|3|Kalisalpeter|1|12.5|1|0",
                                "0|21|3|Kalisalpeter|2|10|1|0", "0|22|11|Ammoniumnitraat vloeibaar|2|0|1.25|30"};
        QCOMPARE(opgeslagen(), rijen);
        // Read back, every line in its blend with its amount: stored again, the same rows.
        BigBagMengsels terug;
        BigBagOpslag::Lees(terug);
        BigBagOpslag::Schrijf(terug);
        QCOMPARE(opgeslagen(), rijen);

        // Rows of no blend are left out; a blend takes 20 rows at most.
        Database& t = *appState().dbT;
        for (int index = 3; index <= 22; ++index)
            t.execute("INSERT INTO HISTORIE_ExtraBigbag (ID_ALG_Tuinder, ID_HISTORIE, \"Index\", Nr, Bak, Kgl) "
                      "VALUES (?, 0, ?, ?, ?, 1)",
                      {appState().ID_ALG_Tuinder, index, 100 + index, index == 3 ? 3 : 1});
        BigBagMengsels vol;
        BigBagOpslag::Lees(vol);
        QCOMPARE(vol.AantalRegels(1), 20);
        QCOMPARE(vol.Regel(1, 20).Code_MEST, qint16(121));
    }

    void theSearchFindsTheFertilisersCoupledToEachBlend()
    {
        // The default product line: "1," calcium nitrate, "01," magnesium nitrate,
        // "01,02," potassium nitrate and chloride, "02," the others.
        QCOMPARE(zoek(1, 1), (QList<qint32>{1, 3, 7, 13}));
        QCOMPARE(zoek(1, 2), (QList<qint32>{3, 4, 5, 6, 9, 12, 13}));
        // A fertiliser the grower switched off is not offered.
        appState().dbH->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (3, 0), (7, 1)");
        QCOMPARE(zoek(1, 1), (QList<qint32>{1, 7, 13}));

        MeststofRecord m;
        QVERIFY(BigBagOpslag::LeesMeststof(7, m));
        QCOMPARE(m.Naam, QString("Magnesiumnitraat"));
        QCOMPARE(m.Samenstelling.Mg, 3.9f);
        QCOMPARE(m.KGl, 1.0f);
        QVERIFY(!BigBagOpslag::LeesMeststof(999, m));
        QCOMPARE(m.Naam, QString("Magnesiumnitraat")); // nothing found, nothing changed
    }
};

QTEST_MAIN(TestBigBagMengsels)
#include "test_bigbagmengsels.moc"
