// Which layout file of the skin a window or a row is built from: some follow
// the user interface language (asked anew on every call), some the display mode.
#pragma once

#include <cstdint>
#include <string_view>

#include "client/presentation/language_choice.h"

namespace presentation {

// The main window: the Chinese variant for code 2.
std::string_view MainLayoutFile(LanguageCode code = GetUiLanguageCode());
// An entry of the drive list.
std::string_view DeviceItemLayoutFile(LanguageCode code = GetUiLanguageCode());
// The message pop-up: the same file for every language.
std::string_view PopupLayoutFile();
// A row of the fingerprint list, and the settings menu, for a display mode (1 = dark).
std::string_view FingerprintRowLayoutFile(std::uint8_t darkMode);
std::string_view MenuLayoutFile(std::uint8_t darkMode);

}  // namespace presentation
