#include "client/presentation/display_mode.h"

#include <exception>

#include "client/presentation/language_text.h"
#include "platform/profile.h"

namespace presentation {

std::uint8_t LoadDisplayMode() { return GetLanguageText("mode", kModeFile) == u"1" ? 1 : 0; }

bool SaveDisplayMode(std::uint8_t darkMode) {
  try {
    return platform::WritePrivateProfileString(kFieldsSection, "mode", darkMode == 1 ? "1" : "0",
                                               LanguageFilePath(kModeFile));
  } catch (const std::exception&) {
    return false;  // e.g. a folder where the file should be
  }
}

}  // namespace presentation
