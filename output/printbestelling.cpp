#include "printbestelling.h"

#include "printdocument.h"
#include "rapportvoet.h"
#include "zelvorageneral.h"

#include <QDate>
#include <QLocale>

namespace {

namespace Tekst {
constexpr qint32 PerMeststof = 820300000;
constexpr qint32 PerElement = 820300001;
constexpr qint32 Van = 820100000;
constexpr qint32 Tot = 820100100;
constexpr qint32 Leeg = 820500000;
constexpr qint32 Mislukt = 820900000;
} // namespace Tekst

constexpr int Links = 2000;
constexpr int KopBoven = 2000;
constexpr int LijstBoven = 3500;
constexpr int VoetBoven = 15200;

void kop(PrintDocument& doc, qint16 modus, const QString& van, const QString& tot)
{
    doc.setLeft(Links);
    doc.setTop(KopBoven);
    doc.setFontSize(10);
    doc.addTable("<+3250|<+1600", "", "", 5);
    doc.setCell(1, 1, GetLangStr(modus == Registratie::PerElement ? Tekst::PerElement : Tekst::PerMeststof));
    doc.setCellSpan(1, 1, 2);
    doc.setCell(2, 1, GetLangStr(Tekst::Van));
    doc.setCell(2, 2, van);
    doc.setCell(3, 1, GetLangStr(Tekst::Tot));
    doc.setCell(3, 2, tot);
    doc.setBorder(TableBorder::None);
    doc.endTable();
}

void lijst(PrintDocument& doc, const QList<RegisterRij>& rijen, qint16 modus)
{
    doc.setLeft(Links);
    doc.setTop(LijstBoven);
    doc.setFontSize(10);
    if (rijen.isEmpty()) {
        // An empty page would read as a list that failed to print.
        doc.printText(GetLangStr(Tekst::Leeg));
        return;
    }
    doc.addTable("<+3250|>+900|<+700", "", "", int(rijen.size()));
    if (modus == Registratie::PerMeststof || modus == Registratie::PerElement) {
        for (int r = 0; r < rijen.size(); ++r) {
            doc.setCell(r + 1, 1, rijen[r].Naam);
            doc.setCell(r + 1, 2, Registratie::HoeveelheidTekst(rijen[r].Hoeveelheid, modus));
            doc.setCell(r + 1, 3, rijen[r].Eenheid);
        }
    }
    doc.setBorder(TableBorder::None);
    doc.endTable();
}

} // namespace

void TekenBestelling(PrintDocument& doc, const QList<RegisterRij>& rijen, qint16 modus, const QString& van,
                     const QString& tot)
{
    doc.setOrientation(DocOrientation::Portrait);
    doc.setPaperSize(PaperCode::A4);
    doc.startDoc();
    doc.setHeader("||" + QLocale().toString(QDate::currentDate(), QStringLiteral("dddd, d MMM yyyy")));
    doc.setBold(false);

    kop(doc, modus, van, tot);
    lijst(doc, rijen, modus);

    RapportVoet(doc, Links, VoetBoven);
}

bool PrintBestelling(const QList<RegisterRij>& rijen, qint16 modus, const QString& van, const QString& tot)
{
    return TekenVoorVoorbeeld(Tekst::Mislukt,
                              [&](PrintDocument& doc) { TekenBestelling(doc, rijen, modus, van, tot); });
}
