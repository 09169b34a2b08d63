#include "platform/volume.h"

#include <sys/statvfs.h>

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/letter_map.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

std::optional<char> DriveLetter(std::string_view path) {
  if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
    return std::nullopt;
  return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
}

std::string MapEntry(char upperLetter, std::string_view suffix = {}) {
  return LetterMapDir() + "/" + upperLetter + std::string(suffix);
}

std::optional<std::string> ReadSmallText(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::string text;
  std::getline(in, text);
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<std::uint64_t> SizeFromMap(char letter) {
  auto text = ReadSmallText(MapEntry(letter, ".size"));
  if (!text || text->empty()) return std::nullopt;
  std::uint64_t size = 0;
  auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), size);
  if (ec != std::errc() || end != text->data() + text->size()) return std::nullopt;
  return size;
}

// Bytes of the regular files under `folder`, links not followed.
std::uint64_t BytesUnder(const fs::path& folder) {
  std::uint64_t total = 0;
  std::error_code ec;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code entryError;
    if (it->is_regular_file(entryError) && !it->is_symlink(entryError)) {
      const auto size = it->file_size(entryError);
      if (!entryError) total += size;
    }
  }
  return total;
}

}  // namespace

std::optional<std::string> VolumeFolderForLetter(char letter) {
  if (!std::isalpha(static_cast<unsigned char>(letter))) return std::nullopt;
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  std::error_code ec;
  const fs::path folder = fs::canonical(MapEntry(upper), ec);
  if (ec || !fs::is_directory(folder, ec)) return std::nullopt;
  return folder.string();
}

bool GetDiskFreeSpaceExA(const char* path, std::uint64_t* freeBytesAvailableToCaller,
                         std::uint64_t* totalNumberOfBytes, std::uint64_t* totalNumberOfFreeBytes) {
  if (!path) return false;
  const auto letter = DriveLetter(path);
  if (!letter) return false;
  const auto volume = VolumeFolderForLetter(*letter);
  if (!volume) return false;
  std::string_view rest = std::string_view(path).substr(2);
  while (!rest.empty() && (rest.front() == '\\' || rest.front() == '/')) rest.remove_prefix(1);
  if (!rest.empty()) {
    std::string sub(rest);
    for (char& c : sub)
      if (c == '\\') c = '/';
    std::error_code ec;
    if (!fs::is_directory(fs::path(*volume) / sub, ec)) return false;
  }

  std::uint64_t total, free, freeToCaller;
  if (const auto size = SizeFromMap(*letter)) {
    const std::uint64_t used = BytesUnder(*volume);
    total = *size;
    free = freeToCaller = used >= total ? 0 : total - used;
  } else {
    struct statvfs st;
    if (::statvfs(volume->c_str(), &st) != 0) return false;
    total = static_cast<std::uint64_t>(st.f_blocks) * st.f_frsize;
    free = static_cast<std::uint64_t>(st.f_bfree) * st.f_frsize;
    freeToCaller = static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
  }
  if (freeBytesAvailableToCaller) *freeBytesAvailableToCaller = freeToCaller;
  if (totalNumberOfBytes) *totalNumberOfBytes = total;
  if (totalNumberOfFreeBytes) *totalNumberOfFreeBytes = free;
  return true;
}

UINT GetDriveTypeA(const char* root) {
  if (!root) return DRIVE_NO_ROOT_DIR;
  const std::string_view path(root);
  const auto letter = DriveLetter(path);
  if (!letter || path.size() > 3 || (path.size() == 3 && path[2] != '\\' && path[2] != '/'))
    return DRIVE_NO_ROOT_DIR;
  if (!VolumeFolderForLetter(*letter)) return DRIVE_NO_ROOT_DIR;
  auto type = ReadSmallText(MapEntry(*letter, ".type"));
  if (!type) return DRIVE_REMOVABLE;
  for (char& c : *type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (*type == "cdrom") return DRIVE_CDROM;
  if (*type == "fixed") return DRIVE_FIXED;
  return DRIVE_REMOVABLE;
}

}  // namespace platform
