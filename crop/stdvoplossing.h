#pragma once

#include "records.h"

#include <QList>
#include <QString>

// The arithmetic behind the own-crop editor: the ion sums and balance of a
// standard solution, its EC estimate, what may be typed as an element value
// or a crop code, and stepping through the codes. No widgets.

// The lowest and highest code of an own crop. Its reference copy stands
// under the code plus 1000, which must stay a 16-bit number, and the codes
// up to 1000 there belong to the standard crops.
constexpr qint16 kLaagsteEigenCode = 1;
constexpr qint16 kHoogsteEigenCode = 32767 - 1000;

struct IonenSommen {
    float kationen = 0; // NH4 + K + 2·Ca + 2·Mg
    float anionen = 0;  // NO3 + Cl + 2·SO4 + H2PO4
};

// The sums of a solution in mmol per litre, in single precision.
IonenSommen BerekenIonenSommen(const ElementVector& oplossing);
// Both sums agree within IsNearlyEqual's 0.01 %; an all-zero solution is balanced.
bool IsInBalans(const IonenSommen& sommen);
// The EC the sums give: (cations + anions) / 20.
float SchatEC(const IonenSommen& sommen);

// An element value as typed in the display unit, converted to mmol per litre.
// Empty text counts 0. False for text that is no number in the user's
// locale, a negative number, or one too large to store.
bool LeesElementWaarde(const QString& tekst, const QString& element, float& mmol);

// A crop code as typed: a whole number from kLaagsteEigenCode to kHoogsteEigenCode.
bool LeesTeeltCode(const QString& tekst, qint16& code);

// Stepping through the codes in ascending order, without wrapping around:
// the next code above the current one, or the highest when there is none
// above; the previous code below it, or the lowest. Without codes the
// current one stays.
qint16 VolgendeCode(const QList<qint16>& codes, qint16 huidig);
qint16 VorigeCode(const QList<qint16>& codes, qint16 huidig);
