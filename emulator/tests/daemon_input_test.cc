// What the daemon and the command line accept from outside: requests with
// fields of the wrong type, volume folders that formatting would wipe, and
// the emulator folder named by the environment, a state file it cannot read.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "emulator/protocol/daemon_client.h"
#include "emulator/protocol/json_line.h"
#include "emulator/tests/bridge_test_support.h"

namespace drivesim::testing {
namespace {

namespace fs = std::filesystem;

class MalformedRequestTest : public DriveSimTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(MalformedRequestTest, IsRefusedAndTheDaemonKeepsServing) {
  const int id = sim().Attach("--password abcd");
  const int pid = sim().DaemonPid();
  const auto request = ParseJson(GetParam());
  ASSERT_TRUE(request) << GetParam();

  const auto reply = AskDaemon(*request);
  ASSERT_TRUE(reply) << "no answer to " << GetParam();
  EXPECT_FALSE((*reply)["ok"].asBool());
  EXPECT_FALSE((*reply)["ret"].isInt()) << "an entry call must not look answered";

  EXPECT_EQ(sim().DaemonPid(), pid);
  EXPECT_EQ(sim().Drive(id)["state"].asInt(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, MalformedRequestTest,
    ::testing::Values(R"({"cmd": "detach", "id": "abc"})", R"({"cmd": {"nested": 1}})",
                      R"({"cmd": "in-use", "id": [1], "on": true})",
                      R"({"cmd": "finger", "action": "similarity", "value": "many"})",
                      R"({"cmd": "attach", "symbol": ["x"]})",
                      R"({"cmd": "reenumerate-delay", "ms": 1e300})",
                      R"({"entry": ["GetUsbIdList"]})",
                      R"({"entry": "GetUsbIdList", "max": "all"})",
                      R"({"entry": "AP_GetSecurityStatus", "sym": {"a": 1}})"));

// A drive attached with a folder of the user's own; the test's working folder
// is moved so that relative paths show where they are resolved.
class VolumeFolderTest : public DriveSimTest {
 protected:
  void SetUp() override {
    saved_cwd_ = fs::current_path();
    fs::create_directories(sim().dir() + "/work");
    fs::current_path(sim().dir() + "/work");
  }
  void TearDown() override { fs::current_path(saved_cwd_); }

  CommandResult AttachVolume(const std::string& folder) {
    return sim().Run(std::vector<std::string>{"attach", "--volume", folder});
  }

 private:
  fs::path saved_cwd_;
};

TEST_F(VolumeFolderTest, FoldersFormattingWouldWipeAreRefused) {
  const char* home = std::getenv("HOME");
  const std::string refused[] = {"/",
                                 "/usr",
                                 "/tmp/",
                                 sim().dir(),
                                 sim().dir() + "/..",
                                 sim().letter_map_dir(),
                                 home != nullptr ? home : "/"};
  for (const std::string& folder : refused) {
    const CommandResult result = AttachVolume(folder);
    EXPECT_EQ(result.exit_code, 1) << folder << "\n" << result.out;
    EXPECT_NE(result.err.find("give a folder of its own"), std::string::npos) << result.err;
  }
  EXPECT_EQ(sim().StatusJson()["drives"].size(), 0u);
}

TEST_F(VolumeFolderTest, RelativeFolderIsTheCallersAndServesOneDrive) {
  const CommandResult first = AttachVolume("scratch");
  ASSERT_EQ(first.exit_code, 0) << first.err;
  const int id = std::stoi(first.out);
  EXPECT_EQ(sim().Drive(id)["volume"].asString(), sim().dir() + "/work/scratch");
  EXPECT_TRUE(fs::is_directory(sim().dir() + "/work/scratch"));

  const CommandResult second = AttachVolume(sim().dir() + "/work/scratch/");
  EXPECT_EQ(second.exit_code, 1);
  EXPECT_NE(second.err.find("already used by drive"), std::string::npos) << second.err;
}

// The emulator folder is made private when the emulator creates it, and an
// existing folder named by DRIVESIM_DIR keeps the permissions it had.
TEST_F(DriveSimTest, EmulatorFolderPermissionsAreOnlySetOnFoldersItCreates) {
  const std::string shared = sim().dir() + "/shared";
  const std::string fresh = sim().dir() + "/fresh";
  fs::create_directory(shared);
  ::chmod(shared.c_str(), 0755);
  const std::string own_dir = sim().dir();
  for (const std::string& folder : {shared, fresh}) {
    ::setenv("DRIVESIM_DIR", folder.c_str(), 1);
    EXPECT_EQ(sim().Run("start").exit_code, 0) << folder;
    EXPECT_EQ(sim().Run("stop").exit_code, 0) << folder;
  }
  ::setenv("DRIVESIM_DIR", own_dir.c_str(), 1);

  struct stat info {};
  ASSERT_EQ(::stat(shared.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
  ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

// A change the daemon cannot save is undone and reported as a failure: a
// daemon killed afterwards would have lost it.
TEST_F(BridgeTest, ChangesThatCannotBeSavedFailAndAreUndone) {
  const int id = sim().Attach();
  Symbol symbol = OnlySymbol();
  const fs::path state = sim().dir() + "/state.json";
  fs::remove(state);
  fs::create_directories(state / "blocked");  // the state file cannot be renamed over it

  const CommandResult attach = sim().Run("attach");
  EXPECT_EQ(attach.exit_code, 1);
  EXPECT_NE(attach.err.find("cannot save"), std::string::npos) << attach.err;
  EXPECT_EQ(sim().Run("in-use 1 on").exit_code, 1);
  auto password = PasswordBuffer("abcd");
  EXPECT_EQ(lib.AP_SetPwd(symbol.get(), password.data()), 0);
  EXPECT_EQ(SecurityState(symbol), 1);
  EXPECT_EQ(sim().StatusJson()["drives"].size(), 1u);
  EXPECT_FALSE(sim().Drive(id)["in_use"].asBool());

  fs::remove_all(state);
  EXPECT_EQ(lib.AP_SetPwd(symbol.get(), password.data()), 1);
  EXPECT_EQ(sim().Drive(id)["state"].asInt(), 2);
}

class UnreadableStateTest : public DriveSimTest,
                            public ::testing::WithParamInterface<const char*> {};

// A daemon that started empty would save over every drive the file holds.
TEST_P(UnreadableStateTest, DaemonRefusesToStartAndKeepsTheFile) {
  ASSERT_EQ(sim().Run("stop").exit_code, 0);
  const std::string state = sim().dir() + "/state.json";
  std::ofstream(state, std::ios::trunc) << GetParam();

  const CommandResult result = sim().Run("daemon");
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_NE(result.err.find("move it away"), std::string::npos) << result.err;
  std::stringstream kept;
  kept << std::ifstream(state).rdbuf();
  EXPECT_EQ(kept.str(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(States, UnreadableStateTest,
                         ::testing::Values("{\"drives\": [", R"({"drives": [{"custom_data": {}}]})",
                                           R"({"faults": [1]})", R"({"next_id": "two"})"));

}  // namespace
}  // namespace drivesim::testing
