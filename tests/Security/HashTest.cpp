#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Core/SysUtils.h"
#include "Platform/CodePage.h"
#include "Tools/Security/Hash.h"
#include "Tools/Security/Md5.h"

namespace vk {
namespace {

std::string Hex(const TMd5Digest& digest) {
  std::string text;
  char pair[3];
  for (uint8_t byte : digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    text += pair;
  }
  return text;
}

TEST(Md5, GivesTheReferenceDigests) {
  struct Case {
    std::string input;
    const char* digest;
  } cases[] = {
      // RFC 1321, appendix A.5.
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
      // Around the padding boundaries: 55 bytes still leave room for the
      // length, 56 to 63 need a second block, 64 fill one exactly.
      {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
      {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
      {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
      {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
      {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
      {std::string(119, 'a'), "8a7bd0732ed6a28ce75f6dabc90e1613"},
      {std::string(120, 'a'), "5f61c0ccad4cac44c75ff505e1f1e537"},
      {std::string(128, 'a'), "e510683b3f5ffe4093d021808bc6ff70"},
      {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
      {std::string("\0\xFF\x80", 3), "4fd64cb80c3f86e1e9d0f559af8b370f"},
  };
  for (const auto& c : cases) EXPECT_EQ(Hex(Md5(c.input)), c.digest) << c.input.size() << " bytes";
}

TEST(HashString, KeepsTheLastFourDigestBytesAsLittleEndian) {
  struct Case {
    std::string bytes;
    uint32_t hash;
    const char* text;
  } cases[] = {
      {"abc", 0x727FE128, "727F-E128"},             // digest ends 28 E1 7F 72
      {"a", 0x61267769, "6126-7769"},               // digest ends 69 77 26 61
      {"message digest", 0xD061F1AA, "D061-F1AA"},  // digest ends AA F1 61 D0
      {std::string(kMaxHashedLength, 'x'), 0xF6580AEA, "F658-0AEA"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HashString(c.bytes), c.hash) << c.text;
    EXPECT_EQ(HashStringHex(c.bytes), c.text);
    EXPECT_EQ(HashBuffer(c.bytes.data(), static_cast<uint16_t>(c.bytes.size())), c.hash) << c.text;
  }
}

TEST(HashString, TextFormIsZeroPaddedUpperCaseWithADash) {
  struct Case {
    uint32_t hash;
    const char* text;
  } cases[] = {
      {0, "0000-0000"},          {0xA, "0000-000A"},        {0x10000, "0001-0000"},
      {0xFFFFFFFF, "FFFF-FFFF"}, {0x3C71A5E4, "3C71-A5E4"},
  };
  for (const auto& c : cases) EXPECT_EQ(HashToText(c.hash), c.text);
}

TEST(HashString, HashesTheBytesAsStoredTerminatorsIncluded) {
  EXPECT_NE(HashString(std::string("ab\0c", 4)), HashString("abc"));
  EXPECT_NE(HashString(std::string("abc\0", 4)), HashString("abc"));
}

TEST(HashString, EmptyTextIsAProgrammingError) {
  try {
    HashString("");
    FAIL() << "no exception";
  } catch (const EAssertionFailed& e) {
    EXPECT_NE(e.Message().find("String for Get Hash is Empty"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("Tools\\Security\\Hash"), std::string::npos) << e.Message();
  }
}

TEST(HashString, TextLongerThan65535BytesRaisesARangeError) {
  EXPECT_THROW(HashString(std::string(kMaxHashedLength + 1, 'x')), ERangeError);
  EXPECT_THROW(HashString(std::string(200000, 'x')), ERangeError);
}

// --- Code pages -------------------------------------------------------------

const char kPasswordUtf8[] = "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C";  // "пароль"
const char kPassword1251[] = "\xEF\xE0\xF0\xEE\xEB\xFC";

TEST(HashText, HashesTheTextsBytesInTheGivenCodePage) {
  struct Case {
    const char* utf8;
    uint32_t codePage;
    std::string bytes;
  } cases[] = {
      {kPasswordUtf8, 1251, kPassword1251},
      {kPasswordUtf8, 65001, kPasswordUtf8},
      {kPasswordUtf8, 1252, "??????"},  // 1252 has no Cyrillic letters
      {"Vorkel - C:\\Program Files\\Vorkel", 1251, "Vorkel - C:\\Program Files\\Vorkel"},
      {"Vorkel - C:\\\xD0\xA1\xD0\xBA\xD0\xBB\xD0\xB0\xD0\xB4", 1251, "Vorkel - C:\\\xD1\xEA\xEB\xE0\xE4"},  // "Склад"
      {"caf\xC3\xA9", 1252, "caf\xE9"},
      {"\xE4\xB8\xAD", 1251, "?"},  // a character 1251 lacks
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToCodePageBytes(c.utf8, c.codePage), c.bytes) << c.utf8 << " in " << c.codePage;
    EXPECT_EQ(HashText(c.utf8, c.codePage), HashString(c.bytes)) << c.utf8 << " in " << c.codePage;
  }
}

TEST(HashText, SameTextInTwoCodePagesHashesDifferently) {
  EXPECT_NE(HashText(kPasswordUtf8, 1251), HashText(kPasswordUtf8, 65001));
  EXPECT_NE(HashText(kPasswordUtf8, 1251), HashText(kPasswordUtf8, 1252));
  EXPECT_EQ(HashText("abc", 1251), HashText("abc", 1252));  // the same bytes in both
}

TEST(HashText, LengthLimitCountsTheCodePageBytes) {
  std::string utf8;
  for (size_t i = 0; i < kMaxHashedLength; ++i) utf8 += "\xD0\xB6";  // "ж": 2 bytes in UTF-8, 1 in 1251
  EXPECT_EQ(HashText(utf8, 1251), HashString(std::string(kMaxHashedLength, '\xE6')));
  EXPECT_THROW(HashText(utf8, 65001), ERangeError);
  EXPECT_THROW(HashText(utf8 + "\xD0\xB6", 1251), ERangeError);
}

TEST(HashText, EmptyTextIsAProgrammingError) {
  EXPECT_THROW(HashText("", 1251), EAssertionFailed);
  EXPECT_THROW(HashText(""), EAssertionFailed);
}

// Run by CTest once per locale with VORKEL_EXPECT_ACP set (see CMakeLists.txt);
// the system's ANSI code page follows LANG under Wine and natively alike.
TEST(HashText, SystemAnsiCodePageOfTheRunningSystem) {
  const char* expected = std::getenv("VORKEL_EXPECT_ACP");
  if (!expected) GTEST_SKIP() << "VORKEL_EXPECT_ACP not set";
  ASSERT_EQ(platform::AnsiCodePage(), static_cast<uint32_t>(std::stoul(expected)));
  const std::string title = "Vorkel - C:\\\xD0\xA1\xD0\xBA\xD0\xBB\xD0\xB0\xD0\xB4";  // "Склад"
  if (platform::AnsiCodePage() == 1251) {
    EXPECT_EQ(HashText(kPasswordUtf8), HashString(kPassword1251));
    EXPECT_EQ(HashText(title), HashString("Vorkel - C:\\\xD1\xEA\xEB\xE0\xE4"));
  } else {
    EXPECT_EQ(HashText(kPasswordUtf8), HashString("??????"));
    EXPECT_EQ(HashText(title), HashString("Vorkel - C:\\?????"));
  }
}

}  // namespace
}  // namespace vk
