// The date and time formats of the user's locale, turned into the format
// settings the plain date-time field shows and reads dates with.

#include <gtest/gtest.h>

#include <cstdlib>

#include "Core/SysUtils.h"
#include "Tables/UBaseFld.h"
#include "Tools/Service/LocaleFormatSettings.h"

namespace vk {
namespace {

using platform::LocaleDateTimeFormats;

TDateTime At(int y, int m, int d, int h, int mi, int s) {
  return *TryEncodeDate(y, m, d) + *TryEncodeTime(h, mi, s, 0);
}

LocaleDateTimeFormats Formats(std::string shortDate, std::string longDate, std::string longTime,
                              std::string dateSeparator, std::string timeSeparator, std::string am = "",
                              std::string pm = "") {
  LocaleDateTimeFormats formats;
  formats.ShortDate = std::move(shortDate);
  formats.LongDate = std::move(longDate);
  formats.LongTime = std::move(longTime);
  formats.DateSeparator = std::move(dateSeparator);
  formats.TimeSeparator = std::move(timeSeparator);
  formats.AmDesignator = std::move(am);
  formats.PmDesignator = std::move(pm);
  return formats;
}

// Locales as systems state them: each shows 1 March 2024 14:05:09 its own
// way and reads a date typed its own way back.
TEST(LocaleFormats, EachLocaleShowsAndReadsDatesItsOwnWay) {
  struct Case {
    const char* name;
    LocaleDateTimeFormats locale;
    const char* shown;
    const char* typed;
  } cases[] = {
      {"Russian", Formats("dd.MM.yyyy", "dddd, d MMMM yyyy 'г'.", "HH:mm:ss", ".", ":"), "01.03.2024 14:05:09",
       "01.03.2024 14:05:09"},
      {"US English", Formats("M/d/yyyy", "dddd, MMMM d, yyyy", "h:mm:ss tt", "/", ":", "AM", "PM"),
       "3/1/2024 2:05:09 PM", "3/1/2024 2:05:09 PM"},
      {"Finnish dots in the time", Formats("d.M.yyyy", "d. MMMM'ta 'yyyy", "H.mm.ss", ".", "."), "1.3.2024 14.05.09",
       "1.3.2024 14.05.09"},
      {"mark before the hour", Formats("yyyy-MM-dd", "yyyy'년' M'월' d'일'", "tt h:mm:ss", "-", ":", "AM", "PM"),
       "2024-03-01 PM 2:05:09", "2024-03-01 2:05:09 PM"},
      {"separators only in the pictures", Formats("dd-MM-yy", "d MMMM yyyy", "HH:mm:ss", "", "\xE2\x88\xB6"),
       "01-03-24 14:05:09", "01-03-24 14:05:09"},
  };
  const TDateTime when = At(2024, 3, 1, 14, 5, 9);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TFormatSettings fs = FormatSettingsFromLocale(c.locale);
    EXPECT_EQ(DateTimeToStr(when, fs), c.shown);
    EXPECT_EQ(TryStrToDateTime(c.typed, fs), std::optional<TDateTime>(when));
    // The letters of the long date's literal text stay text.
    EXPECT_EQ(FormatDateTime("dddddd", when, fs).find("'"), std::string::npos);
  }
}

TEST(LocaleFormats, WhatTheLocaleLeavesOpenKeepsTheEnglishProfile) {
  const TFormatSettings fs = FormatSettingsFromLocale(LocaleDateTimeFormats{});
  const TFormatSettings english = EnglishFormatSettings();
  const TDateTime when = At(2024, 3, 1, 14, 5, 9);
  for (const char* format : {"c", "dddddd", "t", "mmm ddd"}) {
    EXPECT_EQ(FormatDateTime(format, when, fs), FormatDateTime(format, when, english)) << format;
  }
}

// Run by CTest once per locale (see CMakeLists.txt): after start-up read the
// locale, the plain date-time field takes and shows the system's dates.
TEST(LocaleFormats, DateFieldFollowsTheGivenLocale) {
  const char* lang = std::getenv("VORKEL_EXPECT_LANGID");
  if (!lang) GTEST_SKIP() << "no locale given";
  const bool english = std::stoul(lang, nullptr, 16) == 0x409;
  const TFormatSettings before = FormatSettings();
  LoadLocaleFormatSettings();
  TDateTimeField field;
  field.EnableEdit();
  field.SetAsString(english ? "3/1/2024" : "01.03.2024");
  EXPECT_EQ(field.Value(), At(2024, 3, 1, 0, 0, 0));
  field.SetValue(At(2024, 3, 1, 14, 5, 9));
  EXPECT_EQ(field.GetAsString(), english ? "3/1/2024 2:05:09 PM" : "01.03.2024 14:05:09");
  EXPECT_THROW(field.SetAsString(english ? "01.03.2024" : "3/1/2024"), Exception);
  FormatSettings() = before;
}

}  // namespace
}  // namespace vk
