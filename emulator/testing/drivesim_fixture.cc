#include "emulator/testing/drivesim_fixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "emulator/protocol/daemon_client.h"
#include "emulator/protocol/json_line.h"

extern char** environ;

namespace drivesim::testing {

namespace {

std::vector<std::string> SplitArgs(const std::string& text) {
  std::vector<std::string> args;
  std::string current;
  bool quoted = false;
  bool pending = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      pending = true;
    } else if (c == ' ' && !quoted) {
      if (pending) args.push_back(current);
      current.clear();
      pending = false;
    } else {
      current.push_back(c);
      pending = true;
    }
  }
  if (pending) args.push_back(current);
  return args;
}

void SetEnv(const char* name, bool had, const std::string& value) {
  if (had) {
    ::setenv(name, value.c_str(), 1);
  } else {
    ::unsetenv(name);
  }
}

}  // namespace

std::string DriveSim::DrivesimPath() { return std::string(DRIVESIM_BIN_DIR) + "/drivesim"; }
std::string DriveSim::LibraryPath() { return std::string(DRIVESIM_BIN_DIR) + "/libJMUsbDll.so"; }

DriveSim::DriveSim() {
  std::string pattern = (std::filesystem::temp_directory_path() / "drivesim-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a private emulator folder";
  }
  dir_ = pattern;
  if (const char* old = std::getenv("DRIVESIM_DIR")) {
    had_dir_env_ = true;
    saved_dir_env_ = old;
  }
  if (const char* old = std::getenv("ORLU_LETTER_MAP")) {
    had_map_env_ = true;
    saved_map_env_ = old;
  }
  ::setenv("DRIVESIM_DIR", dir_.c_str(), 1);
  ::setenv("ORLU_LETTER_MAP", letter_map_dir().c_str(), 1);
  std::filesystem::create_directories(letter_map_dir());
  StartDaemon();
}

// The fixture runs the daemon as its own child, so it can wait for it to end
// before removing the folder (and no exited daemon is left unreaped).
void DriveSim::StartDaemon() {
  const std::string program = DrivesimPath();
  const std::string log = dir_ + "/daemon.log";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  char* argv[] = {const_cast<char*>("drivesim"), const_cast<char*>("daemon"), nullptr};
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot run " << program;
    return;
  }
  daemon_pid_ = pid;
  const bool answers = WaitUntil([] {
    Json::Value ping;
    ping["cmd"] = "ping";
    return AskDaemon(ping, 1000).has_value();
  });
  EXPECT_TRUE(answers) << "the emulator daemon did not start; see " << log;
}

DriveSim::~DriveSim() {
  const bool stopped = Run("stop").exit_code == 0;
  if (daemon_pid_ > 0) {
    // Our daemon may already be gone (a test killed it and the command line
    // started another, which the stop above ended).
    // A daemon that still runs (one that no longer answers, or that serves a
    // folder the test pointed elsewhere) must not hold up the teardown.
    const auto ended = [this] { return ::waitpid(daemon_pid_, nullptr, WNOHANG) != 0; };
    if (!stopped || !WaitUntil(ended, std::chrono::seconds(10))) {
      ::kill(daemon_pid_, SIGKILL);
      ::waitpid(daemon_pid_, nullptr, 0);
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
  SetEnv("DRIVESIM_DIR", had_dir_env_, saved_dir_env_);
  SetEnv("ORLU_LETTER_MAP", had_map_env_, saved_map_env_);
}

CommandResult DriveSim::Run(const std::string& args) const { return Run(SplitArgs(args)); }

CommandResult DriveSim::Run(const std::vector<std::string>& args) const {
  CommandResult result;
  int out_pipe[2];
  int err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0) return result;
  if (::pipe2(err_pipe, O_CLOEXEC) != 0) {
    ::close(out_pipe[0]);
    ::close(out_pipe[1]);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], STDERR_FILENO);

  const std::string program = DrivesimPath();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>("drivesim"));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  if (spawned == 0) {
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open_streams = 2;
    while (open_streams > 0) {
      if (::poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || fds[i].revents == 0) continue;
        char chunk[4096];
        const ssize_t n = ::read(fds[i].fd, chunk, sizeof chunk);
        if (n > 0) {
          sinks[i]->append(chunk, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
          fds[i].fd = -1;
          --open_streams;
        }
      }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  ::close(out_pipe[0]);
  ::close(err_pipe[0]);
  return result;
}

Json::Value DriveSim::StatusJson() const {
  const CommandResult result = Run("status --json");
  if (result.exit_code != 0) return Json::Value();
  return ParseJson(result.out).value_or(Json::Value());
}

Json::Value DriveSim::Drive(int id) const {
  const Json::Value status = StatusJson();
  for (const auto& drive : status["drives"]) {
    if (drive["id"].asInt() == id) return drive;
  }
  return Json::Value();
}

int DriveSim::Attach(const std::string& options) const {
  const CommandResult result = Run("attach " + options);
  if (result.exit_code != 0) {
    ADD_FAILURE() << "drivesim attach " << options << ": " << result.err;
    return -1;
  }
  return std::atoi(result.out.c_str());
}

int DriveSim::DaemonPid() const {
  std::ifstream in(dir_ + "/daemon.pid");
  int pid = -1;
  in >> pid;
  return in ? pid : -1;
}

bool DriveSim::WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace drivesim::testing
