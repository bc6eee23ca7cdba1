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

void resetAppState()
{
    AppState& s = instance();
    s.rsTaal.close();
    s = AppState();
}
