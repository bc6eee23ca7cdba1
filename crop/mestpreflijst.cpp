#include "mestpreflijst.h"

#include "appstate.h"
#include "zelvorageneral.h"

#include <QHash>

namespace MestPrefLijst {

QList<MestPref> Lees()
{
    CheckMestPrefList(1);
    // Off only where every row of the fertiliser says so: a search joins each
    // row and offers the fertiliser through any row that is not 0.
    QHash<qint16, bool> aan;
    RecordSet rijen = growerDb().openRecordset("SELECT Code_MEST, UseMeststof FROM MEST_PrefList");
    for (int row = 0; row < rijen.recordCount(); ++row) {
        rijen.move(row);
        const qint16 code = qint16(NzValue(rijen.value(0), NzType::Integer).toInt());
        const QVariant gebruik = rijen.value(1);
        const bool dezeAan = gebruik.isNull() || NzValue(gebruik, NzType::Double).toDouble() != 0;
        aan[code] = aan.value(code, false) || dezeAan;
    }

    const QString naam = "Lang" + QString::number(appState().languageID);
    RecordSet mest = referenceDb().openRecordset("SELECT Code, " + naam + " FROM MEST ORDER BY Code");
    QList<MestPref> lijst;
    for (int row = 0; row < mest.recordCount(); ++row) {
        mest.move(row);
        MestPref m;
        m.Code = qint16(NzValue(mest.value(0), NzType::Integer).toInt());
        m.Naam = NzStr(mest.value(1));
        m.Aan = aan.value(m.Code, true);
        lijst << m;
    }
    return lijst;
}

bool Schrijf(const QList<MestPref>& lijst)
{
    CheckMestPrefList(1);
    Database& db = growerDb();
    {
        Transaction tx(db);
        db.execute("DELETE FROM MEST_PrefList");
        for (const MestPref& m : lijst)
            db.execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (?, ?)", {m.Code, m.Aan ? 1 : 0});
        tx.commit();
    }
    return CopieMestPrefList();
}

} // namespace MestPrefLijst
