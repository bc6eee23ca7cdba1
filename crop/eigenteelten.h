#pragma once

#include "records.h"

#include <QList>
#include <QString>
#include <optional>

// The grower's own crops in the grower database: TEELT (code and one name
// column per language) and TEELT_StdVOplossing (the standard solution). Only
// the current language's name and the solution's element columns and EC are
// read and written; other columns stay as they are. No widgets.
struct EigenTeelt {
    qint16 Code = 0;
    QString Naam;            // in the current language
    ElementVector Oplossing; // NH4 to Mo (Elementen::Teelt) in mmol per litre, and EC
};

namespace EigenTeelten {

// The codes of the own crops, ascending, each once. Throws AppError.
QList<qint16> Codes();

// The crop with that code, or none. A crop without a solution row gets an
// empty one, so that its copy in the reference data has one too. Throws AppError.
std::optional<EigenTeelt> Lees(qint16 code);

bool Bestaat(qint16 code);

// Stores the crop under its code: the rows of that code are updated, or
// added when there are none, in one transaction. Throws AppError; nothing is
// stored then.
void Schrijf(const EigenTeelt& teelt);

// Deletes the crop and its solution in one transaction. Throws AppError;
// nothing is deleted then. Its copy in the reference data stays: stored
// history sets still name it.
void Verwijder(qint16 code);

// Whether the working set's crop settings (of any grower) use the crop.
bool InGebruik(qint16 code);

// Whether the reference data holds a copy of the crop (under code + 1000).
bool HeeftReferentieKopie(qint16 code);

} // namespace EigenTeelten
