#pragma once

#include "db/recordset.h"
#include "elementen.h"
#include "records.h"
#include "zelvorageneral.h"

#include <QString>

// Reading columns into the records. Every column goes through NzValue, so an
// empty column counts as 0. The element columns carry the catalogue's names
// (elementen.h; "EC" is spelt "Ec" in some tables; names match without regard
// to case).

inline float VeldSingle(const RecordSet& rs, const QString& kolom)
{
    return NzValue(rs.value(kolom), NzType::Single).toFloat();
}

inline qint16 VeldInteger(const RecordSet& rs, const QString& kolom)
{
    return qint16(NzValue(rs.value(kolom), NzType::Integer).toInt());
}
