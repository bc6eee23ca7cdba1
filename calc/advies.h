#pragma once

#include "records.h"

// The advice chain: from the crop's reference data, the adjustment, the
// grower's water sources and the drain analysis (appState().DrainAnalyse) to
// the corrected target, what the fertilisers still have to supply once the
// water and the recirculated drain water have supplied their part. Its H is
// the acid dose.
//
// The caller fills Code_Teelt, Code_Teeltstadium, Teeltsysteem, ECVerhoging,
// Aanpassing, WaterInputType and ExtraBigBag of the settings, and EC of the
// advice vector with the EC the grower wants (0 = the crop's standard EC);
// afterwards it stores AmoniumAanpassing. In automatic mode (Aanpassing 0)
// the adjustment's K to Mo are recomputed; otherwise it is used as typed.
// Shows message 999000046 when the drain part cannot be balanced.
void LaadBerekeningInvoer(ElementVector& streefWaarden, ElementVector& aanpassing, ElementVector& aangepast,
                          ElementVector& advies, WaterRecord& waterDeel, WaterRecord& drainDeel,
                          ElementVector& streefGecorrigeerd, BerekenInstellingen& instellingen);
