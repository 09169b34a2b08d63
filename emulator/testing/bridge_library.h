// The emulated bridge library loaded the way the programs load it (dlopen by
// path), with every entry of the binding table resolved by name. For tests
// that talk to an emulated drive below the system's own binding.
#pragma once

#include <string>

#include "common/bridge/bridge_entries.h"

namespace drivesim::testing {

class BridgeLibrary {
 public:
  explicit BridgeLibrary(const std::string& path);
  ~BridgeLibrary();
  BridgeLibrary(const BridgeLibrary&) = delete;
  BridgeLibrary& operator=(const BridgeLibrary&) = delete;

  // True when the library loaded and every entry resolved.
  bool ok() const { return ok_; }

#define DRIVESIM_ENTRY_POINTER(name, required) name##_t name = nullptr;
  ORLU_BRIDGE_ENTRIES(DRIVESIM_ENTRY_POINTER)
#undef DRIVESIM_ENTRY_POINTER

 private:
  void* handle_ = nullptr;
  bool ok_ = false;
};

}  // namespace drivesim::testing
