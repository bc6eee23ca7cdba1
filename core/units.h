#pragma once

#include "records.h"

#include <QString>
#include <QVariant>

// Display units and number formats. Element values are kept in the
// calculation unit (UnitID 0); the display unit applies only when a value is
// shown or typed.

// From the display unit (appState().UnitID) to the calculation unit, and back.
// Element names match without regard to case; an unknown name gives 0 (except
// in unit 0, where every value passes unchanged).
float IonFromUnit(float value, const QString& element);
float IonToUnit(float value, const QString& element);

// Label of a unit code: hundreds digit the prefix (1 base, 2 milli, 3 micro),
// tens digit the reference (1 per litre, 2 per kilogram). 210 concentrations,
// 310 trace elements, 120 fertiliser contents.
QString GetUnitText(qint16 code);

// The value with thousands separators and the given number of decimals in the
// user's locale, halves rounded away from zero; "" for a negative count.
QString FormatNumber(const QVariant& value, qint16 decimals);

void ClearElementVector(ElementVector& v); // fields 0..21 to 0, Vlag kept
void ClearWaterRecord(WaterRecord& w);
