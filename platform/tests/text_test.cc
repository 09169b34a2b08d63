#include "platform/text.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

class Utf8ToUtf16Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToUtf16Test, Converts) { EXPECT_EQ(Utf8ToUtf16(GetParam().utf8), GetParam().utf16); }

// Each malformed sequence becomes one U+FFFD per maximal invalid subpart, and
// the text after it survives.
INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToUtf16Test,
    ::testing::Values(Utf8Case{"ascii", "ORLU SSD", u"ORLU SSD"},
                      Utf8Case{"two_byte", "caf\xC3\xA9", u"caf\u00E9"},
                      Utf8Case{"three_byte", "\xE5\xAE\x89\xE5\x85\xA8", u"\u5B89\u5168"},
                      Utf8Case{"four_byte", "\xF0\x9F\x94\x92", u"\U0001F512"},
                      Utf8Case{"lone_continuation", "a\x80z", u"a\uFFFDz"},
                      Utf8Case{"invalid_byte", "a\xFFz", u"a\uFFFDz"},
                      Utf8Case{"truncated_at_end", "a\xE2\x82", u"a\uFFFD"},
                      Utf8Case{"truncated_before_ascii", "\xE2\x82z", u"\uFFFDz"},
                      Utf8Case{"overlong_two_byte", "\xC0\xAF", u"\uFFFD\uFFFD"},
                      Utf8Case{"overlong_three_byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
                      Utf8Case{"encoded_surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
                      Utf8Case{"above_unicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
                      Utf8Case{"embedded_nul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16ToUtf8Test, ConvertsPairsAndReplacesLoneSurrogates) {
  struct Case {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {u"\u5B89\u5168 ok", "\xE5\xAE\x89\xE5\x85\xA8 ok"},
      {u"\U0001F512", "\xF0\x9F\x94\x92"},
      {std::u16string{u'a', char16_t(0xD83D)}, "a\xEF\xBF\xBD"},  // high at the end
      {std::u16string{char16_t(0xDD12), u'b'},
       "\xEF\xBF\xBD"
       "b"},  // lone low
      {std::u16string{char16_t(0xDD12), char16_t(0xD83D)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
}

TEST(TextConversionTest, RoundTripsAndAnsiIsUtf8) {
  const std::u16string text = u"Passw\u00F6rter \u5B89\u5168 \U0001F512";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(WideToAnsi(text), Utf16ToUtf8(text));
  EXPECT_EQ(AnsiToWide("caf\xC3\xA9"), u"caf\u00E9");
}

TEST(TextTruncateTest, NeverSplitsACharacter) {
  const std::u16string pair = u"ab\U0001F512c";  // a b <high low> c
  EXPECT_EQ(TruncateUtf16(pair, 3), u"ab");
  EXPECT_EQ(TruncateUtf16(pair, 4), u"ab\U0001F512");
  EXPECT_EQ(TruncateUtf16(pair, 10), pair);
  EXPECT_EQ(TruncateUtf16(pair, 0), u"");

  const std::string utf8 =
      "a\xE5\xAE\x89"
      "b";  // a, 3-byte char, b
  EXPECT_EQ(TruncateUtf8(utf8, 1), "a");
  EXPECT_EQ(TruncateUtf8(utf8, 2), "a");
  EXPECT_EQ(TruncateUtf8(utf8, 3), "a");
  EXPECT_EQ(TruncateUtf8(utf8, 4), "a\xE5\xAE\x89");
  EXPECT_EQ(TruncateUtf8("\xF0\x9F\x94\x92", 3), "");
  // Bytes that are not valid UTF-8 are cut where asked.
  EXPECT_EQ(TruncateUtf8("\x80\x80\x80\x80\x80", 2), "\x80\x80");
}

}  // namespace
}  // namespace platform
