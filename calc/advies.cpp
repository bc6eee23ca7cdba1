#include "advies.h"

#include "appstate.h"
#include "elementen.h"
#include "general.h"
#include "invoer.h"
#include "mdlzelvoracalc.h"
#include "ui/dialogs.h"
#include "units.h"
#include "zelvorageneral.h"

namespace {

// T1 := T0 plus the adjustment, keeping T0's cation total NH4 + K + 2·Ca + 2·Mg
// and anion total NO3 + Cl + 2·SO4 + H2PO4: an added NH4 displaces K, Ca and
// Mg, an added H2PO4 displaces NO3, Cl and SO4, an added Cl displaces NO3.
void PasAanpassingToe(ElementVector& t1, const ElementVector& t0, const ElementVector& a)
{
    const float kationen = t0.K + 2.0f * t0.Ca + 2.0f * t0.Mg;
    const float nc = kationen - a.NH4;
    const float dc = kationen + a.K + 2.0f * a.Ca + 2.0f * a.Mg;
    const float fc = dc != 0 ? nc / dc : 0.0f;
    const float anionen = t0.NO3 + t0.Cl + 2.0f * t0.SO4;
    const float na = anionen - a.H2PO4;
    const float da = anionen + (a.NO3 - a.Cl) + a.Cl + 2.0f * a.SO4;
    const float fa = da != 0 ? na / da : 0.0f;

    t1.NH4 = t0.NH4 + a.NH4;
    for (int p : {ElementVector::pK, ElementVector::pCa, ElementVector::pMg})
        t1[p] = t0[p] == 0 ? 0.0f : (t0[p] + a[p]) * fc;
    t1.NO3 = t0.NO3 == 0 ? 0.0f : (t0.NO3 + a.NO3 - a.Cl) * fa;
    t1.Cl = (t0.Cl + a.Cl) * fa;
    t1.SO4 = t0.SO4 == 0 ? 0.0f : (t0.SO4 + a.SO4) * fa;
    t1.H2PO4 = t0.H2PO4 + a.H2PO4;
    t1.Si = t0.Si + a.Si;
    for (int p : Elementen::Spoor)
        t1[p] = t0[p] == 0 ? 0.0f : t0[p] + a[p];
}

// In a recirculating system the share of drain water follows from the EC it brings in.
void BerekenRecircPerc(WaterRecord& drain, const BerekenInstellingen& instellingen)
{
    if (instellingen.Teeltsysteem != 2)
        return;
    const float ec = drain.Elementen.EC;
    drain.Perc = ec > 0 ? drain.RecircEC / ec * 100.0f : 0.0f;
}

// The advice vector O: T1 brought to the wanted EC. Modes 1 to 3 keep NH4,
// H2PO4 or both at T1's value and restore the ion balance on K, Ca, Mg and/or
// NO3, Cl, SO4; when the EC is lowered NH4 is scaled after all.
void PasECVerhogingToe(ElementVector& o, const ElementVector& t1, float ec0, const BerekenInstellingen& instellingen)
{
    const float gewenst = o.EC == 0 ? ec0 : o.EC;
    qint16 mode = instellingen.ECVerhoging;
    if (mode < 0 || mode > 3)
        mode = 0; // an unknown mode would leave NH4 and H2PO4 of an earlier advice standing
    if (o.EC < ec0) {
        if (mode == 1)
            mode = 0;
        else if (mode == 3)
            mode = 2;
    }
    const float k = ec0 != 0 ? gewenst / ec0 : 0.0f;
    for (int p : {ElementVector::pK, ElementVector::pCa, ElementVector::pMg, ElementVector::pNO3, ElementVector::pCl,
                  ElementVector::pSO4})
        o[p] = k * t1[p];
    o.H = k * t1.HCO3;

    float d = 0;
    float kationDeler = 0;
    float anionDeler = 0;
    switch (mode) {
    case 0:
        o.NH4 = k * t1.NH4;
        o.H2PO4 = k * t1.H2PO4;
        break;
    case 1: {
        o.NH4 = t1.NH4;
        o.H2PO4 = k * t1.H2PO4;
        const float c = o.K + 2.0f * o.Ca + 2.0f * o.Mg;
        const float a = o.NO3 + o.Cl + 2.0f * o.SO4 + o.H2PO4;
        d = c + o.NH4 - a;
        kationDeler = c;
        break;
    }
    case 2: {
        o.NH4 = k * t1.NH4;
        o.H2PO4 = t1.H2PO4;
        const float c = o.NH4 + o.K + 2.0f * o.Ca + 2.0f * o.Mg;
        const float a = o.NO3 + o.Cl + 2.0f * o.SO4;
        d = c - a - o.H2PO4;
        anionDeler = a;
        break;
    }
    default: {
        o.NH4 = t1.NH4;
        o.H2PO4 = t1.H2PO4;
        const float c = o.K + 2.0f * o.Ca + 2.0f * o.Mg;
        const float a = o.NO3 + o.Cl + 2.0f * o.SO4;
        d = c - a + o.NH4 - o.H2PO4;
        kationDeler = c + a;
        anionDeler = c + a;
        break;
    }
    }
    if (d != 0) {
        if (kationDeler != 0)
            for (int p : {ElementVector::pK, ElementVector::pCa, ElementVector::pMg})
                o[p] = o[p] - o[p] / kationDeler * d;
        if (anionDeler != 0)
            for (int p : {ElementVector::pNO3, ElementVector::pSO4, ElementVector::pCl})
                o[p] = o[p] + o[p] / anionDeler * d;
    }
    o.Si = t1.Si;
    for (int p : Elementen::Spoor)
        o[p] = t1[p];
}

// Splits the supply into the water part and, in a recirculating system, the
// drain part. Each part carries H = −HCO3, so subtracting it raises the acid.
void MengWaterDrain(const WaterRecord& water, WaterRecord& waterDeel, const WaterRecord& drain, WaterRecord& drainDeel,
                    const ElementVector& o, const BerekenInstellingen& instellingen)
{
    float f = 0;
    float g = 1;
    if (instellingen.Teeltsysteem >= 2) {
        f = drain.Perc / 100.0f;
        g = 1.0f - f;
    }
    ElementVector& wp = waterDeel.Elementen;
    ElementVector& dp = drainDeel.Elementen;
    for (int p = ElementVector::pNH4; p <= ElementVector::pMo; ++p) {
        wp[p] = g * water.Elementen[p];
        dp[p] = f * drain.Elementen[p];
    }
    // What the advice does not contain cannot be supplied by the water either.
    for (int p : {ElementVector::pCl, ElementVector::pNa, ElementVector::pSi}) {
        if (o[p] == 0) {
            wp[p] = 0;
            dp[p] = 0;
        }
    }
    if (instellingen.WaterInputType == 1) {
        wp.HCO3 = wp.HCO3 - 0.5f * g;
        if (wp.HCO3 < 0)
            wp.HCO3 = 0;
        if (!IsIonenBalansOK(wp))
            BalanceerIonen(wp);
    }
    dp.HCO3 = dp.HCO3 - 0.5f * f;
    if (dp.HCO3 < 0)
        dp.HCO3 = 0;
    // A drain part without cations or anions cannot be balanced; it stays as it is.
    if (!IsIonenBalansOK(dp) && BalanceerIonen(dp) != 0)
        MessageBox::show(GetLangStr(999000046), MsgBox::OkOnly);
    for (ElementVector* deel : {&wp, &dp}) {
        deel->H = -deel->HCO3;
        deel->HCO3 = -deel->HCO3;
        deel->KationSom = SomKationen(*deel);
        deel->AnionSom = SomAnionen(*deel);
    }
}

// Brings r back to o's cation and anion totals. A side without ions has
// nothing to scale and stays as it is.
void SchaalNaarAdvies(ElementVector& r, const ElementVector& o)
{
    const float cn = SomKationen(r);
    const float an = SomAnionen(r);
    const float fc = cn != 0 ? SomKationen(o) / cn : 1.0f;
    const float fa = an != 0 ? SomAnionen(o) / an : 1.0f;
    SchaalKationenAnionen(r, r, fc, fa);
}

// R := O less the water and drain parts. An unbalanced part is taken off
// first and the remainder brought back to O's totals; a balanced part is
// taken off afterwards, unscaled. Nitrate closes the balance of the result.
void VerwerkDrainAnalyse(ElementVector& r, const ElementVector& o, const WaterRecord& waterDeel,
                         const WaterRecord& drainDeel)
{
    const ElementVector& wp = waterDeel.Elementen;
    const ElementVector& dp = drainDeel.Elementen;
    float dW = wp.KationSom - wp.AnionSom;
    float dD = dp.KationSom - dp.AnionSom;
    if (IsNearlyEqual(0, dW, 1))
        dW = 0;
    if (IsNearlyEqual(0, dD, 1))
        dD = 0;

    if (dW == 0 && dD == 0) {
        VerschilVector(r, o, wp);
        VerschilVector(r, r, dp);
    } else if (dW != 0 && dD != 0) {
        VerschilVector(r, o, wp);
        VerschilVector(r, r, dp);
        SchaalNaarAdvies(r, o);
    } else if (dW == 0) {
        VerschilVector(r, o, dp);
        SchaalNaarAdvies(r, o);
        VerschilVector(r, r, wp);
    } else {
        VerschilVector(r, o, wp);
        SchaalNaarAdvies(r, o);
        VerschilVector(r, r, dp);
    }
    r.EC = o.EC;
    r.NO3 = (r.NH4 + r.K + 2.0f * r.Ca + 2.0f * r.Mg + r.H) - (r.Cl + 2.0f * r.SO4 + r.H2PO4);
}

} // namespace

void LaadBerekeningInvoer(ElementVector& streefWaarden, ElementVector& aanpassing, ElementVector& aangepast,
                          ElementVector& advies, WaterRecord& waterDeel, WaterRecord& drainDeel,
                          ElementVector& streefGecorrigeerd, BerekenInstellingen& instellingen)
{
    WaterRecord& drain = appState().DrainAnalyse;
    WaterRecord water;
    ClearWaterRecord(water);
    LaadStdVOplossing(streefWaarden, instellingen);
    LaadStadiumCorrectie(streefWaarden, instellingen);
    LaadGrenzen(streefWaarden, drain, aanpassing, instellingen);
    LaadKCaFactor(streefWaarden, aanpassing, instellingen);
    PasAanpassingToe(aangepast, streefWaarden, aanpassing);
    LaadWaterAnalyse(water);
    BerekenRecircPerc(drain, instellingen);
    LaadNH4Aanpassing(drain, aangepast, instellingen);
    PasECVerhogingToe(advies, aangepast, streefWaarden.EC, instellingen);
    MengWaterDrain(water, waterDeel, drain, drainDeel, advies, instellingen);
    VerwerkDrainAnalyse(streefGecorrigeerd, advies, waterDeel, drainDeel);
}
