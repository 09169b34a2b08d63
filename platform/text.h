// Conversions between the system's wide text (UTF-16, as the UI works with it)
// and narrow text. The narrow "ANSI" code page is UTF-8 on Linux, so the ANSI
// conversions are the UTF-8 ones. Invalid input never fails: each malformed
// sequence becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

inline std::string WideToAnsi(std::u16string_view wide) { return Utf16ToUtf8(wide); }
inline std::u16string AnsiToWide(std::string_view ansi) { return Utf8ToUtf16(ansi); }

// The longest prefix of `text` of at most `maxUnits` code units that does not
// end inside a surrogate pair (UTF-16) or a multi-byte sequence (UTF-8).
std::u16string_view TruncateUtf16(std::u16string_view text, std::size_t maxUnits);
std::string_view TruncateUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace platform
