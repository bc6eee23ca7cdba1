#include "defaultstate.h"

#include "appstate.h"
#include "testdatabases.h"
#include "zelvorageneral.h"

namespace TestSupport {

std::unique_ptr<QTemporaryDir> openDefaultState(Open open)
{
    resetAppState();
    scriptDialogs();
    auto dir = std::make_unique<QTemporaryDir>();
    makeDefaultDatabases(dir->path());
    AppState& s = appState();
    s.AppPath = dir->path() + "/";
    s.AppNaam = "Zelvora";
    s.TDatabaseNaam = "ZelvoraT.mdb";
    s.HDatabaseNaam = "ZelvoraH.mdb";
    s.dbTaal = std::make_unique<Database>(s.AppPath + "PlomLang.mdb", DatabasePassword);
    OpenRsLang();
    if (open == Open::AllDatabases) {
        s.dbH = std::make_unique<Database>(s.AppPath + s.HDatabaseNaam, DatabasePassword);
        OpenTuinderDb();
        s.ID_ALG_Tuinder = GetFirstTuinderID();
    }
    return dir;
}

} // namespace TestSupport
