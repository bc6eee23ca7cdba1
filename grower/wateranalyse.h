#pragma once

#include "watermix.h"

// The rows of the water step: one row of WATER per water source (Type 1 to
// 3) of the current grower and history set, and the grower's setting
// WaterInputType. The mix is never stored. No widgets.
namespace WaterAnalyse {

// The input type in force: full analysis when the setting says so, else quick entry.
qint16 LeesInvoerType();

// Reads the share, the six quick-entry readings and NH4 to Mo of sources 1
// to 3 into water[1..3]; the mix and every other field stay as they are.
// Empty columns read as 0, readings beyond 16 bits as the nearest bound. In
// the working set a source without a row gets one (share 0); in a stored set
// it reads as zeros and nothing is added.
void Lees(WaterRecords& water);

// Stores the input type and sources 1 to 3 in the working set, adding the
// rows that are missing, in one transaction. False when the setting could not
// be stored (the user has been told; nothing is stored); throws AppError when
// a row cannot be written (nothing is stored either).
bool Schrijf(qint16 inputType, const WaterRecords& water);

} // namespace WaterAnalyse
