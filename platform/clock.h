// Injectable time: production code waits through a Clock so that tests can
// replace the real one with ManualClock and never sleep for fixed delays.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

class Clock {
 public:
  using Duration = std::chrono::milliseconds;
  using TimePoint = std::chrono::steady_clock::time_point;

  virtual ~Clock() = default;
  virtual TimePoint Now() const = 0;
  // Blocks the calling thread for `d` of this clock's time.
  virtual void SleepFor(Duration d) = 0;

  // The process-wide real clock.
  static Clock& Real();
};

// A clock that only moves when told to. Sleepers wake when Advance() moves the
// time past their deadline.
class ManualClock final : public Clock {
 public:
  TimePoint Now() const override;
  void SleepFor(Duration d) override;
  void Advance(Duration d);
  // Number of threads currently blocked in SleepFor (lets tests wait until a
  // worker has reached its sleep before advancing).
  int Sleepers() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  TimePoint now_{};
  int sleepers_ = 0;
};

}  // namespace platform
