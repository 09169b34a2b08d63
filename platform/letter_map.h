// Where drive letters lead on Linux: a folder with one entry per letter (a
// symlink "E" to the volume's folder, with optional "E.size" and "E.type"
// files beside it). The volume functions read it; whoever mounts volumes (the
// drive emulator here) writes it.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform {

inline std::string DriveSimDir() {
  if (const char* dir = std::getenv("DRIVESIM_DIR"); dir && *dir) return dir;
  if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run)
    return std::string(run) + "/drivesim";
  return "/tmp/drivesim-" + std::to_string(::getuid());
}

inline std::string LetterMapDir() {
  if (const char* map = std::getenv("ORLU_LETTER_MAP"); map && *map) return map;
  return DriveSimDir() + "/letters";
}

}  // namespace platform
