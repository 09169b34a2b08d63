// A clock for tests of code that runs on the test's own thread: SleepFor
// returns at once after moving the time on, and every sleep is recorded.
#pragma once

#include <functional>
#include <vector>

#include "platform/clock.h"

class StepClock final : public platform::Clock {
 public:
  TimePoint Now() const override { return now_; }
  void SleepFor(Duration d) override {
    now_ += d;
    sleeps.push_back(static_cast<int>(d.count()));
    if (onSleep) onSleep();
  }

  std::vector<int> sleeps;
  // Runs after each sleep (e.g. to end a worker's loop).
  std::function<void()> onSleep;

 private:
  TimePoint now_{};
};
