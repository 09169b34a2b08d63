// The emulated volume is a plain folder; partitioning or formatting it
// empties it.
#pragma once

#include <string>

namespace drivesim {

// Removes everything inside the folder (never following symlinks) and keeps
// the folder itself; creates it when missing. False when something stayed.
bool EmptyFolder(const std::string& dir);

}  // namespace drivesim
