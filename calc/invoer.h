#pragma once

#include "db/recordset.h"
#include "records.h"

// The loaders of the calculation: the crop's reference data from the
// reference database (dbH) and the grower's own rows of the current grower
// and history set from the grower database (dbT). Empty columns count as 0.
// A missing row is no error; a database error is thrown as AppError.

// v := the crop's standard solution (all zero without a row); a missing EC is
// estimated from the ion sum.
void LaadStdVOplossing(ElementVector& v, const BerekenInstellingen& instellingen);

// Adds the corrections of the crop's growth stage to v.
void LaadStadiumCorrectie(ElementVector& v, const BerekenInstellingen& instellingen);

// Automatic adjustment (Aanpassing 0 only): the adjustment of K to Mo comes
// from the lowest band of the crop's limits that the drain value does not
// exceed, the limits scaled by the drain's EC ratio.
void LaadGrenzen(const ElementVector& streef, const WaterRecord& drain, ElementVector& aanpassing,
                 const BerekenInstellingen& instellingen);

// The K/Ca rule (Aanpassing 0 only): adds the crop's K and Ca corrections to
// the adjustment when the adjusted K/Ca ratio exceeds the crop's factor.
void LaadKCaFactor(const ElementVector& streef, ElementVector& aanpassing, const BerekenInstellingen& instellingen);

// w's elements NH4 to Mo := the sum of the water sources weighted by their
// percentages (not normalised), less 0.2 silicon, with the water's EC estimate.
void LaadWaterAnalyse(WaterRecord& w);

// The ammonium class 0 to 8 from the drain's NH4, HCO3 and pH.
qint16 AmmoniumKlasse(float nh4, float hco3, float ph);

// Sets AmoniumAanpassing (0 unless Aanpassing is 0); classes 6 to 8 raise NH4
// and NO3 of the adjusted target by the crop's amount for that class.
void LaadNH4Aanpassing(const WaterRecord& drain, ElementVector& aangepast, BerekenInstellingen& instellingen);

namespace AanpassingMode {
enum : qint16 { Laden = 0, Bewaren = 1 };
}
// Mode 0: v := the stored adjustment of the current grower and history set
// (unchanged without a row). Mode 1: stores v as the working set's adjustment;
// in a stored history set nothing is stored. Vlag is never read or written.
void HistorieAanpassing(qint16 mode, ElementVector& v);

// Fills r from the fertiliser with that code in rs (a record set over MEST
// and MEST_Meststof with the name column of the current language), its
// primary elements ordered so that the wanted element comes first. Without
// such a fertiliser only Code_MEST becomes 0.
void LeesMeststofSamenstelling(RecordSet& rs, MeststofRecord& r, qint16 code, qint16 elementCode);
