#include "documentrenderer.h"

#include "file/savefile.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {

// Thin rules: half a point.
constexpr int RuleWidth = 10;

void drawText(QPainter& painter, const DocText& t)
{
    const QFont font = documentFont(t.fontSize, t.bold);
    painter.setFont(font);
    double x = t.box.left();
    if (t.align != TextAlign::Left) {
        const double free = t.box.width() - QFontMetricsF(font).horizontalAdvance(t.text);
        x += t.align == TextAlign::Right ? free : free / 2;
    }
    painter.drawText(QPointF(x, t.box.top() + textBaseline(t.fontSize)), t.text);
}

} // namespace

QPageLayout documentPageLayout(const PrintDocument& doc)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       doc.pageWidth() > doc.pageHeight() ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

void renderPage(QPainter& painter, const PrintDocument& doc, int page)
{
    if (page < 0 || page >= doc.pageCount())
        return;
    const QPaintDevice* device = painter.device();
    painter.save();
    painter.scale(device->logicalDpiX() / double(Twips::PerInch), device->logicalDpiY() / double(Twips::PerInch));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black);
    pen.setWidth(RuleWidth);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);

    const DocPage& p = doc.pages()[page];
    for (const DocText& t : p.header)
        drawText(painter, t);
    for (const DocPicture& picture : p.pictures)
        painter.drawImage(picture.box, picture.image);
    for (const DocText& t : p.texts)
        drawText(painter, t);
    for (const DocLine& l : p.lines)
        painter.drawLine(l.from, l.to);
    painter.restore();
}

bool renderDocument(QPagedPaintDevice& device, const PrintDocument& doc, int fromPage, int toPage, int copies)
{
    const int first = std::max(1, fromPage);
    const int last = toPage <= 0 ? doc.pageCount() : std::min(toPage, doc.pageCount());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    bool blank = true;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        for (int page = first; page <= last; ++page) {
            if (!blank && !device.newPage()) {
                painter.end();
                return false;
            }
            renderPage(painter, doc, page - 1);
            blank = false;
        }
    }
    return painter.end();
}

namespace {

// Writes pages fromPage..toPage, `copies` times over, as a PDF file that
// replaces path only once it is whole. The writer takes its settings from
// setUp.
template <typename SetUp>
bool writePdfFile(const PrintDocument& doc, const QString& path, int fromPage, int toPage, int copies, bool* diskFull,
                  SetUp setUp)
{
    SaveFile file(path);
    bool written = false;
    if (file.open(QIODevice::WriteOnly)) {
        {
            QPdfWriter writer(&file);
            writer.setCreator(QStringLiteral("Zelvora"));
            writer.setPageLayout(documentPageLayout(doc));
            setUp(writer);
            written = renderDocument(writer, doc, fromPage, toPage, copies);
        }
        if (written)
            written = CommitSaveFile(file);
        else
            file.cancelWriting();
    }
    if (diskFull)
        *diskFull = !written && file.diskFull();
    return written;
}

} // namespace

bool printDocument(const PrintDocument& doc, QPrinter& printer, bool* diskFull)
{
    if (diskFull)
        *diskFull = false;
    printer.setFullPage(true);
    printer.setPageLayout(documentPageLayout(doc));
    int fromPage = 1;
    int toPage = 0;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        fromPage = printer.fromPage();
        toPage = printer.toPage();
    }
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        // The printer's own PDF engine reports success whatever its writes
        // did: on a full disk it would leave a cut-off file in place of the
        // old one. A file holds no copies of its own, so each is written out.
        return writePdfFile(doc, printer.outputFileName(), fromPage, toPage, printer.copyCount(), diskFull,
                            [&printer](QPdfWriter& writer) {
                                writer.setResolution(printer.resolution());
                                writer.setPdfVersion(printer.pdfVersion());
                                writer.setTitle(printer.docName());
                            });
    }
    // Without a print system that makes the copies, each copy is printed in turn.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    return renderDocument(printer, doc, fromPage, toPage, copies);
}

bool writePdf(const PrintDocument& doc, const QString& path, bool* diskFull)
{
    return writePdfFile(doc, path, 1, 0, 1, diskFull, [](QPdfWriter&) {});
}
