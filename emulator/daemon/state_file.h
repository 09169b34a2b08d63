// The daemon's state on disk, so a killed daemon picks up where it stopped.
// Written to a temporary file and renamed over the old one.
#pragma once

#include <optional>
#include <string>

#include "emulator/daemon/world.h"

namespace drivesim {

bool SaveWorld(const World& world, const std::string& path);
// nullopt when the file is missing, unreadable or not a state file.
std::optional<World> LoadWorld(const std::string& path);

}  // namespace drivesim
