// Where the emulator keeps its files inside the emulator folder
// (platform::DriveSimDir()).
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/letter_map.h"

namespace drivesim {

inline std::string SocketPath() { return platform::DriveSimDir() + "/daemon.sock"; }
inline std::string StatePath() { return platform::DriveSimDir() + "/state.json"; }
inline std::string LockPath() { return platform::DriveSimDir() + "/daemon.lock"; }
inline std::string PidPath() { return platform::DriveSimDir() + "/daemon.pid"; }
inline std::string LogPath() { return platform::DriveSimDir() + "/daemon.log"; }
inline std::string VolumesDir() { return platform::DriveSimDir() + "/volumes"; }

// Creates the emulator folder when missing, private to the user. A folder that
// already exists keeps its permissions: DRIVESIM_DIR may name a shared one.
inline void MakeEmulatorDir() {
  const std::string dir = platform::DriveSimDir();
  std::error_code ec;
  if (std::filesystem::create_directories(dir, ec)) ::chmod(dir.c_str(), 0700);
}

}  // namespace drivesim
