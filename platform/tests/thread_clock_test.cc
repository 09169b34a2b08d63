#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "platform/clock.h"
#include "platform/thread.h"
#include "platform/tests/eventually.h"

namespace platform {
namespace {

using platform::test_support::Eventually;

TEST(ManualClockTest, SleepersWakeOnlyWhenTheirDeadlinePasses) {
  ManualClock clock;
  const auto start = clock.Now();
  std::atomic<bool> woke{false};
  std::thread sleeper([&] {
    clock.SleepFor(std::chrono::milliseconds(1000));
    woke = true;
  });
  ASSERT_TRUE(Eventually([&] { return clock.Sleepers() == 1; }));
  clock.Advance(std::chrono::milliseconds(999));
  EXPECT_EQ(clock.Sleepers(), 1);  // the sleeper rechecks and sleeps on
  EXPECT_FALSE(woke.load());
  clock.Advance(std::chrono::milliseconds(1));
  sleeper.join();
  EXPECT_TRUE(woke.load());
  EXPECT_EQ(clock.Sleepers(), 0);
  EXPECT_EQ(clock.Now() - start, std::chrono::milliseconds(1000));
  clock.SleepFor(std::chrono::milliseconds(0));  // returns at once
}

TEST(PlatformThreadTest, StartThreadRunsTheBodyDetached) {
  std::promise<std::thread::id> ran;
  auto future = ran.get_future();
  ASSERT_TRUE(StartThread([&] { ran.set_value(std::this_thread::get_id()); }));
  ASSERT_EQ(future.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_NE(future.get(), std::this_thread::get_id());
}

TEST(PlatformThreadTest, MutexIsRecursiveForItsOwnerAndOnlyTheOwnerReleasesIt) {
  Mutex mutex;
  mutex.Wait();
  mutex.Wait();
  std::thread other([&] {
    EXPECT_FALSE(mutex.TryWait());
    EXPECT_FALSE(mutex.Release());
  });
  other.join();
  EXPECT_TRUE(mutex.Release());
  std::thread stillHeld([&] { EXPECT_FALSE(mutex.TryWait()); });
  stillHeld.join();
  EXPECT_TRUE(mutex.Release());
  EXPECT_FALSE(mutex.Release());

  // A waiter blocks until the owner releases.
  std::atomic<bool> acquired{false};
  mutex.Wait();
  std::thread waiter([&] {
    MutexGuard guard(mutex);
    acquired = true;
  });
  EXPECT_FALSE(acquired.load());
  mutex.Release();
  waiter.join();
  EXPECT_TRUE(acquired.load());
  EXPECT_TRUE(mutex.TryWait());
  EXPECT_TRUE(mutex.Release());
}

TEST(PlatformThreadTest, CriticalSectionIsRecursive) {
  CriticalSection cs;
  CriticalSectionGuard outer(cs);
  CriticalSectionGuard inner(cs);
  std::thread other([&] { EXPECT_FALSE(cs.TryEnter()); });
  other.join();
}

}  // namespace
}  // namespace platform
