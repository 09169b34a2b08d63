#include <gtest/gtest.h>

#include <cstring>

#include "common/bridge/bridge_api.h"
#include "common/bridge/testing/fake_library.h"

namespace {

class SecurityCommandsTest : public testing::Test {
 protected:
  void SetUp() override { fake.Bind(bridge); }
  FakeLibrary fake;
  BridgeApi bridge;
};

TEST(UnboundSecurityCommandsTest, EveryMemberFailsWithoutCallingTheLibrary) {
  FakeLibrary fake;
  BridgeEntries entries = fake.Entries();
  entries.AP_SetPwd = nullptr;
  BridgeApi bridge;
  ASSERT_FALSE(bridge.BindEntries(entries));
  EXPECT_FALSE(bridge.SetPassword("abcd", 0));
  EXPECT_FALSE(bridge.ChangePassword("abcd", "abcd", 0));
  EXPECT_FALSE(bridge.Login("abcd", 0));
  bridge.ResetChip(0);
  EXPECT_EQ(bridge.SafeRemoveAll(), 0);
  EXPECT_EQ(bridge.SetFingerprintUnlock(1, 0), -1);
  EXPECT_EQ(bridge.GetFingerprintUnlockState(0), -1);
  EXPECT_FALSE(bridge.EraseSecurityInfo(0));
  EXPECT_FALSE(bridge.FormatDisk(0));
  EXPECT_TRUE(fake.Calls().empty());
}

TEST_F(SecurityCommandsTest, PasswordsTravelZeroPaddedIn32ByteBuffers) {
  EXPECT_TRUE(bridge.SetPassword("abcd", 0));
  ASSERT_EQ(fake.lastPassword.size(), 32u);
  EXPECT_EQ(std::memcmp(fake.lastPassword.data(), "abcd", 4), 0);
  for (int i = 4; i < 32; ++i) EXPECT_EQ(fake.lastPassword[i], 0) << i;

  EXPECT_TRUE(bridge.ChangePassword("old1", "new12", 0));
  ASSERT_EQ(fake.lastPassword.size(), 64u);
  EXPECT_STREQ(reinterpret_cast<char*>(fake.lastPassword.data()), "old1");
  EXPECT_STREQ(reinterpret_cast<char*>(fake.lastPassword.data() + 32), "new12");

  // A password too long for the buffer keeps its terminator.
  std::string longPassword(40, 'p');
  EXPECT_TRUE(bridge.Login(longPassword.c_str(), 0));
  EXPECT_EQ(fake.lastPassword[30], 'p');
  EXPECT_EQ(fake.lastPassword[31], 0);
}

TEST_F(SecurityCommandsTest, ResultsFollowTheLibrary) {
  fake.setPassword = [](char*, unsigned char*) { return 0; };
  fake.changePassword = [](char*, unsigned char*) { return 7; };
  EXPECT_FALSE(bridge.SetPassword("abcd", 0));
  EXPECT_TRUE(bridge.ChangePassword("abcd", "abcd", 0));
  fake.partition = [](char*) { return 2; };  // only 1 counts
  EXPECT_FALSE(bridge.PartitionDisk(0));
  bridge.ResetChip(0);
  EXPECT_EQ(fake.CountCalls("JMChipRstEx"), 1);
}

TEST_F(SecurityCommandsTest, SafeRemoveAllStopsAtTheFirstFailureAndReportsTheLast) {
  struct Case {
    std::vector<int> results;
    int expected;
    int calls;
  } const cases[] = {
      {{1, 0}, 0, 2}, {{1, -1}, 0, 2}, {{0, 1}, 1, 2}, {{-1, 1}, 0, 1}, {{}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case with " << c.results.size() << " drives");
    FakeLibrary local;
    local.symbols.clear();
    for (std::size_t i = 0; i < c.results.size(); ++i)
      local.symbols.push_back("d" + std::to_string(i) + "\\x");
    BridgeApi api;
    local.Bind(api);
    std::size_t next = 0;
    local.safeRemove = [&](char*) { return c.results[next++]; };
    EXPECT_EQ(api.SafeRemoveAll(), c.expected);
    EXPECT_EQ(local.CountCalls("JMSafeRemoveEx"), c.calls);
  }
}

TEST_F(SecurityCommandsTest, SetFingerprintUnlockChecksTheSecurityStateFirst) {
  struct Case {
    int statusResult;
    unsigned char byte1, byte2;
    int controlResult;
    int expected;
    bool switched;
  } const cases[] = {
      {1, 0x37, 0x00, 0, 1, true},   // no password: whatever byte 1 holds
      {1, 0xAA, 0xFF, 0, 1, true},   // unlocked
      {1, 0xAA, 0xFF, 1, 0, true},   // the drive refused
      {1, 0x55, 0xFF, 0, 3, false},  // locked
      {1, 0x00, 0xFF, 0, 2, false},  // not recognised
      {1, 0xAA, 0x10, 0, 2, false}, {0, 0xAA, 0xFF, 0, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.byte1) << "/" << int(c.byte2));
    int switched = 0;
    fake.securityStatus = [&c](char*, unsigned char* status) {
      status[1] = c.byte1;
      status[2] = c.byte2;
      return c.statusResult;
    };
    fake.fingerprintControl = [&](char*, int on) {
      EXPECT_EQ(on, 1);
      ++switched;
      return c.controlResult;
    };
    EXPECT_EQ(bridge.SetFingerprintUnlock(1, 0), c.expected);
    EXPECT_EQ(switched, c.switched ? 1 : 0);
  }
}

TEST_F(SecurityCommandsTest, FingerprintUnlockStateReadsByteSix) {
  struct Case {
    int result;
    unsigned char byte6;
    int expected;
  } const cases[] = {{1, 1, 0}, {1, 0, 1}, {1, 9, 2}, {0, 1, -1}};
  for (const Case& c : cases) {
    fake.fingerprintStatus = [&c](char*, unsigned char* status) {
      status[6] = c.byte6;
      return c.result;
    };
    EXPECT_EQ(bridge.GetFingerprintUnlockState(0), c.expected) << int(c.byte6);
  }
}

}  // namespace
