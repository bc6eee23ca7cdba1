#pragma once

#include "clsprintmeststofmeststof.h"
#include "meststoflijst.h"
#include "records.h"

#include <QList>

// Extra-big-bag mode: part of the nutrients comes from the grower's ready-made
// blends (HISTORIE_ExtraBigbag); the stock tanks supply the rest.

using BigBagLijnen = QList<clsPrintMeststofMeststof>;

// The blend lines of the current grower and history set in their stored
// order, with their amount texts and the contents of their fertilisers.
void LaadExtraBigBag(BigBagLijnen& lijnen);

// Per element, Kg × content summed over the blend lines.
ElementVector BigBagTotalen(const BigBagLijnen& lijnen);

// Takes the blend off the requirement of a pass, the requirement scaled up by
// 100 / EBB_Factor (Mixorabak 0) or the blend scaled down by it.
void VerrekenExtraBigBag(MeststofRecord& behoefte, const BerekenInstellingen& instellingen);

// What steers the search: a macro fertiliser (code below 100) with a
// negative amount, which the blend leaves no room for.
bool HeeftNegatieveMacroRegel(const MeststofLijst& lijst);

// One step of the search: a macro fertiliser with a negative amount lowers
// the factor (or, once the factor reached 100, raises the percentage); the
// pass limit grows as the search needs. Stores "EBB_Factor".
void PasBigBagFactorAan(const MeststofLijst& lijst, BerekenInstellingen& instellingen, qint16 pas, qint16& limiet);
