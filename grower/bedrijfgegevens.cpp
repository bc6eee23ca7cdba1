#include "bedrijfgegevens.h"

#include "appstate.h"
#include "zelvorageneral.h"

namespace {

template <class T> struct Kolom {
    QString T::*waarde;
    const char* naam;
};

const Kolom<TuinderGegevens> kTuinderKolommen[] = {
    {&TuinderGegevens::relNR, "relNR"},           {&TuinderGegevens::Naam, "Naam"},
    {&TuinderGegevens::Adres, "Adres"},           {&TuinderGegevens::Postcode, "Postcode"},
    {&TuinderGegevens::woonplaats, "woonplaats"}, {&TuinderGegevens::Land, "Land"},
    {&TuinderGegevens::Telefoon, "Telefoon"},     {&TuinderGegevens::Mobiel, "Mobiel"},
    {&TuinderGegevens::Email, "Email"},           {&TuinderGegevens::Fax, "Fax"}};
const Kolom<Afleveradres> kAdresKolommen[] = {{&Afleveradres::AfleverAdres, "AfleverAdres"},
                                              {&Afleveradres::Adres, "Adres"},
                                              {&Afleveradres::Postcode, "Postcode"},
                                              {&Afleveradres::Woonplaats, "Woonplaats"},
                                              {&Afleveradres::Land, "Land"},
                                              {&Afleveradres::Deurcode, "Deurcode"},
                                              {&Afleveradres::ExtraInfo, "ExtraInfo"}};
const Kolom<Handelaar> kHandelaarKolommen[] = {{&Handelaar::Handelaar, "Handelaar"},
                                               {&Handelaar::Adres, "Adres"},
                                               {&Handelaar::Postcode, "Postcode"},
                                               {&Handelaar::Woonplaats, "Woonplaats"},
                                               {&Handelaar::Contactpersoon, "Contactpersoon"},
                                               {&Handelaar::Telefoon, "Telefoon"}};

template <class T, std::size_t N> void leesKolommen(const RecordSet& rs, T& out, const Kolom<T> (&kolommen)[N])
{
    for (const Kolom<T>& k : kolommen)
        out.*k.waarde = NzStr(rs.value(k.naam));
}

template <class T, std::size_t N> void schrijfKolommen(RecordSet& rs, const T& in, const Kolom<T> (&kolommen)[N])
{
    for (const Kolom<T>& k : kolommen)
        rs.setValue(k.naam, in.*k.waarde);
}

} // namespace

namespace BedrijfGegevens {

TuinderGegevens Lees()
{
    const qint32 tuinder = appState().ID_ALG_Tuinder;
    RecordSet rs = growerDb().openTable("ALG_Tuinder", {}, {}, "ID");
    if (rs.recordCount() == 0) {
        rs.addNew();
        rs.update();
    }
    rs.moveFirst();
    TuinderGegevens out;
    if (tuinder != 0 && !rs.findFirst("ID", tuinder))
        return out;
    leesKolommen(rs, out, kTuinderKolommen);
    out.Code_ALG_Handelaar = qint16(NzValue(rs.value("Code_ALG_Handelaar"), NzType::Integer).toInt());
    out.ID_ALG_Afleveradres = NzValue(rs.value("ID_ALG_Afleveradres"), NzType::Long).toInt();
    return out;
}

void Schrijf(const TuinderGegevens& tuinder, const Afleveradres& adres)
{
    const qint32 id = appState().ID_ALG_Tuinder;
    Database& db = growerDb();
    Transaction tx(db);
    RecordSet rs = id != 0 ? db.openTable("ALG_Tuinder", "ID = ?", {id}) : db.openTable("ALG_Tuinder", {}, {}, "ID");
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        rs.edit();
    } else {
        rs.addNew();
        if (id != 0)
            rs.setValue("ID", id);
    }
    schrijfKolommen(rs, tuinder, kTuinderKolommen);
    // Written back as read, so a row added again keeps its dealer and orders find one.
    rs.setValue("Code_ALG_Handelaar", tuinder.Code_ALG_Handelaar);
    rs.setValue("ID_ALG_Afleveradres", tuinder.ID_ALG_Afleveradres);
    rs.update();
    SchrijfAfleveradres(adres);
    tx.commit();
}

void HerstelAfleveradressen()
{
    const qint32 tuinder = appState().ID_ALG_Tuinder;
    Database& db = growerDb();
    RecordSet rs = db.openRecordset("SELECT ID, Code_Afleveradres FROM ALG_Afleveradres "
                                    "WHERE ID_ALG_Tuinder = ? ORDER BY Code_Afleveradres, ID",
                                    {tuinder});
    QList<qint64> surplus;
    bool present[10] = {};
    for (int row = 0; row < rs.recordCount(); ++row) {
        rs.move(row);
        const int code = NzValue(rs.value("Code_Afleveradres"), NzType::Integer).toInt();
        if (code < 1 || code > 9 || present[code])
            surplus << rs.value("ID").toLongLong();
        else
            present[code] = true;
    }
    QList<int> missing;
    for (int slot = 1; slot <= 9; ++slot)
        if (!present[slot])
            missing << slot;
    if (surplus.isEmpty() && missing.isEmpty())
        return;

    Transaction tx(db);
    for (qint64 id : surplus)
        db.execute("DELETE FROM ALG_Afleveradres WHERE ID = ?", {id});
    for (int slot : missing)
        db.execute("INSERT INTO ALG_Afleveradres (ID_ALG_Tuinder, Code_Afleveradres, AfleverAdres) VALUES (?, ?, ?)",
                   {tuinder, slot, GetLangStr(20102000) + " " + QString::number(slot)});
    tx.commit();
}

LijstQuery AfleveradresLijst()
{
    return {&growerDb(),
            "SELECT ID, AfleverAdres FROM ALG_Afleveradres WHERE ID_ALG_Tuinder = ? ORDER BY Code_Afleveradres",
            {appState().ID_ALG_Tuinder}};
}

Afleveradres LeesAfleveradres(qint32 id)
{
    const RecordSet rs = growerDb().openRecordset("SELECT * FROM ALG_Afleveradres WHERE ID = ?", {id});
    Afleveradres out;
    if (rs.recordCount() == 0)
        return out;
    out.ID = id;
    leesKolommen(rs, out, kAdresKolommen);
    return out;
}

void SchrijfAfleveradres(const Afleveradres& adres)
{
    if (adres.ID == 0)
        return;
    RecordSet rs = growerDb().openTable("ALG_Afleveradres", "ID = ?", {adres.ID});
    rs.moveFirst(); // an address that has gone cannot be stored: error 3021
    rs.edit();
    schrijfKolommen(rs, adres, kAdresKolommen);
    rs.update();
}

std::optional<Handelaar> LeesHandelaar(qint16 code)
{
    RecordSet rs = referenceDb().openTable("ALG_Handelaar");
    if (rs.recordCount() == 0) {
        rs.addNew();
        rs.update();
    }
    if (code == 0 || !rs.findFirst("Code", code))
        return std::nullopt;
    Handelaar out;
    leesKolommen(rs, out, kHandelaarKolommen);
    return out;
}

} // namespace BedrijfGegevens
