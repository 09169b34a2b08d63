#include "platform/thread.h"

#include <chrono>
#include <system_error>

namespace platform {

bool StartThread(std::function<void()> body) {
  try {
    std::thread(std::move(body)).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

void Sleep(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void Mutex::Wait() {
  const auto self = std::this_thread::get_id();
  std::unique_lock lock(mutex_);
  if (depth_ > 0 && owner_ == self) {
    ++depth_;
    return;
  }
  released_.wait(lock, [&] { return depth_ == 0; });
  owner_ = self;
  depth_ = 1;
}

bool Mutex::TryWait() {
  const auto self = std::this_thread::get_id();
  std::lock_guard lock(mutex_);
  if (depth_ > 0 && owner_ != self) return false;
  owner_ = self;
  ++depth_;
  return true;
}

bool Mutex::Release() {
  std::lock_guard lock(mutex_);
  if (depth_ == 0 || owner_ != std::this_thread::get_id()) return false;
  if (--depth_ == 0) {
    owner_ = {};
    released_.notify_one();
  }
  return true;
}

}  // namespace platform
