// The emulated drive's storage through the bridge library: the custom-data
// area, partition and format, safe removal, and state kept across a daemon
// that is killed and started again.
#include <signal.h>

#include <filesystem>
#include <fstream>

#include "emulator/protocol/daemon_client.h"
#include "emulator/tests/bridge_test_support.h"

namespace drivesim::testing {
namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> Block(unsigned char seed) {
  std::vector<unsigned char> block(512);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<unsigned char>(seed + i);
  return block;
}

TEST_F(BridgeTest, NewDriveCustomDataIsErased) {
  sim().Attach("--password abcd");
  Symbol symbol = OnlySymbol();
  std::vector<unsigned char> data(512, 0);
  ASSERT_NE(lib.AP_ReadCustomData_New(symbol.get(), data.data(), 512), 0);
  EXPECT_EQ(data, std::vector<unsigned char>(512, 0xFF));
}

TEST_F(BridgeTest, CustomDataWriteIsAllOrNothing) {
  const int id = sim().Attach();
  Symbol symbol = OnlySymbol();
  auto written = Block(7);
  ASSERT_NE(lib.AP_WriteCustomData_New(symbol.get(), written.data(), 512), 0);

  auto partial = Block(99);
  EXPECT_EQ(lib.AP_WriteCustomData_New(symbol.get(), partial.data(), 256), 0);
  ASSERT_EQ(sim().Run("fail AP_WriteCustomData_New --times 1").exit_code, 0);
  EXPECT_EQ(lib.AP_WriteCustomData_New(symbol.get(), partial.data(), 512), 0);

  std::vector<unsigned char> read(512, 0);
  ASSERT_NE(lib.AP_ReadCustomData_New(symbol.get(), read.data(), 512), 0);
  EXPECT_EQ(read, written);
  EXPECT_EQ(sim().Drive(id)["custom_data"].asString().substr(0, 6), "070809");
  EXPECT_EQ(lib.AP_ReadCustomData_New(symbol.get(), read.data(), 100), 0);
}

TEST_F(BridgeTest, HintIsDecodedFromAValidBlock) {
  const int id = sim().Attach();
  Symbol symbol = OnlySymbol();
  std::vector<unsigned char> block(512, 0);
  const char16_t hint[] = u"pet name \u00e9";
  for (std::size_t i = 0; hint[i] != 0; ++i) {
    block[448 + 2 * i] = static_cast<unsigned char>(hint[i] & 0xFF);
    block[449 + 2 * i] = static_cast<unsigned char>(hint[i] >> 8);
  }
  block[496] = 1;
  unsigned sum = 0;
  for (int i = 0; i < 480; ++i) sum += block[i];
  block[511] = static_cast<unsigned char>(sum);
  ASSERT_NE(lib.AP_WriteCustomData_New(symbol.get(), block.data(), 512), 0);
  EXPECT_EQ(sim().Drive(id)["hint"].asString(), "pet name \xc3\xa9");

  block[511] ^= 1;  // a broken checksum means no hint
  ASSERT_NE(lib.AP_WriteCustomData_New(symbol.get(), block.data(), 512), 0);
  EXPECT_EQ(sim().Drive(id)["hint"].asString(), "");
}

TEST_F(BridgeTest, PartitionAndFormatEmptyAndLabelTheVolume) {
  const int id = sim().Attach();
  const fs::path volume = sim().Drive(id)["volume"].asString();
  fs::create_directories(volume / "photos");
  std::ofstream(volume / "photos" / "a.jpg") << "x";
  std::ofstream(volume / "notes.txt") << "y";
  Symbol symbol = OnlySymbol();

  ASSERT_EQ(lib.AP_DiskPartition(symbol.get(), 0, 1), 1);
  EXPECT_TRUE(fs::is_empty(volume));
  EXPECT_FALSE(sim().Drive(id)["formatted"].asBool());
  std::ofstream(volume / "late.txt") << "z";
  ASSERT_EQ(lib.AP_FormatDisk(symbol.get(), "exFAT", "ORLU QX500", 0, 1), 1);
  EXPECT_TRUE(fs::is_empty(volume));
  const Json::Value drive = sim().Drive(id);
  EXPECT_EQ(drive["label"].asString(), "ORLU QX500");
  EXPECT_TRUE(drive["formatted"].asBool());
}

TEST_F(BridgeTest, LockedDriveRefusesPartitionAndFormat) {
  const int id = sim().Attach("--password abcd");
  const fs::path volume = sim().Drive(id)["volume"].asString();
  std::ofstream(volume / "keep.txt") << "x";
  Symbol symbol = OnlySymbol();
  EXPECT_EQ(lib.AP_DiskPartition(symbol.get(), 0, 1), 0);
  EXPECT_EQ(lib.AP_FormatDisk(symbol.get(), "exFAT", "ORLU QX500", 0, 1), 0);
  EXPECT_TRUE(fs::exists(volume / "keep.txt"));
}

TEST_F(BridgeTest, SafeRemovalRefusedWhileInUse) {
  const int id = sim().Attach("--letter H");
  Symbol symbol = OnlySymbol();
  ASSERT_EQ(sim().Run("in-use " + std::to_string(id) + " on").exit_code, 0);
  EXPECT_LT(lib.JMSafeRemoveEx(symbol.get()), 0);
  EXPECT_EQ(ListSymbols().size(), 1u);

  ASSERT_EQ(sim().Run("in-use " + std::to_string(id) + " off").exit_code, 0);
  EXPECT_GT(lib.JMSafeRemoveEx(symbol.get()), 0);
  EXPECT_TRUE(ListSymbols().empty());
  EXPECT_FALSE(fs::exists(fs::symlink_status(fs::path(sim().letter_map_dir()) / "H")));
  EXPECT_FALSE(sim().Drive(id)["attached"].asBool());
}

TEST_F(BridgeTest, KilledDaemonLosesNothing) {
  const int id = sim().Attach("--password abcd --unlocked --letter K");
  Symbol symbol = OnlySymbol();
  auto block = Block(42);
  ASSERT_NE(lib.AP_WriteCustomData_New(symbol.get(), block.data(), 512), 0);
  ASSERT_EQ(sim().Run("fail JMChipRstEx").exit_code, 0);
  const Json::Value before = sim().Drive(id);

  // Killed as a crash would kill it: no chance to save anything.
  const int pid = sim().DaemonPid();
  ASSERT_GT(pid, 0);
  ASSERT_EQ(::kill(pid, SIGKILL), 0);
  ASSERT_TRUE(DriveSim::WaitUntil([] {
    Json::Value ping;
    ping["cmd"] = "ping";
    return !AskDaemon(ping, 500).has_value();
  }));
  EXPECT_TRUE(ListSymbols().empty());  // nobody serves the library now

  ASSERT_EQ(sim().Run("start").exit_code, 0);
  EXPECT_NE(sim().DaemonPid(), pid);
  Json::Value after = sim().Drive(id);
  EXPECT_EQ(after["state"].asInt(), 2);
  EXPECT_EQ(after["custom_data"], before["custom_data"]);
  EXPECT_EQ(sim().StatusJson()["faults"]["JMChipRstEx"].asInt(), -1);
  EXPECT_TRUE(fs::is_symlink(fs::path(sim().letter_map_dir()) / "K"));
  std::vector<unsigned char> read(512, 0);
  ASSERT_NE(lib.AP_ReadCustomData_New(symbol.get(), read.data(), 512), 0);
  EXPECT_EQ(read, block);
}

}  // namespace
}  // namespace drivesim::testing
