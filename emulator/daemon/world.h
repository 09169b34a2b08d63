// Everything the daemon owns: the drives, the re-enumeration delay and the
// scripted faults. Saved whole to the state file after every change.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/daemon/drive.h"

namespace drivesim {

inline constexpr int kDefaultReenumerateDelayMs = 1500;
inline constexpr int kFailAlways = -1;

struct World {
  std::vector<Drive> drives;
  int next_id = 1;
  int reenumerate_delay_ms = kDefaultReenumerateDelayMs;
  // Entry name -> number of further calls that fail, or kFailAlways.
  std::map<std::string, int> faults;
  bool damage_frames = false;

  Drive* FindById(int id);
  // The drive with this symbol, if it is on the bus right now.
  Drive* FindPresent(std::string_view symbol, std::int64_t now_ms);
  // Attached and not in the middle of a re-enumeration.
  bool IsPresent(const Drive& drive, std::int64_t now_ms) const;
  // When a re-enumerating drive comes back; 0 when none is pending.
  std::int64_t NextReturnMs() const;
  // Ends the re-enumerations whose delay has passed; true when one ended.
  bool SettleReturns(std::int64_t now_ms);
  // Consumes one scripted failure of the entry, if any is armed.
  bool TakeFault(const std::string& entry);
};

}  // namespace drivesim
