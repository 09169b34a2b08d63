// The skin archive: a zip file in memory (not copied; the caller keeps the
// bytes alive) read with libzip. Layouts and images are looked up by path.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class SkinArchive {
 public:
  // Null when the bytes are not a readable zip archive.
  static std::unique_ptr<SkinArchive> Open(std::span<const unsigned char> bytes);
  ~SkinArchive();

  // The file's bytes; nullopt when the archive has no such file. Paths use "/";
  // a leading "./" or "/" and the case of the name are forgiven.
  std::optional<std::vector<unsigned char>> Read(std::string_view path) const;
  bool Contains(std::string_view path) const;
  std::vector<std::string> FileNames() const;

 private:
  struct Impl;
  explicit SkinArchive(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace ui
