#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "Tables/UBaseFld.h"
#include "tests/Fields/FieldTestSupport.h"

namespace vk {
namespace {

using testing::RefusalOf;
using testing::ScopedFormatSettings;

TDateTime Date(int y, int m, int d) { return *TryEncodeDate(y, m, d); }
TDateTime At(int y, int m, int d, int h, int mi, int s, int ms = 0) {
  return Date(y, m, d) + *TryEncodeTime(h, mi, s, ms);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Values a damaged or foreign file may hold in a date-time column.
std::vector<double> ValuesThatAreNoDates() {
  return {kNaN,
          -kNaN,
          std::bit_cast<double>(0x7FF0000000000001ull),  // signalling NaN
          std::bit_cast<double>(0xFFFFFFFFFFFFFFFFull),
          kInf,
          -kInf,
          1e300,
          -1e300,
          std::numeric_limits<double>::max(),
          -std::numeric_limits<double>::max(),
          kMaxDateDay + 1.0,
          kMinDateDay - 1.0,
          1e15,
          -2147483649.0};
}

struct DateTimeFieldTest : ::testing::Test {
  TDateTimeField field;
};

TEST_F(DateTimeFieldTest, ShowsShortDateAndLongTimeOfTheProfileInEffect) {
  const TFormatSettings ru = RussianFormatSettings();
  const TFormatSettings en = EnglishFormatSettings();
  TFormatSettings ruDay = RussianFormatSettings();  // a user's own short date with the day name
  ruDay.ShortDateFormat = "ddd dd.MM.yyyy";
  struct Case {
    const TFormatSettings* fs;
    double value;
    const char* text;
  } cases[] = {
      {&ruDay, Date(2026, 12, 7), "Пн 07.12.2026"},
      {&ruDay, Date(2026, 12, 7) + 0.999999999, "Вт 08.12.2026"},  // rounds into the next day
      {&ruDay, -1.25, "Пт 29.12.1899 6:00:00"},
      {&ru, 0, ""},
      {&ru, -0.0, ""},
      {&ru, Date(2026, 12, 7), "07.12.2026"},
      {&ru, At(2026, 12, 7, 23, 40, 14), "07.12.2026 23:40:14"},
      {&ru, At(2026, 12, 7, 9, 5, 3), "07.12.2026 9:05:03"},
      {&ru, At(2026, 12, 7, 0, 0, 1), "07.12.2026 0:00:01"},
      {&ru, At(2026, 12, 7, 0, 0, 0, 500), "07.12.2026"},  // hour, minute and second all 0
      {&ru, -1.25, "29.12.1899 6:00:00"},
      {&ru, 1, "31.12.1899"},
      {&ru, 4.9e-324, "30.12.1899"},
      {&ru, kMinDateDay, "01.01.0001"},
      {&ru, kMaxDateDay, "31.12.9999"},
      {&ru, kMaxDateDay + 0.5, "31.12.9999 12:00:00"},
      {&en, 0, ""},
      {&en, Date(2026, 12, 7), "12/7/2026"},
      {&en, At(2026, 12, 7, 23, 40, 14), "12/7/2026 11:40:14 PM"},
      {&en, At(2026, 12, 7, 0, 0, 1), "12/7/2026 12:00:01 AM"},
      {&en, At(2026, 12, 7, 12, 0, 0), "12/7/2026 12:00:00 PM"},
      {&en, At(2000, 2, 29, 1, 2, 3), "2/29/2000 1:02:03 AM"},
  };
  for (const auto& c : cases) {
    ScopedFormatSettings profile(*c.fs);
    field.SetData(&c.value);
    EXPECT_EQ(field.GetAsString(), c.text) << c.value;
    EXPECT_EQ(field.BufferToText(&c.value), c.text) << c.value;
  }
}

TEST_F(DateTimeFieldTest, ValueThatIsNoDateShowsEmptyInsteadOfThrowing) {
  ScopedFormatSettings profile(RussianFormatSettings());
  for (double v : ValuesThatAreNoDates()) {
    field.SetData(&v);
    EXPECT_EQ(RefusalOf([&] { EXPECT_EQ(field.GetAsString(), ""); }), "<no exception>") << v;
    EXPECT_EQ(RefusalOf([&] { EXPECT_EQ(field.BufferToText(&v), ""); }), "<no exception>") << v;
  }
  // The last moment of a day rounds into the next: never a throw, whatever shows.
  for (double v : {kMaxDateDay + 0.9999999999, kMinDateDay - 0.9999999999, -0.9999999999}) {
    EXPECT_EQ(RefusalOf([&] { field.BufferToText(&v); }), "<no exception>") << v;
  }
}

TEST_F(DateTimeFieldTest, ParsesInTheShortDateOrderOfTheProfile) {
  const TFormatSettings ru = RussianFormatSettings();
  const TFormatSettings en = EnglishFormatSettings();
  struct Case {
    const TFormatSettings* fs;
    std::string text;
    double value;
  } cases[] = {
      {&ru, "", 0},
      {&ru, "07.12.2026", Date(2026, 12, 7)},
      {&ru, "7.12.2026", Date(2026, 12, 7)},
      {&ru, " 07.12.2026 ", Date(2026, 12, 7)},
      {&ru, "07.12.2026 23:40", At(2026, 12, 7, 23, 40, 0)},
      {&ru, "07.12.2026 23:40:14", At(2026, 12, 7, 23, 40, 14)},
      {&ru, "29.02.2000", Date(2000, 2, 29)},
      {&ru, "01.01.0001", kMinDateDay},
      {&ru, "31.12.9999", kMaxDateDay},
      {&en, "12/7/2026", Date(2026, 12, 7)},
      {&en, "12/7/2026 11:40 PM", At(2026, 12, 7, 23, 40, 0)},
      {&en, "12/7/2026 12:05 AM", At(2026, 12, 7, 0, 5, 0)},
  };
  for (const auto& c : cases) {
    ScopedFormatSettings profile(*c.fs);
    field.EnableEdit();
    field.SetValue(123.0);
    EXPECT_EQ(RefusalOf([&] { field.SetAsString(c.text); }), "<no exception>") << c.text;
    EXPECT_NEAR(field.Value(), c.value, 1e-9) << c.text;
    if (!c.text.empty()) {
      double buffer = 123.0;
      field.TextToBuffer(c.text, &buffer);
      EXPECT_NEAR(buffer, c.value, 1e-9) << c.text;
    }
  }
}

TEST_F(DateTimeFieldTest, RefusesBadTextNamingItAndKeepsTheValue) {
  const TFormatSettings ru = RussianFormatSettings();
  const TFormatSettings en = EnglishFormatSettings();
  struct Case {
    const TFormatSettings* fs;
    std::string text;
  } cases[] = {
      {&ru, "31.02.2026"},
      {&ru, "12/7/2026"},
      {&ru, "abc"},
      {&ru, "07.12.2026 25:00"},
      {&ru, "07.12.2026 23:60"},
      {&ru, "07.12.2026 x"},
      {&ru, "00.12.2026"},
      {&ru, "07.13.2026"},
      {&ru, "07.12.10000"},
      {&ru, "000000000000000000000000000007.12.2026"},
      {&ru, "07.12.2026 000000000000000000000000000023:40"},
      {&ru, "99999999999999999999999999999999.1.1"},
      {&ru, "."},
      {&ru, " "},
      {&en, "07.12.2026"},
      {&en, "13/1/2026"},
      {&en, "12/7/2026 13:00 PM"},
  };
  for (const auto& c : cases) {
    ScopedFormatSettings profile(*c.fs);
    field.EnableEdit();
    field.SetValue(123.0);
    EXPECT_EQ(RefusalOf([&] { field.SetAsString(c.text); }), "Неверно задана дата(время): " + c.text);
    EXPECT_EQ(field.Value(), 123.0) << c.text;
    double buffer = 123.0;
    EXPECT_EQ(RefusalOf([&] { field.TextToBuffer(c.text, &buffer); }), "Неверно задана дата(время): " + c.text);
    EXPECT_EQ(buffer, 123.0) << c.text;
  }
}

TEST_F(DateTimeFieldTest, TextToBufferRefusesTheEmptyText) {
  ScopedFormatSettings profile(RussianFormatSettings());
  double buffer = 123.0;
  EXPECT_EQ(RefusalOf([&] { field.TextToBuffer("", &buffer); }), "Неверно задана дата(время): ");
  EXPECT_EQ(buffer, 123.0);
}

TEST_F(DateTimeFieldTest, TextFormRoundTripsThroughBothProfiles) {
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<int> day(kMinDateDay, kMaxDateDay), sec(0, 86399);
  for (const TFormatSettings& fs : {RussianFormatSettings(), EnglishFormatSettings()}) {
    ScopedFormatSettings profile(fs);
    field.EnableEdit();
    for (int i = 0; i < 2000; ++i) {
      int s = sec(rng);
      TDateTime v = ComposeDateTime(day(rng), *TryEncodeTime(s / 3600, s / 60 % 60, s % 60, 0));
      if (v == 0) continue;
      field.SetData(&v);
      std::string text = field.GetAsString();
      field.SetAsString(text);
      EXPECT_NEAR(field.Value(), v, 1e-9) << text;
    }
  }
}

// Indexes sort with Compare: it must be a total order even over values no
// program wrote, or a sort over a damaged file breaks.
TEST_F(DateTimeFieldTest, CompareIsATotalOrderWithNaNFirst) {
  std::vector<double> values = ValuesThatAreNoDates();
  for (double v :
       {-1.25, -0.0, 0.0, 4.9e-324, 1.0, 46363.5, static_cast<double>(kMinDateDay), static_cast<double>(kMaxDateDay)})
    values.push_back(v);
  auto cmp = [&](double a, double b) { return field.Compare(&a, &b); };
  for (double a : values) {
    EXPECT_EQ(cmp(a, a), 0) << a;
    for (double b : values) {
      int ab = cmp(a, b);
      EXPECT_TRUE(ab == -1 || ab == 0 || ab == 1);
      EXPECT_EQ(ab, -cmp(b, a)) << a << " " << b;
      if (std::isnan(a) && !std::isnan(b)) {
        EXPECT_EQ(ab, -1) << a << " " << b;
      }
      if (std::isnan(a) && std::isnan(b)) {
        EXPECT_EQ(ab, 0) << a << " " << b;
      }
      for (double c : values) {
        int bc = cmp(b, c);
        if (ab <= 0 && bc <= 0) {
          EXPECT_LE(cmp(a, c), 0) << a << " " << b << " " << c;
        }
        if (ab == 0 && bc == 0) {
          EXPECT_EQ(cmp(a, c), 0) << a << " " << b << " " << c;
        }
      }
    }
  }
  EXPECT_EQ(cmp(-kInf, -1e300), -1);
  EXPECT_EQ(cmp(1e300, kInf), -1);
  EXPECT_EQ(cmp(-0.0, 0.0), 0);

  std::mt19937 rng(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<double> shuffled = values;
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    std::sort(shuffled.begin(), shuffled.end(), [&](double a, double b) { return cmp(a, b) < 0; });
    for (size_t i = 1; i < shuffled.size(); ++i) EXPECT_LE(cmp(shuffled[i - 1], shuffled[i]), 0);
  }
}

}  // namespace
}  // namespace vk
