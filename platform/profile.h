// Private-profile (INI) files, read and written the way the system's
// configuration and language files expect:
// - section and key names match regardless of ASCII letter case; the first
//   matching section and key win;
// - values are trimmed of surrounding blanks, and one pair of matching double
//   or single quotes around a value is removed;
// - lines whose first non-blank character is ';' are comments;
// - files may be UTF-8 (with or without BOM) or UTF-16LE/BE with BOM;
// - a read returns at most kProfileMaxChars UTF-16 code units (a 512-unit
//   buffer minus its terminator), cut so that no character is split; a
//   missing file, section or key gives the (equally limited) default.
//
// The narrow forms take and return UTF-8 (the system's narrow text); the wide
// forms are the same functions on UTF-16 text and paths.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::size_t kProfileMaxChars = 511;

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& path);
std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, std::u16string_view path);

// Sets `key` in `section` to `value`, adding the key, the section or the file
// as needed and keeping every other line and the file's encoding. The file is
// replaced through a temporary file in the same folder and a rename, so a
// reader sees either the old or the new file. The folder must exist. False
// on any failure, and for names or values that would not read back as written
// (a line break anywhere, '=' in the key, ']' in the section, empty names).
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& path);
bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view path);

}  // namespace platform
