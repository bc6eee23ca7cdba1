#include "stdvoplossing.h"

#include "general.h"
#include "invoergetal.h"
#include "units.h"

#include <algorithm>
#include <cmath>
#include <limits>

IonenSommen BerekenIonenSommen(const ElementVector& v)
{
    IonenSommen s;
    s.kationen = v.NH4 + v.K + 2 * v.Ca + 2 * v.Mg;
    s.anionen = v.NO3 + v.Cl + 2 * v.SO4 + v.H2PO4;
    return s;
}

bool IsInBalans(const IonenSommen& s)
{
    return IsNearlyEqual(s.kationen, s.anionen, 0.01f);
}

float SchatEC(const IonenSommen& s)
{
    return (s.kationen + s.anionen) / 20;
}

bool LeesElementWaarde(const QString& tekst, const QString& element, float& mmol)
{
    double getal = 0;
    if (LeesInvoer(tekst, {0, double(std::numeric_limits<float>::max())}, getal) != InvoerFout::Geen)
        return false;
    mmol = IonFromUnit(float(getal), element);
    return std::isfinite(mmol);
}

bool LeesTeeltCode(const QString& tekst, qint16& code)
{
    // Not rounded: a code with decimals is no code.
    double getal = 0;
    if (LeesInvoer(tekst, {kLaagsteEigenCode, kHoogsteEigenCode}, getal) != InvoerFout::Geen ||
        getal != std::floor(getal))
        return false;
    code = qint16(getal);
    return true;
}

qint16 VolgendeCode(const QList<qint16>& codes, qint16 huidig)
{
    if (codes.isEmpty())
        return huidig;
    const auto hoger = std::upper_bound(codes.begin(), codes.end(), huidig);
    return hoger != codes.end() ? *hoger : codes.last();
}

qint16 VorigeCode(const QList<qint16>& codes, qint16 huidig)
{
    if (codes.isEmpty())
        return huidig;
    const auto vanaf = std::lower_bound(codes.begin(), codes.end(), huidig);
    return vanaf != codes.begin() ? *(vanaf - 1) : codes.first();
}
