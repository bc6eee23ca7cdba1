// The print document: an advice report's worth of tables laid out and written
// to a PDF file, as the print button of the mail and print step does before the
// preview shows.
#include "benchutil.h"
#include "documentrenderer.h"
#include "printdocument.h"

#include <QApplication>
#include <QTemporaryDir>

namespace {

QString amount(int r, int c)
{
    return QString::number(r * 13.7 + c * 2.25, 'f', 2);
}

void buildAdviceReport(PrintDocument& doc, const QImage& logo)
{
    const QString tank = "<+3250|>+900|<+700|100|<+3250|>+900|<+700";
    doc.setOrientation(DocOrientation::Landscape);
    doc.setPaperSize(PaperCode::A4);
    doc.startDoc();
    doc.setLeft(6000);
    doc.setTop(1000);
    doc.setHeader("|Bemestingsadvies|maandag, 2 juni 2025");

    doc.setBold(true);
    doc.addTable(tank, "Bak A||||Bak B||", "", 16);
    doc.setBold(false);
    for (int r = 1; r <= 16; ++r) {
        doc.setCell(r, 1, QString("Kalksalpeter vloeibaar %1").arg(r));
        doc.setCell(r, 2, amount(r, 2));
        doc.setCell(r, 3, "kg");
        doc.setCell(r, 5, QString("Fosforzuur 75% %1").arg(r));
        doc.setCell(r, 6, amount(r, 6));
        doc.setCell(r, 7, "liter");
    }
    doc.endTable();

    doc.setTop(5000);
    doc.setFontSize(8);
    doc.setBold(true);
    doc.addTable(tank, "Big bag 1||||Big bag 2||", "", 6);
    doc.setBold(false);
    for (int r = 1; r <= 6; ++r) {
        doc.setCell(r, 1, QString("Mengsel %1").arg(r));
        doc.setCell(r, 2, amount(r, 2));
        doc.setCell(r, 3, "kg");
    }
    doc.endTable();
    doc.setFontSize(10);

    doc.setLeft(1000);
    doc.setTop(800);
    doc.addTable("<+4600", "", "Kwekerij De Groene Kas\nKasweg 12\n2671 AB  Naaldwijk", 3);
    doc.setBorder(TableBorder::Box);
    doc.endTable();

    doc.setTop(2200);
    doc.addTable("<+2000|>+800|<+1100|", "Instellingen", "", 16);
    doc.setCellSpan(0, 1, 4);
    for (int r = 1; r <= 11; ++r) {
        doc.setCell(r, 1, QString("Instelling %1").arg(r));
        doc.setCell(r, 2, amount(r, 1));
        doc.setCell(r, 3, "mS/cm");
    }
    doc.endTable();

    QString format = "<+2000";
    for (int i = 0; i < 16; ++i)
        format += "|>+800";
    doc.setTop(6800);
    doc.addTable(format, "|NH4|K|Ca|Mg|NO3|Cl|SO4|H2PO4|H|Si|Fe|Mn|Zn|B|Cu|Mo", "", 6);
    doc.setBorder(TableBorder::Box);
    for (int r = 1; r <= 6; ++r) {
        doc.setCell(r, 1, QString("Stap %1").arg(r));
        for (int c = 2; c <= 17; ++c)
            doc.setCell(r, c, amount(r, c));
    }
    doc.endTable();

    doc.setTop(9500);
    doc.addTable("<+2000|<+11300", "", "Ammonium", 1);
    doc.setBorder(TableBorder::All);
    doc.setCell(1, 2, "Geen aanpassing van het ammonium nodig.");
    doc.endTable();

    doc.setLeft(3000);
    doc.setTop(10100);
    doc.addTable("<+10000", "", "Dit advies is opgesteld door J. de Vries.", 1);
    doc.setCellFontSize(1, 1, 6);
    doc.endTable();

    doc.drawPicture(logo, 14400, 8900, 1440, 1717);
    doc.setLeft(1000);
    doc.setTop(10100);
    doc.setFontSize(8);
    doc.printText("Versie 1.0.0");
    doc.endDoc();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (qEnvironmentVariableIsSet("BENCH_KEEP_PDF"))
        dir.setAutoRemove(false), qWarning("%s", qPrintable(dir.path()));
    QImage logo(96, 114, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    const QString pdf = dir.filePath("advies.pdf");

    PrintDocument doc;
    buildAdviceReport(doc, logo); // fonts loaded before timing
    writePdf(doc, pdf);

    report("advice report laid out", medianMs(30, [&] { buildAdviceReport(doc, logo); }), "-");
    report("advice report written as PDF", medianMs(30, [&] { writePdf(doc, pdf); }), "-");
    report("advice report laid out and written as PDF",
           medianMs(30,
                    [&] {
                        buildAdviceReport(doc, logo);
                        writePdf(doc, pdf);
                    }),
           "-");
    return 0;
}
