// Starts the emulator daemon on demand: a detached `drivesim daemon` process
// for the current emulator folder.
#pragma once

#include <string>

namespace drivesim {

// True once a daemon answers in the current folder, starting one if needed.
// `error` says why not otherwise.
bool EnsureDaemon(std::string* error);
bool DaemonAnswers();
// After a stop request: true once the daemon has let go of the folder.
bool WaitForDaemonExit();

}  // namespace drivesim
