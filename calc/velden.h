#pragma once

#include "db/recordset.h"
#include "records.h"
#include "zelvorageneral.h"

#include <QString>

// Reading element columns into the records. Every column goes through NzValue,
// so an empty column counts as 0. The column names are the field names of
// ElementVector ("EC" is spelt "Ec" in some tables; names match without
// regard to case).

struct ElementKolom {
    const char* naam;
    int positie;
};

inline float VeldSingle(const RecordSet& rs, const QString& kolom)
{
    return NzValue(rs.value(kolom), NzType::Single).toFloat();
}

inline qint16 VeldInteger(const RecordSet& rs, const QString& kolom)
{
    return qint16(NzValue(rs.value(kolom), NzType::Integer).toInt());
}

// The 17 elements NH4 to Mo (positions 0 to 16).
inline constexpr ElementKolom kElementenNH4totMo[] = {
    {"NH4", ElementVector::pNH4},   {"K", ElementVector::pK},     {"Na", ElementVector::pNa},
    {"Ca", ElementVector::pCa},     {"Mg", ElementVector::pMg},   {"NO3", ElementVector::pNO3},
    {"Cl", ElementVector::pCl},     {"SO4", ElementVector::pSO4}, {"H2PO4", ElementVector::pH2PO4},
    {"HCO3", ElementVector::pHCO3}, {"Si", ElementVector::pSi},   {"Fe", ElementVector::pFe},
    {"Mn", ElementVector::pMn},     {"Zn", ElementVector::pZn},   {"B", ElementVector::pB},
    {"Cu", ElementVector::pCu},     {"Mo", ElementVector::pMo}};

// The 15 elements of a crop's standard solution and stage corrections.
inline constexpr ElementKolom kTeeltElementen[] = {
    {"NH4", ElementVector::pNH4}, {"K", ElementVector::pK},         {"Ca", ElementVector::pCa},
    {"Mg", ElementVector::pMg},   {"NO3", ElementVector::pNO3},     {"Cl", ElementVector::pCl},
    {"SO4", ElementVector::pSO4}, {"H2PO4", ElementVector::pH2PO4}, {"Si", ElementVector::pSi},
    {"Fe", ElementVector::pFe},   {"Mn", ElementVector::pMn},       {"Zn", ElementVector::pZn},
    {"B", ElementVector::pB},     {"Cu", ElementVector::pCu},       {"Mo", ElementVector::pMo}};

// The 17 element columns of a fertiliser, as the fertiliser table orders them.
inline constexpr ElementKolom kMeststofElementen[] = {
    {"NO3", ElementVector::pNO3}, {"H2PO4", ElementVector::pH2PO4}, {"SO4", ElementVector::pSO4},
    {"NH4", ElementVector::pNH4}, {"K", ElementVector::pK},         {"Ca", ElementVector::pCa},
    {"Mg", ElementVector::pMg},   {"Cl", ElementVector::pCl},       {"Si", ElementVector::pSi},
    {"H", ElementVector::pH},     {"OH", ElementVector::pOH},       {"Fe", ElementVector::pFe},
    {"Mn", ElementVector::pMn},   {"Zn", ElementVector::pZn},       {"B", ElementVector::pB},
    {"Cu", ElementVector::pCu},   {"Mo", ElementVector::pMo}};
