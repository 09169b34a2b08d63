#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

std::string SingleInstanceLock::LockFilePath(const std::string& name) {
  // Keep the name a single file name whatever the caller passes.
  std::string safe;
  for (char c : name) safe += (c == '/' || c == '\0') ? '_' : c;
  if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run)
    return std::string(run) + "/" + safe + ".lock";
  return "/tmp/" + std::to_string(::getuid()) + "-" + safe + ".lock";
}

std::unique_ptr<SingleInstanceLock> SingleInstanceLock::TryAcquire(const std::string& name) {
  // O_NOFOLLOW: in /tmp another user could plant a link to a file of ours.
  const int fd =
      ::open(LockFilePath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return nullptr;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<SingleInstanceLock>(new SingleInstanceLock(fd));
}

SingleInstanceLock::~SingleInstanceLock() { ::close(fd_); }

}  // namespace platform
