#include "bigbagopslag.h"

#include "appstate.h"
#include "invoer.h"
#include "samenstellingopslag.h"

namespace BigBagOpslag {

void Lees(BigBagMengsels& mengsels)
{
    // The rows are shown whatever the product line couples today: a stored
    // blend the window did not show would be lost at its next save.
    const AppState& s = appState();
    RecordSet rs = growerDb().openRecordset("SELECT * FROM HISTORIE_ExtraBigbag WHERE ID_ALG_Tuinder = ? AND "
                                            "ID_HISTORIE = ? ORDER BY \"Index\", ID",
                                            {s.ID_ALG_Tuinder, s.ID_HISTORIE});
    for (; !rs.eof(); rs.moveNext()) {
        MeststofRecord regel;
        OpgeslagenRegel::Lees(rs, regel);
        if (regel.Bak == 1 || regel.Bak == 2)
            mengsels.Plaats(regel.Bak, regel);
    }
}

void Schrijf(const BigBagMengsels& mengsels)
{
    const AppState& s = appState();
    if (s.ID_HISTORIE != 0)
        return;
    Database& db = growerDb();
    Transaction tx(db);
    const QVariantList set{s.ID_ALG_Tuinder, s.ID_HISTORIE};
    db.execute("DELETE FROM HISTORIE_ExtraBigbag WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", set);
    RecordSet rijen = db.openTable("HISTORIE_ExtraBigbag", "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", set, "ID");
    for (int mengsel : {1, 2})
        for (int r = 1; r <= BigBagMengsels::kRegels; ++r) {
            MeststofRecord regel = mengsels.Regel(mengsel, r);
            if (regel.Code_MEST == 0)
                continue;
            regel.Bak = qint16(mengsel);
            OpgeslagenRegel::VoegToe(rijen, (mengsel - 1) * BigBagMengsels::kRegels + r, regel);
        }
    tx.commit();
}

bool LeesMeststof(qint16 code, MeststofRecord& meststof)
{
    const QString naam = "Lang" + QString::number(appState().languageID);
    RecordSet rs = referenceDb().openRecordset("SELECT MEST." + naam +
                                                   ", MEST_Meststof.* FROM MEST INNER JOIN MEST_Meststof ON "
                                                   "MEST.Code = MEST_Meststof.Code_MEST WHERE MEST.Code = ?",
                                               {code});
    if (rs.eof())
        return false;
    MeststofRecord gelezen;
    LeesMeststofSamenstelling(rs, gelezen, code, 0);
    if (gelezen.Code_MEST == 0)
        return false;
    meststof = gelezen;
    return true;
}

QString ZoekQuery(qint16 koppeling, int mengsel)
{
    // Coupling codes are two digits and a comma each ("11,02,"): the number
    // k followed by the blend, or 0 and the blend for every k. Blend 1 also
    // takes the fertilisers coupled to k alone.
    const QString k = QString::number(koppeling);
    const QString n = QString::number(mengsel);
    QString waar = "(Mixorakoppel LIKE '%" + k + n + ",%' OR Mixorakoppel LIKE '%0" + n + ",%'";
    if (mengsel == 1)
        waar += " OR Mixorakoppel = '" + k + ",'";
    waar += ") AND Mixora = 1";
    return "SELECT Code, Lang" + QString::number(appState().languageID) +
           " FROM (MEST INNER JOIN MEST_Meststof ON MEST.Code = MEST_Meststof.Code_MEST) LEFT JOIN MEST_PrefList ON "
           "(MEST.Code = MEST_PrefList.Code_MEST) WHERE " +
           waar + " AND (MEST_PrefList.UseMeststof IS NULL OR MEST_PrefList.UseMeststof <> 0)";
}

} // namespace BigBagOpslag
