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
    OpenLanguageDb();
    OpenRsLang();
    if (open == Open::AllDatabases) {
        OpenReferenceDb();
        OpenTuinderDb();
        s.ID_ALG_Tuinder = GetFirstTuinderID();
    }
    return dir;
}

} // namespace TestSupport
