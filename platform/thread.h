// Threads and locks with the semantics the system's code was designed with:
// fire-and-forget worker threads, recursive critical sections and an unnamed
// mutex that its owning thread may take again.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

// Starts `body` on a new detached thread (workers are never joined). False when
// the thread could not be created.
bool StartThread(std::function<void()> body);

// Blocks the calling thread for `ms` milliseconds of real time.
void Sleep(std::uint32_t ms);

// A recursive lock, as a Windows critical section.
class CriticalSection {
 public:
  void Enter() { mutex_.lock(); }
  bool TryEnter() { return mutex_.try_lock(); }
  void Leave() { mutex_.unlock(); }

 private:
  std::recursive_mutex mutex_;
};

// An unnamed mutex created not owned: Wait() blocks without time-out until
// the calling thread owns it; the owner may wait again (each wait needs one
// Release()). Release() by a thread that does not own it fails.
class Mutex {
 public:
  void Wait();
  bool TryWait();
  bool Release();

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::thread::id owner_;
  int depth_ = 0;
};

class CriticalSectionGuard {
 public:
  explicit CriticalSectionGuard(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
  ~CriticalSectionGuard() { cs_.Leave(); }
  CriticalSectionGuard(const CriticalSectionGuard&) = delete;
  CriticalSectionGuard& operator=(const CriticalSectionGuard&) = delete;

 private:
  CriticalSection& cs_;
};

class MutexGuard {
 public:
  explicit MutexGuard(Mutex& m) : m_(m) { m_.Wait(); }
  ~MutexGuard() { m_.Release(); }
  MutexGuard(const MutexGuard&) = delete;
  MutexGuard& operator=(const MutexGuard&) = delete;

 private:
  Mutex& m_;
};

}  // namespace platform
