#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Core/SysUtils.h"
#include "Tools/Service/CardinalDate.h"

namespace vk {
namespace {

TDateTime Date(int y, int m, int d) { return *TryEncodeDate(y, m, d); }
TDateTime At(int y, int m, int d, int h, int mi) { return Date(y, m, d) + *TryEncodeTime(h, mi, 0, 0); }

TEST(CardinalDate, MonthStepsClampToTheLastDay) {
  struct Case {
    TDateTime from;
    TDateTime next;
    TDateTime prev;
  } cases[] = {
      {Date(2024, 1, 31), Date(2024, 2, 29), Date(2023, 12, 31)},
      {Date(2026, 1, 31), Date(2026, 2, 28), Date(2025, 12, 31)},
      {At(2026, 12, 15, 10, 0), Date(2027, 1, 15), Date(2026, 11, 15)},
      {Date(2026, 3, 31), Date(2026, 4, 30), Date(2026, 2, 28)},
      {Date(2026, 1, 10), Date(2026, 2, 10), Date(2025, 12, 10)},
      {Date(2000, 3, 31), Date(2000, 4, 30), Date(2000, 2, 29)},
      {Date(1900, 3, 31), Date(1900, 4, 30), Date(1900, 2, 28)},
      {Date(1899, 12, 29), Date(1900, 1, 29), Date(1899, 11, 29)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextMonth(c.from), c.next) << c.from;
    EXPECT_EQ(PrevMonth(c.from), c.prev) << c.from;
  }
}

TEST(CardinalDate, MonthStepsOutsideTheCalendarRaise) {
  EXPECT_THROW(NextMonth(Date(9999, 12, 1)), Exception);
  EXPECT_THROW(PrevMonth(Date(1, 1, 31)), Exception);
  EXPECT_THROW(NextMonth(std::numeric_limits<double>::quiet_NaN()), Exception);
  EXPECT_EQ(NextMonth(Date(9999, 11, 30)), Date(9999, 12, 30));
  EXPECT_EQ(PrevMonth(Date(1, 2, 28)), Date(1, 1, 28));
}

TEST(CardinalDate, WholeDaysSurviveUpToTwoToTheTwentyFirst) {
  for (int day = 0; day < (1 << 21); ++day) {
    ASSERT_EQ(CardinalToDate(DateToCardinal(day)), day) << day;
  }
  // Beyond that the kept fraction bits no longer hold every whole day.
  EXPECT_EQ(CardinalToDate(DateToCardinal((1 << 21) + 1)), 1 << 21);
}

TEST(CardinalDate, TimeOfDayIsKeptInStepsRoundedDown) {
  struct Case {
    TDateTime in;
    TDateTime want;
  } cases[] = {
      {At(2026, 1, 1, 12, 30), At(2026, 1, 1, 12, 0)},  {At(2026, 1, 1, 23, 59), At(2026, 1, 1, 23, 15)},
      {At(2026, 1, 1, 0, 44), At(2026, 1, 1, 0, 0)},    {At(2026, 1, 1, 0, 45), At(2026, 1, 1, 0, 45)},
      {At(1989, 9, 17, 1, 30), At(1989, 9, 17, 1, 30)}, {0, 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(CardinalToDate(DateToCardinal(c.in)), c.want) << c.in;
}

TEST(CardinalDate, PackedValuesSortAsTheDates) {
  TDateTime dates[] = {0,
                       0.5,
                       1,
                       Date(1989, 9, 17),
                       At(2026, 1, 1, 12, 0),
                       At(2026, 1, 1, 12, 45),
                       Date(2026, 1, 2),
                       Date(2079, 6, 5),
                       Date(7000, 1, 1)};
  for (size_t i = 1; i < std::size(dates); ++i) {
    EXPECT_LT(DateToCardinal(dates[i - 1]), DateToCardinal(dates[i])) << dates[i];
  }
}

TEST(CardinalDate, NumbersThatAreNoDateReadAsZero) {
  struct Case {
    uint32_t packed;
    const char* what;
  } cases[] = {
      {0xBFF00000, "-1.0, before 1899"},  {0x80000000, "-0.0"}, {0x7FF00000, "+infinity"},
      {0xFFF00000, "-infinity"},          {0x7FF80000, "NaN"},  {DateToCardinal(kMaxDateDay + 1.0), "1 January 10000"},
      {0x7FEFFFFF, "the largest double"},
  };
  for (const auto& c : cases) {
    TDateTime date = CardinalToDate(c.packed);
    EXPECT_EQ(date, 0) << c.what;
    EXPECT_FALSE(std::signbit(date)) << c.what;
  }
  // The last day is odd and above 2^21: it comes back as the day before, still a date.
  EXPECT_EQ(CardinalToDate(DateToCardinal(Date(9999, 12, 31))), Date(9999, 12, 30));
}

}  // namespace
}  // namespace vk
