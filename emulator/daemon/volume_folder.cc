#include "emulator/daemon/volume_folder.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace drivesim {

namespace fs = std::filesystem;

bool EmptyFolder(const std::string& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  std::vector<fs::path> children;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    children.push_back(it->path());
  }
  bool emptied = !ec;
  for (const fs::path& child : children) {
    std::error_code remove_ec;
    fs::remove_all(child, remove_ec);
    if (remove_ec) emptied = false;
  }
  return emptied;
}

}  // namespace drivesim
