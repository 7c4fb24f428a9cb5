#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Core/DateTime.h"

namespace vk {
namespace {

TDateTime Date(int y, int m, int d) { return *TryEncodeDate(y, m, d); }
TDateTime At(int y, int m, int d, int h, int mi, int s) { return Date(y, m, d) + *TryEncodeTime(h, mi, s, 0); }

TEST(DateTime, EncodesTheDayCountOfTheRunTimeLibrary) {
  struct Case {
    int y, m, d;
    double day;
  } cases[] = {{1899, 12, 30, 0},    {1899, 12, 31, 1},    {1900, 1, 1, 2},        {1899, 12, 29, -1},
               {2000, 2, 29, 36585}, {2026, 12, 7, 46363}, {1, 1, 1, kMinDateDay}, {9999, 12, 31, kMaxDateDay}};
  for (const auto& c : cases) {
    EXPECT_EQ(Date(c.y, c.m, c.d), c.day) << c.y << "-" << c.m << "-" << c.d;
    auto p = DecodeDateTime(c.day);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Year, c.y);
    EXPECT_EQ(p->Month, c.m);
    EXPECT_EQ(p->Day, c.d);
  }
  EXPECT_FALSE(TryEncodeDate(2026, 2, 29));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0));
}

TEST(DateTime, RefusesValuesThatAreNoDates) {
  for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(), 1e300, -1e300, kMaxDateDay + 1.0, kMinDateDay - 1.0}) {
    EXPECT_FALSE(IsValidDateTime(v)) << v;
    EXPECT_FALSE(DecodeDateTime(v)) << v;
    EXPECT_EQ(FormatDateTime("c", v, RussianFormatSettings()), "") << v;
  }
}

TEST(DateTime, NegativeValuesCountTheTimeForward) {
  auto p = DecodeDateTime(-1.25);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Day, 29);
  EXPECT_EQ(p->Hour, 6);
}

TEST(DateTime, FormatsWithTheLetters) {
  TFormatSettings ru = RussianFormatSettings();
  TFormatSettings en = EnglishFormatSettings();
  TDateTime v = At(2026, 12, 7, 23, 40, 14);
  struct Case {
    const char* format;
    const TFormatSettings* fs;
    const char* want;
  } cases[] = {
      {"yyyy-mm-dd", &ru, "2026-12-07"},
      {"dd/mm/yyyy", &ru, "07.12.2026"},
      {"mm/dd/yyyy", &en, "12/07/2026"},
      {"hh:nn:ss", &ru, "23:40:14"},
      {"hh:mm", &ru, "23:40"},
      {"d mmmm yyyy", &en, "7 December 2026"},
      {"ddd dddd", &en, "Mon Monday"},
      {"'at' h", &en, "at 23"},
      {"h:nn am/pm", &en, "11:40 pm"},
      {"c", &ru, "07.12.2026 23:40:14"},
      {"", &en, "12/7/2026 11:40:14 PM"},
      {"yy", &en, "26"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, v, *c.fs), c.want) << c.format;
  EXPECT_EQ(DateTimeToStr(Date(2026, 12, 7), ru), "07.12.2026");
}

TEST(DateTime, ParsesInTheShortDateOrder) {
  TFormatSettings ru = RussianFormatSettings();
  TFormatSettings en = EnglishFormatSettings();
  struct Case {
    const char* text;
    const TFormatSettings* fs;
    bool ok;
    double want;
  } cases[] = {
      {"07.12.2026", &ru, true, Date(2026, 12, 7)},
      {"  7.12.2026  ", &ru, true, Date(2026, 12, 7)},
      {"7.12.26", &ru, true, Date(2026, 12, 7)},
      {"12/7/2026", &en, true, Date(2026, 12, 7)},
      {"07.12.2026 23:40:14", &ru, true, At(2026, 12, 7, 23, 40, 14)},
      {"07.12.2026 23:40", &ru, true, At(2026, 12, 7, 23, 40, 0)},
      {"12/7/2026 11:40 PM", &en, true, At(2026, 12, 7, 23, 40, 0)},
      {"31.02.2026", &ru, false, 0},
      {"07/12/2026", &ru, false, 0},
      {"07.12", &ru, false, 0},
      {"07.12.2026 x", &ru, false, 0},
      {"", &ru, false, 0},
      {"99999999999999999999.1.1", &ru, false, 0},
      {"07.12.2026 25:00", &ru, false, 0},
  };
  for (const auto& c : cases) {
    auto v = TryStrToDateTime(c.text, *c.fs);
    EXPECT_EQ(v.has_value(), c.ok) << c.text;
    if (v && c.ok) {
      EXPECT_NEAR(*v, c.want, 1e-9) << c.text;
    }
  }
}

TEST(DateTime, RoundTripsEveryDayThroughText) {
  TFormatSettings ru = RussianFormatSettings();
  for (int day = kMinDateDay; day <= kMaxDateDay; day += 37) {
    std::string text = FormatDateTime("dd.mm.yyyy", day, ru);
    auto back = TryStrToDateTime(text, ru);
    ASSERT_TRUE(back) << text;
    EXPECT_EQ(*back, day) << text;
  }
}

}  // namespace
}  // namespace vk
