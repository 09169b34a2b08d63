#include "client/presentation/language_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "client/presentation/display_mode.h"
#include "client/presentation/tests/language_folder.h"

namespace presentation {
namespace {

namespace fs = std::filesystem;

using testing::LanguageFolderTest;

TEST_F(LanguageFolderTest, KeyLookupInFieldsSection) {
  Write("Test.ini",
        "[Other]\nBtn_Ok=wrong section\n"
        "[Fields]\nBtn_Ok=OK\nBtn_Cancel=\nTitle=Données sûres\nLong=" +
            std::string(600, 'x') + "\n");
  const std::pair<std::string_view, std::u16string> cases[] = {
      {"Btn_Ok", u"OK"},
      {"btn_ok", u"OK"},  // key names ignore letter case, as on the desktop
      {"Btn_Cancel", u""},
      {"Btn_Missing", u""},
      {"Title", u"Données sûres"},
      {"Long", std::u16string(511, u'x')},
  };
  for (const auto& [key, text] : cases) EXPECT_EQ(GetLanguageText(key, "Test.ini"), text) << key;

  EXPECT_EQ(GetLanguageText("Btn_Ok", "Absent.ini"), u"");
  fs::create_directory(dir_ / "Folder.ini");
  EXPECT_EQ(GetLanguageText("Btn_Ok", "Folder.ini"), u"");
  EXPECT_EQ(GetLanguageText("Btn_Ok", (dir_ / "Test.ini").string()), u"OK");  // a full path
  setenv("ORLUSSD_LANGUAGE_DIR", (dir_ / "no-such-folder").c_str(), 1);
  EXPECT_EQ(GetLanguageText("Btn_Ok", "Test.ini"), u"");
}

TEST_F(LanguageFolderTest, ModeFileGivesDarkOnlyForExactlyOne) {
  const std::pair<std::string, std::uint8_t> cases[] = {
      {"[Fields]\nmode=1\n", 1},  {"[Fields]\nmode=0\n", 0},
      {"[Fields]\nmode=2\n", 0},  {"[Fields]\nmode=\" 1\"\n", 0},
      {"[Fields]\nmode=11\n", 0}, {"[Fields]\n", 0},
      {"[Other]\nmode=1\n", 0},   {"", 0},
  };
  for (const auto& [content, mode] : cases) {
    Write("ModeConfig.ini", content);
    EXPECT_EQ(LoadDisplayMode(), mode) << content;
  }
  fs::remove(dir_ / "ModeConfig.ini");
  EXPECT_EQ(LoadDisplayMode(), 0);
}

TEST_F(LanguageFolderTest, ModeRoundTripKeepsTheRestOfTheFile) {
  Write("ModeConfig.ini", "; display mode\n[Fields]\nmode=0\nother=kept\n");
  ASSERT_TRUE(SaveDisplayMode(1));
  EXPECT_EQ(LoadDisplayMode(), 1);
  EXPECT_NE(Read("ModeConfig.ini").find("other=kept"), std::string::npos);
  EXPECT_NE(Read("ModeConfig.ini").find("; display mode"), std::string::npos);

  // Toggling twice before closing stores the mode that was loaded.
  std::uint8_t mode = LoadDisplayMode();
  mode = ToggledDisplayMode(ToggledDisplayMode(mode));
  ASSERT_TRUE(SaveDisplayMode(mode));
  EXPECT_EQ(LoadDisplayMode(), 1);

  ASSERT_TRUE(SaveDisplayMode(7));  // anything but 1 is normal
  EXPECT_EQ(LoadDisplayMode(), 0);

  fs::remove(dir_ / "ModeConfig.ini");
  ASSERT_TRUE(SaveDisplayMode(1));  // a missing file is created
  EXPECT_EQ(LoadDisplayMode(), 1);
}

TEST_F(LanguageFolderTest, FailedSaveIsReported) {
  setenv("ORLUSSD_LANGUAGE_DIR", (dir_ / "no-such-folder").c_str(), 1);
  EXPECT_FALSE(SaveDisplayMode(1));
  EXPECT_FALSE(fs::exists(dir_ / "no-such-folder"));

  // The mode file's place taken by a folder.
  setenv("ORLUSSD_LANGUAGE_DIR", dir_.c_str(), 1);
  fs::create_directory(dir_ / "ModeConfig.ini");
  EXPECT_FALSE(SaveDisplayMode(1));
}

TEST(DisplayModeTest, ToggleInvertsZeroAndClearsEverythingElse) {
  EXPECT_EQ(ToggledDisplayMode(0), 1);
  EXPECT_EQ(ToggledDisplayMode(1), 0);
  EXPECT_EQ(ToggledDisplayMode(2), 0);
  EXPECT_EQ(ToggledDisplayMode(255), 0);
}

}  // namespace
}  // namespace presentation
