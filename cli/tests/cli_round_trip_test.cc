// The tool against the emulated drive: in-process through RunCli, and once
// as the real program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "cli/cli_app.h"
#include "emulator/testing/drivesim_fixture.h"

namespace {

using drivesim::testing::DriveSim;

struct CliResult {
  int code;
  std::string out, err;
};

std::vector<std::uint8_t> FromHex(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

class CliRoundTripTest : public drivesim::testing::DriveSimTest {
 protected:
  void SetUp() override { ASSERT_EQ(sim().Run("reenumerate-delay 0").exit_code, 0); }

  CliResult Cli(std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int code = RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
  }

  bool WaitForState(int id, int state) {
    return DriveSim::WaitUntil([&] { return sim().Drive(id)["state"].asInt() == state; });
  }
};

TEST_F(CliRoundTripTest, SetPasswordWithHintLockAndUnlock) {
  const int id = sim().Attach("--letter E");
  CliResult set = Cli({"--password-stdin", "set-password", "--hint", "my hint"}, "abcd1234\n");
  ASSERT_EQ(set.code, kExitDone) << set.err;
  ASSERT_TRUE(WaitForState(id, 3));

  CliResult wrong = Cli({"--password-stdin", "unlock"}, "wrong123\n");
  EXPECT_EQ(wrong.code, kExitRefused);
  EXPECT_NE(wrong.err.find("Hint: my hint"), std::string::npos) << wrong.err;

  CliResult right = Cli({"--password-stdin", "unlock"}, "abcd1234\n");
  EXPECT_EQ(right.code, kExitDone) << right.err;
  EXPECT_TRUE(WaitForState(id, 2));

  std::vector<std::uint8_t> block = FromHex(sim().Drive(id)["custom_data"].asString());
  ASSERT_EQ(block.size(), 512u);
  const std::u16string hint = u"my hint";
  for (std::size_t i = 0; i < hint.size(); ++i) {
    EXPECT_EQ(block[448 + 2 * i], hint[i]);
    EXPECT_EQ(block[449 + 2 * i], 0);
  }
  EXPECT_EQ(block[448 + 2 * hint.size()], 0);
  EXPECT_EQ(block[496], 1);
  unsigned sum = 0;
  for (int i = 0; i < 480; ++i) sum += block[i];
  EXPECT_EQ(block[511], sum % 256);
  for (int i = 480; i < 496; ++i) EXPECT_EQ(block[i], 0) << i;
  EXPECT_EQ(sim().Drive(id)["hint"].asString(), "my hint");
}

TEST_F(CliRoundTripTest, PasswordsAndHintsAreCheckedBeforeTheDriveIsTouched) {
  const int id = sim().Attach();
  struct Case {
    std::vector<std::string> args;
    std::string input;
  } const cases[] = {
      {{"--password-stdin", "set-password"}, "abc\n"},
      {{"--password-stdin", "set-password"}, "has space\n"},
      {{"--password-stdin", "set-password", "--hint", "xabcd1234x"}, "abcd1234\n"},
      {{"--password-stdin", "set-password", "--hint", "a hint far too long"}, "abcd1234\n"},
      {{"--password-stdin", "set-password"}, ""},
  };
  for (const Case& c : cases) {
    CliResult r = Cli(c.args, c.input);
    EXPECT_EQ(r.code, kExitUsage) << c.input;
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_EQ(sim().Drive(id)["state"].asInt(), 1);
  EXPECT_FALSE(sim().Drive(id)["password_set"].asBool());
}

TEST_F(CliRoundTripTest, ChangeAndRemovePassword) {
  const int id = sim().Attach("--password abcd1234 --unlocked");
  EXPECT_EQ(Cli({"--password-stdin", "change-password"}, "nope1234\nnew12345\n").code,
            kExitRefused);
  CliResult change =
      Cli({"--password-stdin", "change-password", "--hint", "new one"}, "abcd1234\nnew12345\n");
  ASSERT_EQ(change.code, kExitDone) << change.err;
  EXPECT_EQ(Cli({"hint"}).out, "new one\n");

  EXPECT_EQ(Cli({"--password-stdin", "remove-password"}, "abcd1234\n").code, kExitRefused);
  EXPECT_EQ(sim().Drive(id)["state"].asInt(), 2);  // the check changed nothing
  CliResult remove = Cli({"--password-stdin", "remove-password"}, "new12345\n");
  ASSERT_EQ(remove.code, kExitDone) << remove.err;
  EXPECT_TRUE(WaitForState(id, 1));
}

TEST_F(CliRoundTripTest, AnUnreadableCustomDataBlockIsAFailureNotAnEmptyAnswer) {
  sim().Attach();
  for (const char* command : {"hint", "fingerprints"}) {
    SCOPED_TRACE(command);
    ASSERT_EQ(sim().Run("fail AP_ReadCustomData_New").exit_code, 0);
    CliResult r = Cli({command});
    EXPECT_EQ(r.code, kExitFailed);
    EXPECT_NE(r.err.find("could not be read"), std::string::npos) << r.err;
    ASSERT_EQ(sim().Run("fail clear").exit_code, 0);
    EXPECT_EQ(Cli({command}).code, kExitDone);
  }
}

TEST_F(CliRoundTripTest, EraseAForgottenPassword) {
  const int id = sim().Attach("--password lost1234");
  CliResult erase = Cli({"erase", "--yes"});
  ASSERT_EQ(erase.code, kExitDone) << erase.err;
  Json::Value drive = sim().Drive(id);
  EXPECT_EQ(drive["state"].asInt(), 1);
  EXPECT_TRUE(drive["formatted"].asBool());
  EXPECT_EQ(drive["label"].asString(), "ORLU QX500");
}

TEST_F(CliRoundTripTest, DriveChoiceListingAndSafeRemoval) {
  EXPECT_EQ(Cli({"status"}).code, kExitNoDrive);
  const int first = sim().Attach("--letter E");
  sim().Attach("--letter F --password abcd1234");
  sim().Attach("--letter G --product OTHER");

  CliResult list = Cli({"list"});
  EXPECT_EQ(list.code, kExitDone);
  EXPECT_NE(list.out.find("1  E:  no password"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("2  F:  locked"), std::string::npos) << list.out;
  EXPECT_EQ(list.out.find("G:"), std::string::npos) << list.out;

  CliResult json = Cli({"status", "--json"});
  Json::Value parsed;
  ASSERT_TRUE(Json::Reader().parse(json.out, parsed)) << json.out;
  EXPECT_EQ(parsed["drives"].size(), 2u);
  EXPECT_EQ(parsed["drives"][1]["state"].asInt(), 3);

  CliResult second = Cli({"--drive", "2", "status"});
  EXPECT_EQ(second.out, "Drive 2 (F:): locked\n");
  EXPECT_EQ(Cli({"hint"}).code, kExitUsage);
  EXPECT_EQ(Cli({"--drive", "3", "hint"}).code, kExitUsage);
  EXPECT_EQ(Cli({"--drive", "2", "fingerprints"}).code, kExitDone);

  ASSERT_EQ(sim().Run({"in-use", std::to_string(first), "on"}).exit_code, 0);
  EXPECT_EQ(Cli({"safe-remove"}).code, kExitFailed);
  ASSERT_EQ(sim().Run({"in-use", std::to_string(first), "off"}).exit_code, 0);
  EXPECT_EQ(Cli({"safe-remove"}).code, kExitDone);
  EXPECT_EQ(Cli({"list"}).code, kExitNoDrive);
}

TEST_F(CliRoundTripTest, TheProgramReadsItsPasswordFromStandardInput) {
  const int id = sim().Attach("--password abcd1234");
  std::string program = DriveSim::DrivesimPath();
  program = program.substr(0, program.rfind('/')) + "/orlussd-cli";
  std::string command = "printf 'abcd1234\\n' | '" + program + "' --password-stdin unlock 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, pipe)) output += chunk;
  int status = pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << output;
  EXPECT_EQ(output, "Unlocked.\n");
  EXPECT_TRUE(WaitForState(id, 2));
}

}  // namespace
