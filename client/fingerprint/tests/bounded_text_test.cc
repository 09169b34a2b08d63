#include "client/fingerprint/bounded_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BoundedTextTest, Utf8ToUtf16StopsAndTerminates) {
  struct Case {
    std::string src;
    std::size_t srcBytes, dstUnits;
    std::u16string expected;
  } const cases[] = {
      {"hello", 5, 16, u"hello"},
      {"hello", 3, 16, u"hel"},                   // end of source field
      {std::string("he\0llo", 6), 6, 16, u"he"},  // first 0
      {"hello", 5, 3, u"he"},                     // destination full
      {"a😀", 5, 3, u"a"},                         // the pair does not fit: dropped whole
      {"a😀", 5, 4, u"a😀"},
      {"\xC3", 1, 8, u"\uFFFD"},                        // truncated sequence
      {"\xE0\x80\x80z", 4, 8, u"\uFFFD\uFFFD\uFFFDz"},  // overlong
      {"\xED\xA0\x80", 3, 8, u"\uFFFD\uFFFD\uFFFD"},    // encoded surrogate
  };
  for (const Case& c : cases) {
    char16_t out[16];
    std::size_t n = Utf8ToUtf16Bounded(c.src.data(), c.srcBytes, out, c.dstUnits);
    EXPECT_EQ(std::u16string(out, n), c.expected) << c.src;
    EXPECT_EQ(out[n], 0);
  }
}

TEST(BoundedTextTest, Utf16ToUtf8StopsAndTerminates) {
  struct Case {
    std::u16string src;
    std::size_t dstBytes;
    std::string expected;
  } const cases[] = {
      {u"héllo", 32, "héllo"}, {u"héllo", 3, "h"},              // é needs two bytes: not split
      {u"東京", 6, "東"},      {u"\xD83D", 8, "\xEF\xBF\xBD"},  // lone high surrogate
      {u"😀x", 5, "😀"},
  };
  for (const Case& c : cases) {
    char out[32];
    std::size_t n = Utf16ToUtf8Bounded(c.src.data(), c.src.size(), out, c.dstBytes);
    EXPECT_EQ(std::string(out, n), c.expected);
    EXPECT_EQ(out[n], 0);
  }
}

}  // namespace
