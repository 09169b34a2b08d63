#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/tests/test_dir.h"
#include "platform/text.h"

namespace platform {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string Utf16LeWithBom(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

struct ReadCase {
  const char* name;
  std::string file;
  std::string section;
  std::string key;
  std::string expected;  // the default is "dflt"
};

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, Reads) {
  TempDir dir;
  const std::string path = dir / "test.ini";
  WriteFile(path, GetParam().file);
  EXPECT_EQ(GetPrivateProfileString(GetParam().section, GetParam().key, "dflt", path),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileReadTest,
    ::testing::Values(
        ReadCase{"plain", "[Fields]\nAppName_pwd=Drive Tool\n", "Fields", "AppName_pwd",
                 "Drive Tool"},
        ReadCase{"names_ignore_case", "[fields]\nAPPNAME_PWD=x\n", "Fields", "AppName_pwd", "x"},
        ReadCase{"blanks_trimmed", "[Fields]\n  key \t=   two words  \n", "Fields", "key",
                 "two words"},
        ReadCase{"double_quotes_removed", "[Fields]\nkey=\"  kept  \"\n", "Fields", "key",
                 "  kept  "},
        ReadCase{"single_quotes_removed", "[Fields]\nkey='x'\n", "Fields", "key", "x"},
        ReadCase{"unbalanced_quote_kept", "[Fields]\nkey=\"open\n", "Fields", "key", "\"open"},
        ReadCase{"value_may_hold_equals", "[Fields]\nkey=a=b\n", "Fields", "key", "a=b"},
        ReadCase{"empty_value_is_not_default", "[Fields]\nkey=\n", "Fields", "key", ""},
        ReadCase{"comment_is_no_key", "[Fields]\n;key=hidden\n", "Fields", "key", "dflt"},
        ReadCase{"key_of_other_section", "[Other]\nkey=x\n[Fields]\nk2=y\n", "Fields", "key",
                 "dflt"},
        ReadCase{"missing_section", "[Other]\nkey=x\n", "Fields", "key", "dflt"},
        ReadCase{"first_duplicate_wins", "[Fields]\nkey=1\nkey=2\n", "Fields", "key", "1"},
        ReadCase{"spaced_section_header", "[ Fields ]\nkey=x\n", "Fields", "key", "x"},
        ReadCase{"crlf_lines", "[Fields]\r\nkey=x\r\nk2=y\r\n", "Fields", "key", "x"},
        ReadCase{"no_final_newline", "[Fields]\nkey=x", "Fields", "key", "x"},
        ReadCase{"utf8_bom", "\xEF\xBB\xBF[Fields]\nkey=\xE5\xAE\x89\n", "Fields", "key",
                 "\xE5\xAE\x89"},
        ReadCase{"utf16le_bom", Utf16LeWithBom(u"[Fields]\r\nkey=\u5B89\u5168\r\n"), "Fields",
                 "key", "\xE5\xAE\x89\xE5\x85\xA8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileTest, MissingFileGivesDefault) {
  TempDir dir;
  EXPECT_EQ(GetPrivateProfileString("Fields", "key", "dflt", dir / "absent.ini"), "dflt");
  EXPECT_EQ(GetPrivateProfileString("Fields", "key", "", dir / "absent.ini"), "");
}

TEST(ProfileTest, ReadsAreLimitedTo511UnitsWithoutSplittingACharacter) {
  TempDir dir;
  const std::string path = dir / "long.ini";
  WriteFile(path, "[Fields]\nlong=" + std::string(600, 'x') + "\n");
  EXPECT_EQ(GetPrivateProfileString("Fields", "long", "", path), std::string(511, 'x'));

  // A surrogate pair at units 511-512 would be split: the cut comes before it.
  WriteFile(path, "[Fields]\npair=" + std::string(510, 'x') + "\xF0\x9F\x94\x92tail\n");
  EXPECT_EQ(GetPrivateProfileString("Fields", "pair", "", path), std::string(510, 'x'));

  EXPECT_EQ(GetPrivateProfileString("Fields", "absent", std::string(700, 'd'), path),
            std::string(511, 'd'));
}

TEST(ProfileTest, WideFormsUseUtf16) {
  TempDir dir;
  const std::u16string path = Utf8ToUtf16(dir / "\xE5\xAE\x89.ini");
  ASSERT_TRUE(WritePrivateProfileString(u"Fields", u"hint", u"\u5B89\u5168", path));
  EXPECT_EQ(GetPrivateProfileString(u"Fields", u"hint", u"", path), u"\u5B89\u5168");
  EXPECT_EQ(GetPrivateProfileString(u"Fields", u"none", u"d", path), u"d");
}

TEST(ProfileWriteTest, CreatesFileAndSection) {
  TempDir dir;
  const std::string path = dir / "ModeConfig.ini";
  ASSERT_TRUE(WritePrivateProfileString("Fields", "mode", "1", path));
  EXPECT_EQ(ReadFile(path), "[Fields]\nmode=1\n");
  ASSERT_TRUE(WritePrivateProfileString("Other", "k", "v", path));
  EXPECT_EQ(GetPrivateProfileString("Other", "k", "", path), "v");
  EXPECT_EQ(GetPrivateProfileString("Fields", "mode", "", path), "1");
}

TEST(ProfileWriteTest, UpdatesInPlaceKeepingTheRestOfTheFile) {
  TempDir dir;
  const std::string path = dir / "lang.ini";
  WriteFile(path,
            "; language file\r\n[Fields]\r\nMode = 0\r\nother=keep \"me\"\r\n\r\n"
            "[Next]\r\nmode=untouched\r\n");
  ASSERT_TRUE(WritePrivateProfileString("fields", "mode", "1", path));
  EXPECT_EQ(ReadFile(path),
            "; language file\r\n[Fields]\r\nMode=1\r\nother=keep \"me\"\r\n\r\n"
            "[Next]\r\nmode=untouched\r\n");

  // A new key joins its own section, after the section's last entry.
  ASSERT_TRUE(WritePrivateProfileString("Fields", "added", "2", path));
  EXPECT_EQ(ReadFile(path),
            "; language file\r\n[Fields]\r\nMode=1\r\nother=keep \"me\"\r\nadded=2\r\n\r\n"
            "[Next]\r\nmode=untouched\r\n");
}

TEST(ProfileWriteTest, KeepsUtf16EncodingAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir / "utf16.ini";
  WriteFile(path, Utf16LeWithBom(u"[Fields]\r\ntitle=\u5B89\u5168\r\n"));
  ASSERT_TRUE(WritePrivateProfileString("Fields", "mode", "1", path));
  EXPECT_EQ(ReadFile(path), Utf16LeWithBom(u"[Fields]\r\ntitle=\u5B89\u5168\r\nmode=1\r\n"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(ProfileWriteTest, WritesThroughASymbolicLink) {
  TempDir dir;
  WriteFile(dir / "real.ini", "[Fields]\nmode=0\n");
  std::filesystem::create_symlink(dir / "real.ini", dir / "link.ini");
  ASSERT_TRUE(WritePrivateProfileString("Fields", "mode", "1", dir / "link.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
  EXPECT_EQ(ReadFile(dir / "real.ini"), "[Fields]\nmode=1\n");
}

TEST(ProfileWriteTest, ReportsFailureAndRefusesTextThatWouldNotReadBack) {
  TempDir dir;
  EXPECT_FALSE(WritePrivateProfileString("Fields", "mode", "1", dir / "missing/ModeConfig.ini"));

  const std::string path = dir / "test.ini";
  const std::string original = "[Fields]\nmode=0\n";
  WriteFile(path, original);
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } refused[] = {
      {"Fields", "mode", "1\n[Evil]"}, {"Fields", "mode", "1\r"}, {"Fields", "a=b", "1"},
      {"Fie]lds", "mode", "1"},        {"Fields", "", "1"},       {"", "mode", "1"},
      {"Fields", ";mode", "1"},        {"Fields", "mo\nde", "1"},
  };
  for (const auto& c : refused) {
    EXPECT_FALSE(WritePrivateProfileString(c.section, c.key, c.value, path))
        << c.section << "/" << c.key;
  }
  EXPECT_EQ(ReadFile(path), original);
}

}  // namespace
}  // namespace platform
