#include "platform/clock.h"

#include <thread>

namespace platform {
namespace {

class RealClock final : public Clock {
 public:
  TimePoint Now() const override { return std::chrono::steady_clock::now(); }
  void SleepFor(Duration d) override {
    if (d.count() > 0) std::this_thread::sleep_for(d);
  }
};

}  // namespace

Clock& Clock::Real() {
  static RealClock clock;
  return clock;
}

Clock::TimePoint ManualClock::Now() const {
  std::lock_guard lock(mutex_);
  return now_;
}

void ManualClock::SleepFor(Duration d) {
  std::unique_lock lock(mutex_);
  const TimePoint deadline = now_ + d;
  if (now_ >= deadline) return;
  ++sleepers_;
  cv_.wait(lock, [&] { return now_ >= deadline; });
  --sleepers_;
}

void ManualClock::Advance(Duration d) {
  {
    std::lock_guard lock(mutex_);
    now_ += d;
  }
  cv_.notify_all();
}

int ManualClock::Sleepers() const {
  std::lock_guard lock(mutex_);
  return sleepers_;
}

}  // namespace platform
