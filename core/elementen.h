#pragma once

#include "records.h"

#include <QString>
#include <QStringView>
#include <array>

// The element catalogue: every element of ElementVector with its column name,
// valence and molar mass (the display units), whether it is a trace element
// (µmol per litre) and its element code in fertiliser selections. Every
// element list in the program is a subset of it, written as positions.

struct Element {
    const char* naam; // field and column name, as the tables spell it
    int positie;      // position in ElementVector
    float valentie;   // meq per mmol; 0: no meq value
    double molmassa;  // mg per mmol; 0: no mass value
    bool wholeMass;   // the molar mass has no decimals: single-precision arithmetic
    bool spoor;       // trace element: µmol per litre
    qint16 code;      // element code of selections and primary elements; 0: none
};

using EP = ElementVector::Position;

inline constexpr Element kElementen[] = {
    {"NH4", EP::pNH4, 1, 18, true, false, 1},     {"K", EP::pK, 1, 39.1, false, false, 2},
    {"Na", EP::pNa, 1, 23, true, false, 0},       {"Ca", EP::pCa, 2, 40.1, false, false, 4},
    {"Mg", EP::pMg, 2, 24.3, false, false, 5},    {"NO3", EP::pNO3, 1, 62, true, false, 6},
    {"Cl", EP::pCl, 1, 35.5, false, false, 7},    {"SO4", EP::pSO4, 2, 96.1, false, false, 8},
    {"H2PO4", EP::pH2PO4, 1, 97, true, false, 9}, {"HCO3", EP::pHCO3, 1, 61, true, false, 0},
    {"Si", EP::pSi, 4, 28.1, false, false, 15},   {"Fe", EP::pFe, 3, 55.8, false, true, 20},
    {"Mn", EP::pMn, 2, 54.9, false, true, 21},    {"Zn", EP::pZn, 2, 65.4, false, true, 22},
    {"B", EP::pB, 3, 10.8, false, true, 23},      {"Cu", EP::pCu, 2, 63.5, false, true, 24},
    {"Mo", EP::pMo, 4, 95.9, false, true, 25},    {"H", EP::pH, 1, 1, true, false, 10},
    {"OH", EP::pOH, 0, 0, true, false, 11},       {"EC", EP::pEC, 0, 0, true, false, 0},
};

// ElementOp indexes the table by position, so the rows must stand in ElementVector's order.
constexpr bool OpPositieVolgorde()
{
    for (int i = 0; i < int(std::size(kElementen)); ++i)
        if (kElementen[i].positie != i)
            return false;
    return std::size(kElementen) == EP::pEC + 1;
}
static_assert(OpPositieVolgorde(), "kElementen stands in the order of ElementVector");

// The catalogue entry of a position (0..19).
inline constexpr const Element& ElementOp(int positie)
{
    return kElementen[positie];
}
inline QString ElementNaam(int positie)
{
    return QString::fromLatin1(kElementen[positie].naam);
}
// The entry of a name, without regard to case; null when there is none.
const Element* ZoekElement(QStringView naam);
// The entry of an element code; null when no element has it.
const Element* ElementMetCode(qint16 code);

// Subsets, as positions in their fixed order.
namespace Elementen {
// NH4 to Mo: every analysed element (positions 0 to 16).
inline constexpr std::array<int, 17> NH4totMo = {EP::pNH4, EP::pK,   EP::pNa,    EP::pCa,   EP::pMg, EP::pNO3,
                                                 EP::pCl,  EP::pSO4, EP::pH2PO4, EP::pHCO3, EP::pSi, EP::pFe,
                                                 EP::pMn,  EP::pZn,  EP::pB,     EP::pCu,   EP::pMo};
// A crop's standard solution and its stage corrections.
inline constexpr std::array<int, 15> Teelt = {EP::pNH4, EP::pK,   EP::pCa,    EP::pMg, EP::pNO3,
                                              EP::pCl,  EP::pSO4, EP::pH2PO4, EP::pSi, EP::pFe,
                                              EP::pMn,  EP::pZn,  EP::pB,     EP::pCu, EP::pMo};
// The stock-tank composition: the elements of its grid (the acid in place of
// the bicarbonate), and the columns its target and flag vectors are stored in.
inline constexpr std::array<int, 17> Samenstelling = {EP::pNH4, EP::pK,   EP::pNa,    EP::pCa, EP::pMg, EP::pNO3,
                                                      EP::pCl,  EP::pSO4, EP::pH2PO4, EP::pH,  EP::pSi, EP::pFe,
                                                      EP::pMn,  EP::pZn,  EP::pB,     EP::pCu, EP::pMo};
inline constexpr std::array<int, 18> StandaardBak = {EP::pNH4, EP::pK,   EP::pNa,    EP::pCa, EP::pMg,   EP::pNO3,
                                                     EP::pCl,  EP::pSO4, EP::pH2PO4, EP::pH,  EP::pHCO3, EP::pSi,
                                                     EP::pFe,  EP::pMn,  EP::pZn,    EP::pB,  EP::pCu,   EP::pMo};
// The element columns of a fertiliser, in the order of the fertiliser table.
inline constexpr std::array<int, 17> Meststof = {EP::pNO3, EP::pH2PO4, EP::pSO4, EP::pNH4, EP::pK,  EP::pCa,
                                                 EP::pMg,  EP::pCl,    EP::pSi,  EP::pH,   EP::pOH, EP::pFe,
                                                 EP::pMn,  EP::pZn,    EP::pB,   EP::pCu,  EP::pMo};
// The weight-per-cent columns of a fertiliser (name + "_perc"), in the order of
// the fertiliser table: the elements of Meststof without the acid and the lye.
inline constexpr std::array<int, 15> Gewichtsprocent = {EP::pNO3, EP::pH2PO4, EP::pSO4, EP::pNH4, EP::pK,
                                                        EP::pCa,  EP::pMg,    EP::pCl,  EP::pSi,  EP::pFe,
                                                        EP::pMn,  EP::pZn,    EP::pB,   EP::pCu,  EP::pMo};
// The trace elements Fe to Mo.
inline constexpr std::array<int, 6> Spoor = {EP::pFe, EP::pMn, EP::pZn, EP::pB, EP::pCu, EP::pMo};
// The advice adjustment that lapses when the drain step changes how the advice
// is adjusted; NH4, HCO3 and Mn keep theirs.
inline constexpr std::array<int, 14> DrainAanpassing = {EP::pK,  EP::pNa,  EP::pCa,    EP::pMg, EP::pNO3,
                                                        EP::pCl, EP::pSO4, EP::pH2PO4, EP::pSi, EP::pFe,
                                                        EP::pZn, EP::pB,   EP::pCu,    EP::pMo};
// The elements of a stored advice, in the order the advice report's element table shows them.
inline constexpr std::array<int, 16> Advies = {EP::pNH4, EP::pK,     EP::pCa, EP::pMg, EP::pNO3, EP::pCl,
                                               EP::pSO4, EP::pH2PO4, EP::pH,  EP::pSi, EP::pFe,  EP::pMn,
                                               EP::pZn,  EP::pB,     EP::pCu, EP::pMo};
// The element columns of a fertiliser in the order in which the fertiliser
// choice lists them as the fertiliser's composition.
inline constexpr std::array<int, 17> MeststofTekst = {EP::pNH4, EP::pK,     EP::pCa, EP::pMg, EP::pNO3, EP::pCl,
                                                      EP::pSO4, EP::pH2PO4, EP::pH,  EP::pOH, EP::pSi,  EP::pFe,
                                                      EP::pMn,  EP::pZn,    EP::pB,  EP::pCu, EP::pMo};
// What a fertiliser requirement carries, in the calculation's order: the elements of an advice.
inline constexpr const auto& Behoefte = Advies;
// The elements a recipe is checked on, in the order of its warnings.
inline constexpr std::array<int, 16> Controle = {EP::pK,   EP::pNH4,   EP::pCa, EP::pMg, EP::pNO3, EP::pCl,
                                                 EP::pSO4, EP::pH2PO4, EP::pH,  EP::pSi, EP::pFe,  EP::pMn,
                                                 EP::pZn,  EP::pB,     EP::pCu, EP::pMo};
// The element columns of the calculation log, left to right.
inline constexpr std::array<int, 11> LogKolommen = {EP::pK,   EP::pNH4,   EP::pCa, EP::pMg, EP::pNO3, EP::pCl,
                                                    EP::pSO4, EP::pH2PO4, EP::pH,  EP::pSi, EP::pFe};
// The elements the crop's limit bands adjust; the trace elements among them
// are adjusted in per cent of the target.
inline constexpr std::array<int, 14> Grens = {EP::pK,  EP::pCa, EP::pMg, EP::pNO3, EP::pCl, EP::pSO4, EP::pH2PO4,
                                              EP::pSi, EP::pFe, EP::pMn, EP::pZn,  EP::pB,  EP::pCu,  EP::pMo};
// The stored adjustment of a history set: the elements with H and HCO3, and EC.
inline constexpr std::array<int, 19> Aanpassing = {EP::pNH4, EP::pK,     EP::pNa, EP::pCa,   EP::pMg, EP::pNO3, EP::pCl,
                                                   EP::pSO4, EP::pH2PO4, EP::pH,  EP::pHCO3, EP::pSi, EP::pFe,  EP::pMn,
                                                   EP::pZn,  EP::pB,     EP::pCu, EP::pMo,   EP::pEC};
// What the difference of two analyses carries: every element but HCO3, with H.
inline constexpr std::array<int, 17> Verschil = {EP::pNH4, EP::pK,   EP::pNa,    EP::pCa, EP::pMg, EP::pNO3,
                                                 EP::pCl,  EP::pSO4, EP::pH2PO4, EP::pSi, EP::pFe, EP::pMn,
                                                 EP::pZn,  EP::pB,   EP::pCu,    EP::pMo, EP::pH};
// The element columns of a fertiliser line in the order file, in the file's order.
inline constexpr std::array<int, 17> Bestelbestand = {EP::pNH4, EP::pK,     EP::pCa, EP::pMg, EP::pNO3, EP::pCl,
                                                      EP::pSO4, EP::pH2PO4, EP::pSi, EP::pFe, EP::pMn,  EP::pZn,
                                                      EP::pB,   EP::pCu,    EP::pMo, EP::pH,  EP::pOH};
} // namespace Elementen
