#include <gtest/gtest.h>

#include "Core/Utf8.h"

namespace vk {
namespace {

TEST(Utf8, DecodesStrictlyWithOneReplacementPerMaximalInvalidSubpart) {
  struct Case {
    std::string in;
    std::u32string want;
  } cases[] = {
      {"\xD0\x9A\xD0\xBB\xD0\xB5\xD0\xB9 A", U"\u041A\u043B\u0435\u0439 A"},
      {"\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u20AC\U0001F600"},
      {"\xC0\xAF", U"\uFFFD\uFFFD"},                      // overlong "/"
      {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},            // overlong, three bytes
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xE4\xB8x", U"\uFFFDx"},                          // a cut sequence is one character
      {"a\xF0\x9F\x98", U"a\uFFFD"},
      {"\x80\xBF", U"\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8Decode(c.in), c.want) << c.in;
}

TEST(Utf8, Utf16RoundTripKeepsPairsAndReplacesLoneSurrogates) {
  std::u16string text = u"\u0416x\U0001F600\u20AC";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"a\xD800"
                        u"b\xDC00"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
  std::string appended;
  for (char32_t c : {U'\u0416', char32_t{0xDFFF}, char32_t{0x110000}, U'\U0001F600'}) Utf8Append(appended, c);
  EXPECT_EQ(appended, "\xD0\x96\xEF\xBF\xBD\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

TEST(Utf8, CountsAndCutsByCharactersWithoutLosingBrokenBytes) {
  const std::string text =
      "\x80\xD0\x96"
      "a\xF0\x9F\x98\x80";  // a stray byte, Ж, a, an emoji
  EXPECT_EQ(Utf8Length(text), 4);
  EXPECT_EQ(Utf8CharacterStarts(text), (std::vector<size_t>{0, 1, 3, 4, 8}));
  EXPECT_EQ(Utf8PrefixBytes(text, 2), 3u);
  EXPECT_EQ(Utf8PrefixBytes(text, 9), text.size());
  std::string cut = text;
  Utf8DropLast(cut);
  EXPECT_EQ(cut,
            "\x80\xD0\x96"
            "a");
  for (int i = 0; i < 3; ++i) Utf8DropLast(cut);
  EXPECT_EQ(cut, "");
  Utf8DropLast(cut);
  EXPECT_EQ(cut, "");
}

}  // namespace
}  // namespace vk
