#include "emulator/daemon/custom_data_hint.h"

namespace drivesim {

namespace {

constexpr std::size_t kHintOffset = 448;
constexpr std::size_t kHintUnits = 16;
constexpr std::size_t kChecksummedBytes = 480;
constexpr std::size_t kHintFlagOffset = 496;
constexpr std::size_t kChecksumOffset = 511;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

std::string DecodeHint(const std::array<std::uint8_t, kCustomDataSize>& block) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kChecksummedBytes; ++i) sum += block[i];
  if (static_cast<std::uint8_t>(sum) != block[kChecksumOffset]) return {};
  if (block[kHintFlagOffset] != 1) return {};

  std::string hint;
  for (std::size_t i = 0; i < kHintUnits; ++i) {
    const char16_t unit =
        static_cast<char16_t>(block[kHintOffset + 2 * i] | block[kHintOffset + 2 * i + 1] << 8);
    if (unit == 0) break;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < kHintUnits) {
      const char16_t low = static_cast<char16_t>(block[kHintOffset + 2 * i + 2] |
                                                 block[kHintOffset + 2 * i + 3] << 8);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(hint, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(hint, 0xFFFD);  // unpaired surrogate
    } else {
      AppendUtf8(hint, unit);
    }
  }
  return hint;
}

}  // namespace drivesim
