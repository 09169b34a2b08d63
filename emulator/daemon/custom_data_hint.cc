#include "emulator/daemon/custom_data_hint.h"

#include <string>

#include "platform/text.h"

namespace drivesim {

namespace {

constexpr std::size_t kHintOffset = 448;
constexpr std::size_t kHintUnits = 16;
constexpr std::size_t kChecksummedBytes = 480;
constexpr std::size_t kHintFlagOffset = 496;
constexpr std::size_t kChecksumOffset = 511;

}  // namespace

std::string DecodeHint(const std::array<std::uint8_t, kCustomDataSize>& block) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kChecksummedBytes; ++i) sum += block[i];
  if (static_cast<std::uint8_t>(sum) != block[kChecksumOffset]) return {};
  if (block[kHintFlagOffset] != 1) return {};

  std::u16string hint;
  for (std::size_t i = 0; i < kHintUnits; ++i) {
    const char16_t unit =
        static_cast<char16_t>(block[kHintOffset + 2 * i] | block[kHintOffset + 2 * i + 1] << 8);
    if (unit == 0) break;
    hint.push_back(unit);
  }
  // Unpaired surrogates come out as U+FFFD.
  return platform::Utf16ToUtf8(hint);
}

}  // namespace drivesim
