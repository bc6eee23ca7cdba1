#pragma once

#include <QString>

// Test helpers shared by the test executables.
namespace TestSupport {

// Builds the three default databases from data/ into dir (replacing any).
void makeDefaultDatabases(const QString& dir);

// Puts the dialog services into scripted mode with empty queues.
void scriptDialogs();

} // namespace TestSupport
