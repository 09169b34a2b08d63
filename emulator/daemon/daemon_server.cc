#include "emulator/daemon/daemon_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "emulator/daemon/control_commands.h"
#include "emulator/daemon/entry_calls.h"
#include "emulator/daemon/letter_map_writer.h"
#include "emulator/daemon/state_file.h"
#include "emulator/protocol/daemon_client.h"
#include "emulator/protocol/entry_failures.h"
#include "emulator/protocol/json_line.h"
#include "emulator/protocol/paths.h"
#include "emulator/protocol/socket_io.h"
#include "platform/letter_map.h"

namespace drivesim {

namespace {

constexpr int kIdleCheckMs = 1000;
constexpr int kClientTimeoutMs = 2000;
constexpr std::int64_t kCountSaveIntervalMs = 1000;

volatile std::sig_atomic_t g_stop_signal = 0;

void OnStopSignal(int) { g_stop_signal = 1; }

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

int Listen(const std::string& path, ino_t* inode) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  ::unlink(path.c_str());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 64) != 0) {
    ::close(fd);
    return -1;
  }
  ::chmod(path.c_str(), 0600);
  struct stat info {};
  ::stat(path.c_str(), &info);
  *inode = info.st_ino;
  return fd;
}

// Still ours: a daemon started for a fresh folder replaces the socket.
bool SocketStillOurs(const std::string& path, ino_t inode) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && info.st_ino == inode;
}

constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(20);
constexpr int kPingTimeoutMs = 500;

bool AnotherDaemonAnswers() {
  Json::Value ping;
  ping["cmd"] = "ping";
  return AskDaemon(ping, kPingTimeoutMs).has_value();
}

Json::Value Malformed(const std::string& why) {
  Json::Value reply;
  reply["ok"] = false;
  reply["error"] = "malformed request: " + why;
  return reply;
}

class Daemon {
 public:
  Daemon(World world, std::string state_path)
      : world_(std::move(world)),
        state_path_(std::move(state_path)),
        letters_(platform::LetterMapDir()) {}

  int Run(int listen_fd, const std::string& socket_path, ino_t socket_inode) {
    letters_.WithdrawLeftovers(world_);
    Settle();
    SaveWorld(world_, state_path_);
    while (!g_stop_signal && !stop_requested_) {
      pollfd waiting{listen_fd, POLLIN, 0};
      const int ready = ::poll(&waiting, 1, PollTimeoutMs());
      if (ready < 0 && errno != EINTR) break;
      if (ready > 0) ServeOne(listen_fd);
      if (world_.SettleReturns(NowMs())) Persist();
      if (counts_unsaved_ && NowMs() - last_save_ms_ >= kCountSaveIntervalMs) Persist();
      letters_.Sync(world_, NowMs());
      if (!SocketStillOurs(socket_path, socket_inode)) return 0;
    }
    letters_.WithdrawAll(world_);
    SaveWorld(world_, state_path_);
    ::unlink(socket_path.c_str());
    ::unlink(PidPath().c_str());
    return 0;
  }

 private:
  void Settle() {
    world_.SettleReturns(NowMs());
    letters_.Sync(world_, NowMs());
  }

  int PollTimeoutMs() const {
    const std::int64_t next = world_.NextReturnMs();
    if (next == 0) return kIdleCheckMs;
    return static_cast<int>(std::clamp<std::int64_t>(next - NowMs(), 0, kIdleCheckMs));
  }

  void ServeOne(int listen_fd) {
    FileDescriptor client(::accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC));
    if (client.get() < 0) return;
    SetSocketTimeouts(client.get(), kClientTimeoutMs);
    const auto line = ReadLine(client.get());
    if (!line) return;
    const auto request = ParseJson(*line);
    Json::Value reply;
    if (!request || !request->isObject()) {
      reply = Malformed("not a JSON object");
    } else {
      // A field of the wrong type makes jsoncpp throw; that must cost the
      // caller its request, not every process its drives.
      try {
        reply = Handle(*request);
      } catch (const Json::Exception& e) {
        reply = Malformed(e.what());
      }
    }
    WriteAll(client.get(), ToJsonLine(reply));
  }

  // A change that cannot be saved is undone and reported as a failure: a
  // daemon killed afterwards would have lost it.
  Json::Value Handle(const Json::Value& request) {
    const std::int64_t now = NowMs();
    if (!request.isMember("cmd")) {
      World before = world_;
      bool changed = false;
      Json::Value reply = HandleEntryCall(world_, letters_, request, now, &changed);
      if (!changed) {
        counts_unsaved_ = true;
        return reply;
      }
      if (Persist()) return reply;
      Undo(std::move(before));
      Json::Value failed;
      failed["ret"] = FailureOf(request["entry"].asString()).value;
      failed["error"] = UnsavedError();
      return failed;
    }
    const std::string cmd = request["cmd"].asString();
    if (cmd == "stop") {
      stop_requested_ = true;
      Json::Value reply;
      reply["ok"] = true;
      return reply;
    }
    if (cmd == "ping" || cmd == "status")
      return HandleControlCommand(world_, letters_, request, now);
    World before = world_;
    Json::Value reply = HandleControlCommand(world_, letters_, request, now);
    if (Persist() || !reply["ok"].asBool()) return reply;
    Undo(std::move(before));
    Json::Value failed;
    failed["ok"] = false;
    failed["error"] = UnsavedError();
    return failed;
  }

  // Saved before the reply goes out, so a daemon killed right after a call
  // has kept its effect. False when the state file could not be written.
  bool Persist() {
    Settle();
    if (!SaveWorld(world_, state_path_)) return false;
    counts_unsaved_ = false;
    last_save_ms_ = NowMs();
    return true;
  }

  void Undo(World before) {
    world_ = std::move(before);
    Settle();
  }

  std::string UnsavedError() const {
    return "cannot save the emulator state to " + state_path_ + "; check that folder";
  }

  World world_;
  std::string state_path_;
  LetterMapWriter letters_;
  bool stop_requested_ = false;
  // Calls that only read are counted in memory and saved with the next
  // change, or within kCountSaveIntervalMs: a state file written per read
  // would make every listing wait for the disk.
  bool counts_unsaved_ = false;
  std::int64_t last_save_ms_ = 0;
};

}  // namespace

int RunDaemon() {
  const std::string dir = platform::DriveSimDir();
  MakeEmulatorDir();

  // One daemon per folder: a second one leaves once the first answers. A
  // daemon that was just asked to stop holds the lock a moment after it stopped
  // answering, so the lock is tried again for a while before giving up.
  FileDescriptor lock(::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  const auto give_up = std::chrono::steady_clock::now() + kLockWait;
  while (lock.get() < 0 || ::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
    if (lock.get() < 0 || AnotherDaemonAnswers() || std::chrono::steady_clock::now() >= give_up) {
      std::fprintf(stderr, "drivesim daemon: another daemon serves %s\n", dir.c_str());
      return 0;
    }
    std::this_thread::sleep_for(kLockRetry);
  }

  std::optional<World> world = LoadWorld(StatePath());
  if (!world) {
    // Starting empty would overwrite every drive the file holds.
    if (::access(StatePath().c_str(), F_OK) == 0) {
      std::fprintf(stderr,
                   "drivesim daemon: cannot read %s; move it away to start with no drives\n",
                   StatePath().c_str());
      return 1;
    }
    world.emplace();
  }

  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGPIPE, SIG_IGN);

  const std::string socket_path = SocketPath();
  ino_t inode = 0;
  FileDescriptor listener(Listen(socket_path, &inode));
  if (listener.get() < 0) {
    std::fprintf(stderr, "drivesim daemon: cannot listen on %s: %s\n", socket_path.c_str(),
                 std::strerror(errno));
    return 1;
  }
  {
    const std::string temp = PidPath() + ".tmp";
    std::FILE* pid_file = std::fopen(temp.c_str(), "w");
    if (pid_file != nullptr) {
      std::fprintf(pid_file, "%d\n", static_cast<int>(::getpid()));
      std::fclose(pid_file);
      std::rename(temp.c_str(), PidPath().c_str());
    }
  }
  Daemon daemon(std::move(*world), StatePath());
  return daemon.Run(listener.get(), socket_path, inode);
}

}  // namespace drivesim
