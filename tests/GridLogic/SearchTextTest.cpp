#include <gtest/gtest.h>

#include "Tools/LocalDbCtrls/DataGridSearch.h"

namespace vk {
namespace {

TEST(SearchText, TypedCharactersAreCountedAsCharactersNotBytes) {
  struct Case {
    std::string before;
    char32_t ch;
    int32_t limit;
    std::string after;
  } cases[] = {
      {"", U'a', 8, "a"},
      {"abcdefgh", U'i', 8, "abcdefgh"},                     // the ninth is ignored
      {"\u0416\u0416", U'\u0416', 3, "\u0416\u0416\u0416"},  // two-byte letters, three of three
      {"\u0416\u0416\u0416", U'x', 3, "\u0416\u0416\u0416"},
      {"ab\u0416", kBackspace, 8, "ab"},  // Backspace drops the whole letter
      {"", kBackspace, 8, ""},            // an empty text stays empty
      {"a", U'\u20AC', 8, "a\u20AC"},
  };
  for (const Case& c : cases) {
    std::string text = c.before;
    ApplySearchChar(text, c.ch, c.limit);
    EXPECT_EQ(text, c.after) << c.before;
  }
}

TEST(SearchText, PrefixBytesCoverWholeCharacters) {
  const std::string text = "\u0416a\u0416b";  // 2+1+2+1 bytes
  struct Case {
    int32_t chars;
    size_t bytes;
  } cases[] = {{0, 0}, {1, 2}, {2, 3}, {3, 5}, {4, 6}, {9, 6}, {-1, 0}};
  for (const Case& c : cases) EXPECT_EQ(Utf8PrefixBytes(text, c.chars), c.bytes) << c.chars;
  EXPECT_EQ(Utf8Length(text), 4);
}

TEST(SearchText, ControlCharactersOtherThanBackspaceAreNotSearched) {
  struct Case {
    char32_t ch;
    bool searched;
  } cases[] = {{kBackspace, true}, {U'a', true}, {U' ', true}, {3, false}, {9, false}, {27, false}, {127, false}};
  for (const Case& c : cases) EXPECT_EQ(IsSearchChar(c.ch), c.searched) << static_cast<int>(c.ch);
}

}  // namespace
}  // namespace vk
