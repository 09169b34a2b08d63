#include "platform/message_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {
namespace {

constexpr UINT WM_TEST = WM_USER + 1;

struct Received {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Received&) const = default;
};

// Records what it receives; an optional hook runs inside the handler.
class RecordingWindow : public MessageTarget {
 public:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    received.push_back({msg, wParam, lParam});
    handlerThread = std::this_thread::get_id();
    return onMessage ? onMessage(msg, wParam, lParam) : 0;
  }
  std::vector<Received> received;
  std::thread::id handlerThread;
  std::function<LRESULT(UINT, WPARAM, LPARAM)> onMessage;
};

// An event source that counts wake-ups, so a test knows when another thread
// has queued something, without sleeping.
class ObservedEventSource : public EventSource {
 public:
  void WaitForWork(std::optional<std::chrono::milliseconds> timeout) override {
    timeouts.push_back(timeout);
    if (onWait) onWait();
    std::unique_lock lock(mutex_);
    const auto ready = [&] { return wakes_ > consumed_; };
    if (timeout)
      cv_.wait_for(lock, *timeout, ready);
    else
      cv_.wait(lock, ready);
    consumed_ = wakes_;
  }
  void Wake() override {
    {
      std::lock_guard lock(mutex_);
      ++wakes_;
    }
    cv_.notify_all();
  }
  // Bounded wait for `n` wake-ups in total.
  bool WaitForWakes(int n) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::seconds(10), [&] { return wakes_ >= n; });
  }

  std::vector<std::optional<std::chrono::milliseconds>> timeouts;  // loop thread only
  std::function<void()> onWait;

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  int wakes_ = 0;
  int consumed_ = 0;
};

TEST(MessageLoopTest, PostedMessagesArriveInPostingOrder) {
  MessageLoop loop;
  RecordingWindow a, b;
  const HWND ha = loop.AddWindow(&a), hb = loop.AddWindow(&b);
  ASSERT_NE(ha, hb);
  EXPECT_EQ(MessageLoop::ForCurrentThread(), &loop);
  EXPECT_TRUE(PostMessage(ha, WM_TEST, 1, 10));
  EXPECT_TRUE(PostMessage(hb, WM_TEST, 2, 20));
  EXPECT_TRUE(PostMessage(ha, WM_TEST, 3, 30));
  EXPECT_TRUE(a.received.empty());
  EXPECT_EQ(loop.RunPending(), 3);
  EXPECT_EQ(a.received, (std::vector<Received>{{WM_TEST, 1, 10}, {WM_TEST, 3, 30}}));
  EXPECT_EQ(b.received, (std::vector<Received>{{WM_TEST, 2, 20}}));
}

TEST(MessageLoopTest, RemovedWindowsGetNothingAndAreNoWindows) {
  MessageLoop loop;
  RecordingWindow a;
  const HWND ha = loop.AddWindow(&a);
  EXPECT_TRUE(IsWindow(ha));
  PostMessage(ha, WM_TEST, 1, 0);
  loop.RemoveWindow(ha);
  EXPECT_FALSE(IsWindow(ha));
  EXPECT_FALSE(PostMessage(ha, WM_TEST, 2, 0));
  EXPECT_EQ(SendMessage(ha, WM_TEST, 3, 0), 0);
  EXPECT_FALSE(PostMessage(0, WM_TEST, 0, 0));
  loop.RunPending();
  EXPECT_TRUE(a.received.empty());
}

TEST(MessageLoopTest, SendOnOwnThreadRunsAtOnceAheadOfPostedMessages) {
  MessageLoop loop;
  RecordingWindow a;
  a.onMessage = [](UINT, WPARAM w, LPARAM) { return static_cast<LRESULT>(w * 2); };
  const HWND ha = loop.AddWindow(&a);
  PostMessage(ha, WM_TEST, 1, 0);
  EXPECT_EQ(SendMessage(ha, WM_TEST, 21, 0), 42);
  loop.RunPending();
  EXPECT_EQ(a.received, (std::vector<Received>{{WM_TEST, 21, 0}, {WM_TEST, 1, 0}}));
}

TEST(MessageLoopTest, RunPendingStopsAtQuitAndRunReturnsItsCode) {
  MessageLoop loop;
  RecordingWindow a;
  const HWND ha = loop.AddWindow(&a);
  PostMessage(ha, WM_TEST, 1, 0);
  PostQuitMessage(-1);
  PostMessage(ha, WM_TEST, 2, 0);
  EXPECT_EQ(loop.RunPending(), 1);
  EXPECT_EQ(loop.PendingQuit(), -1);
  EXPECT_EQ(loop.Run(), -1);
  EXPECT_FALSE(loop.PendingQuit());

  // A quit posted to a window, even one removed since, ends the loop as well.
  RecordingWindow b;
  const HWND hb = loop.AddWindow(&b);
  PostMessage(hb, WM_QUIT, 4, 0);
  loop.RemoveWindow(hb);
  EXPECT_EQ(loop.Run(), 4);
  EXPECT_EQ(a.received, (std::vector<Received>{{WM_TEST, 1, 0}, {WM_TEST, 2, 0}}));
}

TEST(MessageLoopThreadTest, PostsAndSendsFromOtherThreadsAreHandledOnTheOwningThread) {
  MessageLoop loop;
  RecordingWindow w;
  const HWND hwnd = loop.AddWindow(&w);
  constexpr int kThreads = 4, kPerThread = 200;
  std::atomic<int> sendResults{0};
  int handled = 0;
  w.onMessage = [&](UINT msg, WPARAM, LPARAM) -> LRESULT {
    ++handled;
    if (handled == kThreads * (kPerThread + 1)) PostQuitMessage(7);
    return msg == WM_TEST + 1 ? 5 : 0;
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kPerThread; ++i) PostMessage(hwnd, WM_TEST, t, i);
      sendResults += static_cast<int>(SendMessage(hwnd, WM_TEST + 1, t, kPerThread));
    });
  }
  EXPECT_EQ(loop.Run(), 7);
  for (auto& t : threads) t.join();

  EXPECT_EQ(w.handlerThread, std::this_thread::get_id());
  EXPECT_EQ(sendResults.load(), 5 * kThreads);
  // Each thread's messages arrive in its posting order, its send last.
  std::vector<LPARAM> next(kThreads, 0);
  for (const auto& r : w.received) {
    EXPECT_EQ(r.lParam, next[r.wParam]++);
    if (r.lParam == kPerThread) {
      EXPECT_EQ(r.msg, WM_TEST + 1);
    }
  }
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(next[t], kPerThread + 1);
}

TEST(MessageLoopThreadTest, SenderGetsZeroWhenTheWindowGoesAwayWhileItWaits) {
  MessageLoop loop;
  ObservedEventSource source;
  loop.SetEventSource(&source);
  RecordingWindow w;
  const HWND hwnd = loop.AddWindow(&w);
  std::atomic<LRESULT> result{-1};
  std::thread sender([&] { result = SendMessage(hwnd, WM_TEST, 1, 0); });
  ASSERT_TRUE(source.WaitForWakes(1));  // the message is queued; the sender waits
  loop.RemoveWindow(hwnd);
  sender.join();
  EXPECT_EQ(result.load(), 0);
  loop.RunPending();
  EXPECT_TRUE(w.received.empty());
  loop.SetEventSource(nullptr);
}

TEST(MessageLoopThreadTest, SenderGetsZeroWhenTheLoopEndsWhileItWaits) {
  ObservedEventSource source;
  RecordingWindow w;
  std::atomic<LRESULT> result{-1};
  std::thread sender;
  {
    MessageLoop loop;
    loop.SetEventSource(&source);
    const HWND hwnd = loop.AddWindow(&w);
    sender = std::thread([&] { result = SendMessage(hwnd, WM_TEST, 1, 0); });
    ASSERT_TRUE(source.WaitForWakes(1));
  }
  sender.join();
  EXPECT_EQ(result.load(), 0);
  EXPECT_TRUE(w.received.empty());
}

TEST(MessageLoopThreadTest, EventSourceWaitsUntilTheNextTimerAndWakesForPosts) {
  MessageLoop loop;
  ObservedEventSource source;
  loop.SetEventSource(&source);
  RecordingWindow w;
  const HWND hwnd = loop.AddWindow(&w);
  w.onMessage = [&](UINT msg, WPARAM, LPARAM) -> LRESULT {
    if (msg == WM_TEST) PostQuitMessage(0);
    return 0;
  };
  ASSERT_TRUE(loop.SetTimer(hwnd, 1, 60000));
  std::thread poster;
  source.onWait = [&] {
    if (!poster.joinable()) poster = std::thread([&] { PostMessage(hwnd, WM_TEST, 0, 0); });
  };
  EXPECT_EQ(loop.Run(), 0);
  poster.join();
  ASSERT_FALSE(source.timeouts.empty());
  ASSERT_TRUE(source.timeouts[0].has_value());
  EXPECT_LE(source.timeouts[0]->count(), 60000);
  EXPECT_GT(source.timeouts[0]->count(), 0);
  loop.SetEventSource(nullptr);
}

class MessageLoopTimerTest : public ::testing::Test {
 protected:
  ManualClock clock;
  MessageLoop loop{clock};
  RecordingWindow window;
  HWND hwnd = loop.AddWindow(&window);

  std::vector<WPARAM> Ticks() {
    std::vector<WPARAM> ids;
    for (const auto& r : window.received)
      if (r.msg == WM_TIMER) ids.push_back(r.wParam);
    window.received.clear();
    return ids;
  }
  void Advance(int ms) {
    clock.Advance(std::chrono::milliseconds(ms));
    loop.RunPending();
  }
};

TEST_F(MessageLoopTimerTest, PeriodicTimerTicksOnTheLoopClockWithoutCatchingUp) {
  ASSERT_TRUE(loop.SetTimer(hwnd, 5, 1000));
  EXPECT_EQ(loop.NextTimerDue(), clock.Now() + std::chrono::milliseconds(1000));
  Advance(999);
  EXPECT_TRUE(Ticks().empty());
  Advance(1);
  EXPECT_EQ(Ticks(), std::vector<WPARAM>{5});
  Advance(3500);  // three periods late: one tick, next one a period later
  EXPECT_EQ(Ticks(), std::vector<WPARAM>{5});
  Advance(999);
  EXPECT_TRUE(Ticks().empty());
  Advance(1);
  EXPECT_EQ(Ticks(), std::vector<WPARAM>{5});
  EXPECT_TRUE(loop.KillTimer(hwnd, 5));
  EXPECT_FALSE(loop.KillTimer(hwnd, 5));
  Advance(5000);
  EXPECT_TRUE(Ticks().empty());
  EXPECT_FALSE(loop.NextTimerDue());
}

TEST_F(MessageLoopTimerTest, OneShotTicksOnceAndSettingAgainRestarts) {
  ASSERT_TRUE(loop.SetTimer(hwnd, 5, 5000, /*oneShot=*/true));
  ASSERT_TRUE(loop.SetTimer(hwnd, 6, 3000, /*oneShot=*/true));
  Advance(4000);
  EXPECT_EQ(Ticks(), std::vector<WPARAM>{6});
  ASSERT_TRUE(loop.SetTimer(hwnd, 5, 5000, /*oneShot=*/true));  // restarts from now
  Advance(4999);
  EXPECT_TRUE(Ticks().empty());
  Advance(1);
  EXPECT_EQ(Ticks(), std::vector<WPARAM>{5});
  Advance(10000);
  EXPECT_TRUE(Ticks().empty());
}

TEST_F(MessageLoopTimerTest, HandlerKillingItsTimerAndTimersOfRemovedWindows) {
  RecordingWindow other;
  const HWND hother = loop.AddWindow(&other);
  window.onMessage = [&](UINT msg, WPARAM id, LPARAM) -> LRESULT {
    if (msg == WM_TIMER) loop.KillTimer(hwnd, id);
    return 0;
  };
  ASSERT_TRUE(loop.SetTimer(hwnd, 1, 100));
  ASSERT_TRUE(loop.SetTimer(hother, 1, 100));
  EXPECT_FALSE(loop.SetTimer(0, 1, 100));
  EXPECT_FALSE(loop.SetTimer(0xDEAD, 1, 100));
  Advance(100);
  EXPECT_EQ(Ticks(), std::vector<WPARAM>{1});
  loop.RemoveWindow(hother);
  Advance(1000);
  EXPECT_TRUE(Ticks().empty());
  EXPECT_TRUE(other.received.size() == 1);
  EXPECT_FALSE(loop.NextTimerDue());
}

TEST(ModalLoopTest, NestedModalLoopsReturnTheirEndValues) {
  MessageLoop loop;
  RecordingWindow w;
  const HWND hwnd = loop.AddWindow(&w);
  std::vector<std::string> trace;
  w.onMessage = [&](UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
    switch (msg) {
      case WM_TEST:  // opens a pop-up, which opens another
        trace.push_back("open" + std::to_string(loop.ModalDepth()));
        if (wParam < 2) {
          PostMessage(hwnd, WM_TEST, wParam + 1, 0);
          const int result = loop.RunModal();
          trace.push_back("closed" + std::to_string(loop.ModalDepth()) + "=" +
                          std::to_string(result));
          if (wParam == 0)
            PostQuitMessage(result);
          else
            PostMessage(hwnd, WM_CLOSE, 10, 0);
        } else {
          PostMessage(hwnd, WM_CLOSE, 20, 0);
        }
        break;
      case WM_CLOSE:
        loop.EndModal(static_cast<int>(wParam));
        break;
    }
    return 0;
  };
  PostMessage(hwnd, WM_TEST, 0, 0);
  EXPECT_EQ(loop.Run(), 10);
  EXPECT_EQ(trace,
            (std::vector<std::string>{"open0", "open1", "open2", "closed1=20", "closed0=10"}));
  EXPECT_EQ(loop.ModalDepth(), 0);
}

TEST(ModalLoopTest, QuitInsideAModalLoopEndsItAndReachesTheOuterLoop) {
  MessageLoop loop;
  RecordingWindow w;
  const HWND hwnd = loop.AddWindow(&w);
  int modalResult = -1;
  bool handledAfterQuit = false;
  w.onMessage = [&](UINT msg, WPARAM, LPARAM) -> LRESULT {
    if (msg == WM_TEST) {
      PostQuitMessage(3);
      PostMessage(hwnd, WM_CLOSE, 0, 0);
      modalResult = loop.RunModal(/*quitValue=*/-5);
    } else if (msg == WM_CLOSE) {
      handledAfterQuit = true;
    }
    return 0;
  };
  PostMessage(hwnd, WM_TEST, 0, 0);
  EXPECT_EQ(loop.Run(), 3);
  EXPECT_EQ(modalResult, -5);
  EXPECT_FALSE(handledAfterQuit);  // the outer loop takes the quit first
  loop.EndModal(1);                // no modal loop: nothing to end
}

}  // namespace
}  // namespace platform
