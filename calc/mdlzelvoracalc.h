#pragma once

#include "records.h"

// Whole-vector routines of the calculation: ion sums, the balance test, the
// rebalancing, the element-wise difference, the separate scaling of cations
// and anions, and the EC estimate. All arithmetic is single precision.
//
// The ion sums differ on purpose: SomKationen counts H and SomAnionen leaves
// HCO3 out (they serve where H already stands for minus the bicarbonate);
// the balance test and the rebalancing count HCO3 and leave H out; BerekenEC
// counts neither. Na is never counted.

float SomKationen(const ElementVector& v); // NH4 + K + 2·Ca + 2·Mg + H
float SomAnionen(const ElementVector& v);  // NO3 + Cl + 2·SO4 + H2PO4

// True when NH4 + K + 2·Ca + 2·Mg and NO3 + Cl + 2·SO4 + H2PO4 + HCO3 agree
// within IsNearlyEqual's tolerance of 0.01 %.
bool IsIonenBalansOK(const ElementVector& v);

// Brings both sums (as the balance test counts them) to their mean. Returns 1
// and leaves v untouched when either sum is 0, else 0. Clears Vlag.
qint16 BalanceerIonen(ElementVector& v);

// r := a − b for the elements; HCO3, OH and the two sums become 0, EC is a's,
// Vlag 0. r may be a or b.
void VerschilVector(ElementVector& r, const ElementVector& a, const ElementVector& b);

// r := s with NH4, K, Ca, Mg and H times fc and NO3, Cl, SO4, H2PO4 and HCO3
// times fa; everything else copied, Vlag 0. r may be s.
void SchaalKationenAnionen(ElementVector& r, const ElementVector& s, float fc, float fa);

// v.EC := (NH4 + K + 2·Ca + 2·Mg + NO3 + Cl + 2·SO4 + H2PO4) / 20.
void BerekenEC(ElementVector& v);
