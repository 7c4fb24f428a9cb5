// The conversions against the system's own tables (posix natively, Windows
// under Wine): the same expectations for both.
#include <gtest/gtest.h>

#include "Core/SysUtils.h"
#include "Tools/Service/RegionInfo.h"

namespace vk {
namespace {

const std::string kKodUtf8 = "\xD0\x9A\xD0\xBE\xD0\xB4";  // "Код"
const std::string kKod1251 = "\xCA\xEE\xE4";

TEST(CodePage, ConvertsBetweenCodePagesAndUtf8) {
  struct Case {
    std::string bytes;
    uint32_t codePage;
    std::string utf8;
  } cases[] = {
      {kKod1251, 1251, kKodUtf8},
      {"", 1251, ""},
      {"abc 123", 1252, "abc 123"},
      {"\xA8\xB8\xB9", 1251, "\xD0\x81\xD1\x91\xE2\x84\x96"},      // Ё ё №
      {"\xC9t\xE9 \x80", 1252, "\xC3\x89t\xC3\xA9 \xE2\x82\xAC"},  // Été €
      {kKodUtf8, 65001, kKodUtf8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.utf8) << c.codePage;
    EXPECT_EQ(Utf8ToCodePage(c.utf8, c.codePage), c.bytes) << c.codePage;
  }
  EXPECT_EQ(CodePageToWide(kKod1251, 1251), u"\u041A\u043E\u0434");
}

TEST(CodePage, EveryByteOfTheSingleByteCodePagesComesBack) {
  for (uint32_t codePage : {1251u, 1252u}) {
    for (int b = 1; b < 256; ++b) {
      std::string byte(1, static_cast<char>(b));
      std::string utf8 = CodePageToUtf8(byte, codePage);
      ASSERT_FALSE(utf8.empty()) << codePage << " " << b;
      EXPECT_EQ(Utf8ToCodePage(utf8, codePage), byte) << codePage << " byte " << b;
    }
  }
}

TEST(CodePage, NonEmptyTextNeverBecomesEmpty) {
  struct Case {
    std::string in;
    uint32_t codePage;
    std::string want;
  } toUtf8[] = {
      {"\xFF", 65001, "\xEF\xBF\xBD"},
      {"a\xC3", 65001, "a\xEF\xBF\xBD"},
      {std::string("\0", 1), 1251, std::string("\0", 1)},
  };
  for (const auto& c : toUtf8) EXPECT_EQ(CodePageToUtf8(c.in, c.codePage), c.want);
  // An encoded surrogate: systems differ in how many replacement characters
  // they make of it, but it is never dropped and never passed through.
  std::string surrogate = CodePageToUtf8("\xED\xA0\x80", 65001);
  ASSERT_FALSE(surrogate.empty());
  for (size_t i = 0; i < surrogate.size(); i += 3) EXPECT_EQ(surrogate.substr(i, 3), "\xEF\xBF\xBD");
  // Characters the code page lacks become its default character.
  EXPECT_EQ(Utf8ToCodePage("\xE4\xB8\xAD", 1251), "?");       // a CJK letter
  EXPECT_EQ(Utf8ToCodePage("\xD0\x9A", 1252), "?");           // Cyrillic К in Western
  EXPECT_EQ(Utf8ToCodePage("\xF0\x9F\x98\x80", 1251), "??");  // outside the BMP: one per UTF-16 unit
  // Never a look-alike that would read back as another letter.
  EXPECT_EQ(Utf8ToCodePage("Caf\xC3\xA9", 1251), "Caf?");  // é, not e
  EXPECT_EQ(Utf8ToCodePage("\xC4\x80", 1252), "?");        // Ā, not A
  EXPECT_EQ(Utf8ToCodePage("x\xFF", 65001), "x\xEF\xBF\xBD");
}

TEST(CodePage, UnknownCodePageRaisesInsteadOfGivingNothing) {
  EXPECT_FALSE(IsValidCodePageSafe(12345));
  EXPECT_THROW(CodePageToUtf8("abc", 12345), EOSError);
  EXPECT_THROW(Utf8ToCodePage("abc", 12345), EOSError);
  EXPECT_EQ(CodePageToUtf8("", 12345), "");
}

}  // namespace
}  // namespace vk
