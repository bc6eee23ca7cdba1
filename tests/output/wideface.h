#pragma once

#include "printdocument.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QtTest>

// The reports' cells were measured for Arial. Tests draw them in a face that
// is clearly wider, so that they hold whatever faces a machine has.
namespace WideFace {

// Arial's figures are 0.556 em wide.
constexpr double ArialDigit = 0.556;

// Chooses the face; false when the machine has none of them.
inline bool use()
{
    for (const QString& family : {"DejaVu Sans", "Verdana", "Bitstream Vera Sans"}) {
        if (!QFontDatabase::hasFamily(family))
            continue;
        setDocumentFamilies({family});
        const QFont font = documentFont(10, false);
        const double digit = QFontMetricsF(font).horizontalAdvance("0123456789") / 10 / font.pixelSize();
        if (digit > ArialDigit * 1.1)
            return true;
    }
    return false;
}

} // namespace WideFace
