#pragma once

#include <QString>

// Test helpers shared by the test executables.
namespace TestSupport {

// Builds the three default databases from data/ into dir (replacing any).
void makeDefaultDatabases(const QString& dir);

// Puts the dialog services into scripted mode with empty queues.
void scriptDialogs();

// Whether the tests run under CI, where a test that cannot have what it
// needs (a full disk, a translation) fails instead of skipping: a machine
// without it would otherwise pass the test unseen. CI services set CI to
// "true", "1" or the like; unset, empty, "false" and "0" are no CI run.
bool ciRun();

} // namespace TestSupport
