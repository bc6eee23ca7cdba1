#include "historie.h"

#include "appstate.h"
#include "units.h"
#include "zelvorageneral.h"

#include <QDateTime>
#include <limits>

namespace {

// The copy takes the rows as they are, column for column, apart from the
// table's own key, which gives the copies keys of their own, and the set
// they belong to. The columns come from the table itself, so that a column
// a database update adds is carried into the sets as well.
void KopieerWerkset(Database& db, const QString& tabel, qint32 tuinder, qint32 id)
{
    const QVector<Database::Column> kolommen = db.columns(tabel);
    if (kolommen.isEmpty())
        throw AppError(
            JetError::TableNotFound, "Historie.Bewaar",
            QString("The Microsoft Jet database engine cannot find the input table or query '%1'.").arg(tabel));
    QStringList doel;
    QStringList bron;
    bool heeftSet = false;
    for (int i = 1; i < kolommen.size(); ++i) {
        const QString naam = Database::quoteName(kolommen[i].name);
        doel << naam;
        if (kolommen[i].name.compare("ID_HISTORIE", Qt::CaseInsensitive) == 0) {
            bron << "?";
            heeftSet = true;
        } else {
            bron << naam;
        }
    }
    if (!heeftSet)
        throw AppError(JetError::ItemNotFound, "Historie.Bewaar",
                       QString("Item not found in this collection: %1.ID_HISTORIE").arg(tabel));
    const QString t = Database::quoteName(tabel);
    db.execute("INSERT INTO " + t + " (" + doel.join(", ") + ") SELECT " + bron.join(", ") + " FROM " + t +
                   " WHERE ID_HISTORIE = 0 AND ID_ALG_Tuinder = ? ORDER BY " + Database::quoteName(kolommen[0].name),
               {id, tuinder});
}

} // namespace

namespace Historie {

const QStringList& KopieTabellen()
{
    static const QStringList tabellen{"TEELT_Instelling",
                                      "WATER",
                                      "MAT",
                                      "HISTORIE_Mest",
                                      "HISTORIE_Advies",
                                      "HISTORIE_StandaardBakEC",
                                      "HISTORIE_ExtraBigbag",
                                      "HISTORIE_SamenstellingMeststoffen"};
    return tabellen;
}

const QStringList& SetTabellen()
{
    static const QStringList tabellen{"TEELT_Instelling",
                                      "WATER",
                                      "MAT",
                                      "HISTORIE_Mest",
                                      "MEST_Selectie",
                                      "HISTORIE_Advies",
                                      "HISTORIE_StandaardBakEC",
                                      "HISTORIE_ExtraBigbag",
                                      "HISTORIE_SamenstellingMeststoffen"};
    return tabellen;
}

QList<HistorieSet> Lijst(qint32 tuinder)
{
    RecordSet rs = growerDb().openRecordset(
        "SELECT ID, Datum, Omschrijving FROM HISTORIE WHERE ID_ALG_Tuinder = ? ORDER BY ID DESC", {tuinder});
    QList<HistorieSet> sets;
    sets.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i) {
        rs.move(i);
        HistorieSet set;
        set.ID = NzValue(rs.value("ID"), NzType::Long).toInt();
        const QVariant datum = rs.value("Datum");
        set.Datum = datum.typeId() == QMetaType::QDateTime ? datum.toDateTime().date() : datum.toDate();
        set.Omschrijving = NzStr(rs.value("Omschrijving"));
        sets << set;
    }
    return sets;
}

qint32 Bewaar(qint32 tuinder, const QString& omschrijving, const QDate& datum)
{
    Database& db = growerDb();
    Transaction tx(db);
    db.execute("INSERT INTO HISTORIE (Datum, ID_ALG_Tuinder, Omschrijving) VALUES (?, ?, ?)",
               {QDateTime(datum, QTime(0, 0)), tuinder, omschrijving});
    const qint64 id = db.lastInsertRowId();
    // A set number the 32-bit ID_HISTORIE cannot hold would mix sets up.
    if (id <= 0 || id > std::numeric_limits<qint32>::max())
        throw AppError(JetError::Overflow, "Historie.Bewaar", "Overflow");
    for (const QString& tabel : KopieTabellen())
        KopieerWerkset(db, tabel, tuinder, qint32(id));
    tx.commit();
    return qint32(id);
}

bool Verwijder(qint32 tuinder, qint32 id)
{
    // Rows under 0 are the working set, never a stored set.
    if (id <= 0)
        return false;
    Database& db = growerDb();
    Transaction tx(db);
    const bool bestond = db.execute("DELETE FROM HISTORIE WHERE ID = ? AND ID_ALG_Tuinder = ?", {id, tuinder}) > 0;
    for (const QString& tabel : SetTabellen())
        db.execute("DELETE FROM " + Database::quoteName(tabel) + " WHERE ID_HISTORIE = ? AND ID_ALG_Tuinder = ?",
                   {id, tuinder});
    tx.commit();
    return bestond;
}

void KiesSet(qint32 id)
{
    AppState& s = appState();
    s.ID_HISTORIE = id;
    ClearElementVector(s.StreefWaarden);
    ClearWaterRecord(s.DrainAnalyse);
    ClearElementVector(s.AdviesAanpassing);
    s.AdviesAanpassing.Vlag = 0;
    ClearElementVector(s.StreefGecorrigeerd);
}

} // namespace Historie
