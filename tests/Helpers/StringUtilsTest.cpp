#include <gtest/gtest.h>

#include "Core/SysUtils.h"
#include "Tools/Service/StringUtils.h"

namespace vk {
namespace {

TEST(StringUtils, PadKeepsExactlyNewLenCharacters) {
  struct Case {
    const char* text;
    int newLen;
    char32_t fill;
    const char* left;
    const char* right;
  } cases[] = {
      {"abc", 5, U'0', "00abc", "abc00"},
      {"abc", 5, U' ', "  abc", "abc  "},
      {"abc", 3, U'0', "abc", "abc"},
      {"abc", 2, U'0', "bc", "ab"},
      {"abc", 0, U'0', "", ""},
      {"", 3, U'*', "***", "***"},
      // Cyrillic letters are two bytes each; lengths count letters.
      {"\xD0\xB0\xD0\xB1\xD0\xB2", 2, U'0', "\xD0\xB1\xD0\xB2", "\xD0\xB0\xD0\xB1"},
      {"\xD0\xB0", 3, U'\x2116', "\xE2\x84\x96\xE2\x84\x96\xD0\xB0", "\xD0\xB0\xE2\x84\x96\xE2\x84\x96"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " to " + std::to_string(c.newLen));
    EXPECT_EQ(PadLeft(c.text, c.newLen, c.fill), c.left);
    EXPECT_EQ(PadRight(c.text, c.newLen, c.fill), c.right);
  }
}

TEST(StringUtils, PadFailsAssertionWhenLengthIsNegative) {
  for (auto pad : {&PadLeft, &PadRight}) {
    try {
      pad("abc", -1, U' ');
      ADD_FAILURE() << "no assertion";
    } catch (const EAssertionFailed& e) {
      EXPECT_NE(std::string(e.what()).find("newLen is negative"), std::string::npos) << e.what();
    }
  }
}

TEST(StringUtils, IntToZeroPaddedKeepsLastWidthDigits) {
  struct Case {
    uint32_t number;
    int width;
    const char* expected;
  } cases[] = {
      {7, 3, "007"}, {12345, 3, "345"}, {12345, 5, "12345"}, {4294967295u, 12, "004294967295"}, {9, 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(IntToZeroPadded(c.number, c.width), c.expected) << c.number;
}

TEST(StringUtils, IntToZeroPaddedFailsAssertionWhenNumberIsZero) {
  try {
    IntToZeroPadded(0, 3);
    ADD_FAILURE() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_NE(std::string(e.what()).find("Number must be positive"), std::string::npos) << e.what();
  }
  EXPECT_THROW(IntToZeroPadded(5, -1), EAssertionFailed);
}

// Every character 10 pixels wide, a Cyrillic letter as one character.
int TenPerCharacter(const std::string& text) {
  int n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return 10 * n;
}

TEST(StringUtils, ShortenPathToWidthGivesWayFromTheFolderEnd) {
  struct Case {
    const char* path;
    int width;
    const char* expected;
  } cases[] = {
      {"C:\\Data\\stock.csv", 170, "C:\\Data\\stock.csv"},   // fits exactly
      {"C:\\Data\\stock.csv", 1000, "C:\\Data\\stock.csv"},  // fits easily
      {"C:\\Shop\\Data\\stock.csv", 190, "C:\\Sho...\\stock.csv"},
      {"C:\\Shop\\Data\\stock.csv", 130, "...\\stock.csv"},
      {"C:\\Shop\\Data\\stock.csv", 120, "...\\stock..."},  // the name alone is too wide
      {"/home/shop/stock.csv", 170, "/hom.../stock.csv"},
      {"stock-of-the-year.csv", 100, "...stoc..."},  // no folder at all
      {"C:\\a\\b.csv", 20, "..."},                   // nothing else fits
      {"C:\\\xD0\xB4\xD0\xB0\xD0\xBD\xD1\x96\\\xD1\x81\xD0\xBA\xD0\xBB\xD0\xB0\xD0\xB4\\x.csv", 130,
       "C:\\\xD0\xB4...\\x.csv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " in " + std::to_string(c.width));
    std::string shortened = ShortenPathToWidth(c.path, TenPerCharacter, c.width);
    EXPECT_EQ(shortened, c.expected);
    if (shortened != "...") {
      EXPECT_LE(TenPerCharacter(shortened), c.width);
    }
  }
}

}  // namespace
}  // namespace vk
