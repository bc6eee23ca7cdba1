#pragma once

#include "registratie.h"

#include <QList>
#include <QString>

class PrintDocument;

// The order register on paper: a portrait A4 list with the report's title,
// the period as the date boxes show it, one line per register line (name,
// amount without decimals, unit), the logo and the program's version. An
// empty register prints the title and the period with a line that says
// there were no orders.

// Draws the list on the program-wide print preview (created when missing)
// without showing it. modus 0 is the list per fertiliser, 1 per element; any
// other mode gets the title of 0 and empty lines. The list is drawn apart and
// handed to the preview only when complete: on an error the user is told, the
// preview keeps what it held and the result is false.
bool PrintBestelling(const QList<RegisterRij>& rijen, qint16 modus, const QString& van, const QString& tot);

// The same list drawn into doc as a new document. Throws AppError.
void TekenBestelling(PrintDocument& doc, const QList<RegisterRij>& rijen, qint16 modus, const QString& van,
                     const QString& tot);
