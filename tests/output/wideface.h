#pragma once

#include "printdocument.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QtTest>

// The reports' cells were measured for Arial. Tests draw them in a face that
// is clearly wider, so that they hold whatever faces a machine has.
namespace WideFace {

// A label of the reports and its width in Arial, in em.
const char* const Sample = "Big bag voor een bakinhoud van";
constexpr double SampleInArial = 14.344;

// Chooses the face; false when the machine has none of them. Set-up installs
// the Liberation faces, whose mono face is a quarter wider than Arial.
inline bool use()
{
    for (const char* family : {"DejaVu Sans", "Verdana", "Liberation Mono", "DejaVu Sans Mono"}) {
        if (!QFontDatabase::hasFamily(family))
            continue;
        setDocumentFamilies({family});
        const QFont font = documentFont(10, false);
        if (QFontMetricsF(font).horizontalAdvance(Sample) / font.pixelSize() > SampleInArial * 1.1)
            return true;
    }
    return false;
}

} // namespace WideFace
