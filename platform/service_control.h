// What a device-watch service needs of the system's service manager: install
// itself, start, stop, and ask whether it runs. Behind an interface so that the
// service's control logic can be tested against FakeServiceManager.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace platform {

enum class ServiceState {
  kNotInstalled,
  kStopped,
  kStartPending,  // started, not yet reported ready
  kRunning,
  kStopPending,
  kUnknown,  // the manager could not be asked
};

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;
  // Registers an automatically started service running `exePath`. False when
  // it exists already or cannot be created.
  virtual bool Install(const std::string& name, const std::string& description,
                       const std::string& exePath) = 0;
  // Asks for a start or a stop and returns without waiting for it to finish.
  virtual bool Start(const std::string& name) = 0;
  virtual bool Stop(const std::string& name) = 0;
  virtual ServiceState Query(const std::string& name) = 0;
};

// The machine's service manager (systemd units: system units when run as
// root, else the user's), or null when systemd is not running here.
std::unique_ptr<ServiceManager> CreateSystemServiceManager();

// For the service process itself: reports progress to the manager that
// started it ("READY=1" when running, "STOPPING=1" when stopping). False when
// it was not started by one.
bool NotifyServiceManager(std::string_view state);

}  // namespace platform
