// Checks the shipped language files: each must give the client every text it
// looks up, in a form the private-profile reader returns unchanged, and with
// the same printf placeholders as English so a formatted text stays safe.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace {

// Every key the client looks up in section "Fields".
constexpr std::array<std::string_view, 109> kClientKeys = {
    // Window and home page.
    "AppName_pwd", "Home_Btn_Setting", "Home_CapacityFree", "Home_CapacityUsed",
    "Home_ProductName_pwd",
    // Security settings.
    "Setting_Btn_ChangePwd", "Setting_Btn_Edit", "Setting_Btn_FpUnlock", "Setting_Btn_ManageFp",
    "Setting_Btn_SecurityMode", "Setting_ClickToEnable", "Setting_Note_Content_Disable",
    "Setting_Note_Content_Enable_pwd", "Setting_Title_Disable", "Setting_Title_Enable",
    // Unlocking.
    "Unlock_Alert_ToManyCountContent", "Unlock_Alert_ToManyCountTitle", "Unlock_Btn_ForgetPwd",
    "Unlock_Btn_Unlock", "Unlock_Err_Hint", "Unlock_FpTitle", "Unlock_PwdTitle", "Unlock_Title",
    // Passwords.
    "Pwd_Add_Placeholder_RePwd", "Pwd_Add_Title", "Pwd_Check_Title", "Pwd_Close_Content",
    "Pwd_Close_Title", "Pwd_Err_NoSame", "Pwd_Err_PwdErr", "Pwd_Err_Rule",
    "Pwd_Modify_Placeholder_NewPwd", "Pwd_Modify_Placeholder_OldPwd",
    "Pwd_Modify_Placeholder_ReNewPwd", "Pwd_Modify_Success", "Pwd_Modify_Title",
    "Pwd_Placeholder_Hint", "Pwd_Placeholder_Pwd",
    // Forgotten password and formatting.
    "Forget_Content", "Forget_Note1", "Forget_Note2", "Forget_Note3", "Forget_Title",
    "Format_Content1", "Format_Content2", "Format_Faild", "Format_Title",
    // Fingerprint list.
    "Fp_List_AlertDelete", "Fp_List_AlertDeleteLast", "Fp_List_AlertErrFpCountOverflow",
    "Fp_List_AlertRenameErr", "Fp_List_AlertSameName", "Fp_List_BtnAddFp", "Fp_List_SubTitle",
    "Fp_List_Title",
    // Fingerprint enrolment.
    "Fp_SetUp_BtnAddMore", "Fp_SetUp_BtnDone", "Fp_SetUp_BtnStart", "Fp_SetUp_CancelAlertContent",
    "Fp_SetUp_CancelAlertTitle", "Fp_SetUp_Failed", "Fp_SetUp_FailedNote1", "Fp_SetUp_FailedNote2",
    "Fp_SetUp_FailedNote3", "Fp_SetUp_FailedTitle", "Fp_SetUp_FinishContent1",
    "Fp_SetUp_FinishContent2", "Fp_SetUp_NoteChangePosition", "Fp_SetUp_NoteDown",
    "Fp_SetUp_NoteLift", "Fp_SetUp_NoteSensor", "Fp_SetUp_StartNote", "Fp_SetUp_SubTitle",
    "Fp_SetUp_Title",
    // General notes and alerts.
    "Other_DisConnect_Content_pwd", "Other_DisConnect_Title", "Other_Note", "Other_Notice",
    "OtherAlert_AutoExit", "OtherAlert_FailedRemoveInUse", "OtherAlert_FpDefaultName",
    "OtherAlert_NoServer", "OtherAlert_NotSupportMultDisk", "OtherAlert_RemoveSafely",
    // Buttons.
    "Btn_Cancel", "Btn_Confirm", "Btn_Ok", "Btn_Save",
    // Settings menu and information pages.
    "More_AboutUs", "More_DarkMode", "More_NormalMode", "More_Version", "More_Warranty",
    "About_Btn_Copy", "About_Btn_Visit", "About_Email", "About_Title", "About_WebSite",
    "Warranty_Content1", "Warranty_Content2", "Warranty_Content3", "Warranty_Register",
    "Warranty_Title", "Version_Download", "Version_Download_Err_pwd", "Version_FoundNewVersion",
    "Version_Number", "Version_ReleaseDate", "Version_UpToDate"};

constexpr std::array<std::string_view, 7> kLanguageFiles = {
    "English.ini", "Chinese.ini", "Japan.ini", "Deusce.ini",
    "France.ini",  "Spain.ini",   "Italy.ini"};

// The client reads a text into 512 UTF-16 units including the terminator.
constexpr std::size_t kMaxTextUnits = 511;
// A fingerprint name is stored in at most 15 UTF-16 units, and a default name
// gets a number of up to two digits (at most 10 fingerprints).
constexpr std::size_t kMaxFingerprintNameUnits = 15;
constexpr std::size_t kDefaultNameNumberDigits = 2;

std::string ReadFile(std::string_view name) {
  std::ifstream in(std::string(ORLU_LANGUAGE_SOURCE_DIR) + "/" + std::string(name),
                   std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// A strict reader with the client's value rules (blanks trimmed, one pair of
// matching double or single quotes around a value removed); anything the client would read
// differently from what the author meant is reported as a problem.
struct IniFile {
  std::map<std::string, std::map<std::string, std::string>> sections;
  std::vector<std::string> problems;
};

IniFile ParseIni(std::string_view text) {
  IniFile ini;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // the client skips it too
  std::map<std::string, std::string>* section = nullptr;
  std::set<std::string> seen;  // section/key, letter case folded as the client does
  std::string current_section;
  int line_number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == ';') continue;
    const std::string where = "line " + std::to_string(line_number) + ": ";
    if (line.front() == '[') {
      if (line.back() != ']') {
        ini.problems.push_back(where + "unclosed section header");
        continue;
      }
      current_section = std::string(Trim(line.substr(1, line.size() - 2)));
      if (ini.sections.count(current_section) != 0) {
        ini.problems.push_back(where + "section [" + current_section + "] repeated");
      }
      section = &ini.sections[current_section];
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      ini.problems.push_back(where + "no '=' in \"" + std::string(line) + "\"");
      continue;
    }
    if (section == nullptr) {
      ini.problems.push_back(where + "key outside any section");
      continue;
    }
    const std::string key(Trim(line.substr(0, equals)));
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    if (!seen.insert(Lower(current_section) + "/" + Lower(key)).second) {
      ini.problems.push_back(where + "key " + key + " repeated; the client reads the first");
      continue;
    }
    (*section)[key] = std::string(value);
  }
  return ini;
}

// Offset of the first byte that breaks strict UTF-8 (overlong forms,
// surrogates and code points above U+10FFFF included), or npos.
std::size_t FirstInvalidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
      return i;
    }
    if (i + length > s.size()) return i;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(s[i + k]);
      if ((next & 0xC0) != 0x80) return i;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return i;
    i += length;
  }
  return std::string_view::npos;
}

// Length in UTF-16 code units of valid UTF-8 text.
std::size_t Utf16Units(std::string_view utf8) {
  std::size_t units = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++units;  // one per code point...
    if ((byte & 0xF8) == 0xF0) ++units;  // ...and a second for a surrogate pair
  }
  return units;
}

// Index of the first character at or after `i` that is not in `set`.
std::size_t SkipAny(std::string_view text, std::size_t i, std::string_view set) {
  while (i < text.size() && set.find(text[i]) != std::string_view::npos) ++i;
  return i;
}

// The printf conversions of a text in order ("%s", "%d", "%%", ...); a '%'
// that starts no valid conversion is listed as it stands, so it never matches.
std::vector<std::string> FormatPlaceholders(std::string_view text) {
  std::vector<std::string> found;
  std::size_t i = 0;
  while ((i = text.find('%', i)) != std::string_view::npos) {
    std::size_t j = SkipAny(text, i + 1, "-+ #0");  // flags
    j = SkipAny(text, j, "0123456789*.");           // width and precision
    j = SkipAny(text, j, "hlLqjzt");                // length
    const bool valid = j < text.size() && std::string_view("diouxXeEfFgGaAcspnSC%").find(text[j]) !=
                                              std::string_view::npos;
    const std::size_t end = valid ? j + 1 : j;
    found.emplace_back(text.substr(i, end - i));
    i = std::max(end, i + 1);
  }
  return found;
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

TEST(IniReaderOfTheTest, ReportsWhatTheClientWouldMisread) {
  struct Case {
    std::string_view text;
    bool has_problem;
  };
  const Case cases[] = {
      {"[Fields]\r\nA=1\r\n", false},     {"; comment\n[Fields]\nA = \"  spaced  \"\n", false},
      {"A=1\n[Fields]\n", true},           // key before any section
      {"[Fields]\nA=1\na=2\n", true},      // repeated key, letter case folded
      {"[Fields]\nJust text\n", true},     // no '='
      {"[Fields\nA=1\n", true},            // broken header
      {"[Fields]\n[Fields]\nA=1\n", true}  // repeated section
  };
  for (const auto& c : cases) {
    EXPECT_EQ(!ParseIni(c.text).problems.empty(), c.has_problem) << c.text;
  }
  IniFile quoted = ParseIni("[Fields]\nA = \"  spaced  \"\nB='x'\nC=\"x'\n");
  EXPECT_EQ(quoted.sections["Fields"]["A"], "  spaced  ");
  EXPECT_EQ(quoted.sections["Fields"]["B"], "x");
  EXPECT_EQ(quoted.sections["Fields"]["C"], "\"x'");
}

class LanguageFileTest : public ::testing::TestWithParam<std::string_view> {
 protected:
  void SetUp() override {
    text_ = ReadFile(GetParam());
    ASSERT_FALSE(text_.empty()) << GetParam() << " is missing or empty";
    ini_ = ParseIni(text_);
  }

  std::map<std::string, std::string>& Fields() { return ini_.sections["Fields"]; }

  std::string text_;
  IniFile ini_;
};

TEST_P(LanguageFileTest, IsCleanUtf8WithoutBom) {
  EXPECT_NE(text_.substr(0, 3), "\xEF\xBB\xBF") << "byte order mark";
  const auto bad = FirstInvalidUtf8(text_);
  EXPECT_EQ(bad, std::string_view::npos) << "invalid UTF-8 at byte " << bad;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const auto c = static_cast<unsigned char>(text_[i]);
    if (c < 0x20 && c != '\n' && c != '\r') {
      ADD_FAILURE() << "control character " << int{c} << " at byte " << i;
      break;
    }
  }
}

TEST_P(LanguageFileTest, DefinesExactlyTheClientKeysInOneSection) {
  EXPECT_TRUE(ini_.problems.empty()) << Join(ini_.problems);
  std::vector<std::string> sections;
  for (const auto& [name, keys] : ini_.sections) sections.push_back(name);
  EXPECT_EQ(sections, std::vector<std::string>{"Fields"});

  std::vector<std::string> missing;
  for (const auto key : kClientKeys) {
    if (Fields().count(std::string(key)) == 0) missing.emplace_back(key);
  }
  const std::set<std::string_view> expected(kClientKeys.begin(), kClientKeys.end());
  std::vector<std::string> unexpected;
  for (const auto& [key, value] : Fields()) {
    if (expected.count(key) == 0) unexpected.push_back(key);
  }
  EXPECT_TRUE(missing.empty()) << "missing: " << Join(missing);
  EXPECT_TRUE(unexpected.empty()) << "not looked up by the client: " << Join(unexpected);
}

TEST_P(LanguageFileTest, EveryTextIsShownWholeByTheClient) {
  for (const auto& [key, value] : Fields()) {
    EXPECT_FALSE(Trim(value).empty()) << key << " is empty";
    EXPECT_LE(Utf16Units(value), kMaxTextUnits) << key << " would be cut";
  }
}

TEST_P(LanguageFileTest, ClientReaderReturnsEveryTextAsWritten) {
  const std::string path = std::string(ORLU_LANGUAGE_SOURCE_DIR) + "/" + std::string(GetParam());
  for (const auto key : kClientKeys) {
    EXPECT_EQ(platform::GetPrivateProfileString("Fields", key, "", path),
              Fields()[std::string(key)])
        << key;
  }
}

TEST_P(LanguageFileTest, FormatPlaceholdersMatchEnglish) {
  IniFile english = ParseIni(ReadFile("English.ini"));
  for (const auto& [key, value] : Fields()) {
    EXPECT_EQ(FormatPlaceholders(value), FormatPlaceholders(english.sections["Fields"][key]))
        << key << " = " << value;
  }
}

TEST_P(LanguageFileTest, DefaultFingerprintNameLeavesRoomForItsNumber) {
  const std::string& name = Fields()["OtherAlert_FpDefaultName"];
  // Cutting the number off would give two fingerprints the same name.
  EXPECT_LE(Utf16Units(name) + kDefaultNameNumberDigits, kMaxFingerprintNameUnits) << name;
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, LanguageFileTest, ::testing::ValuesIn(kLanguageFiles),
                         [](const ::testing::TestParamInfo<std::string_view>& info) {
                           return std::string(info.param.substr(0, info.param.find('.')));
                         });

// The new-version text is the one text used as a format, with one string
// argument; any other conversion would read an argument that is not there.
TEST(EnglishTexts, OnlyTheNewVersionTextIsAFormatWithOneStringArgument) {
  IniFile english = ParseIni(ReadFile("English.ini"));
  std::map<std::string, std::vector<std::string>> formats;
  for (const auto& [key, value] : english.sections["Fields"]) {
    auto placeholders = FormatPlaceholders(value);
    if (!placeholders.empty()) formats[key] = placeholders;
  }
  const std::map<std::string, std::vector<std::string>> expected = {
      {"Version_FoundNewVersion", {"%s"}}};
  EXPECT_EQ(formats, expected);
}

TEST(ModeFile, ShipsInNormalMode) {
  IniFile mode = ParseIni(ReadFile("ModeConfig.ini"));
  EXPECT_TRUE(mode.problems.empty()) << Join(mode.problems);
  const std::map<std::string, std::map<std::string, std::string>> expected = {
      {"Fields", {{"mode", "0"}}}};
  EXPECT_EQ(mode.sections, expected);
}

}  // namespace
