#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The crop part of the grower's settings row TEELT_Instelling, as the crop
// window shows and edits it. Later steps read the same columns one at a time
// by name.
struct TeeltInstelling {
    qint16 Code_Teelt = 0; // below 1000 a standard crop, else an own crop's code plus 1000
    qint16 Code_Teeltstadium = 0;
    qint16 Teeltsysteem = 0;
    qint16 ECVerhoging = 0;
    qint16 Aanpassing = 0; // 0 automatic, 1 by hand, 2 by hand with the drain
    qint16 VerrekeningStandaardEC = 0;
    qint16 BakGrootte = 0;
    qint16 ZakGrootte = 0;
    qint16 Concentratie = 0;
    qint16 Mixorabak = 0;
    // Product-line mode, the fertiliser choice's filter (which writes it): 1
    // the bag size is edited here, 0 the concentration, any other value neither.
    qint16 MixoraMest = 0;
};

// One growth stage of a crop.
struct TeeltStadium {
    qint16 code = 0;
    QString naam;
};

namespace TeeltInstellingen {

// The row of the current grower and history set. The working set's row is
// created when it is missing; a stored history set is only read, and one
// without a row reads as all zeros. Throws AppError.
TeeltInstelling Lees();

// Writes the columns the crop window edits into the working set's row (made
// when missing), in one transaction: either all or none. In a stored history
// set it writes nothing. Throws AppError; the row is then as it was.
void Schrijf(const TeeltInstelling& instelling);

// The stages of a crop in the reference data, in code order, with their
// names in the current language. Throws AppError.
QList<TeeltStadium> LeesStadia(qint16 codeTeelt);

} // namespace TeeltInstellingen
