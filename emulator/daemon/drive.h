// One emulated drive and everything it remembers, as the daemon keeps it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace drivesim {

inline constexpr std::size_t kCustomDataSize = 512;
inline constexpr char kDefaultProduct[] = "ORLU SSD";
inline constexpr char kFactoryLabel[] = "ORLU SSD";
inline constexpr int kDefaultSimilarity = 100;
inline constexpr int kNoMatch = -1;

struct Drive {
  int id = 0;
  bool attached = true;
  std::string symbol;
  std::string product = kDefaultProduct;
  char letter = 0;               // 0: no drive letter
  std::string volume_dir;        // absolute path
  std::uint64_t size_bytes = 0;  // 0: not given at attach

  // Security. The password itself is never kept, only a salted digest of the
  // digest the callers send.
  bool password_set = false;
  bool locked = false;
  std::string password_salt;
  std::string password_hash;

  // Volume.
  std::string label = kFactoryLabel;
  bool formatted = true;
  bool in_use = false;

  std::array<std::uint8_t, kCustomDataSize> custom_data{};

  // Fingerprint sensor.
  bool has_sensor = true;
  bool fp_unlock = false;
  std::vector<int> fingerprints;  // enrolled sensor user IDs, ascending
  bool finger_down = false;
  int finger_match = kNoMatch;  // enrolled ID the finger on the sensor matches
  int similarity = kDefaultSimilarity;
  std::vector<std::uint8_t> pending_reply;  // reply frame to the last command

  // Re-enumeration: wall-clock milliseconds when the drive dropped off the
  // bus, 0 while it is present. It comes back once the re-enumeration delay
  // has passed since then.
  std::int64_t gone_since_ms = 0;

  std::map<std::string, std::uint64_t> calls;
};

// A new drive's custom-data area is erased flash: every byte 0xFF.
inline std::array<std::uint8_t, kCustomDataSize> ErasedCustomData() {
  std::array<std::uint8_t, kCustomDataSize> data;
  data.fill(0xFF);
  return data;
}

// Security state numbers as the callers map the status bytes: 1 no password,
// 2 unlocked, 3 locked.
inline int SecurityState(const Drive& drive) {
  if (!drive.password_set) return 1;
  return drive.locked ? 3 : 2;
}

}  // namespace drivesim
