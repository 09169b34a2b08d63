#include "platform/systemd_service_manager.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

extern char** environ;

namespace platform {
namespace {

bool IsValidUnitName(const std::string& name) {
  if (name.empty() || name.size() > 200) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-' || c == '.' || c == ':';
    if (!ok) return false;
  }
  return true;
}

// systemd expands '%' specifiers everywhere and '$' variables in command lines.
std::string EscapeSpecifiers(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '%' ? std::string("%%") : std::string(1, c);
  return out;
}

std::string QuoteCommandWord(const std::string& word) {
  std::string out = "\"";
  for (char c : EscapeSpecifiers(word)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out + "\"";
}

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return true;
  return false;
}

int RunCommand(const std::vector<std::string>& argv, std::string* output) {
  if (argv.empty()) return -1;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> copies(argv);
  std::vector<char*> args;
  for (auto& a : copies) args.push_back(a.data());
  args.push_back(nullptr);
  pid_t pid = 0;
  const int spawnError = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (spawnError != 0) {
    ::close(pipeFds[0]);
    return -1;
  }
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (output) output->append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string PropertyValue(const std::string& text, const std::string& property) {
  const std::string prefix = property + "=";
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    if (line.starts_with(prefix)) return line.substr(prefix.size());
    pos = end + 1;
  }
  return {};
}

}  // namespace

SystemdServiceManager::SystemdServiceManager(Scope scope, std::string unitDir, CommandRunner runner)
    : scope_(scope), unitDir_(std::move(unitDir)), runner_(std::move(runner)) {}

std::string SystemdServiceManager::DefaultUnitDir(Scope scope) {
  if (scope == Scope::kSystem) return "/etc/systemd/system";
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/systemd/user";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config/systemd/user";
}

SystemdServiceManager::CommandRunner SystemdServiceManager::RealCommandRunner() {
  return RunCommand;
}

std::string SystemdServiceManager::UnitFileText(Scope scope, const std::string& description,
                                                const std::string& exePath) {
  if (exePath.empty() || exePath.front() != '/' || HasControlCharacter(exePath) ||
      HasControlCharacter(description))
    return {};
  return "[Unit]\n"
         "Description=" +
         EscapeSpecifiers(description) +
         "\n\n"
         "[Service]\n"
         "Type=notify\n"
         "NotifyAccess=main\n"
         "ExecStart=" +
         QuoteCommandWord(exePath) +
         "\n\n"
         "[Install]\n"
         "WantedBy=" +
         (scope == Scope::kSystem ? "multi-user.target" : "default.target") + "\n";
}

int SystemdServiceManager::Systemctl(std::vector<std::string> args, std::string* output) {
  std::vector<std::string> argv{"systemctl"};
  if (scope_ == Scope::kUser) argv.push_back("--user");
  argv.insert(argv.end(), args.begin(), args.end());
  return runner_(argv, output);
}

bool SystemdServiceManager::Install(const std::string& name, const std::string& description,
                                    const std::string& exePath) {
  if (!IsValidUnitName(name)) return false;
  const std::string text = UnitFileText(scope_, description, exePath);
  if (text.empty()) return false;
  const std::string unit = name + ".service";
  const std::filesystem::path unitPath = std::filesystem::path(unitDir_) / unit;
  std::error_code ec;
  if (std::filesystem::exists(unitPath, ec) || Query(name) != ServiceState::kNotInstalled)
    return false;
  std::filesystem::create_directories(unitDir_, ec);
  {
    std::ofstream out(unitPath, std::ios::binary);
    if (!(out << text) || !out.flush()) return false;
  }
  if (Systemctl({"daemon-reload"}) != 0 || Systemctl({"enable", unit}) != 0) {
    std::filesystem::remove(unitPath, ec);
    Systemctl({"daemon-reload"});
    return false;
  }
  return true;
}

bool SystemdServiceManager::Start(const std::string& name) {
  return IsValidUnitName(name) && Systemctl({"start", "--no-block", name + ".service"}) == 0;
}

bool SystemdServiceManager::Stop(const std::string& name) {
  return IsValidUnitName(name) && Systemctl({"stop", "--no-block", name + ".service"}) == 0;
}

ServiceState SystemdServiceManager::Query(const std::string& name) {
  if (!IsValidUnitName(name)) return ServiceState::kNotInstalled;
  std::string output;
  if (Systemctl({"show", "--property=LoadState,ActiveState", name + ".service"}, &output) != 0)
    return ServiceState::kUnknown;
  const std::string load = PropertyValue(output, "LoadState");
  const std::string active = PropertyValue(output, "ActiveState");
  if (load == "not-found") return ServiceState::kNotInstalled;
  if (active == "active" || active == "reloading") return ServiceState::kRunning;
  if (active == "activating") return ServiceState::kStartPending;
  if (active == "deactivating") return ServiceState::kStopPending;
  if (active == "inactive" || active == "failed") return ServiceState::kStopped;
  return ServiceState::kUnknown;
}

std::unique_ptr<ServiceManager> CreateSystemServiceManager() {
  std::error_code ec;
  if (!std::filesystem::is_directory("/run/systemd/system", ec)) return nullptr;
  const auto scope = ::geteuid() == 0 ? SystemdServiceManager::Scope::kSystem
                                      : SystemdServiceManager::Scope::kUser;
  return std::make_unique<SystemdServiceManager>(scope,
                                                 SystemdServiceManager::DefaultUnitDir(scope),
                                                 SystemdServiceManager::RealCommandRunner());
}

bool NotifyServiceManager(std::string_view state) {
  const char* socketPath = std::getenv("NOTIFY_SOCKET");
  if (!socketPath || !*socketPath) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t length = std::strlen(socketPath);
  if (length >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, socketPath, length);
  if (address.sun_path[0] == '@') address.sun_path[0] = '\0';  // abstract namespace
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + length);
  const bool sent =
      ::sendto(fd, state.data(), state.size(), MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&address),
               size) == static_cast<ssize_t>(state.size());
  ::close(fd);
  return sent;
}

}  // namespace platform
