#include <gtest/gtest.h>

#include "Core/DateTime.h"
#include "Tools/Service/TextConst.h"
#include "tests/Texts/TextTestSupport.h"

namespace vk {
namespace {

using testing::LanguageName;
using testing::LoadTexts;

TDateTime At(int y, int m, int d, int h, int mi, int s) {
  return *TryEncodeDate(y, m, d) + *TryEncodeTime(h, mi, s, 0);
}

TEST(ProgFormat, LongDateTimeHasTheMonthInTheFormADayNeeds) {
  struct Case {
    std::uint8_t language;
    TDateTime when;
    const char* expected;
  } cases[] = {
      {kLangRussian, At(2026, 12, 7, 23, 40, 14), " 07 декабря 2026, 23:40:14 "},
      {kLangRussian, At(2026, 5, 1, 0, 0, 0), " 01 мая 2026, 00:00:00 "},
      {kLangRussian, At(2026, 3, 9, 8, 5, 1), " 09 марта 2026, 08:05:01 "},
      {kLangUkrainian, At(2026, 3, 1, 12, 5, 9), " 01 березня 2026, 12:05:09 "},
      {kLangUkrainian, At(2026, 11, 30, 23, 59, 59), " 30 листопада 2026, 23:59:59 "},
      {kLangUkrainian, At(2027, 2, 14, 6, 0, 0), " 14 лютого 2027, 06:00:00 "},
      {kLangEnglish, At(2026, 3, 1, 12, 5, 9), " 01 March 2026, 12:05:09 "},
      {kLangEnglish, At(2026, 9, 21, 17, 30, 0), " 21 September 2026, 17:30:00 "},
  };
  for (const auto& c : cases) {
    LoadTexts(c.language);
    EXPECT_EQ(FormatLongDateTime(c.when), c.expected) << LanguageName(c.language);
    EXPECT_EQ(FormatTimeOnly(c.when), std::string(c.expected).substr(std::string(c.expected).size() - 10))
        << LanguageName(c.language);
  }
  UnloadTexts();
}

TEST(ProgFormat, ShortDateOrderAndSeparatorFollowTheLanguage) {
  struct Case {
    std::uint8_t language;
    const char* shown;   // 31 December 2026
    const char* parsed;  // read back as 3 May 2026
  } cases[] = {
      {kLangRussian, "31.12.2026", "03.05.2026"},
      {kLangUkrainian, "31.12.2026", "03.05.2026"},
      {kLangEnglish, "12/31/2026", "05/03/2026"},
  };
  for (const auto& c : cases) {
    LoadTexts(c.language);
    EXPECT_EQ(FormatDateTime(ProgFormatSettings.ShortDateFormat, At(2026, 12, 31, 10, 0, 0), ProgFormatSettings),
              c.shown);
    auto parsed = TryStrToDateTime(c.parsed, ProgFormatSettings);
    ASSERT_TRUE(parsed) << c.parsed;
    EXPECT_EQ(*parsed, At(2026, 5, 3, 0, 0, 0)) << LanguageName(c.language);
  }
  UnloadTexts();
}

TEST(ProgFormat, LoadersSetOnlySeparatorsShortDateAndLongMonths) {
  for (auto language : {kLangRussian, kLangUkrainian, kLangEnglish}) {
    LoadTexts(language);
    const TFormatSettings& fs = ProgFormatSettings;
    EXPECT_EQ(fs.TimeSeparator, ':');
    for (const auto& name : fs.LongMonthNames) EXPECT_FALSE(name.empty()) << LanguageName(language);
    EXPECT_TRUE(fs.LongDateFormat.empty() && fs.ShortTimeFormat.empty() && fs.LongTimeFormat.empty());
    EXPECT_TRUE(fs.TimeAMString.empty() && fs.TimePMString.empty());
    for (const auto& name : fs.ShortMonthNames) EXPECT_TRUE(name.empty());
    for (const auto& name : fs.ShortDayNames) EXPECT_TRUE(name.empty());
    for (const auto& name : fs.LongDayNames) EXPECT_TRUE(name.empty());
  }
  UnloadTexts();
}

}  // namespace
}  // namespace vk
