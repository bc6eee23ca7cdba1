#pragma once

#include "bigbagmengsels.h"

#include <QString>

// The stored big-bag blends (HISTORIE_ExtraBigbag), one row per used line:
// Index the line for blend 1 and 20 plus the line for blend 2, Bak the blend
// number, Nr, Naam, Kg, Kgl and liter of the line. The composition reads the
// same rows (LaadExtraBigBag) and takes the blends off the tanks.
namespace BigBagOpslag {

// The blends of the current grower and history set: each row, in Index
// order, on the next line of the blend its Bak names; rows of another Bak
// and rows past the 20th of a blend are left out.
void Lees(BigBagMengsels& mengsels);

// Replaces the working set's rows of the current grower by the used lines of
// both blends, all or nothing. Throws AppError when it cannot; the stored
// rows then stay. A stored history set is never written.
void Schrijf(const BigBagMengsels& mengsels);

// The product-line fertiliser with that code from the reference data, as a
// blend line takes it; false when there is none.
bool LeesMeststof(qint16 code, MeststofRecord& meststof);

// The search of the fertilisers coupled to blend n (1 or 2) under coupling
// number k that the preference list has not switched off: their code and
// their name in the current language.
QString ZoekQuery(qint16 koppeling, int mengsel);

} // namespace BigBagOpslag
