#pragma once

#include "records.h"

#include <QString>
#include <QStringList>
#include <array>

// The arithmetic behind the water and drain windows: the mix of the water
// sources by their shares, the quick-entry readings, the class label of a
// source, the share total and the balance tests. No widgets: the windows show
// what these routines compute.

// Index 0 the mix, 1 to 3 the water sources.
using WaterRecords = std::array<WaterRecord, 4>;

// How the water sources are entered (the setting WaterInputType).
namespace WaterInvoer {
enum : qint16 { Snel = 0, Volledig = 1 };
}

// The 17 elements of an analysis, NH4 to Mo: their names (as the unit
// routines and the table columns spell them) at the positions of ElementVector.
const QStringList& WaterElementNamen();

// Fills the mix (index 0) from the sources: the shares are added, every element
// weighed by its source's share (not normalised), then Si less 0.2 and, in full
// analysis, HCO3 less 0.5, neither below 0.
void BerekenMengwater(WaterRecords& water, qint16 inputType);

// The total of the shares of the sources, added in double precision.
double TotaalPercentage(const WaterRecords& water);
// The shares total 100 (within 0.001, so that shares with decimals pass).
bool IsTotaal100(const WaterRecords& water);

// Quick entry: the field of the water grid (5, 6, 7, 9, 10, 11) that holds a
// reading, the reading it stores and the element the reading sets.
struct SnelVeld {
    int field;
    qint16 WaterRecord::*reading;
    int element;    // position in ElementVector
    double divisor; // element = reading / divisor
};
// The quick-entry field, or null when the field holds no reading.
const SnelVeld* ZoekSnelVeld(int field);
// Stores the reading and sets its element.
void ZetSnelWaarde(WaterRecord& source, const SnelVeld& veld, qint16 reading);

// "B" when SO4, NO3 or K of the source is not 0, else "A".
QString WaterKlasse(const WaterRecord& source);

// The drain's balance: HCO3 counts less 0.5, not below 0.
bool IsDrainBalansOK(const ElementVector& v);
// Whether the drain analysis could be rebalanced: the result of BalanceerIonen
// on a copy with HCO3 less 0.5 (1 when it has no cations or no anions).
qint16 BalanceerDrainKopie(const ElementVector& v);
