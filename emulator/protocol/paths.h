// Where the emulator keeps its files inside the emulator folder
// (platform::DriveSimDir()).
#pragma once

#include <string>

#include "platform/letter_map.h"

namespace drivesim {

inline std::string SocketPath() { return platform::DriveSimDir() + "/daemon.sock"; }
inline std::string StatePath() { return platform::DriveSimDir() + "/state.json"; }
inline std::string LockPath() { return platform::DriveSimDir() + "/daemon.lock"; }
inline std::string PidPath() { return platform::DriveSimDir() + "/daemon.pid"; }
inline std::string LogPath() { return platform::DriveSimDir() + "/daemon.log"; }
inline std::string VolumesDir() { return platform::DriveSimDir() + "/volumes"; }

}  // namespace drivesim
