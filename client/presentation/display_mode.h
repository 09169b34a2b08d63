// The display mode (normal or dark), kept in "ModeConfig.ini" of the language
// folder between runs.
#pragma once

#include <cstdint>
#include <string_view>

namespace presentation {

inline constexpr std::string_view kModeFile = "ModeConfig.ini";

// 1 when the mode file holds exactly "1" under [Fields] mode, else 0 (also for
// a missing or unreadable file).
std::uint8_t LoadDisplayMode();

// Writes "1" for a dark mode of 1 and "0" for anything else. Returns false
// when the file could not be written, so the caller can tell the user that the
// choice was not kept.
[[nodiscard]] bool SaveDisplayMode(std::uint8_t darkMode);

// 0 becomes 1, any other value becomes 0.
constexpr std::uint8_t ToggledDisplayMode(std::uint8_t darkMode) { return darkMode == 0 ? 1 : 0; }

}  // namespace presentation
