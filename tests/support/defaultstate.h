#pragma once

#include <QTemporaryDir>
#include <memory>

namespace TestSupport {

// The program's state as start-up and the main window leave it: the default
// databases in a fresh temporary program directory, dialogs scripted, the
// texts open and, with the grower's data, the reference and grower databases
// open and the first grower taken.
enum class Open { TextsOnly, AllDatabases };
std::unique_ptr<QTemporaryDir> openDefaultState(Open open = Open::AllDatabases);

} // namespace TestSupport
