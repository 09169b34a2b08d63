#include "client/fingerprint/fp_workers.h"

#include <gtest/gtest.h>

#include <deque>

#include "client/drive/client_messages.h"
#include "client/fingerprint/custom_data_block.h"
#include "client/fingerprint/tests/scripted_sensor.h"
#include "common/bridge/bridge_api.h"
#include "common/bridge/testing/message_recorder.h"
#include "common/bridge/testing/step_clock.h"

namespace {

using Events = std::vector<std::pair<int, int>>;  // (code, lParam)

// The worker bodies run on the test thread against a scripted sensor; their
// posts queue up on the test thread's loop and the clock never really waits.
class FpWorkersTest : public testing::Test {
 protected:
  void SetUp() override {
    fake.Bind(bridge);
    bridge.SetClock(clock);
    bridge.notifyWnd = window.hwnd;
    // Once the script runs dry the user cancels.
    sensor.onProbesExhausted = [this] { bridge.fpRunning = 0; };
  }

  Events Take(platform::UINT message) {
    loop.RunPending();
    Events events;
    for (const auto& m : window.messages) {
      if (m.msg == message)
        events.emplace_back(static_cast<int>(m.wParam), static_cast<int>(m.lParam));
    }
    window.messages.clear();
    return events;
  }

  FakeLibrary fake;
  BridgeApi bridge;
  StepClock clock;
  platform::MessageLoop loop{clock};
  MessageRecorder window{loop};
  ScriptedSensor sensor{fake};
};

TEST_F(FpWorkersTest, FiveGoodTouchesEnrol) {
  sensor.fingerOn = {true, false, true, false, true, false, true, false, true};
  RunEnrolWorker(bridge, 0);
  EXPECT_EQ(Take(WM_FP_ENROL_EVENT), (Events{{2, 0},
                                             {3, 1},
                                             {1, 1},
                                             {2, 1},
                                             {3, 2},
                                             {1, 2},
                                             {2, 2},
                                             {3, 3},
                                             {1, 3},
                                             {2, 3},
                                             {3, 4},
                                             {1, 4},
                                             {2, 4},
                                             {5, 0}}));
  EXPECT_EQ(bridge.enrolUserId, 3);
  ASSERT_TRUE(bridge.enrolData);
  EXPECT_EQ(bridge.enrolData[0], 0xA7);
  EXPECT_EQ(bridge.fpRunning.load(), 0);
  EXPECT_EQ(clock.sleeps, (std::vector<int>{200, 200, 200, 200}));
}

TEST_F(FpWorkersTest, AFingerLeftOnTheSensorIsCapturedOnce) {
  sensor.fingerOn = {true, true, true};
  RunEnrolWorker(bridge, 0);
  EXPECT_EQ(Take(WM_FP_ENROL_EVENT), (Events{{2, 0}, {3, 1}, {3, 1}, {3, 1}, {1, 1}, {5, 1}}));
  EXPECT_EQ(sensor.CountSent(FP_CMD_CAPTURE), 1);
  EXPECT_FALSE(bridge.enrolData);
  EXPECT_EQ(bridge.enrolUserId, 0);
}

TEST_F(FpWorkersTest, FailureRunsAndRefusals) {
  struct Case {
    const char* what;
    std::deque<SensorReply> captures;
    Events expected;
    std::vector<int> sleeps;
  } const cases[] = {
      {"four failures in a row",
       {{9}, {9}, {9}, {9}},
       {{2, 0}, {4, 0}, {1, 0}, {2, 0}, {4, 0}, {1, 0}, {2, 0}, {4, 0}, {1, 0}, {2, 0}, {5, 2}},
       {200, 200, 200}},
      {"an accepted capture resets the count",
       {{9}, {9}, {9}, {0, 1}, {9}, {9}, {9}},
       {{2, 0}, {4, 0}, {1, 0}, {2, 0}, {4, 0}, {1, 0}, {2, 0}, {4, 0},
        {1, 0}, {2, 0}, {3, 1}, {1, 1}, {2, 1}, {4, 1}, {1, 1}, {2, 1},
        {4, 1}, {1, 1}, {2, 1}, {4, 1}, {1, 1}, {1, 1}, {5, 1}},
       {200, 200, 200, 200, 200, 200, 200, 200}},
      {"similarity and no finger do not count",
       {{9}, {9}, {0, 600}, {178}, {9}, {0, 1}},
       {{2, 0}, {4, 0}, {1, 0}, {2, 0}, {4, 0}, {1, 0}, {2, 0}, {7, 0}, {1, 0}, {2, 0},
        {4, 0}, {1, 0}, {2, 0}, {4, 0}, {1, 0}, {2, 0}, {3, 1}, {1, 1}, {1, 1}, {5, 1}},
       {200, 200, 800, 200, 200, 200, 200, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sensor.captures = c.captures;
    sensor.fingerOn.clear();
    for (std::size_t i = 0; i < c.captures.size(); ++i) {
      sensor.fingerOn.push_back(true);
      sensor.fingerOn.push_back(false);
    }
    clock.sleeps.clear();
    RunEnrolWorker(bridge, 0);
    EXPECT_EQ(Take(WM_FP_ENROL_EVENT), c.expected);
    EXPECT_EQ(clock.sleeps, c.sleeps);
    EXPECT_FALSE(bridge.enrolData);
  }
}

TEST_F(FpWorkersTest, StopRequestWinsOverACompletedEnrolment) {
  sensor.fingerOn = {true, false, true, false, true, false, true, false, true};
  sensor.answer = nullptr;
  int enrols = 0;
  auto original = fake.receiveFingerprint;
  fake.receiveFingerprint = [&](char* s, unsigned char* r, int n) {
    int result = original(s, r, n);
    if (r[3] == FP_CMD_ENROL && ++enrols == 1) bridge.fpRunning = 0;
    return result;
  };
  RunEnrolWorker(bridge, 0);
  Events events = Take(WM_FP_ENROL_EVENT);
  EXPECT_EQ(events.back(), (std::pair<int, int>{5, 1}));
  // Completed: the enrolment is kept, though no save follows.
  EXPECT_EQ(bridge.enrolUserId, 3);
  EXPECT_TRUE(bridge.enrolData);
}

TEST_F(FpWorkersTest, SaveStoresTheFingerOrUndoesTheEnrolment) {
  bridge.enrolUserId = 6;
  bridge.enrolData.reset(new unsigned char[32]);
  RunSaveWorker(bridge, "left thumb");
  EXPECT_EQ(Take(WM_FP_ENROL_EVENT), (Events{{16, 0}}));
  auto list = GetFingerList(bridge, 0);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].id, 6);
  EXPECT_STREQ(list[0].name, "left thumb");
  EXPECT_EQ(sensor.CountSent(FP_CMD_ERASE_USER), 0);
  EXPECT_FALSE(bridge.enrolData);
  EXPECT_EQ(bridge.enrolUserId, 0);

  bridge.enrolUserId = 7;
  fake.failCustomWrites = 1;
  RunSaveWorker(bridge, "right thumb");
  EXPECT_EQ(Take(WM_FP_ENROL_EVENT), (Events{{16, -2}}));
  ASSERT_EQ(sensor.CountSent(FP_CMD_ERASE_USER), 1);
  EXPECT_EQ(sensor.sent.back()[4], 7);
  EXPECT_EQ(GetFingerList(bridge, 0).size(), 1u);

  // An ID the table cannot hold (above 127) is refused and undone as well.
  bridge.enrolUserId = 200;
  RunSaveWorker(bridge, "little finger");
  EXPECT_EQ(Take(WM_FP_ENROL_EVENT), (Events{{16, -1}}));
  ASSERT_EQ(sensor.CountSent(FP_CMD_ERASE_USER), 2);
  EXPECT_EQ(sensor.sent.back()[4], 200);
  EXPECT_EQ(GetFingerList(bridge, 0).size(), 1u);
}

struct Status {
  int result;
  unsigned char underTest, match;
};

TEST_F(FpWorkersTest, VerificationReportsMismatchItsEndAndAMatch) {
  std::deque<Status> script = {{1, 1, 0}, {1, 1, 0}, {1, 1, 0}, {1, 1, 0}};
  for (int i = 0; i < 9; ++i) script.push_back({i % 2 ? 0 : 1, 0, 0});  // off, or query failed
  script.push_back({1, 0, 0});
  script.push_back({1, 1, 1});
  fake.fingerprintStatus = [&script](char*, unsigned char* status) {
    Status s = script.front();
    script.pop_front();
    status[3] = s.underTest;
    status[4] = s.match;
    return s.result;
  };
  bridge.fpRunning = 1;
  RunVerifyWorker(bridge, 0);
  EXPECT_EQ(Take(WM_FP_VERIFY_EVENT), (Events{{8, 1}, {14, 0}, {8, 0}}));
  EXPECT_TRUE(script.empty());
  EXPECT_EQ(bridge.fpRunning.load(), 1);  // left as it was
}

TEST_F(FpWorkersTest, VerificationEndsSilentlyWhenNotRunning) {
  bridge.fpRunning = 0;
  RunVerifyWorker(bridge, 0);
  EXPECT_TRUE(Take(WM_FP_VERIFY_EVENT).empty());
  EXPECT_EQ(fake.CountCalls("AP_GetFingerprintStatus_VendorEx"), 0);
}

}  // namespace
