#include "platform/device_events.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/message_loop.h"

namespace platform {
namespace {

constexpr std::uint32_t kWatchMask =
    IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_ONLYDIR;

// Letter entries are single letters; "E.size" and "E.type" are not.
bool IsLetterEntry(const char* name) {
  return std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == '\0';
}

}  // namespace

DeviceEventWatcher::DeviceEventWatcher(HWND target, std::string folder)
    : target_(target), folder_(std::move(folder)) {}

DeviceEventWatcher::~DeviceEventWatcher() { Stop(); }

bool DeviceEventWatcher::Start() {
  if (thread_.joinable()) return true;
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  inotifyFd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  stopFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  const bool watching = inotifyFd_ >= 0 && stopFd_ >= 0 &&
                        ::inotify_add_watch(inotifyFd_, folder_.c_str(), kWatchMask) >= 0;
  if (watching) {
    try {
      thread_ = std::thread(&DeviceEventWatcher::Watch, this);
      return true;
    } catch (const std::system_error&) {
    }
  }
  if (inotifyFd_ >= 0) ::close(inotifyFd_);
  if (stopFd_ >= 0) ::close(stopFd_);
  inotifyFd_ = stopFd_ = -1;
  return false;
}

void DeviceEventWatcher::Stop() {
  if (!thread_.joinable()) return;
  const std::uint64_t one = 1;
  (void)!::write(stopFd_, &one, sizeof one);
  thread_.join();
  ::close(inotifyFd_);
  ::close(stopFd_);
  inotifyFd_ = stopFd_ = -1;
}

void DeviceEventWatcher::Watch() {
  alignas(inotify_event) char buffer[4096];
  pollfd fds[2] = {{inotifyFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
  for (;;) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents) return;
    const ssize_t n = ::read(inotifyFd_, buffer, sizeof buffer);
    if (n <= 0) continue;
    for (ssize_t offset = 0; offset < n;) {
      inotify_event event;
      std::memcpy(&event, buffer + offset, sizeof event);
      const char* name = buffer + offset + sizeof(inotify_event);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
      if (event.mask & IN_IGNORED) {
        // The folder itself went away (whoever mounts volumes may recreate
        // it): watch the new one.
        std::error_code ec;
        std::filesystem::create_directories(folder_, ec);
        ::inotify_add_watch(inotifyFd_, folder_.c_str(), kWatchMask);
        continue;
      }
      if (event.len == 0 || !IsLetterEntry(name)) continue;
      if (event.mask & (IN_CREATE | IN_MOVED_TO))
        PostMessage(target_, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
      else if (event.mask & (IN_DELETE | IN_MOVED_FROM))
        PostMessage(target_, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    }
  }
}

}  // namespace platform
