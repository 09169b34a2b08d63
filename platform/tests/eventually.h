// Bounded wait in tests for a condition another thread or process makes true.
#pragma once

#include <chrono>
#include <thread>

namespace platform::test_support {

template <typename Predicate>
bool Eventually(Predicate predicate) {
  for (int i = 0; i < 2000; ++i) {
    if (predicate()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return predicate();
}

}  // namespace platform::test_support
