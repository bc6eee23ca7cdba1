#pragma once

#include "meststoflijst.h"
#include "records.h"

// The error the composition calculation ends with when the concentration of
// the stock tanks cannot be computed.
inline constexpr int ConcentratieFout = 30106;

// The composition calculation: the stock-tank recipe for the grower's chosen
// fertilisers from the corrected target.

// Runs the whole calculation: the target scaled to the base target's EC
// (ecDoel) and to the stock tanks (bakDoel), one pass of list building and
// solving (in extra-big-bag mode a search over several passes), then the
// result check, the log, the tanks, the tank-1 limit and the concentration,
// which is stored as "Concentratie_berek". The caller fills every setting;
// resultaat gets 1 for every element whose requirement was not met, 0 else.
// A concentration that cannot be computed, or one of 0 or below, is not
// stored: the calculation ends with AppError ConcentratieFout, as it ends on
// any other error.
void BerekenMeststoffen(const ElementVector& basis, const ElementVector& gecorrigeerd, ElementVector& ecDoel,
                        ElementVector& bakDoel, MeststofLijst& lijst, ElementVector& resultaat,
                        BerekenInstellingen& instellingen);

// ecDoel := the corrected target times wanted EC / its own EC (1 when that EC
// is not above 0 or VerrekeningStandaardEC is set); Si is not scaled.
void SchaalNaarEC(ElementVector& ecDoel, const ElementVector& gecorrigeerd, float& gewenstEC,
                  const BerekenInstellingen& instellingen);

// bakDoel := ecDoel times BakGrootte / 1000 × Concentratie.
void SchaalNaarBak(ElementVector& bakDoel, const ElementVector& ecDoel, const BerekenInstellingen& instellingen);

// The requirement of one pass: EBB_Percentage per cent of the tank target.
void SchaalPercentage(MeststofRecord& behoefte, const ElementVector& bakDoel, const BerekenInstellingen& instellingen);

// Solves the list in order, one primary element per line: the amount is what
// remains of its element divided by its content. The requirement is the same
// afterwards; amounts are not clamped, so an oversupplied element gives a
// negative amount.
void BerekenHoeveelheden(MeststofLijst& lijst, MeststofRecord& behoefte);
