#include "defaultstate.h"

#include "appstate.h"
#include "db/database.h"
#include "testdatabases.h"
#include "zelvorageneral.h"

namespace TestSupport {

std::unique_ptr<QTemporaryDir> openDefaultState(Open open)
{
    auto dir = std::make_unique<QTemporaryDir>();
    makeDefaultDatabases(dir->path());
    openState(dir->path(), open);
    return dir;
}

void openState(const QString& dir, Open open)
{
    resetAppState();
    scriptDialogs();
    AppState& s = appState();
    s.AppPath = dir + "/";
    s.AppNaam = "Zelvora";
    s.TDatabaseNaam = "ZelvoraT.mdb";
    s.HDatabaseNaam = "ZelvoraH.mdb";
    OpenLanguageDb();
    OpenRsLang();
    if (open == Open::AllDatabases) {
        OpenReferenceDb();
        OpenTuinderDb();
        s.ID_ALG_Tuinder = GetFirstTuinderID();
    }
}

const QVariantMap& tomatoChoice()
{
    static const QVariantMap choice{{"NH4_Code", 11}, {"K_Code", 3},     {"Ca_Code", 1},        {"Mg_Code", 6},
                                    {"SO4_Code", 9},  {"H2PO4_Code", 4}, {"ZuurLoog_Code", 15}, {"Fe_Code", 102},
                                    {"Mn_Code", 105}, {"Zn_Code", 107},  {"B_Code", 109},       {"Cu_Code", 112},
                                    {"Mo_Code", 114}};
    return choice;
}

void insertWorkingSetRow(const QString& table, QVariantMap values)
{
    values.insert("ID_ALG_Tuinder", appState().ID_ALG_Tuinder);
    values.insert("ID_HISTORIE", 0);
    QStringList columns;
    QVariantList params;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << Database::quoteName(it.key());
        params << it.value();
    }
    const QStringList marks(columns.size(), "?");
    growerDb().execute("INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ")",
                       params);
}

bool chooseTomatoExample(const QVariantMap& choice, int concentratie, int bigBag)
{
    insertWorkingSetRow("WATER", {{"Type", 1}, {"Perc", 100}});
    insertWorkingSetRow("MEST_Selectie", choice);
    bool stored = true;
    for (auto [name, value] : {std::pair{"Code_Teelt", 1},
                               {"TeeltSysteem", 1},
                               {"Aanpassing", 1},
                               {"WaterInputType", 1},
                               {"BakGrootte", 1000},
                               {"Concentratie", concentratie},
                               {"ExtraBigbag", bigBag}})
        stored = PutTeeltInstelling(name, value, InstellingMode::Number) && stored;
    return stored;
}

qint64 countOf(Database& db, const QString& sql, const QVariantList& params)
{
    return db.openRecordset(sql, params).value(0).toLongLong();
}

qint64 rowsInSet(const QString& table, qint32 set)
{
    return countOf(growerDb(), "SELECT COUNT(*) FROM " + Database::quoteName(table) + " WHERE ID_HISTORIE = ?", {set});
}

} // namespace TestSupport
