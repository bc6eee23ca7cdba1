#include "adviesgrenzen.h"

#include "elementen.h"

#include <cmath>

float GrensWaarde(const AdviesGrens& grens, const ElementVector& streefWaarden)
{
    return grens.factor != 0 ? grens.factor * streefWaarden[grens.positie] : grens.vast;
}

QString GrensNaam(const AdviesGrens& grens)
{
    return grens.positie == ElementVector::pEC ? QStringLiteral("Ec") : ElementNaam(grens.positie);
}

bool GrenzenActief(qint16 aanpassing)
{
    return aanpassing == 1 || aanpassing == 2;
}

GrensOordeel MarkElementLimit(float value, float limit, bool alRood, bool quiet)
{
    // A lowering counts as much as a raise.
    if (std::fabs(value) <= std::fabs(limit))
        return {false, false};
    return {true, !alRood && !quiet};
}

void CalcPercentages(const ElementVector& adviesOplossing, const ElementVector& adviesWater, WaterRecord& drain)
{
    float maxPerc = 100.0f;
    for (int p : Elementen::NH4totMo) {
        // The 0.001 keeps an element the drain lacks from dividing by zero; it then bounds nothing.
        const float perc = (adviesOplossing[p] - adviesWater[p]) / (drain.Elementen[p] + 0.001f) * 100.0f;
        if (perc > 0 && perc < 100 && perc < maxPerc)
            maxPerc = perc;
    }
    drain.MaxPerc = maxPerc;
    drain.MaxRecircEC = drain.Elementen.EC * maxPerc / 100.0f;
}

qint32 AmmoniumTekst(qint16 klasse)
{
    return klasse >= 1 && klasse <= 8 ? 999000101 + 2 * (klasse - 1) : 0;
}

qint32 AmmoniumWaarschuwing(qint16 klasse, qint16& laatste)
{
    if (klasse == laatste)
        return 0;
    laatste = klasse;
    return AmmoniumTekst(klasse);
}
