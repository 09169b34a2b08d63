#include "platform/profile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <vector>

#include "platform/text.h"

namespace platform {
namespace {

enum class Encoding { kUtf8, kUtf8Bom, kUtf16LeBom, kUtf16BeBom };

// A profile file as lines of UTF-8 text.
struct ProfileFile {
  Encoding encoding = Encoding::kUtf8;
  std::string eol = "\n";
  std::vector<std::string> lines;
};

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
    bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  }
  return out;
}

// The file's text as UTF-8, and its encoding.
std::string Decode(std::string bytes, Encoding* encoding) {
  *encoding = Encoding::kUtf8;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    *encoding = Encoding::kUtf8Bom;
    return bytes.substr(3);
  }
  if (bytes.starts_with("\xFF\xFE")) {
    *encoding = Encoding::kUtf16LeBom;
    return Utf16ToUtf8(DecodeUtf16(std::string_view(bytes).substr(2), false));
  }
  if (bytes.starts_with("\xFE\xFF")) {
    *encoding = Encoding::kUtf16BeBom;
    return Utf16ToUtf8(DecodeUtf16(std::string_view(bytes).substr(2), true));
  }
  return bytes;
}

// Calls `visit` with each line (without its terminator) until it returns true.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (visit(text.substr(start, end - start))) return;
    start = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
  }
}

ProfileFile Parse(std::string bytes) {
  ProfileFile file;
  const std::string text = Decode(std::move(bytes), &file.encoding);
  if (text.find("\r\n") != std::string::npos) file.eol = "\r\n";
  ForEachLine(text, [&](std::string_view line) {
    file.lines.emplace_back(line);
    return false;
  });
  return file;
}

std::string Serialise(const ProfileFile& file) {
  std::string text;
  for (const auto& line : file.lines) text += line + file.eol;
  std::string out;
  switch (file.encoding) {
    case Encoding::kUtf8:
      return text;
    case Encoding::kUtf8Bom:
      return "\xEF\xBB\xBF" + text;
    case Encoding::kUtf16LeBom:
    case Encoding::kUtf16BeBom: {
      const bool big = file.encoding == Encoding::kUtf16BeBom;
      out = big ? "\xFE\xFF" : "\xFF\xFE";
      for (char16_t c : Utf8ToUtf16(text)) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += big ? hi : lo;
        out += big ? lo : hi;
      }
      return out;
    }
  }
  return text;
}

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view name;
  std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
  const auto eq = trimmed.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, eq)), Trim(trimmed.substr(eq + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// Index of the first line of the first section called `section` (the line
// after its header), and one past its last line.
std::optional<std::pair<std::size_t, std::size_t>> FindSection(const ProfileFile& file,
                                                               std::string_view section) {
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    auto name = SectionName(file.lines[i]);
    if (!name || !EqualsIgnoreCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < file.lines.size() && !SectionName(file.lines[end])) ++end;
    return std::make_pair(i + 1, end);
  }
  return std::nullopt;
}

std::string Limit(std::string_view value) {
  if (value.size() <= kProfileMaxChars) return std::string(value);  // bytes >= UTF-16 units
  const std::u16string wide = Utf8ToUtf16(value);
  if (wide.size() <= kProfileMaxChars) return std::string(value);
  return Utf16ToUtf8(TruncateUtf16(wide, kProfileMaxChars));
}

// Writes `bytes` to a new file beside `path` and renames it over `path`. The
// target of a symbolic link is replaced, not the link.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
  std::string target = path;
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    target = real;
    ::free(real);
  }
  mode_t mode = 0644;
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;

  std::string temp = target + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, mode) == 0;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<std::size_t>(n);
  }
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return Limit(defaultValue);
  Encoding encoding;
  const std::string text = Decode(std::move(*bytes), &encoding);
  // Only the first section of that name is searched.
  enum { kBefore, kInside, kAfter } where = kBefore;
  std::optional<std::string> found;
  ForEachLine(text, [&](std::string_view line) {
    if (auto name = SectionName(line)) {
      if (where == kInside) where = kAfter;
      if (where == kBefore && EqualsIgnoreCase(*name, section)) where = kInside;
      return where == kAfter;
    }
    if (where != kInside) return false;
    auto entry = ParseKeyLine(line);
    if (!entry || !EqualsIgnoreCase(entry->name, key)) return false;
    found = Limit(Unquote(entry->value));
    return true;
  });
  return found ? *found : Limit(defaultValue);
}

std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, std::u16string_view path) {
  return Utf8ToUtf16(GetPrivateProfileString(Utf16ToUtf8(section), Utf16ToUtf8(key),
                                             Utf16ToUtf8(defaultValue), Utf16ToUtf8(path)));
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& path) {
  const std::string_view sectionName = Trim(section), keyName = Trim(key);
  if (sectionName.empty() || keyName.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || sectionName.find(']') != std::string_view::npos ||
      keyName.find('=') != std::string_view::npos || keyName.front() == ';' ||
      keyName.front() == '[')
    return false;

  ProfileFile file;
  if (auto bytes = ReadWholeFile(path)) {
    file = Parse(std::move(*bytes));
  } else if (::access(path.c_str(), F_OK) == 0) {
    return false;  // present but unreadable: never replace it with a fresh file
  }

  const std::string newLine = std::string(keyName) + "=" + std::string(value);
  if (auto range = FindSection(file, sectionName)) {
    std::size_t insertAt = range->first;
    for (std::size_t i = range->first; i < range->second; ++i) {
      auto line = ParseKeyLine(file.lines[i]);
      if (line && EqualsIgnoreCase(line->name, keyName)) {
        // Keep the spelling of the name already in the file.
        file.lines[i] = std::string(line->name) + "=" + std::string(value);
        return ReplaceFile(path, Serialise(file));
      }
      if (!Trim(file.lines[i]).empty()) insertAt = i + 1;
    }
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
  } else {
    file.lines.push_back("[" + std::string(sectionName) + "]");
    file.lines.push_back(newLine);
  }
  return ReplaceFile(path, Serialise(file));
}

bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view path) {
  return WritePrivateProfileString(Utf16ToUtf8(section), Utf16ToUtf8(key), Utf16ToUtf8(value),
                                   Utf16ToUtf8(path));
}

}  // namespace platform
