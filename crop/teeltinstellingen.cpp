#include "teeltinstellingen.h"

#include "appstate.h"
#include "velden.h"
#include "zelvorageneral.h"

namespace TeeltInstellingen {

TeeltInstelling Lees()
{
    const AppState& s = appState();
    RecordSet rs = growerDb().openTable("TEELT_Instelling", "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
                                        {s.ID_ALG_Tuinder, s.ID_HISTORIE}, "ID");
    TeeltInstelling t;
    if (rs.recordCount() == 0 && s.ID_HISTORIE != 0)
        return t; // a stored set is shown as it was saved: nothing is added to it
    EnsureSettingRow(rs);
    t.Code_Teelt = VeldInteger(rs, "Code_Teelt");
    t.Code_Teeltstadium = VeldInteger(rs, "Code_Teeltstadium");
    t.Teeltsysteem = VeldInteger(rs, "TeeltSysteem");
    t.ECVerhoging = VeldInteger(rs, "ECVerhoging");
    t.Aanpassing = VeldInteger(rs, "Aanpassing");
    t.VerrekeningStandaardEC = VeldInteger(rs, "VerrekeningStandaardEC");
    t.BakGrootte = VeldInteger(rs, "BakGrootte");
    t.ZakGrootte = VeldInteger(rs, "ZakGrootte");
    t.Concentratie = VeldInteger(rs, "Concentratie");
    t.Mixorabak = VeldInteger(rs, "Mixorabak");
    t.MixoraMest = VeldInteger(rs, "MixoraMest");
    return t;
}

void Schrijf(const TeeltInstelling& t)
{
    if (appState().ID_HISTORIE != 0)
        return;
    Database& db = growerDb();
    Transaction tx(db);
    RecordSet rs = OpenTeeltInstelling();
    rs.edit();
    rs.setValue("BakGrootte", t.BakGrootte);
    rs.setValue("Mixorabak", t.Mixorabak);
    // The second size box holds one of the two, after the product-line mode.
    if (t.MixoraMest == 1)
        rs.setValue("ZakGrootte", t.ZakGrootte);
    else if (t.MixoraMest == 0)
        rs.setValue("Concentratie", t.Concentratie);
    rs.setValue("Code_Teelt", t.Code_Teelt);
    rs.setValue("Code_Teeltstadium", t.Code_Teeltstadium);
    rs.setValue("TeeltSysteem", t.Teeltsysteem);
    rs.setValue("ECVerhoging", t.ECVerhoging);
    rs.setValue("Aanpassing", t.Aanpassing);
    rs.setValue("VerrekeningStandaardEC", t.VerrekeningStandaardEC);
    rs.update();
    tx.commit();
}

QList<TeeltStadium> LeesStadia(qint16 codeTeelt)
{
    const QString naam = "Lang" + QString::number(appState().languageID);
    RecordSet rs =
        referenceDb().openRecordset("SELECT * FROM TEELT_Stadium_Lang WHERE Code_TEELT = ? ORDER BY Code", {codeTeelt});
    QList<TeeltStadium> stadia;
    for (int row = 0; row < rs.recordCount(); ++row) {
        rs.move(row);
        stadia.append({VeldInteger(rs, "code"), NzStr(rs.value(naam))});
    }
    return stadia;
}

} // namespace TeeltInstellingen
