// Start-up font registration: fonts go in in order, the first missing or
// refused one ends the run with one warning, and the warning is the message box.
#include "client/resources/fonts/font_registration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/fonts.h"
#include "toolkit/testing/ui_driver.h"
#include "toolkit/ui.h"

namespace {

// Ten stand-in fonts; the byte of each tells the fake registrar which one it got.
struct FakeFonts {
  explicit FakeFonts(int missing = -1) {
    for (int i = 0; i < 10; ++i) bytes[i] = static_cast<unsigned char>(i);
    for (int i = 0; i < 10; ++i) {
      fonts.push_back({names[i].c_str(),
                       i == missing ? std::span<const unsigned char>() : std::span(&bytes[i], 1)});
    }
  }
  std::string names[10] = {"f0", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9"};
  unsigned char bytes[10];
  std::vector<BundledFont> fonts;
};

TEST(FontRegistration, StopsAtTheFirstMissingOrRefusedFontAndWarnsOnce) {
  struct Case {
    const char* name;
    int missing;  // index of a font without bytes, or -1
    int refused;  // index the registrar refuses, or -1
    std::vector<int> tried;
    std::size_t registered;
    const char* warnedAbout;  // null: no warning
  };
  const Case cases[] = {
      {"all ten", -1, -1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 10, nullptr},
      {"first refused", -1, 0, {0}, 0, "f0"},
      {"fourth refused", -1, 3, {0, 1, 2, 3}, 3, "f3"},
      {"last refused", -1, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 9, "f9"},
      {"sixth missing", 5, -1, {0, 1, 2, 3, 4}, 5, "f5"},
      {"missing before refused", 2, 4, {0, 1}, 2, "f2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFonts fake(c.missing);
    std::vector<int> tried;
    std::vector<std::string> warnings;
    const std::size_t registered = RegisterFontsOrWarn(
        fake.fonts,
        [&](std::span<const unsigned char> bytes) {
          tried.push_back(bytes[0]);
          return bytes[0] != c.refused;
        },
        [&](const BundledFont& failed) { warnings.push_back(failed.fileName); });
    EXPECT_EQ(registered, c.registered);
    EXPECT_EQ(tried, c.tried);
    if (c.warnedAbout) {
      EXPECT_EQ(warnings, std::vector<std::string>{c.warnedAbout});
    } else {
      EXPECT_TRUE(warnings.empty());
    }
  }
}

TEST(FontRegistration, TheBundledFontsRegisterWithoutAWarning) {
  toolkit::testing::UiDriver driver;  // a warning would show up as an unexpected modal
  EXPECT_EQ(RegisterFontsOrWarn(BundledFonts()), BundledFonts().size());
  EXPECT_TRUE(driver.ModalLog().empty());
  toolkit::RemovePrivateFonts();
}

TEST(FontRegistration, AMissingFontShowsTheMessageBoxOnce) {
  toolkit::testing::UiDriver driver;
  ui::CDuiString text, title;
  driver.OnNextModal([&](toolkit::testing::UiDriver& d) {
    text = d.Text(u"msgbox_text");
    title = d.TopWindow()->GetTitle();
    EXPECT_TRUE(d.Click(u"msgbox_ok"));
  });
  FakeFonts fake(0);
  EXPECT_EQ(RegisterFontsOrWarn(fake.fonts), 0u);
  EXPECT_EQ(text, ui::CDuiString(u"加载内存字体错误"));
  EXPECT_TRUE(title.IsEmpty());
  EXPECT_EQ(driver.ModalLog().size(), 1u);
  EXPECT_EQ(driver.UnexpectedModals(), 0);
}

}  // namespace
