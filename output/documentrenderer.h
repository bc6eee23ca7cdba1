#pragma once

#include "printdocument.h"

#include <QPageLayout>
#include <QString>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

// Draws a PrintDocument's display list with QPainter: into the preview, onto a
// printer or into a PDF file. Every device gets the document's paper and
// orientation without margins, so the painter's origin is the paper's corner
// and the document's own margins hold on every device.

// The document's page layout (A4, its orientation, no margins).
QPageLayout documentPageLayout(const PrintDocument& doc);

// Draws page `page` (0-based). The painter's origin is the paper's top-left
// corner; the painter is scaled from twips to the device for the drawing.
void renderPage(QPainter& painter, const PrintDocument& doc, int page);

// Draws pages fromPage..toPage (1-based, inclusive; toPage 0 = the last),
// `copies` times over, on a device set up with documentPageLayout (and, for a
// printer, full page). False when the device cannot be painted on.
bool renderDocument(QPagedPaintDevice& device, const PrintDocument& doc, int fromPage = 1, int toPage = 0,
                    int copies = 1);

// Prints the document on the printer: the layout is set here, the printer's
// page range (when one was chosen) and copy count are followed.
// False when the printer cannot be painted on. A printer that prints to a PDF
// file writes it as writePdf does: false, and an unchanged file, when it
// cannot be written whole.
bool printDocument(const PrintDocument& doc, QPrinter& printer, bool* diskFull = nullptr);

// Writes the document as a PDF file. The file is replaced only when the whole
// document has been written; false (and an unchanged file) when it cannot be.
// diskFull, when given, says whether it failed for lack of room on the disk.
bool writePdf(const PrintDocument& doc, const QString& path, bool* diskFull = nullptr);
