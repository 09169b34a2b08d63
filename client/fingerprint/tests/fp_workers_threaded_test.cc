// The fingerprint workers on threads of their own: the one lock keeps a
// verification from running beside an enrolment.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "client/drive/client_messages.h"
#include "client/fingerprint/fp_workers.h"
#include "client/fingerprint/tests/scripted_sensor.h"
#include "common/bridge/bridge_api.h"
#include "common/bridge/testing/message_recorder.h"

namespace {

TEST(FpWorkersThreadedTest, VerificationWaitsForTheEnrolmentAndEndsSilentlyWhenStopped) {
  FakeLibrary fake;
  BridgeApi bridge;
  fake.Bind(bridge);
  ScriptedSensor sensor(fake);
  sensor.answer = [](std::uint8_t, std::uint8_t) { return SensorReply{FP_SENSOR_NO_FINGER}; };
  platform::ManualClock clock;
  bridge.SetClock(clock);
  platform::MessageLoop loop(clock);
  MessageRecorder window(loop);
  bridge.notifyWnd = window.hwnd;

  StartEnrolWorker(bridge, 0);
  while (clock.Sleepers() == 0) std::this_thread::yield();  // holds the lock, waiting for a touch

  std::atomic<bool> verifyDone{false};
  platform::StartThread([&] {
    RunVerifyWorker(bridge, 0);
    verifyDone = true;
    platform::PostMessage(window.hwnd, platform::WM_NULL, 0, 0);
  });

  bridge.fpRunning = 0;  // the user cancels the enrolment
  clock.Advance(std::chrono::milliseconds(200));
  window.onMessage = [&](platform::UINT, platform::WPARAM, platform::LPARAM) {
    if (verifyDone) platform::PostQuitMessage(0);
  };
  loop.Run();

  std::vector<RecordedMessage> expected = {{WM_FP_ENROL_EVENT, 1, 0}, {WM_FP_ENROL_EVENT, 5, 1}};
  std::vector<RecordedMessage> seen;
  for (const auto& m : window.messages) {
    if (m.msg != platform::WM_NULL) seen.push_back(m);
  }
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(fake.CountCalls("AP_GetFingerprintStatus_VendorEx"), 0);
  EXPECT_FALSE(bridge.enrolData);
}

}  // namespace
