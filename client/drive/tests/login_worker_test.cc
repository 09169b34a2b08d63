#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "client/drive/client_messages.h"
#include "client/drive/erase_and_format.h"
#include "common/bridge/bridge_api.h"
#include "common/bridge/testing/fake_library.h"
#include "common/bridge/testing/message_recorder.h"

namespace {

// Runs the loop until `count` messages arrived (workers post from their own
// threads; the wait ends on their arrival, not after a fixed time).
void RunUntil(platform::MessageLoop& loop, MessageRecorder& window, std::size_t count) {
  window.onMessage = [&](platform::UINT, platform::WPARAM, platform::LPARAM) {
    if (window.messages.size() >= count) platform::PostQuitMessage(0);
  };
  if (window.messages.size() < count) loop.Run();
}

TEST(LoginWorkerTest, PostsTheOutcomeWithItsOwnTag) {
  FakeLibrary fake;
  fake.login = [](char*, unsigned char* password) {
    return std::strcmp(reinterpret_cast<char*>(password), "right") == 0 ? 1 : 0;
  };
  BridgeApi bridge;
  fake.Bind(bridge);
  platform::MessageLoop loop;
  MessageRecorder window(loop);

  bridge.StartPasswordLogin(window.hwnd, "right", 0, 1);
  RunUntil(loop, window, 1);
  bridge.StartPasswordLogin(window.hwnd, "wrong", 0, 0);
  RunUntil(loop, window, 2);

  EXPECT_EQ(window.messages,
            (std::vector<RecordedMessage>{{WM_LOGIN_OK, 1, 0}, {WM_LOGIN_FAILED, 0, 0}}));
  EXPECT_EQ(bridge.replyTag, 0);
}

TEST(EraseWorkerTest, ClearsFormatBusyBeforeReporting) {
  FakeLibrary fake;
  BridgeApi bridge;
  fake.Bind(bridge);
  platform::ManualClock clock;  // never advanced: the drive is back at once
  bridge.SetClock(clock);
  platform::MessageLoop loop;
  MessageRecorder window(loop);
  int busyWhenReported = -1;

  fake.partition = [](char*) { return 0; };
  window.onMessage = [&](platform::UINT, platform::WPARAM, platform::LPARAM) {
    busyWhenReported = bridge.formatBusy.load();
    platform::PostQuitMessage(0);
  };
  StartEraseAndFormat(bridge, window.hwnd, 0);
  EXPECT_EQ(bridge.formatBusy.load(), 1);
  // The worker sleeps one second before it looks for the drive again.
  while (clock.Sleepers() == 0) std::this_thread::yield();
  clock.Advance(std::chrono::milliseconds(1000));
  loop.Run();
  EXPECT_EQ(window.messages, (std::vector<RecordedMessage>{{WM_FORMAT_FAILED, 0, 0}}));
  EXPECT_EQ(busyWhenReported, 0);
}

}  // namespace
