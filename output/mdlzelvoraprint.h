#pragma once

#include "adviesrapportgegevens.h"
#include "bestelrecord.h"
#include "clsprintmeststofmeststof.h"

#include <QList>
#include <QString>

class PrintDocument;

// The advice report: the stock-tank recipe with the big-bag blends, the
// grower's address, the settings of the run, the element table of the advice
// steps, the ammonium advice and the advisor's note, on one landscape A4 page.
// Everything but the lines and the order header is read from the current
// grower and history set; nothing is written.

// Draws the report on the program-wide print preview (created when missing)
// without showing it. tankLijnen: the composition's lines; bigBagLijnen: the
// blend lines, null when big bags are off (then no big-bag table and no
// quantity line). The address comes from Naam, Adres, Postcode and Woonplaats
// of the order header.
//
// The report is drawn apart and handed to the preview only when complete: on
// an error the user gets a critical message, the preview keeps what it held
// and the result is false, so the caller neither shows it nor counts the
// advice as printed.
bool PrintAdvies(const QList<clsPrintMeststofMeststof>& tankLijnen, const QList<clsPrintMeststofMeststof>* bigBagLijnen,
                 const QString& opmerking, const BestelRecord& bestelling);

// The same report drawn into doc as a new document. Throws AppError on a
// database or drawing error; doc then holds a part of it.
void TekenAdviesRapport(PrintDocument& doc, const QList<clsPrintMeststofMeststof>& tankLijnen,
                        const QList<clsPrintMeststofMeststof>* bigBagLijnen, const QString& opmerking,
                        const BestelRecord& bestelling);

// The report's data, as its cells show them.

// 1: the crop's name, 2: its stage's name; any other mode "".
QString GetPrintTeeltTekst(int mode);
// The share of water source type (1 to 3) in per cent; 0 when it has none
// or it cannot be read.
float GetWaterPerc(qint16 type);
// With two decimals, "" when the advice row is missing: 1 the EC of the base
// target; 2 the EC of the advised solution (the base target's when it is 0);
// 3 the recirculation EC and 4 the recirculation percentage.
QString GetAdviesECTekst(int mode);
// The advice text of the ammonium class 1 to 8; "" for any other class.
QString GetAmmoniumTekst();
// The computed concentration followed by " x"; "" when it cannot be read.
QString GetConcentratieTekst();

// Rows 1 to 5 from the advice steps, row 6 from the standard tank, in the
// display unit with two decimals; without advice rows the table stays empty.
void PrintElementTabellen(PrintDocument& doc);
// Row rij of the open element table from the first row of that type; a
// missing type leaves the row empty.
void PrintElementRij(PrintDocument& doc, const QList<AdviesRij>& rijen, int rij, qint16 type);
