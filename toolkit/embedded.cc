#include "toolkit/embedded.h"

#include <map>
#include <mutex>
#include <string>

namespace toolkit {

namespace {
struct Registry {
  std::mutex mutex;
  std::map<std::string, std::span<const unsigned char>, std::less<>> files;
};
Registry& registry() {
  static Registry r;
  return r;
}
}  // namespace

std::span<const unsigned char> EmbeddedData(std::string_view name) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  auto it = r.files.find(name);
  return it == r.files.end() ? std::span<const unsigned char>() : it->second;
}

bool RegisterEmbeddedData(std::string_view name, std::span<const unsigned char> bytes) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.files[std::string(name)] = bytes;
  return true;
}

}  // namespace toolkit
