// Serves the drivesim commands: {"cmd": NAME, arguments...} ->
// {"ok": true, ...} or {"ok": false, "error": text}.
#pragma once

#include <json/json.h>

#include <cstdint>

#include "emulator/daemon/letter_map_writer.h"
#include "emulator/daemon/world.h"

namespace drivesim {

Json::Value HandleControlCommand(World& world, LetterMapWriter& letters, const Json::Value& request,
                                 std::int64_t now_ms);

}  // namespace drivesim
