#pragma once

#include <QString>
#include <QtGlobal>

// Number conversions the component's clients know from their own language.
namespace Numbers {

// The number at the start of a text: blanks, tabs and line feeds anywhere
// are skipped, reading stops at the first character that cannot continue
// the number; no number gives 0 ("12A" is 12, " - 8" is -8, "1e3" is 1000).
double leadingNumber(const QString& text);

// Rounded to the nearest integer, ties to even; out of range throws AppError 6.
qint16 toInt16(double value);
qint32 toInt32(double value);

} // namespace Numbers
