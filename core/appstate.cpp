#include "appstate.h"

namespace {
AppState& instance()
{
    static AppState state;
    return state;
}
} // namespace

AppState& appState()
{
    return instance();
}

namespace {
Database& opened(const std::unique_ptr<Database>& db, const char* which)
{
    if (!db)
        throw AppError(JetError::ObjectNotSet, "Zelvora", QString("The %1 database is not open.").arg(which));
    return *db;
}
} // namespace

Database& growerDb()
{
    return opened(instance().dbT, "grower");
}

Database& referenceDb()
{
    return opened(instance().dbH, "reference");
}

Database& languageDb()
{
    return opened(instance().dbTaal, "language");
}

void resetAppState()
{
    AppState& s = instance();
    s.rsTaal.close();
    s = AppState();
}
