// A named lock that at most one process of the user's session holds: the
// second start of a program finds it taken.
#pragma once

#include <memory>
#include <string>

namespace platform {

class SingleInstanceLock {
 public:
  // Null when another holder (process, or another lock object of this one)
  // has `name`, or the lock file cannot be made. The lock is a flock on
  // $XDG_RUNTIME_DIR/<name>.lock, else /tmp/<uid>-<name>.lock; the system
  // drops it when the process ends, however it ends.
  static std::unique_ptr<SingleInstanceLock> TryAcquire(const std::string& name);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  static std::string LockFilePath(const std::string& name);

 private:
  explicit SingleInstanceLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace platform
