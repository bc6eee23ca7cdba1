#include "watermix.h"

#include "elementen.h"
#include "mdlzelvoracalc.h"
#include "units.h"
#include "zelvorageneral.h"

#include <cmath>

namespace {

// HCO3 of a drain analysis as its balance counts it.
ElementVector drainBalansVector(const ElementVector& v)
{
    ElementVector copy = v;
    copy.HCO3 = std::max(0.0f, float(double(v.HCO3) - 0.5));
    return copy;
}

} // namespace

const QStringList& WaterElementNamen()
{
    static const QStringList names = [] {
        QStringList n;
        for (int p : Elementen::NH4totMo)
            n << ElementNaam(p);
        return n;
    }();
    return names;
}

void BerekenMengwater(WaterRecords& water, qint16 inputType)
{
    WaterRecord& mix = water[0];
    mix.Perc = 0;
    ClearElementVector(mix.Elementen);
    for (int s = 1; s <= 3; ++s) {
        const WaterRecord& source = water[s];
        if (source.Perc == 0)
            continue;
        mix.Perc += source.Perc;
        for (int p : Elementen::NH4totMo)
            mix.Elementen[p] += source.Elementen[p] * source.Perc / 100.0f;
    }
    // Only the Si above 0.2 counts; in full analysis 0.5 HCO3 stays in the water as its buffer.
    mix.Elementen.Si = float(double(mix.Elementen.Si) - 0.2);
    if (inputType == WaterInvoer::Volledig)
        mix.Elementen.HCO3 -= 0.5f;
    mix.Elementen.Si = std::max(0.0f, mix.Elementen.Si);
    mix.Elementen.HCO3 = std::max(0.0f, mix.Elementen.HCO3);
}

double TotaalPercentage(const WaterRecords& water)
{
    double total = 0;
    for (int s = 1; s <= 3; ++s)
        total += double(water[s].Perc);
    return total;
}

bool IsTotaal100(const WaterRecords& water)
{
    return std::fabs(TotaalPercentage(water) - 100.0) < 0.001;
}

const SnelVeld* ZoekSnelVeld(int field)
{
    static const SnelVeld fields[] = {
        {5, &WaterRecord::SC1, ElementVector::pHCO3, 2}, {6, &WaterRecord::SC2, ElementVector::pCa, 4},
        {7, &WaterRecord::SC3, ElementVector::pMg, 4},   {9, &WaterRecord::SC4, ElementVector::pSO4, 4},
        {10, &WaterRecord::SC5, ElementVector::pNO3, 2}, {11, &WaterRecord::SC6, ElementVector::pK, 2},
    };
    for (const SnelVeld& f : fields)
        if (f.field == field)
            return &f;
    return nullptr;
}

void ZetSnelWaarde(WaterRecord& source, const SnelVeld& veld, qint16 reading)
{
    source.*veld.reading = reading;
    source.Elementen[veld.element] = float(reading / veld.divisor);
}

QString WaterKlasse(const WaterRecord& source)
{
    const ElementVector& v = source.Elementen;
    return v.SO4 != 0 || v.NO3 != 0 || v.K != 0 ? "B" : "A";
}

bool IsDrainBalansOK(const ElementVector& v)
{
    return IsIonenBalansOK(drainBalansVector(v));
}

qint16 BalanceerDrainKopie(const ElementVector& v)
{
    ElementVector copy = drainBalansVector(v);
    return BalanceerIonen(copy);
}
