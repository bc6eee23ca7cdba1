#pragma once

#include "db/database.h"
#include "meststoflijst.h"
#include "records.h"

// The stored stock-tank composition of the current grower and history set,
// without widgets: the target the recipe was computed for and the flags of
// the elements it did not meet (HISTORIE_StandaardBakEC, Type 1 and 2), and
// the 20 fertiliser lines (HISTORIE_SamenstellingMeststoffen, Index 1..20).

struct Samenstelling {
    ElementVector BakDoel;       // per element the target in mmol per litre, at the base target's EC
    ElementVector Vlaggen;       // 1 where the fertilisers do not meet the target, 0 where they do
    MeststofLijst Meststoffen{}; // lines 1..20; line 0 is never used
};

namespace SamenstellingOpslag {

// Replaces the working set's stored composition by s, all 20 lines included,
// in one transaction; OH and EC of the vectors are not stored. In a stored
// history set nothing is written. Throws AppError when it cannot be written
// (the stored composition then stays as it was).
void Schrijf(const Samenstelling& s);

// The stored composition of the current grower and history set. Without
// vector rows nothing is read and the result is false; a vector or a line
// without a row keeps what s held. Of a line only the code, name, tank and
// amounts are stored, so it comes back without composition or share.
bool Lees(Samenstelling& s);

} // namespace SamenstellingOpslag

// One fertiliser line as the history tables of the composition and of the
// big-bag blends store it: Index, Nr, Naam, Bak, Kg, Kgl and liter. Only the
// code, name, tank and amounts are kept, not the composition or share.
namespace OpgeslagenRegel {

// Fills the stored fields of m from the row; the others keep what m held.
void Lees(const RecordSet& rij, MeststofRecord& m);

// Adds the line as row `index` of the working set to the open table.
void VoegToe(RecordSet& tabel, int index, const MeststofRecord& m);

} // namespace OpgeslagenRegel
