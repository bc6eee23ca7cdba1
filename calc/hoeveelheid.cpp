#include "hoeveelheid.h"

#include "units.h"

namespace {

struct Regel {
    qint16 code;
    float kg;
    float liter;
    float kgl;
};

Regel regelVan(const clsPrintMeststofMeststof* lijn, const MeststofRecord& meststof)
{
    if (lijn)
        return {lijn->Nr, lijn->Kg, lijn->liter, lijn->kgl};
    return {meststof.Code_MEST, meststof.Hoeveelheid, meststof.Hoeveelheid2, meststof.KGl};
}

bool isSporenelement(const Regel& r)
{
    return r.code >= 100;
}

} // namespace

QString FormatHoeveelheid(const clsPrintMeststofMeststof* lijn, const MeststofRecord& meststof)
{
    const Regel r = regelVan(lijn, meststof);
    const float waarde = r.kgl == 1 ? r.kg : r.liter;
    return FormatNumber(waarde, isSporenelement(r) ? 0 : 1);
}

QString GetEenheid(const clsPrintMeststofMeststof* lijn, const MeststofRecord& meststof)
{
    const Regel r = regelVan(lijn, meststof);
    if (r.kgl == 1)
        return isSporenelement(r) ? "gram" : "kg";
    return isSporenelement(r) ? "ml" : "liter";
}
