#include "eigenteelten.h"

#include "appstate.h"
#include "elementen.h"
#include "zelvorageneral.h"

namespace {

QString naamKolom()
{
    return "Lang" + QString::number(appState().languageID);
}

// The columns of the solution this program writes; pH and others are left alone.
QStringList oplossingKolommen()
{
    QStringList kolommen;
    for (int positie : Elementen::Teelt)
        kolommen << ElementNaam(positie);
    kolommen << "EC";
    return kolommen;
}

QVariantList oplossingWaarden(const ElementVector& v)
{
    QVariantList waarden;
    for (int positie : Elementen::Teelt)
        waarden << v[positie];
    waarden << v.EC;
    return waarden;
}

} // namespace

namespace EigenTeelten {

QList<qint16> Codes()
{
    RecordSet rs = growerDb().openRecordset("SELECT DISTINCT Code FROM TEELT ORDER BY Code");
    QList<qint16> codes;
    for (int row = 0; row < rs.recordCount(); ++row) {
        rs.move(row);
        codes << qint16(NzValue(rs.value(0), NzType::Integer).toInt());
    }
    return codes;
}

std::optional<EigenTeelt> Lees(qint16 code)
{
    Database& db = growerDb();
    const RecordSet teelt = db.openRecordset("SELECT * FROM TEELT WHERE Code = ?", {code});
    if (teelt.recordCount() == 0)
        return std::nullopt;
    EigenTeelt t;
    t.Code = code;
    t.Naam = NzStr(teelt.value(naamKolom()));

    RecordSet oplossing = db.openRecordset("SELECT * FROM TEELT_StdVOplossing WHERE Code_Teelt = ?", {code});
    if (oplossing.recordCount() == 0) {
        db.execute("INSERT INTO TEELT_StdVOplossing (Code_TEELT) VALUES (?)", {code});
        oplossing = db.openRecordset("SELECT * FROM TEELT_StdVOplossing WHERE Code_Teelt = ?", {code});
    }
    for (int positie : Elementen::Teelt)
        t.Oplossing[positie] = NzValue(oplossing.value(ElementNaam(positie)), NzType::Single).toFloat();
    t.Oplossing.EC = NzValue(oplossing.value("EC"), NzType::Single).toFloat();
    return t;
}

bool Bestaat(qint16 code)
{
    return growerDb().openRecordset("SELECT COUNT(*) FROM TEELT WHERE Code = ?", {code}).value(0).toInt() > 0;
}

void Schrijf(const EigenTeelt& t)
{
    Database& db = growerDb();
    Transaction tx(db);
    const QString naam = naamKolom();
    if (db.execute("UPDATE TEELT SET " + naam + " = ? WHERE Code = ?", {t.Naam, t.Code}) == 0)
        db.execute("INSERT INTO TEELT (Code, " + naam + ") VALUES (?, ?)", {t.Code, t.Naam});

    const QStringList kolommen = oplossingKolommen();
    QVariantList waarden = oplossingWaarden(t.Oplossing);
    waarden << t.Code;
    if (db.execute("UPDATE TEELT_StdVOplossing SET " + kolommen.join(" = ?, ") + " = ? WHERE Code_Teelt = ?",
                   waarden) == 0) {
        const QStringList plaatsen(kolommen.size() + 1, "?");
        db.execute("INSERT INTO TEELT_StdVOplossing (" + kolommen.join(", ") + ", Code_TEELT) VALUES (" +
                       plaatsen.join(", ") + ")",
                   waarden);
    }
    tx.commit();
}

void Verwijder(qint16 code)
{
    Database& db = growerDb();
    Transaction tx(db);
    db.execute("DELETE FROM TEELT WHERE Code = ?", {code});
    db.execute("DELETE FROM TEELT_StdVOplossing WHERE Code_TEELT = ?", {code});
    tx.commit();
}

bool InGebruik(qint16 code)
{
    return growerDb()
               .openRecordset("SELECT COUNT(*) FROM TEELT_Instelling WHERE ID_HISTORIE = 0 AND Code_Teelt = ?",
                              {qint32(code) + 1000})
               .value(0)
               .toInt() > 0;
}

bool HeeftReferentieKopie(qint16 code)
{
    return referenceDb()
               .openRecordset("SELECT COUNT(*) FROM TEELT WHERE Code = ?", {qint32(code) + 1000})
               .value(0)
               .toInt() > 0;
}

} // namespace EigenTeelten
