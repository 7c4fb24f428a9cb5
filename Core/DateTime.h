#pragma once
// Date-time values as the program stores them: a double counting days since
// 30 December 1899, the fraction being the time of day. Negative values count
// back from that day with a positive time-of-day fraction. Formatting and
// parsing take a format-settings record from the caller, so the core never
// asks the system for its regional settings itself.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vk {

using TDateTime = double;

// Day number of 1 January 0001 and of 31 December 9999.
inline constexpr int kMinDateDay = -693593;
inline constexpr int kMaxDateDay = 2958465;

struct TFormatSettings {
  char DateSeparator = 0;
  char TimeSeparator = 0;
  std::string ShortDateFormat;
  std::string LongDateFormat;
  std::string ShortTimeFormat;
  std::string LongTimeFormat;
  std::string TimeAMString;
  std::string TimePMString;
  std::array<std::string, 12> ShortMonthNames;
  std::array<std::string, 12> LongMonthNames;
  std::array<std::string, 7> ShortDayNames;  // Sunday first
  std::array<std::string, 7> LongDayNames;
};

// The system's format settings as the run-time library keeps them: read by
// the plain date-time field. Start-up fills it from the user's locale; until
// then it holds the English profile.
TFormatSettings& FormatSettings();

// Fixed profiles for tests and tools: what a Russian or an English (US)
// Windows reports by default.
TFormatSettings RussianFormatSettings();
TFormatSettings EnglishFormatSettings();

struct DateParts {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Fails (nullopt) outside 1..9999 and for days a month does not have.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int ms);
// Combines a date and a time of day (date + time, or date - time before 1899).
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
// True when the value is finite and its day lies in years 1..9999.
bool IsValidDateTime(TDateTime value);
// Splits a valid value; nullopt for one that IsValidDateTime refuses.
std::optional<DateParts> DecodeDateTime(TDateTime value);
// 1 Sunday .. 7 Saturday, of the day DecodeDateTime gives; 0 for a value
// that is no date.
int DayOfWeek(TDateTime value);

// Formats with the run-time library's format letters (d dd ddd dddd m mm mmm
// mmmm yy yyyy h hh n nn s ss z zzz am/pm c ddddd t tt, "/" and ":" as the
// separators, quoted text). An empty format means "c". A value that cannot be
// decoded gives the empty text.
std::string FormatDateTime(const std::string& format, TDateTime value, const TFormatSettings& fs);
// Short date, then a blank and the long time unless hour, minute and second
// are all 0.
std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs);

// Parses a date in the order of the short date format with its separator,
// optionally followed by a time (h:n[:s[.z]] with an optional AM/PM).
// Leading and trailing blanks are allowed. Nullopt when the text is not one.
std::optional<TDateTime> TryStrToDateTime(const std::string& text, const TFormatSettings& fs);

}  // namespace vk
