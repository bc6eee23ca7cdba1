#pragma once

#include "records.h"

#include <QString>
#include <array>

// A fertiliser of the reference data as the fertiliser choice shows it.
struct MeststofGegevens {
    qint16 code = 0;
    QString naam;                // in the current language
    ElementVector samenstelling; // per kg of product, in the calculation unit
    qint16 primElement0 = 0;     // element codes the fertiliser is offered for
    qint16 primElement1 = 0;
    float kgl = 0; // kg per litre; exactly 1 is a solid
};

// The three composition texts of a fertiliser's row ("K=9.9" in the display
// unit, one decimal): first the element of PrimElement0, then that of
// PrimElement1, then the first other element. A fourth element is not shown.
std::array<QString, 3> SamenstellingTeksten(const MeststofGegevens& meststof);

// The name as its row shows it: a second source's share in front ("40% MAP"),
// the name alone when the share is 0.
QString MeststofNaamTekst(const QString& naam, float perc);
