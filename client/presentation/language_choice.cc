#include "client/presentation/language_choice.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace presentation {
namespace {

struct LangIdGroup {
  LanguageCode code;
  std::initializer_list<LangId> ids;
};

// LANGIDs of each non-English language file; any other LANGID is English.
const std::array<LangIdGroup, 6> kLangIdGroups = {{
    {kLangChinese, {0x0804, 0x0C04, 0x1004, 0x1404}},
    {kLangJapanese, {0x0411}},
    {kLangGerman, {0x0407, 0x0807, 0x0C07, 0x1007, 0x1407, 0x0475}},
    {kLangFrench, {0x040C, 0x080C, 0x0C0C, 0x100C, 0x140C}},
    {kLangSpanish,
     {0x040A, 0x080A, 0x0C0A, 0x100A, 0x140A, 0x180A, 0x1C0A, 0x200A, 0x240A, 0x2C0A,
      0x300A, 0x340A, 0x380A, 0x3C0A, 0x400A, 0x440A, 0x480A, 0x4C0A, 0x500A, 0x0479}},
    {kLangItalian, {0x0410, 0x0810, 0x0478}},
}};

constexpr std::array<std::pair<LanguageCode, std::string_view>, 7> kFiles = {{
    {kLangEnglish, "English.ini"},
    {kLangChinese, "Chinese.ini"},
    {kLangJapanese, "Japan.ini"},
    {kLangGerman, "Deusce.ini"},
    {kLangFrench, "France.ini"},
    {kLangSpanish, "Spain.ini"},
    {kLangItalian, "Italy.ini"},
}};

// Locale names ("language" or "language_TERRITORY") and their LANGIDs. A bare
// language is the fallback for territories not listed.
constexpr auto kLocales = std::to_array<std::pair<std::string_view, LangId>>({
    {"en", 0x0409},    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09},  {"en_CA", 0x1009},
    {"en_NZ", 0x1409}, {"en_IE", 0x1809}, {"zh", 0x0804},    {"zh_CN", 0x0804},  {"zh_TW", 0x0404},
    {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"zh_MO", 0x1404}, {"ja", 0x0411},     {"ja_JP", 0x0411},
    {"de", 0x0407},    {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07},  {"de_LU", 0x1007},
    {"de_LI", 0x1407}, {"de_BE", 0x0407}, {"fr", 0x040C},    {"fr_FR", 0x040C},  {"fr_BE", 0x080C},
    {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C}, {"fr_MC", 0x180C},  {"es", 0x0C0A},
    {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es_GT", 0x100A}, {"es_CR", 0x140A},  {"es_PA", 0x180A},
    {"es_DO", 0x1C0A}, {"es_VE", 0x200A}, {"es_CO", 0x240A}, {"es_PE", 0x280A},  {"es_AR", 0x2C0A},
    {"es_EC", 0x300A}, {"es_CL", 0x340A}, {"es_UY", 0x380A}, {"es_PY", 0x3C0A},  {"es_BO", 0x400A},
    {"es_SV", 0x440A}, {"es_HN", 0x480A}, {"es_NI", 0x4C0A}, {"es_PR", 0x500A},  {"es_US", 0x540A},
    {"it", 0x0410},    {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"haw", 0x0475},    {"haw_US", 0x0475},
    {"ii", 0x0478},    {"ii_CN", 0x0478}, {"pap", 0x0479},   {"pap_AW", 0x0479}, {"pap_CW", 0x0479},
    {"ko", 0x0412},    {"ko_KR", 0x0412}, {"pt", 0x0816},    {"pt_BR", 0x0416},  {"nl", 0x0413},
    {"ru", 0x0419},
});

constexpr LangId kEnglishUs = 0x0409;

std::optional<LangId> FindLocale(std::string_view name) {
  for (const auto& [locale, id] : kLocales) {
    if (locale == name) return id;
  }
  return std::nullopt;
}

std::optional<std::string_view> ForcedLanguageFile() {
  const char* forced = std::getenv("ORLUSSD_LANG");
  if (forced == nullptr || *forced == '\0') return std::nullopt;
  return std::string_view(forced);
}

std::string& StoredLanguageFile() {
  static std::string file(LanguageFileForCode(kLangEnglish));
  return file;
}

}  // namespace

LanguageCode LanguageCodeForLangId(LangId id) {
  for (const auto& group : kLangIdGroups) {
    if (std::find(group.ids.begin(), group.ids.end(), id) != group.ids.end()) return group.code;
  }
  return kLangEnglish;
}

std::string_view LanguageFileForCode(LanguageCode code) {
  for (const auto& [c, file] : kFiles) {
    if (c == code) return file;
  }
  return kFiles[0].second;
}

std::optional<LanguageCode> LanguageCodeForFile(std::string_view file) {
  for (const auto& [code, name] : kFiles) {
    if (name == file) return code;
  }
  return std::nullopt;
}

LangId LangIdForLocale(std::string_view locale) {
  // language[_TERRITORY][.codeset][@modifier]
  const std::size_t end = locale.find_first_of(".@");
  if (end != std::string_view::npos) locale = locale.substr(0, end);
  std::string language(locale.substr(0, locale.find_first_of("_-")));
  std::string territory;
  if (language.size() < locale.size()) territory = std::string(locale.substr(language.size() + 1));
  for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : territory) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

  if (!territory.empty()) {
    if (auto id = FindLocale(language + "_" + territory)) return *id;
  }
  return FindLocale(language).value_or(kEnglishUs);
}

LangId CurrentUiLangId() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return LangIdForLocale(value);
  }
  return kEnglishUs;
}

LanguageCode GetUiLanguageCode() {
  if (auto forced = ForcedLanguageFile())
    return LanguageCodeForFile(*forced).value_or(kLangEnglish);
  return LanguageCodeForLangId(CurrentUiLangId());
}

void ChooseLanguageFile() {
  // A forced name is kept as given, so tests can point at a file of their own.
  if (auto forced = ForcedLanguageFile()) {
    StoredLanguageFile() = std::string(*forced);
    return;
  }
  StoredLanguageFile() = std::string(LanguageFileForCode(GetUiLanguageCode()));
}

const std::string& LanguageFile() { return StoredLanguageFile(); }

}  // namespace presentation
