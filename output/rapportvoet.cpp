#include "rapportvoet.h"

#include "db/apperror.h"
#include "frmprintpreview.h"
#include "printdocument.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QCoreApplication>
#include <QVersionNumber>
#include <exception>

namespace {

constexpr int LogoBreed = 1440;
constexpr int LogoHoog = 1717;

QString versie()
{
    const QVersionNumber v = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    return QString("%1.%2.%3").arg(v.majorVersion()).arg(v.minorVersion()).arg(v.microVersion());
}

} // namespace

void RapportVoet(PrintDocument& doc, int links, int boven)
{
    doc.drawPicture(Picture("BraloChemicals"), doc.pageWidth() - PrintDocument::Margin - 1000,
                    doc.pageHeight() - PrintDocument::Margin - 960, LogoBreed, LogoHoog);
    doc.setLeft(links);
    doc.setTop(boven);
    doc.setFontSize(8);
    doc.printText("Versie " + versie());
    doc.endDoc();
}

bool TekenVoorVoorbeeld(qint32 foutTekst, const std::function<void(PrintDocument&)>& teken)
{
    QString fout;
    try {
        PrintDocument doc;
        teken(doc);
        frmPrintPreview::instance().vspBestelling = std::move(doc);
        return true;
    } catch (const AppError& e) {
        fout = e.description();
    } catch (const std::exception& e) {
        fout = QString::fromLocal8Bit(e.what());
    }
    MessageBox::show(GetLangStr(foutTekst) + "\n\n" + fout, MsgBox::Critical);
    return false;
}
