#pragma once

#include "records.h"

#include <QString>

// The three judgements of a computed advice, without the window: how far a
// typed adjustment may go for the crop, how much drain water can be reused,
// and which ammonium-class text belongs to the class the advice chose.

// One limit of a typed adjustment: the box it belongs to, the element it
// judges (a position in ElementVector) and the limit, either a fraction of
// the crop's base target of that element or a fixed amount (mmol, µmol for
// the trace elements; EC in mS/cm).
//
// Beyond the limit, which only warns, the box refuses what is larger than
// hoogste, up or down (the EC from 0 up): twice the most that a standard
// solution of the default crops holds, rounded (for Cl and Si, which they
// hardly hold, twice the fixed limit). No real advice adjusts that far, and it
// stays below ten times that crop's limit, so that an adjustment near the
// limit typed with its decimal point one place off is refused rather than
// computed into the recipe.
struct AdviesGrens {
    int box;
    int positie;
    float factor; // limit = factor × base target; 0: the fixed limit applies
    float vast;
    float hoogste;
};

// What an EC box of the advice takes, in mS/cm: from 0 to this.
inline constexpr float kHoogsteEC = 20;

// Na and HCO3 have no limit; EC judges the advised EC rather than an adjustment.
inline constexpr AdviesGrens kAdviesGrenzen[] = {
    {41, ElementVector::pNH4, 0.5f, 0, 3},  {42, ElementVector::pK, 0.3f, 0, 20},
    {44, ElementVector::pCa, 0.3f, 0, 10},  {45, ElementVector::pMg, 0.3f, 0, 5},
    {46, ElementVector::pNO3, 0.3f, 0, 40}, {47, ElementVector::pCl, 0, 5.0f, 10},
    {48, ElementVector::pSO4, 0.3f, 0, 8},  {49, ElementVector::pH2PO4, 0.3f, 0, 4},
    {51, ElementVector::pSi, 0, 1.5f, 3},   {52, ElementVector::pFe, 0.3f, 0, 120},
    {53, ElementVector::pMn, 0.3f, 0, 40},  {54, ElementVector::pZn, 0.3f, 0, 15},
    {55, ElementVector::pB, 0.3f, 0, 60},   {56, ElementVector::pCu, 0.3f, 0, 1.5f},
    {57, ElementVector::pMo, 0.3f, 0, 1},   {1001, ElementVector::pEC, 0, 5.0f, kHoogsteEC},
};

// The limit itself.
float GrensWaarde(const AdviesGrens& grens, const ElementVector& streefWaarden);
// The name the warning gives the element ("Ec" for the advised EC).
QString GrensNaam(const AdviesGrens& grens);
// Only adjustments typed by hand are judged (Aanpassing 1 or 2).
bool GrenzenActief(qint16 aanpassing);

// The judgement of one box. A box beyond its limit turns red; it warns only
// when it was not red yet and the check is not quiet, so a box that stays
// beyond its limit warns once, until it has been back within it.
struct GrensOordeel {
    bool rood;
    bool waarschuwen;
};
GrensOordeel MarkElementLimit(float value, float limit, bool alRood, bool quiet);

// The highest share of drain water that can be reused without any element of
// the water-and-drain mix exceeding the advised solution: MaxPerc and
// MaxRecircEC of the drain analysis. An element the drain does not carry, or
// one the water already covers, puts no bound on it.
void CalcPercentages(const ElementVector& adviesOplossing, const ElementVector& adviesWater, WaterRecord& drain);

// The language text of an ammonium class (1 to 8), 0 for any other class.
qint32 AmmoniumTekst(qint16 klasse);
// The text to show now for the class, 0 when nothing is to be shown: a class
// is told once, until it changes (or laatste is reset to 0).
qint32 AmmoniumWaarschuwing(qint16 klasse, qint16& laatste);
