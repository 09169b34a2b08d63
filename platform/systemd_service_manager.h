// The service manager on systemd: a service is a unit file plus systemctl.
// The unit is Type=notify, so it stays "activating" (start pending) until the
// service reports READY=1 through NotifyServiceManager.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/service_control.h"

namespace platform {

class SystemdServiceManager final : public ServiceManager {
 public:
  enum class Scope { kSystem, kUser };
  // Runs argv (argv[0] searched in PATH), puts its standard output into
  // `output` and returns its exit status (-1 when it could not run).
  using CommandRunner =
      std::function<int(const std::vector<std::string>& argv, std::string* output)>;

  SystemdServiceManager(Scope scope, std::string unitDir, CommandRunner runner);

  static std::string DefaultUnitDir(Scope scope);
  static CommandRunner RealCommandRunner();
  // The unit file's text; empty when the description or path cannot be put
  // into one safely.
  static std::string UnitFileText(Scope scope, const std::string& description,
                                  const std::string& exePath);

  bool Install(const std::string& name, const std::string& description,
               const std::string& exePath) override;
  bool Start(const std::string& name) override;
  bool Stop(const std::string& name) override;
  ServiceState Query(const std::string& name) override;

 private:
  int Systemctl(std::vector<std::string> args, std::string* output = nullptr);

  Scope scope_;
  std::string unitDir_;
  CommandRunner runner_;
};

}  // namespace platform
