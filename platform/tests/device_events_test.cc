#include "platform/device_events.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/message_loop.h"
#include "platform/tests/test_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr UINT_PTR kGiveUpTimer = 1;

// Collects device events; leaves the loop when it has `wanted` of them, or
// when the safety timer fires.
class DeviceEventSink : public MessageTarget {
 public:
  explicit DeviceEventSink(MessageLoop& loop) : loop_(loop), hwnd(loop.AddWindow(this)) {}
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_DEVICECHANGE) {
      EXPECT_EQ(lParam, 0);
      events.push_back(wParam);
      if (events.size() >= wanted) loop_.EndModal(0);
    } else if (msg == WM_TIMER && wParam == kGiveUpTimer) {
      loop_.EndModal(-1);
    }
    return 0;
  }
  // Runs the loop until `count` events arrived in total; false on time-out.
  bool WaitFor(std::size_t count) {
    wanted = count;
    if (events.size() >= wanted) return true;
    loop_.SetTimer(hwnd, kGiveUpTimer, 10000, /*oneShot=*/true);
    const int result = loop_.RunModal();
    loop_.KillTimer(hwnd, kGiveUpTimer);
    return result == 0;
  }

  std::vector<WPARAM> events;
  std::size_t wanted = 0;

 private:
  MessageLoop& loop_;

 public:
  const HWND hwnd;
};

TEST(DeviceEventWatcherTest, PostsArrivalAndRemovalOfLetterEntries) {
  testing::TempDir dir;
  const std::string letters = dir / "sim/letters";  // created by Start
  fs::create_directories(dir / "volume");
  MessageLoop loop;
  DeviceEventSink sink(loop);
  DeviceEventWatcher watcher(sink.hwnd, letters);
  ASSERT_TRUE(watcher.Start());
  EXPECT_TRUE(fs::is_directory(letters));

  // The size file beside the link is no event; the link and its removal are.
  testing::WriteFile(letters + "/E.size", "1000");
  fs::create_symlink(dir / "volume", letters + "/E");
  ASSERT_TRUE(sink.WaitFor(1));
  fs::remove(letters + "/E");
  ASSERT_TRUE(sink.WaitFor(2));
  // A link renamed into place (how a mounter replaces it atomically) arrives too.
  fs::create_symlink(dir / "volume", dir / "F.tmp");
  fs::rename(dir / "F.tmp", letters + "/F");
  ASSERT_TRUE(sink.WaitFor(3));
  watcher.Stop();

  EXPECT_EQ(sink.events,
            (std::vector<WPARAM>{DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE, DBT_DEVICEARRIVAL}));
}

TEST(DeviceEventWatcherTest, StopsPromptlyAndFailsForAnUnusableFolder) {
  testing::TempDir dir;
  MessageLoop loop;
  DeviceEventSink sink(loop);
  {
    DeviceEventWatcher watcher(sink.hwnd, dir / "letters");
    ASSERT_TRUE(watcher.Start());
    EXPECT_TRUE(watcher.Start());  // already running
  }                                // the destructor stops it
  testing::WriteFile(dir / "file", "x");
  DeviceEventWatcher blocked(sink.hwnd, dir / "file/letters");
  EXPECT_FALSE(blocked.Start());
  blocked.Stop();
}

}  // namespace
}  // namespace platform
