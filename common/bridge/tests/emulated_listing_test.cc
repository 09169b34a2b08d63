// Listing and state through the real bridge library and the emulated drives.
#include <gtest/gtest.h>

#include "common/bridge/bridge_api.h"
#include "emulator/testing/drivesim_fixture.h"

namespace {

using EmulatedListingTest = drivesim::testing::DriveSimTest;

TEST_F(EmulatedListingTest, ListsTheProductDrivesWithTheirState) {
  sim().Attach("--letter E");
  sim().Attach("--letter F --product OTHER");
  sim().Attach("--letter G --password abcd --symbol \\\\?\\usbstor#plain#9/x");
  sim().Attach("--letter H --password abcd --unlocked");

  BridgeApi bridge;
  ASSERT_TRUE(bridge.BindBridgeLibrary()) << bridge.errorText();
  std::vector<std::unique_ptr<DriveRecord>> records;
  ASSERT_EQ(bridge.ListProductDrives(records), 1);
  EXPECT_EQ(bridge.SymbolCount(), 4);
  ASSERT_EQ(records.size(), 3u);

  struct Expected {
    char letter;
    bool separator;
    int state;
  } const expected[] = {{'E', true, kSecurityNoPassword},
                        {'G', false, kSecurityLocked},
                        {'H', true, kSecurityUnlocked}};
  for (std::size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(expected[i].letter);
    const DriveRecord& r = *records[i];
    ASSERT_FALSE(r.letters.empty());
    EXPECT_EQ(r.letters[0], expected[i].letter);
    EXPECT_EQ(r.separator, expected[i].separator);
    EXPECT_EQ(r.listingLine, std::string(r.symbol) + "\t << " + r.letters + " >>\n");
    EXPECT_EQ(bridge.GetDriveSecurityState(r.index), expected[i].state);
  }
}

TEST_F(EmulatedListingTest, NoDeviceAndAFailingStateQuery) {
  BridgeApi bridge;
  ASSERT_TRUE(bridge.BindBridgeLibrary());
  std::vector<std::unique_ptr<DriveRecord>> records;
  EXPECT_EQ(bridge.ListProductDrives(records), 0);
  EXPECT_TRUE(records.empty());

  sim().Attach();
  ASSERT_EQ(bridge.ListProductDrives(records), 1);
  ASSERT_EQ(sim().Run("fail AP_GetSecurityStatus --times 1").exit_code, 0);
  EXPECT_EQ(bridge.GetDriveSecurityState(0), kSecurityQueryFailed);
  EXPECT_EQ(bridge.GetDriveSecurityState(0), kSecurityNoPassword);
}

}  // namespace
