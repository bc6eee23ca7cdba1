#pragma once

#include "records.h"

// The stored advice (HISTORIE_Advies): one row per vector of the advice,
// keyed by grower, history set and the row Type, in mmol. The advice window
// replaces the working set's rows when it closes; a stored history set is
// read instead of computed. The printed report and the history copy read the
// same rows.

// Row Types, also the column codes of the advice window.
namespace AdviesType {
enum : qint16 { Streef = 20, Aanpassing = 40, Oplossing = 60, Water = 80, MengWater = 100, Gecorrigeerd = 120 };
}

struct Advies {
    ElementVector StreefWaarden;      // 20: the crop's base target
    ElementVector AdviesAanpassing;   // 40: the adjustment
    ElementVector AdviesOplossing;    // 60: the advised solution with the advised EC
    ElementVector AdviesWater;        // 80: the water as counted
    ElementVector AdviesMengWater;    // 100: the drain water as counted
    ElementVector StreefGecorrigeerd; // 120: what the fertilisers must supply
    // The drain analysis' recirculation figures, kept in the Type 100 row.
    float Perc = 0;
    float RecircEC = 0;
    float MaxPerc = 0;
    float MaxRecircEC = 0;

    ElementVector& vector(qint16 type);
    const ElementVector& vector(qint16 type) const;
};

inline constexpr qint16 kAdviesTypes[] = {AdviesType::Streef, AdviesType::Aanpassing, AdviesType::Oplossing,
                                          AdviesType::Water,  AdviesType::MengWater,  AdviesType::Gecorrigeerd};

// Replaces the rows of the current grower and history set by the six rows of
// the advice, all or nothing. Throws AppError when it cannot; the old rows
// then stay. OH, the ion sums and Vlag are not stored.
void SaveAdvies(const Advies& advies);

// Reads the rows of the current grower and history set into the advice. A
// vector whose row is missing keeps what it held, and so do the recirculation
// figures without a Type 100 row. False when the set has no rows at all.
bool LoadAdvies(Advies& advies);

// Completes the drain analysis of the current grower and history set with
// what is stored and this run has not entered: the analysis from the drain
// step's row when none of it is in memory, and the share and EC of reused
// drain water from the set's stored advice when both are 0. False when
// nothing was read.
bool LeesOpgeslagenDrain(WaterRecord& drain);
