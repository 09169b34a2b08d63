// The sensor channel, the custom-data block and the workers against the
// emulated drive. The workers run on the test thread; their pauses move a
// StepClock and let the test lift or lay the finger between polls.
#include <gtest/gtest.h>

#include "client/drive/client_messages.h"
#include "client/fingerprint/custom_data_block.h"
#include "client/fingerprint/fp_channel.h"
#include "client/fingerprint/fp_workers.h"
#include "common/bridge/bridge_api.h"
#include "common/bridge/testing/message_recorder.h"
#include "common/bridge/testing/step_clock.h"
#include "emulator/testing/drivesim_fixture.h"

namespace {

using Events = std::vector<std::pair<int, int>>;

class EmulatedFingerprintTest : public drivesim::testing::DriveSimTest {
 protected:
  void SetUp() override {
    id = sim().Attach("--letter E");
    ASSERT_TRUE(bridge.BindBridgeLibrary());
    std::vector<std::unique_ptr<DriveRecord>> records;
    bridge.ListProductDrives(records);
    bridge.CopySymbol(0, symbol);
    bridge.SetClock(clock);
    bridge.notifyWnd = window.hwnd;
  }

  Events Take(platform::UINT message) {
    loop.RunPending();
    Events events;
    for (const auto& m : window.messages) {
      if (m.msg == message) events.emplace_back(int(m.wParam), int(m.lParam));
    }
    window.messages.clear();
    return events;
  }

  void Finger(const std::string& action) { ASSERT_EQ(sim().Run("finger " + action).exit_code, 0); }

  int id = 0;
  BridgeApi bridge;
  BridgeApi::SymbolBuffer symbol;
  StepClock clock;
  platform::MessageLoop loop{clock};
  MessageRecorder window{loop};
};

TEST_F(EmulatedFingerprintTest, ChannelAgainstTheSensor) {
  EXPECT_FALSE(FpIsFingerPresent(symbol));
  Finger("down");
  EXPECT_TRUE(FpIsFingerPresent(symbol));
  EXPECT_EQ(FpEraseUser(symbol, 42), 0);  // unknown user: 144, accepted

  ASSERT_EQ(sim().Run("fail --damage-frames").exit_code, 0);
  EXPECT_EQ(FingerPrintCommand(symbol, FP_CMD_GET_AVAILABLE_ID, 0, false, nullptr, nullptr),
            FP_ERR_BAD_CHECKSUM);
  ASSERT_EQ(sim().Run("fail clear").exit_code, 0);
  ASSERT_EQ(sim().Run("fail AP_ReceiveFingerprint --times 1").exit_code, 0);
  EXPECT_EQ(FingerPrintCommand(symbol, FP_CMD_FINGER_DETECT, 0, false, nullptr, nullptr),
            FP_ERR_TRANSPORT);
}

TEST_F(EmulatedFingerprintTest, ErasedBlockIsReinitialisedAndTheHintKept) {
  auto block = [&] { return sim().Drive(id)["custom_data"].asString(); };
  EXPECT_EQ(block(), std::string(1024, 'f'));
  EXPECT_TRUE(GetFingerList(bridge, 0).empty());
  EXPECT_EQ(block(), std::string(1024, '0'));
  ASSERT_TRUE(WritePasswordHint(bridge, "ein Hinweis"));
  EXPECT_EQ(sim().Drive(id)["hint"].asString(), "ein Hinweis");
  EXPECT_EQ(ReadPasswordHint(bridge), "ein Hinweis");
}

TEST_F(EmulatedFingerprintTest, EnrolSaveVerifyAndDelete) {
  // Every pause of the worker flips the finger: it is lifted after each
  // capture and laid down again for the next touch.
  Finger("down");
  bool down = true;
  clock.onSleep = [&] {
    down = !down;
    Finger(down ? "down" : "up");
  };
  RunEnrolWorker(bridge, 0);
  Events enrol = Take(WM_FP_ENROL_EVENT);
  ASSERT_FALSE(enrol.empty());
  EXPECT_EQ(enrol.back(), (std::pair<int, int>{5, 0}));
  EXPECT_EQ(std::count(enrol.begin(), enrol.end(), std::pair<int, int>{2, 4}), 1);
  const int enrolled = bridge.enrolUserId;
  ASSERT_GT(enrolled, 0);

  clock.onSleep = nullptr;
  RunSaveWorker(bridge, "Daumen");
  EXPECT_EQ(Take(WM_FP_ENROL_EVENT), (Events{{16, 0}}));
  auto list = GetFingerList(bridge, 0);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].id, enrolled);
  EXPECT_STREQ(list[0].name, "Daumen");
  Json::Value fingerprints = sim().Drive(id)["fingerprints"];
  ASSERT_EQ(fingerprints.size(), 1u);
  EXPECT_EQ(fingerprints[0].asInt(), enrolled);

  Finger("match " + std::to_string(enrolled));
  bridge.fpRunning = 1;
  RunVerifyWorker(bridge, 0);
  EXPECT_EQ(Take(WM_FP_VERIFY_EVENT), (Events{{8, 0}}));

  FpUser user{};
  user.id = static_cast<std::int8_t>(enrolled);
  EXPECT_EQ(DeleteFingerUser(symbol, user), 0);
  EXPECT_TRUE(GetFingerList(bridge, 0).empty());
  EXPECT_EQ(sim().Drive(id)["fingerprints"].size(), 0u);
}

TEST_F(EmulatedFingerprintTest, SaveWhoseWriteFailsUndoesTheEnrolment) {
  ASSERT_EQ(sim().Run("finger enrol 7").exit_code, 0);
  GetFingerList(bridge, 0);  // a valid block first
  ASSERT_EQ(sim().Run("fail AP_WriteCustomData_New --times 1").exit_code, 0);
  bridge.enrolUserId = 7;
  RunSaveWorker(bridge, "thumb");
  EXPECT_EQ(Take(WM_FP_ENROL_EVENT), (Events{{16, -2}}));
  EXPECT_EQ(sim().Drive(id)["fingerprints"].size(), 0u);
}

}  // namespace
