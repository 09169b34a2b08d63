#include "client/presentation/language_choice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "client/presentation/layout_files.h"

namespace presentation {
namespace {

struct LangIdCase {
  LangId id;
  std::string_view file;
};

TEST(LanguageChoiceTest, LangIdSelectsLanguageFile) {
  const LangIdCase cases[] = {
      {0x0804, "Chinese.ini"}, {0x0C04, "Chinese.ini"},  // Hong Kong is Chinese...
      {0x0404, "English.ini"},                           // ...Taiwan is not
      {0x1004, "Chinese.ini"}, {0x1404, "Chinese.ini"}, {0x0411, "Japan.ini"},
      {0x0407, "Deusce.ini"},  {0x1407, "Deusce.ini"},  {0x0475, "Deusce.ini"},
      {0x040C, "France.ini"},  {0x140C, "France.ini"},  {0x180C, "English.ini"},
      {0x040A, "Spain.ini"},   {0x2C0A, "Spain.ini"},   {0x280A, "English.ini"},
      {0x500A, "Spain.ini"},   {0x540A, "English.ini"}, {0x0479, "Spain.ini"},
      {0x0410, "Italy.ini"},   {0x0810, "Italy.ini"},   {0x0478, "Italy.ini"},
      {0x0409, "English.ini"}, {0x0000, "English.ini"}, {0xFFFF, "English.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LanguageFileForCode(LanguageCodeForLangId(c.id)), c.file) << std::hex << c.id;
  }
}

TEST(LanguageChoiceTest, CodesAndFilesMatchBothWays) {
  const std::pair<LanguageCode, std::string_view> cases[] = {
      {kLangEnglish, "English.ini"}, {kLangChinese, "Chinese.ini"}, {kLangJapanese, "Japan.ini"},
      {kLangGerman, "Deusce.ini"},   {kLangFrench, "France.ini"},   {kLangSpanish, "Spain.ini"},
      {kLangItalian, "Italy.ini"},
  };
  for (const auto& [code, file] : cases) {
    EXPECT_EQ(LanguageFileForCode(code), file);
    EXPECT_EQ(LanguageCodeForFile(file), code);
  }
  EXPECT_EQ(kLangChinese, 2);
  EXPECT_FALSE(LanguageCodeForFile("english.ini").has_value());
}

TEST(LanguageChoiceTest, LocaleNameGivesLangId) {
  const std::pair<std::string_view, LangId> cases[] = {
      {"de_DE.UTF-8", 0x0407}, {"de_AT", 0x0C07},       {"de_BE.UTF-8@euro", 0x0407},
      {"de", 0x0407},          {"zh_CN.UTF-8", 0x0804}, {"zh_TW.UTF-8", 0x0404},
      {"zh_HK", 0x0C04},       {"ja_JP.eucJP", 0x0411}, {"fr_CA.UTF-8", 0x0C0C},
      {"fr_XX", 0x040C},  // an unlisted territory falls back to the language
      {"es_PE.UTF-8", 0x280A}, {"es_AR", 0x2C0A},       {"it_CH", 0x0810},
      {"DE-de", 0x0407},       {"en_GB.UTF-8", 0x0809}, {"C", 0x0409},
      {"POSIX", 0x0409},       {"C.UTF-8", 0x0409},     {"", 0x0409},
      {"xx_YY", 0x0409},
  };
  for (const auto& [locale, id] : cases) EXPECT_EQ(LangIdForLocale(locale), id) << locale;
}

TEST(LayoutFilesTest, ChineseAndDarkVariants) {
  for (LanguageCode code :
       {kLangEnglish, kLangJapanese, kLangGerman, kLangFrench, kLangSpanish, kLangItalian}) {
    EXPECT_EQ(MainLayoutFile(code), "main_device.xml") << code;
    EXPECT_EQ(DeviceItemLayoutFile(code), "DeviceItem_en.xml") << code;
  }
  EXPECT_EQ(MainLayoutFile(kLangChinese), "main_device_zh.xml");
  EXPECT_EQ(DeviceItemLayoutFile(kLangChinese), "DeviceItem.xml");
  EXPECT_EQ(PopupLayoutFile(), "popdailog_en.xml");
  EXPECT_EQ(FingerprintRowLayoutFile(1), "listitem_black.xml");
  EXPECT_EQ(FingerprintRowLayoutFile(2), "listitem.xml");
  EXPECT_EQ(MenuLayoutFile(1), "menu_Black.xml");
  EXPECT_EQ(MenuLayoutFile(0), "menu.xml");
}

class LanguageEnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "ORLUSSD_LANG"}) unsetenv(name);
  }
  void TearDown() override { SetUp(); }
};

TEST_F(LanguageEnvironmentTest, FirstNonEmptyLocaleVariableWins) {
  EXPECT_EQ(CurrentUiLangId(), 0x0409);
  setenv("LANG", "fr_FR.UTF-8", 1);
  EXPECT_EQ(GetUiLanguageCode(), kLangFrench);
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  EXPECT_EQ(GetUiLanguageCode(), kLangJapanese);
  setenv("LC_ALL", "", 1);  // empty does not count
  EXPECT_EQ(GetUiLanguageCode(), kLangJapanese);
  setenv("LC_ALL", "zh_CN.UTF-8", 1);
  EXPECT_EQ(GetUiLanguageCode(), kLangChinese);

  ChooseLanguageFile();
  EXPECT_EQ(LanguageFile(), "Chinese.ini");
}

TEST_F(LanguageEnvironmentTest, OverrideNamesTheFile) {
  setenv("LANG", "de_DE.UTF-8", 1);
  setenv("ORLUSSD_LANG", "Italy.ini", 1);
  EXPECT_EQ(GetUiLanguageCode(), kLangItalian);
  ChooseLanguageFile();
  EXPECT_EQ(LanguageFile(), "Italy.ini");

  // A file of one's own is used as given and counts as English for layouts.
  setenv("ORLUSSD_LANG", "/tmp/Test.ini", 1);
  EXPECT_EQ(GetUiLanguageCode(), kLangEnglish);
  ChooseLanguageFile();
  EXPECT_EQ(LanguageFile(), "/tmp/Test.ini");
}

}  // namespace
}  // namespace presentation
