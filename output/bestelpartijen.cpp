#include "bestelpartijen.h"

#include "appstate.h"
#include "bedrijfgegevens.h"
#include "bestelling.h"
#include "zelvorageneral.h"

#include <QCoreApplication>

namespace {

void LeesAfleveradres(BestelRecord& b, qint32 id)
{
    const RecordSet rs = growerDb().openRecordset("SELECT * FROM ALG_Afleveradres WHERE ID = ?", {id});
    if (rs.recordCount() == 0)
        return; // the record starts with every delivery field 0 or empty
    b.Code_Afleveradres = qint16(NzValue(rs.value("Code_Afleveradres"), NzType::Integer).toInt());
    b.Afleveradres = NzStr(rs.value("Afleveradres"));
    b.Aflever_Adres = NzStr(rs.value("Adres"));
    b.Aflever_Postcode = NzStr(rs.value("Postcode"));
    b.Aflever_Woonplaats = NzStr(rs.value("Woonplaats"));
    b.Aflever_Land = NzStr(rs.value("Land"));
    b.Deurcode = NzStr(rs.value("Deurcode"));
    b.ExtraInfo = NzStr(rs.value("ExtraInfo"));
}

void LeesHandelaar(BestelRecord& b, qint32 code)
{
    const RecordSet rs = referenceDb().openRecordset(
        "SELECT Code, \"Bestel-Email\", Handelaar FROM ALG_Handelaar WHERE Code = ?", {code});
    if (rs.recordCount() == 0)
        return;
    b.Code = NzStr(rs.value("Code"));
    b.Bestel_Email = NzStr(rs.value("Bestel-Email"));
    b.Handelaar = NzStr(rs.value("Handelaar"));
}

} // namespace

BestelRecord LeesBestelPartijen(bool productLijn, bool geenBestelling)
{
    BestelRecord b;
    const TuinderGegevens t = BedrijfGegevens::Lees();
    b.relNR = t.relNR;
    b.Naam = t.Naam;
    b.Adres = t.Adres;
    b.Postcode = t.Postcode;
    b.Woonplaats = t.woonplaats;
    b.Land = t.Land;
    b.Telefoon = t.Telefoon;
    b.Mobiel = t.Mobiel;
    b.Email = t.Email;
    b.Fax = t.Fax;
    b.ProgrammaVersie = QCoreApplication::applicationVersion();
    if (!productLijn)
        return b;
    LeesAfleveradres(b, t.ID_ALG_Afleveradres);
    if (geenBestelling)
        TestHandelaar(b);
    else
        LeesHandelaar(b, t.Code_ALG_Handelaar);
    return b;
}
