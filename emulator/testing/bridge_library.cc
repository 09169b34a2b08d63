#include "emulator/testing/bridge_library.h"

#include <dlfcn.h>

namespace drivesim::testing {

BridgeLibrary::BridgeLibrary(const std::string& path)
    : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
  if (handle_ == nullptr) return;
  ok_ = true;
#define DRIVESIM_RESOLVE_ENTRY(entry, required)                  \
  entry = reinterpret_cast<entry##_t>(::dlsym(handle_, #entry)); \
  ok_ = ok_ && entry != nullptr;
  ORLU_BRIDGE_ENTRIES(DRIVESIM_RESOLVE_ENTRY)
#undef DRIVESIM_RESOLVE_ENTRY
}

BridgeLibrary::~BridgeLibrary() {
  if (handle_ != nullptr) ::dlclose(handle_);
}

}  // namespace drivesim::testing
