#include "client/presentation/language_text.h"

#include <cstdlib>
#include <exception>

#include "platform/process.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace presentation {

std::string LanguageDir() {
  if (const char* dir = std::getenv("ORLUSSD_LANGUAGE_DIR"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  return platform::ExecutableDir() + "/language";
}

std::string LanguageFilePath(std::string_view file) {
  if (file.find('/') != std::string_view::npos) return std::string(file);
  return LanguageDir() + "/" + std::string(file);
}

std::u16string GetLanguageText(std::string_view key, std::string_view file) {
  // An unreadable file (a folder in its place, an I/O error) reads as missing.
  try {
    return platform::Utf8ToUtf16(
        platform::GetPrivateProfileString(kFieldsSection, key, "", LanguageFilePath(file)));
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace presentation
