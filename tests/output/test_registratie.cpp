// The order register's sums, list and deletion on the default databases, and
// the printed list written as a PDF file and read back.
#include "appstate.h"
#include "bestelregister.h"
#include "defaultstate.h"
#include "frmprintpreview.h"
#include "pdftext.h"
#include "printbestelling.h"
#include "registratie.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QLocale>
#include <QtTest>

namespace {

// Default fertilisers: Kalksalpeter (solid; N 14.26 + 1.3 %, CaO 25.95 %),
// Kaliloog 50 % (liquid, 1.51 kg/l; K2O 41.97 %), Fe-DTPA 3 % vloeibaar
// (trace liquid, 1.25 kg/l; Fe 3 %), Mangaansulfaat (trace solid; Mn 32.51 %).
const BestelRegel kalk{1, "Kalksalpeter", 400.0, "kg"};
const BestelRegel loog{22, "Kaliloog 50 %", 100.0, "liter"};
const BestelRegel ijzer{101, "Fe-DTPA 3 % vloeibaar", 2000.0, "ml"};
const BestelRegel mangaan{105, "Mangaansulfaat", 500.0, "gram"};

const QDate kVan(2024, 3, 1);
const QDate kTot(2024, 3, 31);

qint32 bestel(const QDateTime& wanneer, const QList<BestelRegel>& regels, qint32 tuinder = 0)
{
    return RegistreerBestelling(tuinder ? tuinder : appState().ID_ALG_Tuinder, 1, wanneer, regels);
}

QDateTime op(const QDate& dag, int uur, int minuut = 0, int seconde = 0)
{
    return QDateTime(dag, QTime(uur, minuut, seconde));
}

// The row of that name; without one a row without a name and with the
// amount -1, so that a missing row fails the comparison instead of the test.
RegisterRij rij(const QList<RegisterRij>& rijen, const QString& naam)
{
    for (const RegisterRij& r : rijen)
        if (r.Naam == naam)
            return r;
    return {0, QString(), -1, QString()};
}

int tel(const QString& sql, const QVariantList& params = {})
{
    return growerDb().openRecordset(sql, params).value(0).toInt();
}

} // namespace

class TestRegistratie : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString pdfTekst()
    {
        const QString pdf = m_dir->filePath("lijst.pdf");
        if (!frmPrintPreview::instance().writePdf(pdf))
            return {};
        return PdfText::layout(pdf);
    }

private slots:
    void init()
    {
        m_dir = TestSupport::openDefaultState();
        // Orders on the first and last day at the edges of the day, one just
        // outside on either side, and one of another grower in the period.
        bestel(op(kVan, 0), {kalk, loog});
        bestel(op(kVan, 1), {kalk, {3, "Kalisalpeter", QVariant(), "kg"}});
        bestel(op(kTot, 23, 50), {kalk, ijzer, mangaan});
        bestel(op(kVan.addDays(-1), 23, 59, 59), {kalk});
        bestel(op(kTot.addDays(1), 0), {kalk});
        bestel(op(kVan.addDays(10), 12), {kalk}, appState().ID_ALG_Tuinder + 1);
    }
    void cleanup()
    {
        MessageBox::clear();
        resetAppState();
        m_dir.reset();
    }

    void perFertiliserCountsTheFirstAndTheLastDayWhole()
    {
        const QList<RegisterRij> rijen = Registratie::TotaalPerMeststof(appState().ID_ALG_Tuinder, {kVan, kTot});
        QStringList namen;
        for (const RegisterRij& r : rijen)
            namen << r.Naam;
        // By name; a line without an amount (Kalisalpeter) is no order of it.
        QCOMPARE(namen, (QStringList{"Fe-DTPA 3 % vloeibaar", "Kaliloog 50 %", "Kalksalpeter", "Mangaansulfaat"}));
        QCOMPARE(rij(rijen, "Kalksalpeter").Hoeveelheid, 1200.0);
        QCOMPARE(rij(rijen, "Kaliloog 50 %").Hoeveelheid, 100.0);
        QCOMPARE(rij(rijen, "Kaliloog 50 %").Eenheid, QStringLiteral("liter"));

        // One day is a period too; a reversed one holds nothing.
        const QList<RegisterRij> dag = Registratie::TotaalPerMeststof(appState().ID_ALG_Tuinder, {kTot, kTot});
        QCOMPARE(rij(dag, "Kalksalpeter").Hoeveelheid, 400.0);
        QVERIFY(Registratie::TotaalPerMeststof(appState().ID_ALG_Tuinder, {kTot, kVan}).isEmpty());
    }

    void perElementConvertsEveryUnitToKilograms()
    {
        const QList<RegisterRij> rijen = Registratie::TotaalPerElement(appState().ID_ALG_Tuinder, {kVan, kTot});
        const auto kg = [&](const QString& label) { return rij(rijen, label).Hoeveelheid; };
        // 1200 kg × (14.26 + 1.3) %; 100 l × 1.51 kg/l × 41.97 %;
        // 2000 ml = 2.5 kg × 3 %; 500 g = 0.5 kg × 32.51 %.
        QVERIFY(qAbs(kg("N-totaal") - 186.72) < 1e-3);
        QVERIFY(qAbs(kg("CaO") - 311.4) < 1e-3);
        QVERIFY(qAbs(kg("K2O") - 63.3747) < 1e-3);
        QVERIFY(qAbs(kg("Fe") - 0.075) < 1e-6);
        QVERIFY(qAbs(kg("Mn") - 0.16255) < 1e-6);
        QCOMPARE(rijen.size(), 5); // no line for an element none of them holds
        for (const RegisterRij& r : rijen)
            QCOMPARE(r.Eenheid, QStringLiteral("kg"));

        // The scratch table holds the report, and only it.
        growerDb().execute("INSERT INTO BEST_HistElementen (Naam, Hoeveelheid, Eenheid) VALUES ('oud', 1, 'kg')");
        Registratie::TotaalPerElement(appState().ID_ALG_Tuinder, {kVan, kTot});
        QCOMPARE(tel("SELECT Count(*) FROM BEST_HistElementen"), 5);
        QCOMPARE(tel("SELECT Count(*) FROM BEST_HistElementen WHERE Naam = 'Fe' AND Eenheid = 'kg'"), 1);

        // A fertiliser the reference data does not know adds nothing.
        bestel(op(kVan, 12), {{999, "Onbekend", 1000.0, "kg"}});
        QCOMPARE(Registratie::TotaalPerElement(appState().ID_ALG_Tuinder, {kVan, kTot}).size(), 5);
    }

    void listOfOneFertiliserRunsThroughTheLastDay()
    {
        const QList<RegisterBestelling> lijst =
            Registratie::BestellingenVan(appState().ID_ALG_Tuinder, 1, {kVan, kTot});
        QCOMPARE(lijst.size(), 3);
        QCOMPARE(lijst[0].Datum, op(kVan, 0));
        QCOMPARE(lijst[2].Datum, op(kTot, 23, 50));
        QCOMPARE(lijst[2].Hoeveelheid, 400.0);
        QCOMPARE(Registratie::BestellingenVan(appState().ID_ALG_Tuinder, 105, {kVan, kTot}).size(), 1);
    }

    void deletingAnOrderTakesItsLinesOrNothing()
    {
        const qint32 tuinder = appState().ID_ALG_Tuinder;
        const QList<RegisterBestelling> mangaan = Registratie::BestellingenVan(tuinder, 105, {kVan, kTot});
        QCOMPARE(mangaan.size(), 1);
        const qint32 id = mangaan.first().ID;

        // A failure halfway leaves the whole order.
        growerDb().execute(
            "CREATE TRIGGER vast BEFORE DELETE ON BEST_Meststoffen BEGIN SELECT RAISE(ABORT, 'locked'); END");
        QVERIFY_THROWS_EXCEPTION(AppError, Registratie::Verwijder(tuinder, id));
        QCOMPARE(tel("SELECT Count(*) FROM BEST_Hist WHERE ID = ?", {id}), 1);
        QCOMPARE(tel("SELECT Count(*) FROM BEST_Meststoffen WHERE ID_BEST_Hist = ?", {id}), 3);
        growerDb().execute("DROP TRIGGER vast");

        // Another grower's order is not this grower's to delete.
        const qint32 ander = tel("SELECT ID FROM BEST_Hist WHERE ID_ALG_Tuinder <> ?", {tuinder});
        QVERIFY(!Registratie::Verwijder(tuinder, ander));
        QCOMPARE(tel("SELECT Count(*) FROM BEST_Meststoffen WHERE ID_BEST_Hist = ?", {ander}), 1);

        QVERIFY(Registratie::Verwijder(tuinder, id));
        QCOMPARE(tel("SELECT Count(*) FROM BEST_Hist WHERE ID = ?", {id}), 0);
        QCOMPARE(tel("SELECT Count(*) FROM BEST_Meststoffen WHERE ID_BEST_Hist = ?", {id}), 0);
        const QList<RegisterRij> rijen = Registratie::TotaalPerMeststof(tuinder, {kVan, kTot});
        QCOMPARE(rij(rijen, "Kalksalpeter").Hoeveelheid, 800.0);
        QVERIFY(rij(rijen, "Mangaansulfaat").Naam.isEmpty());
    }

    void periodTextsInTheUsersLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        QCOMPARE(Registratie::DatumTekst(QDate(2024, 3, 1)), QStringLiteral("01-03-2024"));
        QCOMPARE(Registratie::LeesDatum("1-3-2024"), QDate(2024, 3, 1));
        QCOMPARE(Registratie::LeesDatum("01-03-24"), QDate(2024, 3, 1));
        QVERIFY(!Registratie::LeesDatum("31-02-2024").isValid());
        QLocale::setDefault(QLocale::c());
        QCOMPARE(Registratie::LeesDatum(Registratie::DatumTekst(QDate(1999, 12, 31))), QDate(1999, 12, 31));

        QCOMPARE(Registratie::StandaardPeriode(QDate(2024, 2, 29)).van, QDate(2023, 3, 1));
        QCOMPARE(Registratie::StandaardPeriode(QDate(2024, 7, 15)).van, QDate(2023, 7, 15));

        // Whole kilograms, but a trace element's grams stay visible.
        QCOMPARE(Registratie::HoeveelheidTekst(1199.6, Registratie::PerMeststof), QStringLiteral("1200"));
        QCOMPARE(Registratie::HoeveelheidTekst(0.075, Registratie::PerElement), QStringLiteral("0.075"));
        QCOMPARE(Registratie::HoeveelheidTekst(186.72, Registratie::PerElement), QStringLiteral("187"));
    }

    void printedListReadsBackFromPdfAndAnEmptyOneSaysSo()
    {
        const QList<RegisterRij> rijen = Registratie::TotaalPerMeststof(appState().ID_ALG_Tuinder, {kVan, kTot});
        QVERIFY(PrintBestelling(rijen, Registratie::PerMeststof, "1-3-2024", "31-3-2024"));
        const QString tekst = pdfTekst();
        QVERIFY(PdfText::lineWith(tekst, GetLangStr(820100000)).contains("1-3-2024"));
        QVERIFY(PdfText::lineWith(tekst, GetLangStr(820100100)).contains("31-3-2024"));
        QVERIFY(PdfText::lineWith(tekst, "Kalksalpeter").contains(QRegularExpression("1200\\s+kg")));
        QVERIFY(PdfText::lineWith(tekst, "Kaliloog").contains(QRegularExpression("100\\s+liter")));
        QVERIFY(PdfText::lineWith(tekst, "Mangaansulfaat").contains(QRegularExpression("500\\s+gram")));

        const QList<RegisterRij> elementen = Registratie::TotaalPerElement(appState().ID_ALG_Tuinder, {kVan, kTot});
        QVERIFY(PrintBestelling(elementen, Registratie::PerElement, "1-3-2024", "31-3-2024"));
        const QString perElement = pdfTekst();
        QVERIFY(perElement.contains(GetLangStr(820300001)));
        QVERIFY(PdfText::lineWith(perElement, "N-totaal").contains(QRegularExpression("187\\s+kg")));
        QVERIFY(perElement.contains(QRegularExpression("(^|\\n)\\s*Fe\\s+0\\.075\\s+kg")));

        // An empty register: what the preview held before must not pass for it.
        QVERIFY(PrintBestelling({}, Registratie::PerElement, "1-1-2021", "31-1-2021"));
        const QString leeg = pdfTekst();
        QVERIFY(!leeg.contains("N-totaal"));
        QVERIFY(leeg.contains("31-1-2021"));
        QVERIFY(leeg.contains(GetLangStr(820500000)));
    }
};

QTEST_MAIN(TestRegistratie)
#include "test_registratie.moc"
