// The security commands and the login worker against the emulated drive.
#include <gtest/gtest.h>

#include "client/drive/client_messages.h"
#include "common/bridge/bridge_api.h"
#include "common/bridge/testing/message_recorder.h"
#include "emulator/testing/drivesim_fixture.h"

namespace {

using drivesim::testing::DriveSim;

class EmulatedSecurityTest : public drivesim::testing::DriveSimTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(sim().Run("reenumerate-delay 0").exit_code, 0);
    ASSERT_TRUE(bridge.BindBridgeLibrary());
  }
  void List() {
    records.clear();
    bridge.ListProductDrives(records);
  }
  BridgeApi bridge;
  std::vector<std::unique_ptr<DriveRecord>> records;
};

TEST_F(EmulatedSecurityTest, CheckingAPasswordChangesNothing) {
  const int id = sim().Attach("--password abcd1234 --unlocked");
  List();
  EXPECT_FALSE(bridge.ChangePassword("wrong123", "wrong123", 0));
  EXPECT_TRUE(bridge.ChangePassword("abcd1234", "abcd1234", 0));
  EXPECT_TRUE(bridge.ChangePassword("abcd1234", "next5678", 0));
  EXPECT_FALSE(bridge.ChangePassword("abcd1234", "abcd1234", 0));
  EXPECT_TRUE(bridge.ChangePassword("next5678", "next5678", 0));
  EXPECT_EQ(sim().Drive(id)["state"].asInt(), 2);
}

TEST_F(EmulatedSecurityTest, SetPasswordThenResetLocksTheDrive) {
  const int id = sim().Attach();
  List();
  ASSERT_TRUE(bridge.SetPassword("abcd1234", 0));
  bridge.ResetChip(0);
  ASSERT_TRUE(DriveSim::WaitUntil([&] { return sim().Drive(id)["state"].asInt() == 3; }));
  List();
  EXPECT_EQ(bridge.GetDriveSecurityState(0), kSecurityLocked);
  EXPECT_EQ(bridge.SetFingerprintUnlock(1, 0), 3);
}

TEST_F(EmulatedSecurityTest, LoginWorkerPostsItsResult) {
  const int id = sim().Attach("--password abcd1234");
  List();
  platform::MessageLoop loop;
  MessageRecorder window(loop);
  window.onMessage = [](platform::UINT, platform::WPARAM, platform::LPARAM) {
    platform::PostQuitMessage(0);
  };
  bridge.StartPasswordLogin(window.hwnd, "wrong123", 0, 1);
  loop.Run();
  bridge.StartPasswordLogin(window.hwnd, "abcd1234", 0, 0);
  loop.Run();
  EXPECT_EQ(window.messages,
            (std::vector<RecordedMessage>{{WM_LOGIN_FAILED, 1, 0}, {WM_LOGIN_OK, 0, 0}}));
  EXPECT_TRUE(DriveSim::WaitUntil([&] { return sim().Drive(id)["state"].asInt() == 2; }));
}

TEST_F(EmulatedSecurityTest, FingerprintUnlockSwitchAndSafeRemoval) {
  const int id = sim().Attach();
  List();
  EXPECT_EQ(bridge.GetFingerprintUnlockState(0), 1);
  EXPECT_EQ(bridge.SetFingerprintUnlock(1, 0), 1);
  EXPECT_EQ(bridge.GetFingerprintUnlockState(0), 0);
  EXPECT_TRUE(sim().Drive(id)["fp_unlock"].asBool());

  ASSERT_EQ(sim().Run({"in-use", std::to_string(id), "on"}).exit_code, 0);
  EXPECT_EQ(bridge.SafeRemoveAll(), 0);
  ASSERT_EQ(sim().Run({"in-use", std::to_string(id), "off"}).exit_code, 0);
  EXPECT_NE(bridge.SafeRemoveAll(), 0);
  EXPECT_FALSE(sim().Drive(id)["attached"].asBool());
}

}  // namespace
