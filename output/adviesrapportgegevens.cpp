#include "adviesrapportgegevens.h"

#include "appstate.h"
#include "elementen.h"
#include "zelvorageneral.h"

namespace {

float getal(const RecordSet& rs, const char* kolom)
{
    return NzValue(rs.value(kolom), NzType::Single).toFloat();
}

// Both tables carry the element columns under the catalogue's names.
QList<AdviesRij> leesRijen(const QString& tabel, bool metEC)
{
    const AppState& s = appState();
    RecordSet rs = growerDb().openRecordset("SELECT * FROM " + tabel +
                                                " WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?"
                                                " ORDER BY ID",
                                            {s.ID_ALG_Tuinder, s.ID_HISTORIE});
    QList<AdviesRij> rijen;
    for (; !rs.eof(); rs.moveNext()) {
        AdviesRij rij;
        rij.Type = qint16(NzValue(rs.value("Type"), NzType::Integer).toInt());
        for (int p : Elementen::Advies)
            rij.waarden[p] = getal(rs, ElementOp(p).naam);
        if (metEC) {
            rij.EC = getal(rs, "EC");
            rij.recircEC = getal(rs, "recircEC");
            rij.Perc = getal(rs, "Perc");
        }
        rijen << rij;
    }
    return rijen;
}

} // namespace

namespace AdviesRapportGegevens {

float WaterPerc(qint16 type)
{
    const AppState& s = appState();
    RecordSet rs = growerDb().openRecordset("SELECT Perc FROM WATER WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?"
                                            " AND Type = ? ORDER BY ID",
                                            {s.ID_ALG_Tuinder, s.ID_HISTORIE, type});
    return rs.eof() ? 0.0f : getal(rs, "Perc");
}

QList<AdviesRij> AdviesRijen()
{
    return leesRijen("HISTORIE_Advies", true);
}

QList<AdviesRij> StandaardBakRijen()
{
    return leesRijen("HISTORIE_StandaardBakEC", false);
}

const AdviesRij* ZoekType(const QList<AdviesRij>& rijen, qint16 type)
{
    for (const AdviesRij& r : rijen)
        if (r.Type == type)
            return &r;
    return nullptr;
}

} // namespace AdviesRapportGegevens
