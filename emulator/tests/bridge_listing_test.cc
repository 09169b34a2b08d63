// Listing and identifying emulated drives through the bridge library.
#include <signal.h>

#include <filesystem>

#include "emulator/tests/bridge_test_support.h"

namespace drivesim::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(BridgeTest, ListsAttachedDrivesWithLettersAndProduct) {
  EXPECT_TRUE(ListSymbols().empty());
  sim().Attach("--letter F --size 4096");
  sim().Attach("--product \"Other Disk\" --symbol ABC");

  const auto symbols = ListSymbols();
  ASSERT_EQ(symbols.size(), 2u);
  EXPECT_LE(symbols[0].size(), 63u);
  EXPECT_EQ(symbols[0][symbols[0].size() - 2], '\\');
  EXPECT_EQ(symbols[1], "ABC");

  Symbol first;
  std::strncpy(first.get(), symbols[0].c_str(), 63);
  char letters[26] = {};
  EXPECT_EQ(lib.JMGetDiskLetterEx(first.get(), letters), 1);
  EXPECT_STREQ(letters, "F");
  char vendor[64] = {}, product[64] = {}, serial[64] = {}, revision[42] = {};
  EXPECT_NE(lib.AP_GetProductInfo(first.get(), vendor, product, serial, revision), 0);
  EXPECT_STREQ(product, "ORLU SSD");

  Symbol second;
  std::strncpy(second.get(), "ABC", 63);
  EXPECT_NE(lib.AP_GetProductInfo(second.get(), vendor, product, serial, revision), 0);
  EXPECT_STREQ(product, "Other Disk");
  EXPECT_EQ(lib.JMGetDiskLetterEx(second.get(), letters), 1);
  EXPECT_STREQ(letters, "E");  // first free letter

  // The letter map shows both volumes; the sized one with its size.
  const fs::path map = sim().letter_map_dir();
  EXPECT_TRUE(fs::is_symlink(map / "F"));
  EXPECT_TRUE(fs::is_symlink(map / "E"));
  EXPECT_TRUE(fs::exists(map / "F.size"));
  EXPECT_FALSE(fs::exists(map / "E.size"));
}

TEST_F(BridgeTest, ListingRespectsTheCallersCount) {
  sim().Attach();
  sim().Attach();
  std::vector<char> buffer(2 * 64 + 1, 0x7A);
  EXPECT_EQ(lib.GetUsbIdList(buffer.data(), 1), 1);
  EXPECT_EQ(buffer[64], 0x7A);  // nothing written past the one slot
}

TEST_F(BridgeTest, UnknownSymbolAndMissingDaemonFailCleanly) {
  Symbol nobody;
  std::strncpy(nobody.get(), "no such drive", 63);
  unsigned char status[32] = {};
  EXPECT_EQ(lib.AP_GetSecurityStatus(nobody.get(), 3, status), 0);
  EXPECT_EQ(lib.JMSafeRemoveEx(nobody.get()), -1);

  ASSERT_EQ(sim().Run("stop").exit_code, 0);
  std::vector<char> buffer(256 * 64, 0);
  EXPECT_EQ(lib.GetUsbIdList(buffer.data(), 256), 0);
  EXPECT_EQ(lib.AP_FingerPrintFunctControl(nobody.get(), 1), 1);
}

TEST_F(BridgeTest, StuckDaemonTimesOutInsteadOfHanging) {
  sim().Attach();
  const int pid = sim().DaemonPid();
  ASSERT_GT(pid, 0);
  ASSERT_EQ(::kill(pid, SIGSTOP), 0);
  std::vector<char> buffer(256 * 64, 0);
  const int listed = lib.GetUsbIdList(buffer.data(), 256);
  ::kill(pid, SIGCONT);
  EXPECT_EQ(listed, 0);
  EXPECT_EQ(ListSymbols().size(), 1u);
}

}  // namespace
}  // namespace drivesim::testing
