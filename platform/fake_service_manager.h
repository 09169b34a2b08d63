// An in-memory service manager for tests: services exist only in this object,
// and a test may put a service into any state.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/service_control.h"

namespace platform {

class FakeServiceManager final : public ServiceManager {
 public:
  struct Service {
    std::string description;
    std::string exePath;
    ServiceState state = ServiceState::kStopped;
  };

  bool Install(const std::string& name, const std::string& description,
               const std::string& exePath) override;
  // Stopped -> running; false when not installed or not stopped.
  bool Start(const std::string& name) override;
  // Running or start-pending -> stopped; false when not installed.
  bool Stop(const std::string& name) override;
  ServiceState Query(const std::string& name) override;

  void SetState(const std::string& name, ServiceState state);
  // Makes the next calls of the named kind fail ("install", "start", "stop").
  void FailNext(const std::string& operation);
  std::vector<std::string> Calls() const;  // "install NAME", "start NAME", ...
  std::map<std::string, Service> Services() const;

 private:
  bool ShouldFail(const std::string& operation);

  mutable std::mutex mutex_;
  std::map<std::string, Service> services_;
  std::vector<std::string> calls_;
  std::vector<std::string> failNext_;
};

}  // namespace platform
