// The drivesim command: exit codes, scripted faults and call counts, and two
// processes working on the same drive.
#include <sys/wait.h>
#include <unistd.h>

#include "emulator/tests/bridge_test_support.h"

namespace drivesim::testing {
namespace {

struct ExitCase {
  const char* args;
  int exit_code;
};

class ExitCodeTest : public DriveSimTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitCodeTest, ReportsUsageRefusalAndSuccessApart) {
  sim().Attach("--letter E");
  const CommandResult result = sim().Run(GetParam().args);
  EXPECT_EQ(result.exit_code, GetParam().exit_code) << GetParam().args << "\n" << result.err;
  if (result.exit_code != 0) {
    EXPECT_FALSE(result.err.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ExitCodeTest,
    ::testing::Values(ExitCase{"start", 0}, ExitCase{"status", 0}, ExitCase{"status --json", 0},
                      ExitCase{"detach 1", 0}, ExitCase{"in-use 1 on", 0},
                      ExitCase{"finger down", 0}, ExitCase{"fail AP_Login --times 2", 0},
                      ExitCase{"fail clear", 0}, ExitCase{"reenumerate-delay 0", 0},
                      ExitCase{"", 2}, ExitCase{"bogus", 2}, ExitCase{"status --xml", 2},
                      ExitCase{"attach --size", 2}, ExitCase{"attach --size 10 --volume /tmp/x", 2},
                      ExitCase{"attach --unlocked", 2}, ExitCase{"attach --colour red", 2},
                      ExitCase{"detach one", 2}, ExitCase{"fail AP_Login --times 0", 2},
                      ExitCase{"in-use 1 maybe", 2}, ExitCase{"reenumerate-delay -5", 2},
                      ExitCase{"finger wiggle", 2}, ExitCase{"finger match", 2},
                      ExitCase{"detach 99", 1}, ExitCase{"attach 1", 1}, ExitCase{"attach 99", 1},
                      ExitCase{"attach --letter E", 1}, ExitCase{"attach --letter 7", 1},
                      ExitCase{"fail NoSuchEntry", 1}, ExitCase{"in-use 99 on", 1},
                      ExitCase{"finger match 3", 1}, ExitCase{"finger down --drive 99", 1}),
    [](const ::testing::TestParamInfo<ExitCase>& info) {
      std::string name = std::to_string(info.index) + "_";
      for (const char* c = info.param.args; *c; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      }
      return name;
    });

TEST_F(BridgeTest, ScriptedFaultsFailTheNextCallsThenStop) {
  const int id = sim().Attach("--password abcd");
  Symbol symbol = OnlySymbol();
  ASSERT_EQ(sim().Run("fail AP_Login --times 2").exit_code, 0);
  auto password = PasswordBuffer("abcd");
  EXPECT_EQ(lib.AP_Login(symbol.get(), password.data(), 1), 0);
  EXPECT_EQ(lib.AP_Login(symbol.get(), password.data(), 1), 0);
  EXPECT_EQ(sim().Drive(id)["state"].asInt(), 3);
  EXPECT_EQ(lib.AP_Login(symbol.get(), password.data(), 1), 1);
  EXPECT_EQ(sim().Drive(id)["calls"]["AP_Login"].asInt(), 3);
}

TEST_F(BridgeTest, FaultWithoutCountLastsUntilCleared) {
  sim().Attach();
  Symbol symbol = OnlySymbol();
  ASSERT_EQ(sim().Run("fail JMSafeRemoveEx").exit_code, 0);
  ASSERT_EQ(sim().Run("fail GetUsbIdList").exit_code, 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(lib.JMSafeRemoveEx(symbol.get()), -1);
    EXPECT_TRUE(ListSymbols().empty());
  }
  ASSERT_EQ(sim().Run("fail clear").exit_code, 0);
  EXPECT_EQ(ListSymbols().size(), 1u);
  EXPECT_GT(lib.JMSafeRemoveEx(symbol.get()), 0);
}

TEST_F(BridgeTest, AnotherProcessSeesTheSameDrive) {
  const int id = sim().Attach("--password abcd");
  Symbol symbol = OnlySymbol();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A second client process unlocks the drive through its own library.
    BridgeLibrary other(DriveSim::LibraryPath());
    auto password = PasswordBuffer("abcd");
    ::_exit(other.ok() && other.AP_Login(symbol.get(), password.data(), 1) == 1 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(WaitForDrives(1));
  EXPECT_EQ(SecurityState(symbol), 2);
  EXPECT_EQ(sim().Drive(id)["calls"]["AP_Login"].asInt(), 1);
}

}  // namespace
}  // namespace drivesim::testing
