#include <gtest/gtest.h>

#include <cstring>

#include "common/bridge/bridge_api.h"
#include "common/bridge/diagnostic_sink.h"
#include "common/bridge/shared_entries.h"
#include "common/bridge/testing/fake_library.h"

namespace {

int g_sdkCalls = 0;
int CountingGetSdkVer(char* version) {
  ++g_sdkCalls;
  for (int i = 0; i < 16; ++i) EXPECT_EQ(version[i], 0);
  return 1;
}

TEST(BindingTest, MissingLibraryLeavesTheObjectUnboundAndCallsNothing) {
  BridgeApi bridge;
  EXPECT_FALSE(bridge.BindBridgeLibrary("libNoSuchBridgeLibrary.so"));
  EXPECT_FALSE(bridge.IsBound());
  EXPECT_EQ(bridge.errorText(), "Initalize the API entries fail!");

  std::vector<std::unique_ptr<DriveRecord>> records;
  EXPECT_EQ(bridge.ListProductDrives(records), 0);
  EXPECT_EQ(bridge.GetDriveSecurityState(0), kSecurityQueryFailed);
}

TEST(BindingTest, EachRequiredEntryIsNeededAndOnlyThoseTwoAreOptional) {
  FakeLibrary fake;
  const BridgeEntries full = fake.Entries();
  struct Case {
    const char* name;
    void (*clear)(BridgeEntries&);
    bool bound;
  };
  const Case cases[] = {
      {"AP_Login", [](BridgeEntries& e) { e.AP_Login = nullptr; }, false},
      {"GetUsbIdList", [](BridgeEntries& e) { e.GetUsbIdList = nullptr; }, false},
      {"AP_GetFwVersion (bound, never called)",
       [](BridgeEntries& e) { e.AP_GetFwVersion = nullptr; }, false},
      {"GetSDKVer", [](BridgeEntries& e) { e.GetSDKVer = nullptr; }, true},
      {"AP_EraseDisk", [](BridgeEntries& e) { e.AP_EraseDisk = nullptr; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BridgeEntries entries = full;
    c.clear(entries);
    BridgeApi bridge;
    EXPECT_EQ(bridge.BindEntries(entries), c.bound);
    EXPECT_EQ(bridge.errorText().empty(), c.bound);
  }
  // Nothing was called by a failed binding.
  EXPECT_TRUE(fake.Calls().empty());
}

TEST(BindingTest, AskesForTheSdkVersionOnceAndPublishesTheSharedEntries) {
  FakeLibrary fake;
  BridgeEntries entries = fake.Entries();
  entries.GetSDKVer = &CountingGetSdkVer;
  g_sdkCalls = 0;
  {
    BridgeApi bridge;
    ASSERT_TRUE(bridge.BindEntries(entries));
    EXPECT_EQ(g_sdkCalls, 1);
    bridge::SharedEntries shared = bridge::GetSharedEntries();
    EXPECT_EQ(shared.sendFingerprint, entries.AP_SendFingerprint);
    EXPECT_EQ(shared.receiveFingerprint, entries.AP_ReceiveFingerprint);
    EXPECT_EQ(shared.readCustomData, entries.AP_ReadCustomData_New);
    EXPECT_EQ(shared.writeCustomData, entries.AP_WriteCustomData_New);
  }
  // Released with the object.
  EXPECT_EQ(bridge::GetSharedEntries().sendFingerprint, nullptr);
}

TEST(BindingTest, AFailedRebindingWithdrawsTheSharedEntries) {
  FakeLibrary fake;
  BridgeApi bridge;
  ASSERT_TRUE(bridge.BindEntries(fake.Entries()));
  BridgeEntries incomplete = fake.Entries();
  incomplete.AP_Login = nullptr;
  EXPECT_FALSE(bridge.BindEntries(incomplete));
  // The previous library may be unloaded by now: nothing may still lead into it.
  EXPECT_EQ(bridge::GetSharedEntries().sendFingerprint, nullptr);
  EXPECT_EQ(bridge::GetSharedEntries().readCustomData, nullptr);

  ASSERT_TRUE(bridge.BindEntries(fake.Entries()));
  EXPECT_FALSE(bridge.BindBridgeLibrary("libNoSuchBridgeLibrary.so"));
  EXPECT_FALSE(bridge.IsBound());
  EXPECT_EQ(bridge::GetSharedEntries().writeCustomData, nullptr);
}

std::string g_lastLine;
void Capture(const char* line) { g_lastLine = line; }

TEST(DiagnosticSinkTest, DiscardsByDefaultAndCutsLongLines) {
  bridge::SetDiagnosticSink(nullptr);
  bridge::Trace("nobody hears %d", 1);  // must not crash

  bridge::SetDiagnosticSink(&Capture);
  std::string huge(10000, 'x');
  bridge::Trace("%s", huge.c_str());
  EXPECT_EQ(g_lastLine.size(), 8191u);

  unsigned char bytes[600];
  for (int i = 0; i < 600; ++i) bytes[i] = static_cast<unsigned char>(i);
  char text[1024];
  bridge::FormatHexBytes(bytes, 600, text, sizeof text);
  EXPECT_EQ(std::string(text).substr(0, 9), " 00 01 02");
  EXPECT_LT(std::strlen(text), sizeof text);
  EXPECT_EQ(std::strlen(text) % 3, 0u);
  bridge::SetDiagnosticSink(nullptr);
}

}  // namespace
