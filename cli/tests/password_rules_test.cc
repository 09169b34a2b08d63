#include "cli/password_rules.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_app.h"

namespace {

TEST(PasswordRulesTest, Passwords) {
  struct Case {
    std::string password;
    bool ok;
  } const cases[] = {
      {"abcd", true},     {"0123456789abcdef", true},   {"!~#$", true},
      {"abc", false},     {"0123456789abcdefg", false}, {"ab cd", false},
      {"abc\x7F", false}, {"pässwort", false},          {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!CheckPassword(c.password).has_value(), c.ok) << c.password;
  }
}

TEST(PasswordRulesTest, Hints) {
  struct Case {
    std::string hint, password;
    bool ok;
  } const cases[] = {
      {"", "abcd", true},
      {"sixteen chars ok", "abcd", true},
      {"seventeen chars!!", "abcd", false},
      {"東京東京東京東京東京東京東京東京", "abcd", true},  // 16 units, 48 bytes
      {"my abcd1 hint", "abcd1", false},
      {"ABCD1", "abcd1", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!CheckHint(c.hint, c.password).has_value(), c.ok) << c.hint;
  }
}

TEST(CliUsageTest, UsageErrorsExitWithTwoBeforeTouchingAnyDrive) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"format"},
      {"unlock", "--password", "abcd"},
      {"unlock", "--password=abcd"},
      {"erase"},
      {"unlock", "--json"},
      {"hint", "--hint", "x"},
      {"list", "--drive", "0"},
      {"list", "--drive"},
      {"list", "extra"},
  };
  for (const auto& args : cases) {
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, in, out, err), kExitUsage) << (args.empty() ? "" : args[0]);
    EXPECT_FALSE(err.str().empty());
  }
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"--help"}, in, out, err), kExitDone);
  EXPECT_NE(out.str().find("set-password"), std::string::npos);
}

}  // namespace
