// Which language file the client shows its texts from, derived from the user
// interface language (a 16-bit LANGID), and the small language code the layout
// choices use.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace presentation {

using LangId = std::uint16_t;

// Language codes carried inside the client.
enum LanguageCode : int {
  kLangEnglish = 1,
  kLangChinese = 2,
  kLangJapanese = 4,
  kLangGerman = 5,
  kLangFrench = 6,
  kLangSpanish = 10,
  kLangItalian = 11,
};

// LANGID -> code; every LANGID outside the table is English.
LanguageCode LanguageCodeForLangId(LangId id);

// Code -> file name ("English.ini", "Chinese.ini", ...).
std::string_view LanguageFileForCode(LanguageCode code);

// File name -> code, for a name given by hand; null for an unknown name.
std::optional<LanguageCode> LanguageCodeForFile(std::string_view file);

// A POSIX locale name ("de_DE.UTF-8", "zh_TW", "fr", "C") -> the LANGID the
// same user would have on a desktop configured for that locale. Unknown
// languages give 0x0409 (English, United States).
LangId LangIdForLocale(std::string_view locale);

// The user interface language of this process, from LC_ALL, LC_MESSAGES or
// LANG (the first one set and not empty).
LangId CurrentUiLangId();

// The language code for the current user interface language. The variable
// ORLUSSD_LANG (a language file name such as "Deusce.ini") overrides it.
LanguageCode GetUiLanguageCode();

// Computes the language file from the user interface language and keeps it
// for the life of the process. ORLUSSD_LANG, when set, is taken as the file
// name as it stands (an unknown name then counts as English for the code).
void ChooseLanguageFile();

// The file chosen by ChooseLanguageFile ("English.ini" before it ran).
const std::string& LanguageFile();

}  // namespace presentation
