#pragma once

#include "db/recordset.h"
#include "elementen.h"
#include "records.h"

#include <array>

// The fertiliser list of the composition calculation: 21 lines, 0 to 20.
// Line 0 is never filled; lines 1, 2 and 4 to 19 hold one selection slot each
// (18 the second phosphate source, 19 the second iron source); after ordering
// the filled lines stand at the front in solving order. Line 20 stays free for
// the second half of a fertiliser that may go into either tank.
using MeststofLijst = std::array<MeststofRecord, 21>;
inline constexpr int kLijstBoven = 20;

// The elements a requirement carries, in the calculation's order.
inline constexpr const auto& kBehoefteElementen = Elementen::Behoefte;

// The position in ElementVector of an element code (1 NH4 ... 25 Mo), -1 for
// codes that name no element (3, 12 to 14, 16 to 19, 50).
int ElementPositie(qint16 elementCode);

// Builds the list of one pass from the grower's selection (MEST_Selectie of
// the current grower and history set) and takes the fixed shares of the
// second phosphate and iron sources off the requirement. Without a selection
// row or without fertilisers the list stays empty.
void LaadMestSelectie(MeststofRecord& behoefte, MeststofLijst& lijst);

// The amount of a second source: the selection's percentage (column
// percKolom) of the requirement, divided by the source's content. A source
// without content keeps its amount.
void BerekenBronAandeel(const RecordSet& selectie, float behoefte, float& hoeveelheid, float gehalte,
                        const QString& percKolom);

// Takes what the line delivers (amount × content) off the requirement.
void TrekMeststofAf(MeststofRecord& behoefte, const MeststofRecord& lijn);

// Puts the list into solving order: the single remaining supplier of one of
// the macro elements Cl, Ca, SO4, Mg, NH4, H2PO4, Si, K, NO3 goes first, sweep
// after sweep; the other filled lines follow in index order, empty lines last.
void OrdenMeststoffen(MeststofLijst& lijst);
