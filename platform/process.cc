#include "platform/process.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>

namespace platform {
namespace {

std::string ReadLink(const std::string& path) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return {};
  return std::string(buffer, static_cast<std::size_t>(n));
}

std::string_view BaseName(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The program file name of process `pid`, or empty for kernel threads,
// zombies and vanished processes.
std::string ProgramName(const std::string& pid) {
  std::string exe = ReadLink("/proc/" + pid + "/exe");
  if (!exe.empty()) {
    constexpr std::string_view kDeleted = " (deleted)";
    if (exe.ends_with(kDeleted)) exe.resize(exe.size() - kDeleted.size());
    return std::string(BaseName(exe));
  }
  std::ifstream cmdline("/proc/" + pid + "/cmdline", std::ios::binary);
  std::string argv0;
  std::getline(cmdline, argv0, '\0');
  return std::string(BaseName(argv0));
}

bool IsAllDigits(const char* s) {
  if (!*s) return false;
  for (; *s; ++s)
    if (*s < '0' || *s > '9') return false;
  return true;
}

}  // namespace

std::string ExecutablePath() { return ReadLink("/proc/self/exe"); }

std::string ExecutableDir() {
  const std::string path = ExecutablePath();
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsProcessRunning(std::string_view exeName) {
  if (exeName.empty()) return false;
  DIR* proc = ::opendir("/proc");
  if (!proc) return false;
  bool found = false;
  while (dirent* entry = ::readdir(proc)) {
    if (!IsAllDigits(entry->d_name)) continue;
    if (ProgramName(entry->d_name) == exeName) {
      found = true;
      break;
    }
  }
  ::closedir(proc);
  return found;
}

bool StartProcess(const std::string& path, const std::vector<std::string>& args) {
  if (path.empty()) return false;
  // Everything the child needs is prepared before fork: after it only
  // async-signal-safe calls are allowed.
  std::vector<std::string> argvStrings;
  argvStrings.push_back(path);
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : argvStrings) argv.push_back(s.data());
  argv.push_back(nullptr);
  const bool searchPath = path.find('/') == std::string::npos;

  int errorPipe[2];
  if (::pipe2(errorPipe, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(errorPipe[0]);
    ::close(errorPipe[1]);
    return false;
  }
  if (child == 0) {
    // The intermediate child starts the program and exits at once, so the
    // program is adopted by init and never becomes our zombie.
    ::close(errorPipe[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
      if (searchPath)
        ::execvp(argv[0], argv.data());
      else
        ::execv(argv[0], argv.data());
      const int error = errno;
      (void)!::write(errorPipe[1], &error, sizeof error);
      ::_exit(127);
    }
    if (grandchild < 0) {
      const int error = errno;
      (void)!::write(errorPipe[1], &error, sizeof error);
    }
    ::_exit(0);
  }
  ::close(errorPipe[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes without data when exec succeeded (close-on-exec).
  int error = 0;
  ssize_t n;
  while ((n = ::read(errorPipe[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  ::close(errorPipe[0]);
  return n == 0;
}

int CurrentProcessId() { return static_cast<int>(::getpid()); }

}  // namespace platform
