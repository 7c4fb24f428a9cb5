#include <gtest/gtest.h>

#include <stdexcept>

#include "Tools/Service/RegionInfo.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {
namespace {

RegionQueries Queries(uint32_t acp, uint16_t langId, std::optional<std::string> localeText, uint8_t versionClass) {
  RegionQueries q;
  q.AnsiCodePage = [=] { return acp; };
  q.SystemDefaultLangId = [=] { return langId; };
  q.LocaleDefaultAnsiCodePageText = [=](uint16_t) { return localeText; };
  q.IsValidCodePage = [](uint32_t cp) { return cp == 1251 || cp == 1252 || cp == 932; };
  q.WindowsVersionClass = [=] { return versionClass; };
  return q;
}

TEST(RegionInfo, CyrillicSystemByCodePageAndVersionClass) {
  for (uint8_t versionClass = kWin2000; versionClass <= kWinOther; ++versionClass) {
    EXPECT_TRUE(IsCyrillicSystem(1251, versionClass)) << int(versionClass);
    EXPECT_EQ(IsCyrillicSystem(65001, versionClass), versionClass >= kWin10) << int(versionClass);
    EXPECT_FALSE(IsCyrillicSystem(1252, versionClass)) << int(versionClass);
    EXPECT_FALSE(IsCyrillicSystem(866, versionClass)) << int(versionClass);
  }
}

TEST(RegionInfo, ComputesTheFourValuesFromTheSystemsAnswers) {
  struct Case {
    uint32_t acp;
    uint16_t langId;
    std::optional<std::string> localeText;
    uint8_t versionClass;
    TRegionInfo want;
  } cases[] = {
      {1251, 0x0419, "1251", kWin7, {1251, true, 0x0419, 1251}},
      {1252, 0x0409, "1252", kWin10, {1252, false, 0x0409, 1252}},
      {65001, 0x0422, "1251", kWin11, {65001, true, 0x0422, 1251}},
      {65001, 0x0422, "1251", kWin81, {65001, false, 0x0422, 1251}},
      {65001, 0x0439, "0", kWin10, {65001, true, 0x0439, 0}},  // a Unicode-only locale
      {1252, 0x0409, "65001", kWin10, {1252, false, 0x0409, 65001}},
      {1252, 0x0409, std::nullopt, kWin10, {1252, false, 0x0409, 1251}},
      {1252, 0x0409, "", kWin10, {1252, false, 0x0409, 1251}},
      {1252, 0x0409, "12a", kWin10, {1252, false, 0x0409, 1251}},
      {1252, 0x0409, "-5", kWin10, {1252, false, 0x0409, 1251}},
  };
  for (const auto& c : cases) {
    TRegionInfo got = ComputeRegionInfo(Queries(c.acp, c.langId, c.localeText, c.versionClass));
    EXPECT_EQ(got.SystemAnsiCodePage, c.want.SystemAnsiCodePage);
    EXPECT_EQ(got.CyrillicSystem, c.want.CyrillicSystem) << c.acp << " class " << int(c.versionClass);
    EXPECT_EQ(got.SystemLangId, c.want.SystemLangId);
    EXPECT_EQ(got.LocaleAnsiCodePage, c.want.LocaleAnsiCodePage) << c.localeText.value_or("(none)");
  }
}

TEST(RegionInfo, FailingQueriesFallBackToTheRussianSetting) {
  RegionQueries q;
  q.AnsiCodePage = []() -> uint32_t { throw std::runtime_error("GetACP"); };
  q.SystemDefaultLangId = []() -> uint16_t { throw std::runtime_error("GetSystemDefaultLangID"); };
  uint16_t askedFor = 0;
  q.LocaleDefaultAnsiCodePageText = [&](uint16_t langId) -> std::optional<std::string> {
    askedFor = langId;
    throw std::runtime_error("GetLocaleInfo");
  };
  q.IsValidCodePage = [](uint32_t) -> bool { throw std::runtime_error("IsValidCodePage"); };
  q.WindowsVersionClass = [] { return kWin10; };
  TRegionInfo got = ComputeRegionInfo(q);
  EXPECT_EQ(got.SystemAnsiCodePage, 1251u);
  EXPECT_TRUE(got.CyrillicSystem);
  EXPECT_EQ(got.SystemLangId, 1049u);
  EXPECT_EQ(askedFor, 1049);
  EXPECT_EQ(got.LocaleAnsiCodePage, 1251u);
  EXPECT_FALSE(IsValidCodePageSafe(q, 1251));
}

TEST(RegionInfo, ValuesOfTheRunningSystemAreFixedAndConsistent) {
  EXPECT_EQ(CyrillicSystem(), IsCyrillicSystem(SystemAnsiCodePage(), WindowsVersionClass()));
  EXPECT_TRUE(IsValidCodePageSafe(SystemAnsiCodePage()));
  EXPECT_FALSE(IsValidCodePageSafe(1));
}

// Run by CTest once per locale, which passes what to expect (a run that
// skips counts as a failure there). The names avoid a "VK_" prefix: Wine does
// not hand such variables to Windows programs.
TEST(RegionInfo, SystemValuesUnderTheGivenLocale) {
  const char* acp = std::getenv("VORKEL_EXPECT_ACP");
  const char* lang = std::getenv("VORKEL_EXPECT_LANGID");
  const char* cyr = std::getenv("VORKEL_EXPECT_CYRILLIC");
  const char* loc = std::getenv("VORKEL_EXPECT_LOCALE_ACP");
  if (!acp && !lang && !cyr && !loc) GTEST_SKIP() << "no locale given";
  ASSERT_TRUE(acp && lang && cyr && loc) << "every expectation must arrive";
  EXPECT_EQ(SystemAnsiCodePage(), std::stoul(acp));
  EXPECT_EQ(SystemLangId(), std::stoul(lang, nullptr, 16));
  EXPECT_EQ(CyrillicSystem(), std::string(cyr) == "1");
  EXPECT_EQ(LocaleAnsiCodePage(), std::stoul(loc));
}

}  // namespace
}  // namespace vk
