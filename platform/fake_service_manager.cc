#include "platform/fake_service_manager.h"

#include <algorithm>

namespace platform {

bool FakeServiceManager::ShouldFail(const std::string& operation) {
  auto it = std::find(failNext_.begin(), failNext_.end(), operation);
  if (it == failNext_.end()) return false;
  failNext_.erase(it);
  return true;
}

bool FakeServiceManager::Install(const std::string& name, const std::string& description,
                                 const std::string& exePath) {
  std::lock_guard lock(mutex_);
  calls_.push_back("install " + name);
  if (ShouldFail("install") || services_.count(name)) return false;
  services_[name] = Service{description, exePath, ServiceState::kStopped};
  return true;
}

bool FakeServiceManager::Start(const std::string& name) {
  std::lock_guard lock(mutex_);
  calls_.push_back("start " + name);
  auto it = services_.find(name);
  if (ShouldFail("start") || it == services_.end() || it->second.state != ServiceState::kStopped)
    return false;
  it->second.state = ServiceState::kRunning;
  return true;
}

bool FakeServiceManager::Stop(const std::string& name) {
  std::lock_guard lock(mutex_);
  calls_.push_back("stop " + name);
  auto it = services_.find(name);
  if (ShouldFail("stop") || it == services_.end()) return false;
  it->second.state = ServiceState::kStopped;
  return true;
}

ServiceState FakeServiceManager::Query(const std::string& name) {
  std::lock_guard lock(mutex_);
  auto it = services_.find(name);
  return it == services_.end() ? ServiceState::kNotInstalled : it->second.state;
}

void FakeServiceManager::SetState(const std::string& name, ServiceState state) {
  std::lock_guard lock(mutex_);
  if (state == ServiceState::kNotInstalled)
    services_.erase(name);
  else
    services_[name].state = state;
}

void FakeServiceManager::FailNext(const std::string& operation) {
  std::lock_guard lock(mutex_);
  failNext_.push_back(operation);
}

std::vector<std::string> FakeServiceManager::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::map<std::string, FakeServiceManager::Service> FakeServiceManager::Services() const {
  std::lock_guard lock(mutex_);
  return services_;
}

}  // namespace platform
