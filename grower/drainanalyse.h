#pragma once

#include "records.h"

// The rows of the drain step: the row of MAT of the current grower and
// history set (NH4 to Mo, EC and pH of the drain analysis) and the grower's
// setting Aanpassing, which the step's check box moves. No widgets.
namespace DrainAnalyse {

// Reads NH4 to Mo, EC and Ph of the stored row into drain (empty columns as
// 0); false, with drain unchanged, when there is no row.
bool Lees(WaterRecord& drain);

// Nothing of the analysis itself (NH4 to Mo, EC, pH) has been entered or
// read in this run.
bool IsLeeg(const WaterRecord& drain);

// The setting Aanpassing: how the advice is adjusted.
qint16 LeesAanpassing();

// Stores NH4 to Mo, EC and Ph of drain in the working set's row (added when
// missing) and the setting Aanpassing as the check box moves it: between
// automatic (0) and by hand with the drain (2) only, any other value stays. One
// transaction. gewijzigd tells whether the setting changed. False when the
// setting could not be stored (the user has been told; nothing is stored);
// throws AppError when the row cannot be written (nothing is stored either).
bool Schrijf(const WaterRecord& drain, bool aangevinkt, bool& gewijzigd);

} // namespace DrainAnalyse
