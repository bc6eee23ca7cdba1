#include "adviesopslag.h"

#include "appstate.h"
#include "drainanalyse.h"
#include "elementen.h"
#include "velden.h"
#include "zelvorageneral.h"

#include <QStringList>
#include <vector>

namespace {

// The element columns of a row, in the table's order: NH4 to H2PO4, the acid,
// HCO3 to Mo, the EC.
const std::vector<int>& kolomPosities()
{
    static const std::vector<int> posities = [] {
        std::vector<int> p;
        for (int e : Elementen::NH4totMo) {
            if (e == ElementVector::pHCO3)
                p.push_back(ElementVector::pH);
            p.push_back(e);
        }
        p.push_back(ElementVector::pEC);
        return p;
    }();
    return posities;
}

QString kolomNaam(int positie)
{
    return positie == ElementVector::pEC ? QStringLiteral("Ec") : ElementNaam(positie);
}

const QString& insertSql()
{
    static const QString sql = [] {
        QStringList kolommen{"ID_ALG_Tuinder", "ID_HISTORIE", "Type"};
        for (int p : kolomPosities())
            kolommen << kolomNaam(p);
        kolommen << "Perc"
                 << "RecircEC"
                 << "MaxPerc"
                 << "MaxRecircEC";
        const QStringList vragen(kolommen.size(), "?");
        return "INSERT INTO HISTORIE_Advies (" + kolommen.join(", ") + ") VALUES (" + vragen.join(", ") + ")";
    }();
    return sql;
}

// WriteAdviesRow and WriteAdviesPerc in one: the recirculation figures only in the Type 100 row.
void WriteAdviesRow(Database& db, const Advies& advies, qint16 type)
{
    const AppState& s = appState();
    QVariantList waarden{s.ID_ALG_Tuinder, s.ID_HISTORIE, type};
    const ElementVector& v = advies.vector(type);
    for (int p : kolomPosities())
        waarden << v[p];
    const bool recirc = type == AdviesType::MengWater;
    for (float f : {advies.Perc, advies.RecircEC, advies.MaxPerc, advies.MaxRecircEC})
        waarden << (recirc ? QVariant(f) : QVariant(0.0f));
    db.execute(insertSql(), waarden);
}

bool ReadAdviesRow(RecordSet& rs, qint16 type, ElementVector& v)
{
    if (!rs.findFirst("Type", type))
        return false;
    for (int p : kolomPosities())
        v[p] = VeldSingle(rs, kolomNaam(p));
    return true;
}

bool ReadAdviesPerc(RecordSet& rs, Advies& advies)
{
    if (!rs.findFirst("Type", AdviesType::MengWater))
        return false;
    advies.Perc = VeldSingle(rs, "Perc");
    advies.RecircEC = VeldSingle(rs, "RecircEC");
    advies.MaxPerc = VeldSingle(rs, "MaxPerc");
    advies.MaxRecircEC = VeldSingle(rs, "MaxRecircEC");
    return true;
}

RecordSet openAdviesRows(qint32 historie)
{
    return growerDb().openRecordset("SELECT * FROM HISTORIE_Advies WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
                                    {appState().ID_ALG_Tuinder, historie});
}

} // namespace

ElementVector& Advies::vector(qint16 type)
{
    return const_cast<ElementVector&>(std::as_const(*this).vector(type));
}

const ElementVector& Advies::vector(qint16 type) const
{
    switch (type) {
    case AdviesType::Streef:
        return StreefWaarden;
    case AdviesType::Aanpassing:
        return AdviesAanpassing;
    case AdviesType::Oplossing:
        return AdviesOplossing;
    case AdviesType::Water:
        return AdviesWater;
    case AdviesType::MengWater:
        return AdviesMengWater;
    default:
        return StreefGecorrigeerd;
    }
}

void SaveAdvies(const Advies& advies)
{
    Database& db = growerDb();
    const AppState& s = appState();
    Transaction tx(db);
    db.execute("DELETE FROM HISTORIE_Advies WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
               {s.ID_ALG_Tuinder, s.ID_HISTORIE});
    for (qint16 type : kAdviesTypes)
        WriteAdviesRow(db, advies, type);
    tx.commit();
}

bool LoadAdvies(Advies& advies)
{
    RecordSet rs = openAdviesRows(appState().ID_HISTORIE);
    if (rs.recordCount() == 0)
        return false;
    for (qint16 type : kAdviesTypes)
        ReadAdviesRow(rs, type, advies.vector(type));
    ReadAdviesPerc(rs, advies);
    return true;
}

bool LeesOpgeslagenDrain(WaterRecord& drain)
{
    bool gevonden = false;
    if (DrainAnalyse::IsLeeg(drain))
        gevonden = DrainAnalyse::Lees(drain);
    // The share and EC of reused drain water are typed in the advice, so they
    // are kept with it; the drain step neither shows nor stores them.
    if (drain.Perc == 0 && drain.RecircEC == 0) {
        RecordSet rijen = openAdviesRows(appState().ID_HISTORIE);
        Advies advies;
        if (ReadAdviesPerc(rijen, advies)) {
            drain.Perc = advies.Perc;
            drain.RecircEC = advies.RecircEC;
            gevonden = true;
        }
    }
    return gevonden;
}
