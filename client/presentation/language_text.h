// Texts of the language files and the folder they live in.
#pragma once

#include <string>
#include <string_view>

namespace presentation {

// The folder of the language files and the mode file: "language" beside the
// running executable, or ORLUSSD_LANGUAGE_DIR when that is set.
std::string LanguageDir();

// The full path of a file of the language folder. A name that already holds a
// '/' is taken as a path of its own.
std::string LanguageFilePath(std::string_view file);

// The text of `key` in section "Fields" of a language file, at most 511 UTF-16
// units. Empty when the folder, the file or the key is missing. The file is
// read anew on every call.
std::u16string GetLanguageText(std::string_view key, std::string_view file);

// Name of the section every language file and the mode file use.
inline constexpr std::string_view kFieldsSection = "Fields";

}  // namespace presentation
