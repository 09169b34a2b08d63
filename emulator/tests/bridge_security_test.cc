// Password commands of the emulated drive through the bridge library: the
// security status bytes, set, change, login, both erases, and re-enumeration.
#include <filesystem>
#include <fstream>

#include "emulator/tests/bridge_test_support.h"

namespace drivesim::testing {
namespace {

namespace fs = std::filesystem;

struct StatusCase {
  const char* attach_options;
  unsigned char byte1;
  unsigned char byte2;
  int state;
};

class SecurityStatusTest : public BridgeTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(SecurityStatusTest, StatusBytesFollowTheDriveState) {
  const StatusCase& c = GetParam();
  const int id = sim().Attach(c.attach_options);
  Symbol symbol = OnlySymbol();
  unsigned char status[32] = {};
  ASSERT_EQ(lib.AP_GetSecurityStatus(symbol.get(), 3, status), 1);
  EXPECT_EQ(status[1], c.byte1);
  EXPECT_EQ(status[2], c.byte2);
  EXPECT_EQ(sim().Drive(id)["state"].asInt(), c.state);
}

INSTANTIATE_TEST_SUITE_P(States, SecurityStatusTest,
                         ::testing::Values(StatusCase{"", 0x00, 0x00, 1},
                                           StatusCase{"--password abcd --unlocked", 0xAA, 0xFF, 2},
                                           StatusCase{"--password abcd", 0x55, 0xFF, 3}));

// One command on a drive attached with `attach_options`; the drive's state and
// password afterwards.
struct CommandCase {
  const char* name;
  const char* attach_options;
  std::function<int(BridgeLibrary&, char*)> command;
  int expected_result;
  int state_after;
  const char* password_after;  // logs in with it afterwards; null: no password
};

CommandCase Case(const char* name, const char* options,
                 std::function<int(BridgeLibrary&, char*)> command, int result, int state,
                 const char* password) {
  return {name, options, std::move(command), result, state, password};
}

int Login(BridgeLibrary& lib, char* sym, const std::string& password) {
  auto buffer = PasswordBuffer(password);
  return lib.AP_Login(sym, buffer.data(), 1);
}

int Change(BridgeLibrary& lib, char* sym, const std::string& old_pw, const std::string& new_pw) {
  auto block = ChangeBlock(old_pw, new_pw);
  return lib.AP_ChangePwd(sym, block.data());
}

int Set(BridgeLibrary& lib, char* sym, const std::string& password) {
  auto buffer = PasswordBuffer(password);
  return lib.AP_SetPwd(sym, buffer.data());
}

class SecurityCommandTest : public BridgeTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(SecurityCommandTest, ChangesStateAsARealDrive) {
  const CommandCase& c = GetParam();
  ASSERT_EQ(sim().Run("reenumerate-delay 0").exit_code, 0);
  const int id = sim().Attach(c.attach_options);
  Symbol symbol = OnlySymbol();
  EXPECT_EQ(c.command(lib, symbol.get()) != 0, c.expected_result != 0);
  ASSERT_TRUE(WaitForDrives(1));
  EXPECT_EQ(SecurityState(symbol), c.state_after);
  EXPECT_EQ(sim().Drive(id)["state"].asInt(), c.state_after);

  if (c.password_after == nullptr) {
    EXPECT_FALSE(sim().Drive(id)["password_set"].asBool());
    return;
  }
  // The password in force is exactly the expected one.
  EXPECT_EQ(Change(lib, symbol.get(), "wrong-one", "wrong-one"), 0);
  EXPECT_NE(Change(lib, symbol.get(), c.password_after, c.password_after), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SecurityCommandTest,
    ::testing::Values(
        Case(
            "LoginRightPasswordUnlocks", "--password abcd",
            [](BridgeLibrary& l, char* s) { return Login(l, s, "abcd"); }, 1, 2, "abcd"),
        Case(
            "LoginWrongPasswordStaysLocked", "--password abcd",
            [](BridgeLibrary& l, char* s) { return Login(l, s, "abce"); }, 0, 3, "abcd"),
        Case(
            "LoginWithoutPasswordFails", "",
            [](BridgeLibrary& l, char* s) { return Login(l, s, "abcd"); }, 0, 1, nullptr),
        Case(
            "SetPasswordLeavesDriveOpenUntilReset", "",
            [](BridgeLibrary& l, char* s) { return Set(l, s, "n3w-pass"); }, 1, 2, "n3w-pass"),
        Case(
            "SetPasswordRefusedWhenOneIsSet", "--password abcd --unlocked",
            [](BridgeLibrary& l, char* s) { return Set(l, s, "other"); }, 0, 2, "abcd"),
        Case(
            "SetEmptyPasswordRefused", "", [](BridgeLibrary& l, char* s) { return Set(l, s, ""); },
            0, 1, nullptr),
        Case(
            "ChangeWithRightPassword", "--password abcd --unlocked",
            [](BridgeLibrary& l, char* s) { return Change(l, s, "abcd", "wxyz"); }, 1, 2, "wxyz"),
        Case(
            "ChangeWithWrongPasswordChangesNothing", "--password abcd --unlocked",
            [](BridgeLibrary& l, char* s) { return Change(l, s, "abcx", "wxyz"); }, 0, 2, "abcd"),
        Case(
            "CheckRightPasswordKeepsIt", "--password abcd --unlocked",
            [](BridgeLibrary& l, char* s) { return Change(l, s, "abcd", "abcd"); }, 1, 2, "abcd"),
        Case(
            "CheckWrongPasswordKeepsIt", "--password abcd --unlocked",
            [](BridgeLibrary& l, char* s) { return Change(l, s, "ABCD", "ABCD"); }, 0, 2, "abcd"),
        Case(
            "EraseSecurityInfoOnLockedDrive", "--password abcd",
            [](BridgeLibrary& l, char* s) { return l.AP_EraseSecurityInfo(s); }, 1, 1, nullptr),
        Case(
            "SafeModeEraseOnOpenDrive", "--password abcd --unlocked",
            [](BridgeLibrary& l, char* s) { return l.AP_EraseSecurityInfoSafeMode(s); }, 1, 1,
            nullptr),
        Case(
            "SafeModeEraseRefusedOnLockedDrive", "--password abcd",
            [](BridgeLibrary& l, char* s) { return l.AP_EraseSecurityInfoSafeMode(s); }, 0, 3,
            "abcd"),
        Case(
            "ChipResetLocksAnOpenDrive", "--password abcd --unlocked",
            [](BridgeLibrary& l, char* s) { return l.JMChipRstEx(s); }, 1, 3, "abcd"),
        Case(
            "ChipResetWithoutPasswordStaysOpen", "",
            [](BridgeLibrary& l, char* s) { return l.JMChipRstEx(s); }, 1, 1, nullptr)),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST_F(BridgeTest, LoginReenumeratesTheDriveAndItsVolume) {
  ASSERT_EQ(sim().Run("reenumerate-delay 600000").exit_code, 0);
  sim().Attach("--password abcd --letter E");
  Symbol symbol = OnlySymbol();
  const fs::path entry = fs::path(sim().letter_map_dir()) / "E";
  ASSERT_TRUE(fs::is_symlink(entry));

  EXPECT_EQ(Login(lib, symbol.get(), "abcd"), 1);
  // Gone at once, with its volume.
  EXPECT_TRUE(ListSymbols().empty());
  EXPECT_FALSE(fs::exists(fs::symlink_status(entry)));
  EXPECT_FALSE(sim().Drive(1)["present"].asBool());

  // A shorter delay applies to the re-enumeration under way.
  ASSERT_EQ(sim().Run("reenumerate-delay 0").exit_code, 0);
  ASSERT_TRUE(WaitForDrives(1));
  EXPECT_EQ(SecurityState(symbol), 2);
  EXPECT_TRUE(DriveSim::WaitUntil([&] { return fs::is_symlink(entry); }));
}

TEST_F(BridgeTest, SetPasswordThenResetComesBackLocked) {
  ASSERT_EQ(sim().Run("reenumerate-delay 0").exit_code, 0);
  sim().Attach();
  Symbol symbol = OnlySymbol();
  ASSERT_EQ(Set(lib, symbol.get(), "demo1234"), 1);
  lib.JMChipRstEx(symbol.get());
  ASSERT_TRUE(WaitForDrives(1));
  EXPECT_EQ(SecurityState(symbol), 3);
  EXPECT_EQ(Login(lib, symbol.get(), "demo1234"), 1);
  ASSERT_TRUE(WaitForDrives(1));
  EXPECT_EQ(SecurityState(symbol), 2);
}

TEST_F(BridgeTest, DetachAndAttachRelocks) {
  const int id = sim().Attach("--password abcd --unlocked");
  ASSERT_EQ(sim().Run("detach " + std::to_string(id)).exit_code, 0);
  EXPECT_TRUE(ListSymbols().empty());
  EXPECT_FALSE(sim().Drive(id)["attached"].asBool());
  ASSERT_EQ(sim().Run("attach " + std::to_string(id)).exit_code, 0);
  Symbol symbol = OnlySymbol();
  EXPECT_EQ(SecurityState(symbol), 3);
}

TEST_F(BridgeTest, ForgottenPasswordEraseDestroysTheData) {
  const int id = sim().Attach("--password abcd");
  const fs::path volume = sim().Drive(id)["volume"].asString();
  std::ofstream(volume / "secret.txt") << "data";
  Symbol symbol = OnlySymbol();
  ASSERT_EQ(lib.AP_EraseSecurityInfo(symbol.get()), 1);
  EXPECT_TRUE(fs::is_empty(volume));
  EXPECT_FALSE(sim().Drive(id)["formatted"].asBool());
}

TEST_F(BridgeTest, PasswordNeverReachesTheStateFile) {
  sim().Attach("--password Sup3rSecret");
  Symbol symbol = OnlySymbol();
  auto block = ChangeBlock("Sup3rSecret", "An0therOne");
  ASSERT_EQ(lib.AP_ChangePwd(symbol.get(), block.data()), 1);
  std::ifstream state(sim().dir() + "/state.json");
  const std::string text((std::istreambuf_iterator<char>(state)), {});
  EXPECT_EQ(text.find("Sup3rSecret"), std::string::npos);
  EXPECT_EQ(text.find("An0therOne"), std::string::npos);
}

}  // namespace
}  // namespace drivesim::testing
