// The advice report on the default databases: drawn on the print preview,
// written as a PDF file and read back as text.
#include "appstate.h"
#include "defaultstate.h"
#include "frmprintpreview.h"
#include "mdlzelvoraprint.h"
#include "pdftext.h"
#include "printdocument.h"
#include "programsettings.h"
#include "tankindeling.h"
#include "ui/dialogs.h"
#include "wideface.h"
#include "zelvorageneral.h"

#include <QFile>
#include <QtTest>

namespace {

clsPrintMeststofMeststof lijn(qint16 bak, const QString& naam, const QString& hoeveelheid = "1.0",
                              const QString& eenheid = "kg", float kg = 1)
{
    clsPrintMeststofMeststof l;
    l.Bak = bak;
    l.Naam = naam;
    l.Hoeveelheid = hoeveelheid;
    l.Eenheid = eenheid;
    l.Kg = kg;
    return l;
}

// A label of the settings table, which may wrap onto the next line, with the
// value beside its first line.
bool rijMet(const QString& tekst, const QString& label, const QString& waarde)
{
    const QStringList regels = tekst.split('\n');
    const QRegularExpression patroon(waarde);
    for (int i = 0; i < regels.size(); ++i) {
        const QRegularExpressionMatch m = patroon.match(regels[i]);
        if (!m.hasMatch())
            continue;
        const QString volgende = i + 1 < regels.size() ? regels[i + 1].simplified() : QString();
        if ((regels[i].left(m.capturedStart()).simplified() + " " + volgende).startsWith(label))
            return true;
    }
    return false;
}

// Row r of the tank table as "name|amount|unit" for one tank (column 1 or 5).
QString rij(const TankCellen& c, int r, int kolom)
{
    return QStringList{c.value({r, kolom}), c.value({r, kolom + 1}), c.value({r, kolom + 2})}.join('|');
}

} // namespace

class TestAdviesRapport : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    // The report of the current state as PDF text (every page).
    QString rapport(const QList<clsPrintMeststofMeststof>& tank = {},
                    const QList<clsPrintMeststofMeststof>* bigBag = nullptr, const QString& opmerking = {},
                    const BestelRecord& bestelling = {})
    {
        if (!PrintAdvies(tank, bigBag, opmerking, bestelling))
            return {};
        const QString pdf = m_dir->filePath("advies.pdf");
        if (!frmPrintPreview::instance().writePdf(pdf))
            return {};
        return PdfText::layout(pdf);
    }

private slots:
    void initTestCase() { QVERIFY2(WideFace::use(), "no face wider than Arial on this machine"); }
    void init()
    {
        m_dir = TestSupport::openDefaultState();
        QCoreApplication::setApplicationVersion("2.1.14");
    }
    void cleanup()
    {
        resetAppState();
        m_dir.reset();
    }

    void tankLinesWithAmountsUnitsAndTheBigBagQuantity()
    {
        PutTeeltInstelling("Mixorabak", 500, InstellingMode::Number);
        PutTeeltInstelling("EBB_Factor", 40, InstellingMode::Number);
        PutTeeltInstelling("ExtraBigBag", 1, InstellingMode::Number);
        const QList<clsPrintMeststofMeststof> tank = {
            lijn(1, "Kalksalpeter", "91.9"),        lijn(1, "Kaliloog", "5.1", "liter"),
            lijn(2, "Magnesiumsulfaat", "49.3"),    lijn(100, "Mangaansulfaat", "169", "gram"),
            lijn(10, "Kiezelzuur", "3.4", "liter"), lijn(9, "Onbekende bak")};
        const QList<clsPrintMeststofMeststof> bigBag = {lijn(1, "Mengsel kalk", "20.0", "kg", 20),
                                                        lijn(2, "Mengsel leeg", "0.0", "kg", 0)};
        BestelRecord adres;
        adres.Naam = "Kwekerij De Kas";
        adres.Postcode = "2671 AB";
        adres.Woonplaats = "'s-Gravenzande";
        const QString tekst = rapport(tank, &bigBag, "Eerste ronde", adres);

        QVERIFY(PdfText::lineWith(tekst, "Kalksalpeter").contains(QRegularExpression("91\\.9\\s+kg")));
        QVERIFY(PdfText::lineWith(tekst, "Kaliloog").contains(QRegularExpression("5\\.1\\s+liter")));
        QVERIFY(PdfText::lineWith(tekst, "Magnesiumsulfaat").contains(QRegularExpression("49\\.3\\s+kg")));
        QVERIFY(PdfText::lineWith(tekst, "Mangaansulfaat").contains(QRegularExpression("169\\s+gram")));
        QVERIFY(PdfText::lineWith(tekst, "Kiezelzuur").contains(QRegularExpression("3\\.4\\s+liter")));
        QVERIFY(!tekst.contains("Onbekende bak"));
        // 500 litres of product-line tank at factor 40: 200; blend 2 has nothing in it.
        QCOMPARE(tekst.count(QRegularExpression("Big bag voor een bakinhoud van\\s+200\\s+liter")), 1);
        QVERIFY(PdfText::lineWith(tekst, "Mengsel kalk").contains(QRegularExpression("20\\.0\\s+kg")));

        QVERIFY(tekst.contains("Kwekerij De Kas"));
        QVERIFY(tekst.contains(QRegularExpression("2671 AB\\s+'s-Gravenzande")));
        QVERIFY(PdfText::lineWith(tekst, "Opmerking").contains("Eerste ronde"));
        QVERIFY(tekst.contains("Versie 2.1.14"));

        // The blends window prints without a big-bag collection: no table, no quantity line.
        const QString zonder = rapport(tank);
        QVERIFY(!zonder.contains("Big bag"));
        QVERIFY(zonder.contains("Kalksalpeter"));
    }

    void linesNeverTakeAnotherLinesCells()
    {
        TankIndeling indeling;
        indeling.siliciumKop = "Si";

        // In their own order these collide nowhere: the rows stay as they always were.
        TankCellen c = indeling.plaats(
            {lijn(1, "A1"), lijn(101, "X"), lijn(1, "A2"), lijn(2, "B1"), lijn(100, "S1"), lijn(100, "S2")});
        QCOMPARE(rij(c, 3, 1), QString("X|1.0|kg"));  // max(1, 0) + 2
        QCOMPARE(rij(c, 3, 5), QString("S1|1.0|kg")); // one empty row below tank B

        // A tank-1 line after a tank-101 line used to take its row.
        c = indeling.plaats({lijn(1, "A1"), lijn(101, "X"), lijn(1, "A2"), lijn(1, "A3"), lijn(2, "B1")});
        QCOMPARE(rij(c, 3, 1), QString("A3|1.0|kg"));
        QCOMPARE(rij(c, 5, 1), QString("X|1.0|kg"));

        // Blend quantity wanted: the row below tank B is kept for it.
        indeling.hoeveelheidGewenst = indeling.regelA = indeling.regelB = true;
        indeling.hoeveelheidsRegel = {"Big bag", "200", "liter"};
        c = indeling.plaats({lijn(2, "B1"), lijn(100, "S1"), lijn(1, "A1")});
        QCOMPARE(rij(c, 2, 5), QString("Big bag|200|liter"));
        QCOMPARE(rij(c, 3, 5), QString("||"));
        QCOMPARE(rij(c, 4, 5), QString("S1|1.0|kg"));
        QCOMPARE(rij(c, 2, 1), QString("Big bag|200|liter"));

        // A long tank A and two silicon lines: the silicon block moves below
        // tank A and its quantity line, and the table grows.
        QList<clsPrintMeststofMeststof> lang{lijn(10, "Si1"), lijn(10, "Si2")};
        for (int i = 1; i <= 15; ++i)
            lang << lijn(1, QString("A%1").arg(i));
        c = indeling.plaats(lang);
        QCOMPARE(rij(c, 15, 1), QString("A15|1.0|kg"));
        QCOMPARE(rij(c, 16, 1), QString("Big bag|200|liter"));
        QCOMPARE(c.value({17, 1}), QString("Si"));
        QCOMPARE(rij(c, 18, 1), QString("Si1|1.0|kg"));
        QCOMPARE(rij(c, 19, 1), QString("Si2|1.0|kg"));
        QCOMPARE(TankRijen(c), 19);

        // The whole report shows every line of it.
        const QString tekst = rapport(lang);
        for (const auto& l : std::as_const(lang))
            QVERIFY2(tekst.contains(QRegularExpression("\\b" + l.Naam + "\\b")), qPrintable(l.Naam));
    }

    void elementValuesInTheDisplayUnit()
    {
        TestSupport::insertWorkingSetRow("HISTORIE_Advies", {{"Type", 20}, {"Ca", 4}, {"Fe", 15}, {"NO3", 20}});
        TestSupport::insertWorkingSetRow("HISTORIE_StandaardBakEC", {{"Type", 1}, {"K", 6.5}});
        appState().UnitID = 1; // meq
        QString tekst = rapport();
        QVERIFY(PdfText::lineWith(tekst, "Basisstreefwaarde").contains(QRegularExpression("\\b8\\.00\\b")));
        QVERIFY(PdfText::lineWith(tekst, "Basisstreefwaarde").contains("45.00")); // Fe: valence 3
        QVERIFY(PdfText::lineWith(tekst, "Standaardbak").contains("6.50"));

        appState().UnitID = 2; // mg: four digits still read as one number
        QVERIFY(PdfText::lineWith(rapport(), "Basisstreefwaarde").contains("1,240.00"));

        appState().UnitID = 0;
        tekst = rapport();
        QVERIFY(PdfText::lineWith(tekst, "Basisstreefwaarde").contains(QRegularExpression("\\b4\\.00\\b")));
        RecordSet rs = growerDb().openRecordset("SELECT Ca FROM HISTORIE_Advies");
        QCOMPARE(rs.value("Ca").toDouble(), 4.0);
    }

    void settingsTableShowsTheCurrentSetAndItsGrowingSystem()
    {
        PutTeeltInstelling("Code_Teelt", 1, InstellingMode::Number);
        PutTeeltInstelling("Code_Teeltstadium", 2, InstellingMode::Number);
        PutTeeltInstelling("BakGrootte", 1000, InstellingMode::Number);
        PutTeeltInstelling("Concentratie_berek", 150, InstellingMode::Number);
        TestSupport::insertWorkingSetRow("WATER", {{"Type", 1}, {"Perc", 60}});
        TestSupport::insertWorkingSetRow("WATER", {{"Type", 3}, {"Perc", 40}});
        // A stored set's water share is not the working set's.
        growerDb().execute("INSERT INTO WATER (ID_ALG_Tuinder, ID_HISTORIE, Type, Perc) VALUES (?, 7, 2, 99)",
                           {appState().ID_ALG_Tuinder});
        TestSupport::insertWorkingSetRow("HISTORIE_Advies", {{"Type", 20}, {"Ec", 2.5}});
        TestSupport::insertWorkingSetRow("HISTORIE_Advies",
                                         {{"Type", 60}, {"Ec", 0}}); // no EC of its own: the base target's
        TestSupport::insertWorkingSetRow("HISTORIE_Advies", {{"Type", 100}, {"RecircEC", 3.1}, {"Perc", 40}});

        // System, the EC row's label, the reuse row's value ("" when the row is left out).
        const QList<std::tuple<int, QString, QString>> systemen{{1, "Gewenste EC gietwater", ""},
                                                                {2, "Gewenste EC voedingsoplossing", "3\\.10\\s+mS/cm"},
                                                                {3, "Gewenste EC voedingsoplossing", "40\\.00\\s+%"},
                                                                {0, "Gewenste EC voedingsoplossing", ""}}; // soil
        QString tekst;
        for (const auto& [systeem, label, hergebruik] : systemen) {
            PutTeeltInstelling("TeeltSysteem", systeem, InstellingMode::Number);
            tekst = rapport();
            QVERIFY2(rijMet(tekst, label, "2\\.50\\s+mS/cm"), qPrintable(QString::number(systeem)));
            QVERIFY2(hergebruik.isEmpty() ? !tekst.contains("Hergebruik")
                                          : rijMet(tekst, "Hergebruik drainwater", hergebruik),
                     qPrintable(QString::number(systeem)));
        }
        QVERIFY(rijMet(tekst, "Gewas", QRegularExpression::escape(GetTeeltNaam(1))));
        QVERIFY(rijMet(tekst, "Teeltstadium", "Productie"));
        QVERIFY(rijMet(tekst, "Waterbron 1", "\\b60\\s+%"));
        QVERIFY(rijMet(tekst, "Waterbron 2", "\\b0\\s*%"));
        QVERIFY(rijMet(tekst, "Waterbron 3", "\\b40\\s+%"));
        QVERIFY(rijMet(tekst, "Bakinhoud", "1,000\\s+liter"));
        QVERIFY(rijMet(tekst, "Concentratie", "\\b150 x"));
    }

    void ammoniumClassText()
    {
        PutTeeltInstelling("AmoniumAanpassing", 5, InstellingMode::Number);
        QVERIFY(rapport().contains("Ammoniumklasse 5: veel ammonium in de drain bij een lage pH."));
        for (int klasse : {0, 9}) {
            PutTeeltInstelling("AmoniumAanpassing", klasse, InstellingMode::Number);
            QVERIFY(!rapport().contains(QRegularExpression("Ammoniumklasse \\d:")));
        }
    }

    void advisorNoteNamesTheAdvisor()
    {
        // No name: no note, and nothing written to the settings file.
        QVERIFY(!rapport().contains("opgesteld door"));
        QFile ini(ProgramSettings::filePath());
        QVERIFY(!ini.exists() || (ini.open(QIODevice::ReadOnly) && !ini.readAll().contains("Advisor")));

        // The placeholder in any capitalisation.
        {
            Database taal(appState().AppPath + "PlomLang.mdb", DatabasePassword);
            taal.execute("UPDATE Lang SET Lang0 = ? WHERE ID = 999200001", {"Opgesteld door $ADVISOR$ ($Advisor$)."});
        }
        OpenRsLang();
        ProgramSettings::setAdvisor("J. de Vries");
        QVERIFY(rapport().contains("Opgesteld door J. de Vries (J. de Vries)."));
    }

    void aFailedReportLeavesThePreviewAndTellsTheUser()
    {
        frmPrintPreview& preview = frmPrintPreview::instance();
        preview.vspBestelling.startDoc();
        preview.vspBestelling.printText("Vorig rapport");
        preview.vspBestelling.endDoc();
        growerDb().execute("DROP TABLE HISTORIE_Advies");

        QVERIFY(!PrintAdvies({lijn(1, "Kalksalpeter")}, nullptr, {}, {}));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().style & MsgBox::Critical, int(MsgBox::Critical));
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000090)));
        const std::vector<DocPage>& blad = preview.vspBestelling.pages();
        QVERIFY(blad.size() == 1 && blad[0].texts.size() == 1 && blad[0].texts[0].text == "Vorig rapport");
    }
};

QTEST_MAIN(TestAdviesRapport)
#include "test_adviesrapport.moc"
