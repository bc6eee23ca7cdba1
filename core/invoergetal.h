#pragma once

#include <QString>
#include <QtGlobal>

// Reading a number the user typed: every box that takes a number reads it
// here, so that all of them accept the same texts and refuse the rest.

// What a box accepts, in what it shows (the display unit for an element),
// and the decimals it shows the number with.
struct InvoerBereik {
    double laagste = 0;
    double hoogste = 0;
    qint16 decimalen = 2;
    bool geheel = false; // stored as the nearest whole number, halves to even
};

enum class InvoerFout { Geen, GeenGetal, BuitenBereik };

// The number typed in a box. Empty text is 0. A text that does not read as a
// number in the user's locale, or a number outside the range, is refused and
// leaves value alone.
InvoerFout LeesInvoer(const QString& text, const InvoerBereik& bereik, double& value);
// The message for a refused text in the box named veld: the box's caption as
// the screen shows it comes first, so that the user knows which box refused
// it, then both limits as the box shows them.
QString InvoerMelding(const QString& veld, InvoerFout fout, const QString& text, const InvoerBereik& bereik);
// A message about one box, headed by the box's caption.
QString VeldMelding(const QString& veld, const QString& melding);
