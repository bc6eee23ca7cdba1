#include "mdlzelvoracalc.h"

#include "elementen.h"
#include "general.h"

namespace {

// The sums of the balance test: no H on the cation side, HCO3 on the anion side.
float balansKationen(const ElementVector& v)
{
    return v.NH4 + v.K + 2.0f * v.Ca + 2.0f * v.Mg;
}
float balansAnionen(const ElementVector& v)
{
    return v.NO3 + v.Cl + 2.0f * v.SO4 + v.H2PO4 + v.HCO3;
}

} // namespace

float SomKationen(const ElementVector& v)
{
    return v.NH4 + v.K + 2.0f * v.Ca + 2.0f * v.Mg + v.H;
}

float SomAnionen(const ElementVector& v)
{
    return v.NO3 + v.Cl + 2.0f * v.SO4 + v.H2PO4;
}

bool IsIonenBalansOK(const ElementVector& v)
{
    return IsNearlyEqual(balansKationen(v), balansAnionen(v), 0.01f);
}

qint16 BalanceerIonen(ElementVector& v)
{
    const float c = balansKationen(v);
    const float a = balansAnionen(v);
    if (c == 0 || a == 0)
        return 1;
    const float m = (a + c) / 2.0f;
    SchaalKationenAnionen(v, v, m / c, m / a);
    return 0;
}

void VerschilVector(ElementVector& r, const ElementVector& a, const ElementVector& b)
{
    ElementVector d;
    for (int p : Elementen::Verschil)
        d[p] = a[p] - b[p];
    d.EC = a.EC;
    r = d;
}

void SchaalKationenAnionen(ElementVector& r, const ElementVector& s, float fc, float fa)
{
    ElementVector d = s;
    for (int p : {ElementVector::pNH4, ElementVector::pK, ElementVector::pCa, ElementVector::pMg, ElementVector::pH})
        d[p] = s[p] * fc;
    for (int p :
         {ElementVector::pNO3, ElementVector::pCl, ElementVector::pSO4, ElementVector::pH2PO4, ElementVector::pHCO3})
        d[p] = s[p] * fa;
    d.Vlag = 0;
    r = d;
}

void BerekenEC(ElementVector& v)
{
    v.EC = (v.NH4 + v.K + 2.0f * v.Ca + 2.0f * v.Mg + v.NO3 + v.Cl + 2.0f * v.SO4 + v.H2PO4) / 20.0f;
}
