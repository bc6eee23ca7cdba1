#include "mdlzelvoraprint.h"

#include "elementen.h"
#include "printdocument.h"
#include "programsettings.h"
#include "rapportvoet.h"
#include "tankindeling.h"
#include "units.h"
#include "zelvorageneral.h"

#include <QDate>
#include <QLocale>
#include <algorithm>

namespace {

namespace Tekst {
constexpr qint32 Titel = 73000000;
constexpr qint32 BakA = 70110000;
constexpr qint32 BakB = 70120000;
constexpr qint32 Silicium = 70120014;
constexpr qint32 BigBag1 = 70110001;
constexpr qint32 BigBag2 = 70120001;
constexpr qint32 BigBagVoor = 73100200;
constexpr qint32 Liter = 73100300;
constexpr qint32 Instellingen = 73100100;
constexpr qint32 Gewas = 40100200;
constexpr qint32 Stadium = 40100300;
constexpr qint32 Waterbron1 = 50101000;
constexpr qint32 Bakinhoud = 40100000;
constexpr qint32 ECBasis = 60100100;
constexpr qint32 ECGietwater = 60100111;
constexpr qint32 ECVoeding = 60100110;
constexpr qint32 Hergebruik = 60100102;
constexpr qint32 Concentratie = 40100100;
constexpr qint32 Opmerking = 72120000;
constexpr qint32 EersteElementRij = 73101000; // then every 100 on, six rows
constexpr qint32 Ammoniumklasse = 60100150;
constexpr qint32 EersteAmmonium = 999000101; // then every 2 on, eight classes
constexpr qint32 Adviseur = 999200001;
constexpr qint32 Mislukt = 999000090;
} // namespace Tekst

// Block positions on the page, in twips.
constexpr int TankLinks = 6000;
constexpr int TankBoven = 1000;
constexpr int BigBagBoven = 5000;
constexpr int Links = 1000;
constexpr int AdresBoven = 800;
constexpr int InstellingenBoven = 2200;
constexpr int ElementenBoven = 6800;
constexpr int AmmoniumBoven = 9500;
constexpr int AdviseurLinks = 3000;
constexpr int VoetBoven = 10100;
constexpr int ElementKolom = 800; // width of a value column of the element table

const QString TankFormaat = QStringLiteral("<+3250|>+900|<+700|100|<+3250|>+900|<+700");

// A fixed format such as "0" or "0.00": the locale's decimal sign, no
// thousands separators, halves away from zero as everywhere in the program.
QString vast(const QVariant& waarde, qint16 decimalen)
{
    return FormatNumber(NzValue(waarde, NzType::Double), decimalen).remove(QLocale().groupSeparator());
}

qint16 instellingGetal(const char* naam)
{
    return qint16(NzValue(GetTeeltInstelling(naam, InstellingMode::Number), NzType::Integer).toInt());
}

void zetCellen(PrintDocument& doc, const TankCellen& cellen)
{
    for (auto it = cellen.cbegin(); it != cellen.cend(); ++it)
        doc.setCell(it.key().first, it.key().second, it.value());
}

// Opens the tank or big-bag table under its bold heading row: tank A's
// heading over column 1, tank B's over column 5, each underlined.
void tankKop(PrintDocument& doc, int boven, double punten, qint32 kopA, qint32 kopB, int rijen)
{
    doc.setLeft(TankLinks);
    doc.setTop(boven);
    doc.setFontSize(punten);
    doc.setBold(true);
    doc.addTable(TankFormaat, GetLangStr(kopA) + "||||" + GetLangStr(kopB) + "||", "", rijen);
    doc.setBold(false);
    doc.setCellBorder(0, 1, CellEdge::Bottom);
    doc.setCellBorder(0, 5, CellEdge::Bottom);
}

void tankTabel(PrintDocument& doc, const QList<clsPrintMeststofMeststof>& lijnen,
               const QList<clsPrintMeststofMeststof>* bigBag)
{
    int blend1 = 0, blend2 = 0;
    if (bigBag) {
        for (const clsPrintMeststofMeststof& l : *bigBag) {
            blend1 += l.Bak == 1 && l.Kg > 0;
            blend2 += l.Bak == 2 && l.Kg > 0;
        }
    }
    const qint16 mixorabak = instellingGetal("Mixorabak");
    const float factor = NzValue(GetTeeltInstelling("EBB_Factor", InstellingMode::Number), NzType::Single).toFloat();
    const qint16 extraBigBag =
        qint16(NzValue(GetTeeltInstelling("ExtraBigBag", InstellingMode::Text), NzType::Integer).toInt());
    const float f = factor > 0 ? 100 / factor : factor;

    TankIndeling indeling;
    indeling.siliciumKop = GetLangStr(Tekst::Silicium);
    indeling.hoeveelheidGewenst = f != 0 && extraBigBag == 1 && mixorabak > 0;
    indeling.regelA = blend1 > 0;
    indeling.regelB = blend2 > 0;
    if (indeling.hoeveelheidGewenst)
        indeling.hoeveelheidsRegel = {GetLangStr(Tekst::BigBagVoor), vast(double(mixorabak) / f, 0),
                                      GetLangStr(Tekst::Liter)};

    tankKop(doc, TankBoven, 10, Tekst::BakA, Tekst::BakB, 16);
    zetCellen(doc, indeling.plaats(lijnen));
    doc.setBorder(TableBorder::None);
    doc.endTable();
}

void bigBagTabel(PrintDocument& doc, const QList<clsPrintMeststofMeststof>& lijnen)
{
    tankKop(doc, BigBagBoven, 8, Tekst::BigBag1, Tekst::BigBag2, 6);
    int rA = 0, rB = 0;
    for (const clsPrintMeststofMeststof& l : lijnen) {
        if (l.Bak != 1 && l.Bak != 2)
            continue;
        const int rij = l.Bak == 1 ? ++rA : ++rB;
        const int kolom = l.Bak == 1 ? 1 : 5;
        doc.setCell(rij, kolom, l.Naam);
        doc.setCell(rij, kolom + 1, l.Hoeveelheid);
        doc.setCell(rij, kolom + 2, l.Eenheid);
    }
    doc.setBorder(TableBorder::None);
    doc.endTable();
}

void adresBlok(PrintDocument& doc, const BestelRecord& b)
{
    doc.setLeft(Links);
    doc.setTop(AdresBoven);
    doc.setFontSize(10);
    doc.addTable("<+4600", "", "", 3);
    doc.setCell(1, 1, b.Naam);
    doc.setCell(2, 1, b.Adres);
    doc.setCell(3, 1, b.Postcode + "  " + b.Woonplaats);
    doc.setBorder(TableBorder::Box);
    doc.endTable();
}

void instellingenTabel(PrintDocument& doc, const QString& opmerking)
{
    doc.setTop(InstellingenBoven);
    doc.setFontSize(10);
    doc.addTable("<+2000|>+800|<+1100|", GetLangStr(Tekst::Instellingen), "", 16);
    doc.setCellSpan(0, 1, 4);
    auto rij = [&](int r, qint32 label, const QString& waarde, const QString& eenheid = {}) {
        doc.setCell(r, 1, GetLangStr(label));
        doc.setCell(r, 2, waarde);
        doc.setCell(r, 3, eenheid);
    };
    // Names and the remark run on across the unit column.
    auto lang = [&](int r) {
        doc.setCellSpan(r, 2, 6);
        doc.setCellAlign(r, 2, TextAlign::Left);
    };
    rij(1, Tekst::Gewas, GetPrintTeeltTekst(1));
    lang(1);
    rij(2, Tekst::Stadium, GetPrintTeeltTekst(2));
    lang(2);
    for (int bron = 1; bron <= 3; ++bron)
        rij(2 + bron, Tekst::Waterbron1 + 100 * (bron - 1), vast(GetWaterPerc(qint16(bron)), 0), "%");
    rij(6, Tekst::Bakinhoud, FormatNumber(GetTeeltInstelling("BakGrootte", InstellingMode::Number), 0), "liter");
    rij(7, Tekst::ECBasis, GetAdviesECTekst(1), "mS/cm");
    const qint16 teeltsysteem = instellingGetal("teeltsysteem");
    rij(8, teeltsysteem == 1 ? Tekst::ECGietwater : Tekst::ECVoeding, GetAdviesECTekst(2), "mS/cm");
    if (teeltsysteem == 2)
        rij(9, Tekst::Hergebruik, GetAdviesECTekst(3), "mS/cm");
    else if (teeltsysteem == 3)
        rij(9, Tekst::Hergebruik, GetAdviesECTekst(4), "%");
    rij(10, Tekst::Concentratie, GetConcentratieTekst());
    rij(11, Tekst::Opmerking, opmerking);
    lang(11);
    doc.setBorder(TableBorder::None);
    doc.endTable();
}

void elementTabel(PrintDocument& doc)
{
    QString formaat = "<+2000";
    QString kop;
    for (int p : Elementen::Advies) {
        formaat += "|>+" + QString::number(ElementKolom);
        kop += "|" + ElementNaam(p);
    }
    doc.setTop(ElementenBoven);
    doc.setFontSize(10);
    doc.addTable(formaat, kop, "", 6);
    doc.setBorder(TableBorder::Box);
    for (int r = 1; r <= 6; ++r)
        doc.setCell(r, 1, GetLangStr(Tekst::EersteElementRij + 100 * (r - 1)));
    // Macro elements apart from trace elements, the advice steps from the water rows.
    doc.setRowRule(0);
    doc.setColumnRule(1);
    doc.setColumnRule(2 + int(std::find(Elementen::Advies.begin(), Elementen::Advies.end(), int(EP::pSi)) -
                              Elementen::Advies.begin()));
    doc.setRowRule(3);
    doc.setRowRule(5);
    PrintElementTabellen(doc);
    doc.endTable();
}

void ammoniumTabel(PrintDocument& doc)
{
    doc.setTop(AmmoniumBoven);
    doc.setFontSize(10);
    doc.addTable("<+2000|<+11300", "", "", 1);
    doc.setCell(1, 1, GetLangStr(Tekst::Ammoniumklasse));
    doc.setCell(1, 2, GetAmmoniumTekst());
    doc.setBorder(TableBorder::All);
    doc.endTable();
}

void adviseurNoot(PrintDocument& doc)
{
    const QString naam = ProgramSettings::advisor();
    if (naam.isEmpty())
        return;
    QString noot = GetLangStr(Tekst::Adviseur);
    noot.replace("$advisor$", naam, Qt::CaseInsensitive);
    doc.setLeft(AdviseurLinks);
    doc.setTop(VoetBoven);
    doc.addTable("<+10000", "", "", 1);
    doc.setCell(1, 1, noot);
    doc.setCellFontSize(1, 1, 6);
    doc.setBorder(TableBorder::None);
    doc.endTable();
}

} // namespace

void TekenAdviesRapport(PrintDocument& doc, const QList<clsPrintMeststofMeststof>& tankLijnen,
                        const QList<clsPrintMeststofMeststof>* bigBagLijnen, const QString& opmerking,
                        const BestelRecord& bestelling)
{
    doc.setOrientation(DocOrientation::Landscape);
    doc.setPaperSize(PaperCode::A4);
    doc.startDoc();
    doc.setHeader("|" + GetLangStr(Tekst::Titel) + "|" +
                  QLocale().toString(QDate::currentDate(), QStringLiteral("dddd, d MMM yyyy")));
    doc.setBold(false);

    tankTabel(doc, tankLijnen, bigBagLijnen);
    if (bigBagLijnen)
        bigBagTabel(doc, *bigBagLijnen);
    adresBlok(doc, bestelling);
    instellingenTabel(doc, opmerking);
    elementTabel(doc);
    ammoniumTabel(doc);
    adviseurNoot(doc);
    RapportVoet(doc, Links, VoetBoven);
}

bool PrintAdvies(const QList<clsPrintMeststofMeststof>& tankLijnen, const QList<clsPrintMeststofMeststof>* bigBagLijnen,
                 const QString& opmerking, const BestelRecord& bestelling)
{
    return TekenVoorVoorbeeld(Tekst::Mislukt, [&](PrintDocument& doc) {
        TekenAdviesRapport(doc, tankLijnen, bigBagLijnen, opmerking, bestelling);
    });
}

QString GetPrintTeeltTekst(int mode)
{
    if (mode != 1 && mode != 2)
        return {};
    const qint16 teelt = instellingGetal("Code_Teelt");
    if (mode == 1)
        return GetTeeltNaam(teelt);
    return GetStadiumNaam(teelt, instellingGetal("Code_Teeltstadium"));
}

float GetWaterPerc(qint16 type)
{
    try {
        return AdviesRapportGegevens::WaterPerc(type);
    } catch (const AppError&) {
        return 0; // an unreadable share prints as none, as a missing one does
    }
}

QString GetAdviesECTekst(int mode)
{
    using namespace AdviesRapportGegevens;
    const qint16 type = mode == 1                ? AdviesType::Basis
                        : mode == 2              ? AdviesType::Geadviseerd
                        : mode == 3 || mode == 4 ? AdviesType::WaterDrain
                                                 : 0;
    if (type == 0)
        return {};
    const QList<AdviesRij> rijen = AdviesRijen();
    const AdviesRij* rij = ZoekType(rijen, type);
    if (!rij)
        return {};
    float waarde = mode == 3 ? rij->recircEC : mode == 4 ? rij->Perc : rij->EC;
    if (mode == 2 && waarde == 0) {
        if (const AdviesRij* basis = ZoekType(rijen, AdviesType::Basis))
            waarde = basis->EC;
    }
    return vast(waarde, 2);
}

QString GetAmmoniumTekst()
{
    const qint16 klasse = instellingGetal("AmoniumAanpassing");
    if (klasse < 1 || klasse > 8)
        return {};
    return GetLangStr(Tekst::EersteAmmonium + 2 * (klasse - 1));
}

QString GetConcentratieTekst()
{
    try {
        return vast(GetTeeltInstelling("Concentratie_berek", InstellingMode::Number), 0) + " x";
    } catch (const AppError&) {
        return {};
    }
}

void PrintElementTabellen(PrintDocument& doc)
{
    using namespace AdviesRapportGegevens;
    const QList<AdviesRij> advies = AdviesRijen();
    if (advies.isEmpty())
        return;
    const qint16 stappen[] = {AdviesType::Basis, AdviesType::Aanpassing, AdviesType::Geadviseerd, AdviesType::Water,
                              AdviesType::WaterDrain};
    for (int r = 0; r < 5; ++r)
        PrintElementRij(doc, advies, r + 1, stappen[r]);
    const QList<AdviesRij> bak = StandaardBakRijen();
    if (!bak.isEmpty())
        PrintElementRij(doc, bak, 6, AdviesType::StandaardBak);
}

void PrintElementRij(PrintDocument& doc, const QList<AdviesRij>& rijen, int rij, qint16 type)
{
    const AdviesRij* gevonden = AdviesRapportGegevens::ZoekType(rijen, type);
    if (!gevonden)
        return;
    int kolom = 2;
    for (int p : Elementen::Advies) {
        const QString waarde = FormatNumber(IonToUnit(gevonden->waarden[p], ElementNaam(p)), 2);
        doc.setCell(rij, kolom, waarde);
        ++kolom;
    }
}
