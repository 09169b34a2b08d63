// Bytes carried as lower-case hex text in the daemon's requests and state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drivesim {

std::string ToHex(const std::uint8_t* data, std::size_t size);
inline std::string ToHex(const std::vector<std::uint8_t>& bytes) {
  return ToHex(bytes.data(), bytes.size());
}
// nullopt when the text has an odd length or a character that is not hex.
std::optional<std::vector<std::uint8_t>> FromHex(std::string_view text);

}  // namespace drivesim
