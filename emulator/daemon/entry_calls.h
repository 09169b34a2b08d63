// Serves the calls of the bridge library's entries: {"entry": NAME,
// "sym": hex symbol, arguments...} -> {"ret": result, outputs...}.
// Every call is counted on its drive (calls without a symbol on every drive on
// the bus); an armed fault makes it return the entry's failure value.
#pragma once

#include <json/json.h>

#include <cstdint>

#include "emulator/daemon/letter_map_writer.h"
#include "emulator/daemon/world.h"

namespace drivesim {

inline constexpr char kModelLabel[] = "ORLU QX500";

// `changed` is set when the call changed more than the call counts, so the
// caller knows the state must reach the disk before the reply goes out.
Json::Value HandleEntryCall(World& world, LetterMapWriter& letters, const Json::Value& request,
                            std::int64_t now_ms, bool* changed);

}  // namespace drivesim
