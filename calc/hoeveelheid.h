#pragma once

#include "clsprintmeststofmeststof.h"
#include "records.h"

#include <QString>

// The amount of one fertiliser line as shown: kilograms for a solid (kg per
// litre exactly 1), litres for a liquid; trace-element products (codes of
// 100 and more) are held in grams and millilitres. The facts come from the
// print line when one is given, else from the fertiliser record.

// The amount with thousands separators, one decimal (none for trace-element products).
QString FormatHoeveelheid(const clsPrintMeststofMeststof* lijn, const MeststofRecord& meststof);

// "kg", "liter", "gram" or "ml".
QString GetEenheid(const clsPrintMeststofMeststof* lijn, const MeststofRecord& meststof);
