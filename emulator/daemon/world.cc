#include "emulator/daemon/world.h"

#include <algorithm>

namespace drivesim {

Drive* World::FindById(int id) {
  for (Drive& drive : drives) {
    if (drive.id == id) return &drive;
  }
  return nullptr;
}

Drive* World::FindPresent(std::string_view symbol, std::int64_t now_ms) {
  for (Drive& drive : drives) {
    if (drive.symbol == symbol && IsPresent(drive, now_ms)) return &drive;
  }
  return nullptr;
}

bool World::IsPresent(const Drive& drive, std::int64_t now_ms) const {
  if (!drive.attached) return false;
  return drive.gone_since_ms == 0 || now_ms >= drive.gone_since_ms + reenumerate_delay_ms;
}

std::int64_t World::NextReturnMs() const {
  std::int64_t next = 0;
  for (const Drive& drive : drives) {
    if (!drive.attached || drive.gone_since_ms == 0) continue;
    const std::int64_t back = drive.gone_since_ms + reenumerate_delay_ms;
    next = next == 0 ? back : std::min(next, back);
  }
  return next;
}

bool World::SettleReturns(std::int64_t now_ms) {
  bool changed = false;
  for (Drive& drive : drives) {
    if (drive.gone_since_ms != 0 && IsPresent(drive, now_ms)) {
      drive.gone_since_ms = 0;
      changed = true;
    }
  }
  return changed;
}

bool World::TakeFault(const std::string& entry) {
  const auto it = faults.find(entry);
  if (it == faults.end()) return false;
  if (it->second == kFailAlways) return true;
  if (--it->second <= 0) faults.erase(it);
  return true;
}

}  // namespace drivesim
