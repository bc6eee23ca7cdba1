#include "bestelregister.h"

#include "appstate.h"

qint32 RegistreerBestelling(qint32 tuinder, qint16 afleveradres, const QDateTime& datum,
                            const QList<BestelRegel>& regels)
{
    Database& db = growerDb();
    Transaction transaction(db);
    db.execute("INSERT INTO BEST_Hist (ID_ALG_Tuinder, ID_ALG_Afleveradres, Datum) VALUES (?, ?, ?)",
               {tuinder, afleveradres, datum});
    const qint32 id = qint32(db.lastInsertRowId());
    for (const BestelRegel& r : regels) {
        db.execute("INSERT INTO BEST_Meststoffen (ID_BEST_Hist, Code_Meststof, NaamMeststof, Hoeveelheid, Eenheid) "
                   "VALUES (?, ?, ?, ?, ?)",
                   {id, r.Code_Meststof, r.NaamMeststof, r.Hoeveelheid, r.Eenheid});
    }
    transaction.commit();
    return id;
}

VorigeBestelling LeesVorigeBestelling(qint32 tuinder, qint16 afleveradres)
{
    // Another grower's orders in a copied database are no previous order of
    // this one. Datum is kept to the second, so the ID decides between two
    // orders of one second.
    RecordSet rs = growerDb().openRecordset(
        "SELECT BEST_Hist.ID AS HistID, BEST_Meststoffen.Code_Meststof, BEST_Meststoffen.NaamMeststof, "
        "BEST_Meststoffen.Hoeveelheid, BEST_Meststoffen.Eenheid "
        "FROM BEST_Hist INNER JOIN BEST_Meststoffen ON BEST_Hist.ID = BEST_Meststoffen.ID_BEST_Hist "
        "WHERE BEST_Hist.ID_ALG_Afleveradres = ? AND BEST_Hist.ID_ALG_Tuinder = ? "
        "ORDER BY BEST_Hist.Datum DESC, BEST_Hist.ID DESC, BEST_Meststoffen.ID",
        {afleveradres, tuinder});
    VorigeBestelling vorige;
    if (rs.eof())
        return vorige;
    vorige.ID = rs.value("HistID").toInt();
    for (; !rs.eof() && rs.value("HistID").toInt() == vorige.ID; rs.moveNext()) {
        vorige.regels.append({rs.value("Code_Meststof").toInt(), rs.value("NaamMeststof").toString(),
                              rs.value("Hoeveelheid"), rs.value("Eenheid").toString()});
    }
    return vorige;
}
