#include "emulator/cli/daemon_launcher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <system_error>
#include <thread>

#include "emulator/protocol/daemon_client.h"
#include "emulator/protocol/paths.h"

namespace drivesim {

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kStartPoll = std::chrono::milliseconds(10);

std::string SelfPath() {
  char path[PATH_MAX] = {};
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

// Double fork so the daemon is nobody's child and keeps none of our
// descriptors (a caller reading our output through a pipe must see it close).
bool SpawnDetached(const std::string& program) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::setsid();
    if (::fork() != 0) ::_exit(0);
    const int null_in = ::open("/dev/null", O_RDONLY);
    const int log = ::open(LogPath().c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    ::dup2(null_in, STDIN_FILENO);
    ::dup2(log >= 0 ? log : null_in, STDOUT_FILENO);
    ::dup2(log >= 0 ? log : null_in, STDERR_FILENO);
    ::close_range(3, ~0U, 0);
    ::execl(program.c_str(), "drivesim", "daemon", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return true;
}

}  // namespace

bool DaemonAnswers() {
  Json::Value ping;
  ping["cmd"] = "ping";
  const auto reply = AskDaemon(ping, 2000);
  return reply && (*reply)["ok"].asBool();
}

bool WaitForDaemonExit() {
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  std::error_code ec;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!std::filesystem::exists(PidPath(), ec) && !DaemonAnswers()) return true;
    std::this_thread::sleep_for(kStartPoll);
  }
  return false;
}

bool EnsureDaemon(std::string* error) {
  if (DaemonAnswers()) return true;
  MakeEmulatorDir();
  const std::string self = SelfPath();
  if (self.empty() || !SpawnDetached(self)) {
    *error = "cannot start the daemon";
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (DaemonAnswers()) return true;
    std::this_thread::sleep_for(kStartPoll);
  }
  *error = "the daemon did not answer; see " + LogPath();
  return false;
}

}  // namespace drivesim
