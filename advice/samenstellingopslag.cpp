#include "samenstellingopslag.h"

#include "appstate.h"
#include "elementen.h"
#include "velden.h"
#include "zelvorageneral.h"

namespace {

constexpr qint16 kTypeBakDoel = 1;
constexpr qint16 kTypeVlaggen = 2;

const char* const kWaar = "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?";

QVariantList huidigeSet()
{
    const AppState& s = appState();
    return {s.ID_ALG_Tuinder, s.ID_HISTORIE};
}

void voegVectorToe(RecordSet& rs, qint16 type, const ElementVector& v)
{
    rs.addNew();
    rs.setValue("ID_ALG_Tuinder", appState().ID_ALG_Tuinder);
    rs.setValue("ID_HISTORIE", 0);
    rs.setValue("Type", type);
    for (int p : Elementen::StandaardBak)
        rs.setValue(ElementNaam(p), v[p]);
    rs.update();
}

void leesVector(RecordSet& rs, qint16 type, ElementVector& v)
{
    if (!rs.findFirst("Type", type))
        return;
    for (int p : Elementen::StandaardBak)
        v[p] = VeldSingle(rs, ElementNaam(p));
}

} // namespace

namespace SamenstellingOpslag {

void Schrijf(const Samenstelling& s)
{
    if (appState().ID_HISTORIE != 0)
        return;
    Database& db = growerDb();
    Transaction tx(db);
    db.execute(QString("DELETE FROM HISTORIE_StandaardBakEC WHERE ") + kWaar, huidigeSet());
    RecordSet vectoren = db.openTable("HISTORIE_StandaardBakEC", kWaar, huidigeSet(), "ID");
    voegVectorToe(vectoren, kTypeBakDoel, s.BakDoel);
    voegVectorToe(vectoren, kTypeVlaggen, s.Vlaggen);

    db.execute(QString("DELETE FROM HISTORIE_SamenstellingMeststoffen WHERE ") + kWaar, huidigeSet());
    RecordSet regels = db.openTable("HISTORIE_SamenstellingMeststoffen", kWaar, huidigeSet(), "ID");
    for (int slot = 1; slot <= kLijstBoven; ++slot)
        OpgeslagenRegel::VoegToe(regels, slot, s.Meststoffen[slot]);
    tx.commit();
}

bool Lees(Samenstelling& s)
{
    Database& db = growerDb();
    RecordSet vectoren =
        db.openRecordset(QString("SELECT * FROM HISTORIE_StandaardBakEC WHERE ") + kWaar, huidigeSet());
    if (vectoren.recordCount() == 0)
        return false;
    leesVector(vectoren, kTypeBakDoel, s.BakDoel);
    leesVector(vectoren, kTypeVlaggen, s.Vlaggen);

    RecordSet regels =
        db.openRecordset(QString("SELECT * FROM HISTORIE_SamenstellingMeststoffen WHERE ") + kWaar, huidigeSet());
    if (regels.recordCount() == 0)
        return true;
    for (int slot = 1; slot <= kLijstBoven; ++slot)
        if (regels.findFirst("Index", slot))
            OpgeslagenRegel::Lees(regels, s.Meststoffen[slot]);
    return true;
}

} // namespace SamenstellingOpslag

namespace OpgeslagenRegel {

void Lees(const RecordSet& rij, MeststofRecord& m)
{
    m.Code_MEST = VeldInteger(rij, "Nr");
    m.Naam = NzStr(rij.value("Naam"));
    m.Bak = VeldInteger(rij, "Bak");
    m.Hoeveelheid = VeldSingle(rij, "Kg");
    m.KGl = VeldSingle(rij, "Kgl");
    m.Hoeveelheid2 = VeldSingle(rij, "liter");
}

void VoegToe(RecordSet& tabel, int index, const MeststofRecord& m)
{
    tabel.addNew();
    tabel.setValue("ID_ALG_Tuinder", appState().ID_ALG_Tuinder);
    tabel.setValue("ID_HISTORIE", 0);
    tabel.setValue("Index", index);
    tabel.setValue("Nr", m.Code_MEST);
    tabel.setValue("Naam", m.Naam);
    tabel.setValue("Bak", m.Bak);
    tabel.setValue("Kg", m.Hoeveelheid);
    tabel.setValue("Kgl", m.KGl);
    tabel.setValue("liter", m.Hoeveelheid2);
    tabel.update();
}

} // namespace OpgeslagenRegel
