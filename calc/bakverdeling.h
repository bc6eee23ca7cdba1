#pragma once

#include "meststoflijst.h"
#include "records.h"

#include <QString>

// The steps after solving: the result check, the calculation log, the stock
// tank of every line, the order by tank, the limit on the solids in tank 1
// and the concentration of the stock solution.

// Tank numbers of a line.
namespace BakNummer {
enum : qint16 { Geen = 0, A = 1, B = 2, Beide = 9, Silicium = 10, Sporenelementen = 100 };
}

// Compares what the lines deliver with the requirement (lines whose amount
// was fixed before solving left out) and warns once per element that is not
// met; the result vector gets 1 for an unmet element and 0 for a met one.
void BerekenResultaat(const MeststofLijst& lijst, MeststofRecord& behoefte, ElementVector& resultaat);

// Shows the warning for one element when delivered and required differ (a
// relative tolerance of 0.01 %, absolute near 0); sets the position to 1 or 0.
void ControleerElement(float geleverd, float nodig, const QString& naam, float& positie);

// Rewrites "log.txt" in AppPath: the requirement and what every line
// delivers. The log is a help for the advisor only; a log that cannot be
// written is left out and the calculation goes on.
void SchrijfLog(const MeststofLijst& lijst, const MeststofRecord& behoefte);

// Gives every line a tank, splits a fertiliser that may go into either tank
// between them, scales to whole bags in product-line mode and sets the
// second amounts.
void VerdeelOverBakken(MeststofLijst& lijst, const BerekenInstellingen& instellingen);

// Orders the lines by tank, the lines of tank 2 by their acid content.
void SorteerOpBak(MeststofLijst& lijst);

// Limits the solids in tank 1 to 1200 kg, and asks (999000049) whether to keep
// more than 1000; No scales them to 1000. 1 when the lines were scaled.
qint16 ControleerBakConcentratie(MeststofLijst& lijst, const BerekenInstellingen& instellingen);

// The concentration of the stock solution from the EC of what the tanks (and
// the blends) hold against the corrected target, into Concentratie. False
// when it cannot be computed (the blends cannot be read, or the result does
// not fit 16 bits); Concentratie is then 1 and must not be used.
bool BerekenConcentratie(const MeststofLijst& lijst, BerekenInstellingen& instellingen,
                         const ElementVector& gecorrigeerd);
