#include <gtest/gtest.h>

#include <cstring>

#include "common/bridge/bridge_api.h"
#include "common/bridge/testing/fake_library.h"

namespace {

using Records = std::vector<std::unique_ptr<DriveRecord>>;

TEST(ListProductDrivesTest, NoDeviceGivesZeroAndAnEmptyList) {
  FakeLibrary fake;
  fake.symbols.clear();
  BridgeApi bridge;
  ASSERT_TRUE(bridge.BindEntries(fake.Entries()));
  Records records;
  records.push_back(std::make_unique<DriveRecord>());
  EXPECT_EQ(bridge.ListProductDrives(records), 0);
  EXPECT_TRUE(records.empty());
  EXPECT_EQ(bridge.SymbolCount(), 0);
}

TEST(ListProductDrivesTest, AcceptsOnlyTheProductAndBuildsItsRecord) {
  FakeLibrary fake;
  fake.symbols = {"\\\\?\\a#0\\x", "\\\\?\\b#1\\x", "\\\\?\\c#2/x", "\\\\?\\d#3\\x"};
  fake.products["\\\\?\\b#1\\x"] = "OTHER DISK";
  fake.products["\\\\?\\d#3\\x"] = "orlu ssd";  // the match is case-sensitive
  fake.letters["\\\\?\\a#0\\x"] = "FG";
  fake.letters["\\\\?\\c#2/x"] = "<fail>";
  BridgeApi bridge;
  ASSERT_TRUE(bridge.BindEntries(fake.Entries()));
  Records records;
  EXPECT_EQ(bridge.ListProductDrives(records), 1);
  EXPECT_EQ(bridge.SymbolCount(), 4);
  ASSERT_EQ(records.size(), 2u);

  EXPECT_EQ(records[0]->index, 0);
  EXPECT_EQ(records[0]->listingLine, "\\\\?\\a#0\\x\t << FG >>\n");
  EXPECT_EQ(records[0]->letters, "FG");
  EXPECT_TRUE(records[0]->separator);
  EXPECT_STREQ(records[0]->symbol, "\\\\?\\a#0\\x");

  EXPECT_EQ(records[1]->index, 2);
  EXPECT_EQ(records[1]->listingLine, "\\\\?\\c#2/x\t <<  >>\n");
  EXPECT_EQ(records[1]->letters, "");
  EXPECT_FALSE(records[1]->separator);
}

TEST(ListProductDrivesTest, CountAboveTheTableIsBoundedAndSymbolsAreTerminated) {
  FakeLibrary fake;
  fake.symbols = {std::string(64, 'S'), "\\\\?\\b\\x"};
  fake.countOverride = 100000;
  fake.letters[std::string(63, 'S')] = std::string(25, 'L');
  BridgeApi bridge;
  ASSERT_TRUE(bridge.BindEntries(fake.Entries()));
  Records records;
  EXPECT_EQ(bridge.ListProductDrives(records), 1);
  EXPECT_EQ(bridge.SymbolCount(), 256);
  EXPECT_EQ(fake.CountCalls("AP_GetProductInfo"), 256);
  // The symbol that filled its 64 bytes is cut to 63 characters.
  EXPECT_EQ(std::strlen(records[0]->symbol), 63u);
  // The long symbol with letters still fits the 90-byte listing line.
  EXPECT_EQ(records[0]->listingLine.size(), 89u);
}

TEST(ListProductDrivesTest, NegativeCountListsNothing) {
  FakeLibrary fake;
  fake.countOverride = -5;
  BridgeApi bridge;
  ASSERT_TRUE(bridge.BindEntries(fake.Entries()));
  Records records;
  EXPECT_EQ(bridge.ListProductDrives(records), 0);
  EXPECT_EQ(fake.CountCalls("AP_GetProductInfo"), 0);
}

TEST(DriveSecurityStateTest, MapsTheStatusBytes) {
  struct Case {
    int result;
    unsigned char byte1, byte2;
    int state;
  } const cases[] = {
      {1, 0x00, 0x00, kSecurityNoPassword},  {1, 0x55, 0x00, kSecurityNoPassword},
      {1, 0xAA, 0xFF, kSecurityUnlocked},    {1, 0x55, 0xFF, kSecurityLocked},
      {1, 0x00, 0xFF, kSecurityUnknown},     {1, 0xAA, 0x12, kSecurityUnknown},
      {0, 0x55, 0xFF, kSecurityQueryFailed}, {2, 0x55, 0xFF, kSecurityQueryFailed},
  };
  FakeLibrary fake;
  BridgeApi bridge;
  fake.Bind(bridge);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.result << " " << int(c.byte1) << " " << int(c.byte2));
    fake.securityStatus = [&c](char*, unsigned char* status) {
      status[1] = c.byte1;
      status[2] = c.byte2;
      return c.result;
    };
    EXPECT_EQ(bridge.GetDriveSecurityState(0), c.state);
  }
}

TEST(DriveSecurityStateTest, AddressesTheSlotWithAFreshCopy) {
  FakeLibrary fake;
  fake.symbols = {"first\\x", "second\\x"};
  BridgeApi bridge;
  fake.Bind(bridge);
  std::string seen;
  fake.securityStatus = [&seen](char* sym, unsigned char* status) {
    seen = sym;
    for (int i = static_cast<int>(std::strlen("second\\x")); i < 64; ++i) {
      EXPECT_EQ(sym[i], 0);
    }
    status[2] = 0;
    return 1;
  };
  EXPECT_EQ(bridge.GetDriveSecurityState(1), kSecurityNoPassword);
  EXPECT_EQ(seen, "second\\x");
  EXPECT_EQ(bridge.GetDriveSecurityState(-1), kSecurityQueryFailed);
  EXPECT_EQ(bridge.GetDriveSecurityState(256), kSecurityQueryFailed);
}

}  // namespace
