#pragma once

#include <functional>

// Ends the program once control returns to its event loop. Tests replace the
// way it ends so that nothing quits under them.
void EndProgram(int exitCode = 0);
void SetEndProgramHandler(std::function<void(int)> handler); // empty: the default
