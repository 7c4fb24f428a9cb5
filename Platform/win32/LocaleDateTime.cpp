#include <windows.h>

#include "Platform/Locale.h"
#include "Platform/win32/LocaleText.h"

namespace vk::platform {
namespace {

// LOCALE_SSHORTTIME is missing from older headers; Windows 7 and Wine know it.
constexpr LCTYPE kShortTime = 0x00000079;

}  // namespace

LocaleDateTimeFormats UserDateTimeFormats() {
  LocaleDateTimeFormats formats;
  formats.ShortDate = UserLocaleText(LOCALE_SSHORTDATE);
  formats.LongDate = UserLocaleText(LOCALE_SLONGDATE);
  formats.ShortTime = UserLocaleText(kShortTime);
  formats.LongTime = UserLocaleText(LOCALE_STIMEFORMAT);
  formats.DateSeparator = UserLocaleText(LOCALE_SDATE);
  formats.TimeSeparator = UserLocaleText(LOCALE_STIME);
  formats.AmDesignator = UserLocaleText(LOCALE_S1159);
  formats.PmDesignator = UserLocaleText(LOCALE_S2359);
  for (int month = 0; month < 12; ++month) {
    formats.ShortMonthNames[month] = UserLocaleText(LOCALE_SABBREVMONTHNAME1 + month);
    formats.LongMonthNames[month] = UserLocaleText(LOCALE_SMONTHNAME1 + month);
  }
  // The system counts the days from Monday (name 1) to Sunday (name 7).
  for (int day = 0; day < 7; ++day) {
    const int fromMonday = (day + 6) % 7;
    formats.ShortDayNames[day] = UserLocaleText(LOCALE_SABBREVDAYNAME1 + fromMonday);
    formats.LongDayNames[day] = UserLocaleText(LOCALE_SDAYNAME1 + fromMonday);
  }
  return formats;
}

}  // namespace vk::platform
