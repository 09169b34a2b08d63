// The drives as `drivesim status --json` shows them:
// {"drives": [{"id", "attached", "present", "state", "password_set", "locked",
//   "hint", "custom_data", "fingerprints", "fp_unlock", "label", "formatted",
//   "in_use", "calls", "symbol", "product", "letter", "volume", "sensor"}],
//  "reenumerate_delay_ms", "faults", "damage_frames"}
#pragma once

#include <json/json.h>

#include <cstdint>

#include "emulator/daemon/world.h"

namespace drivesim {

Json::Value StatusReport(const World& world, std::int64_t now_ms);

}  // namespace drivesim
