#pragma once

#include "records.h"

#include <QList>
#include <QtGlobal>

// The grower-database rows the advice report prints, always of the current
// grower and history set: the shares of the water sources, the stored steps
// of the advice and the standard-tank vector of the composition. It only
// reads; the report writes nothing.

// One stored advice step (HISTORIE_Advies) or composition vector
// (HISTORIE_StandaardBakEC). Empty columns read as 0; the composition rows
// have no EC or recirculation figures and keep them 0.
struct AdviesRij {
    qint16 Type = 0;
    ElementVector waarden; // mmol per litre, trace elements µmol per litre
    float EC = 0;
    float recircEC = 0;
    float Perc = 0;
};

// The advice step types of HISTORIE_Advies, and the standard-tank type of
// HISTORIE_StandaardBakEC.
namespace AdviesType {
enum : qint16 { Basis = 20, Aanpassing = 40, Geadviseerd = 60, Water = 80, WaterDrain = 100 };
constexpr qint16 StandaardBak = 1;
} // namespace AdviesType

namespace AdviesRapportGegevens {

// Perc of the first WATER row of that type (water source 1, 2 or 3); 0 when
// there is none or it is empty.
float WaterPerc(qint16 type);

// The rows in the order they were stored.
QList<AdviesRij> AdviesRijen();
QList<AdviesRij> StandaardBakRijen();

// The first row of a type, or null.
const AdviesRij* ZoekType(const QList<AdviesRij>& rijen, qint16 type);

} // namespace AdviesRapportGegevens
