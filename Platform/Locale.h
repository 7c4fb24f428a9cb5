#pragma once
// Comparison of texts the way the user's locale orders them, ignoring letter
// case: what sorting and searching goods names rests on.
//
// win32: CompareStringW with the user's default locale and NORM_IGNORECASE.
// posix (native tests only): upper-cases the letters of Latin (ASCII, Latin-1,
// Latin Extended-A), Greek and Cyrillic and compares the code units.
//
// Sorting many texts prepares each once with AppendTextSortKey instead of
// converting and comparing it again at every step of the sort.

#include <array>
#include <string>
#include <string_view>

namespace vk::platform {

// -1, 0 or 1 as a sorts before, with, or after b.
int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b);
// The text in capitals by the same rules: two texts that compare equal
// ignoring case give the same capitals.
std::u16string UpperCaseText(std::u16string_view text);
// Appends the text's sort key to keys: bytes whose order, compared bytewise
// with a key that is the beginning of another one first, is meant to follow
// CompareTextIgnoreCase. The system's keys need not agree with its
// comparison for every pair of texts (unusual characters, a failed call), so
// a caller that must give the comparison's order checks its result with
// CompareTextIgnoreCase.
// win32: LCMapStringW with LCMAP_SORTKEY and NORM_IGNORECASE for the user's
// default locale, the same locale and flags as the comparison. posix: the
// capitals of UpperCaseText as big-endian code units, which order exactly as
// the comparison does.
void AppendTextSortKey(std::u16string_view text, std::string& keys);

// The date and time formats of the user's locale as the system states them:
// pictures in the system's letters (d M y for dates; h and H for 12- and
// 24-hour clocks, m s, t for the AM/PM mark; literal text in single quotes),
// texts in UTF-8. An item the system does not answer stays empty.
struct LocaleDateTimeFormats {
  std::string ShortDate, LongDate, ShortTime, LongTime;
  std::string DateSeparator, TimeSeparator;
  std::string AmDesignator, PmDesignator;
  std::array<std::string, 12> ShortMonthNames, LongMonthNames;
  std::array<std::string, 7> ShortDayNames, LongDayNames;  // Sunday first
};

// win32: GetLocaleInfoW for the user's default locale, read afresh at each
// call. posix: fixed Russian, Ukrainian or US English formats by LANG, as a
// Windows of that language has them by default.
LocaleDateTimeFormats UserDateTimeFormats();

// The list separator (LOCALE_SLIST) and the decimal separator
// (LOCALE_SDECIMAL) of the user's default locale in UTF-8, read afresh at
// each call, so a change of the regional settings is seen at once; empty
// when the system does not answer. posix: what a Windows of the language
// that LANG names has by default (";" and "," where the decimal mark is a
// comma, "," and "." otherwise).
std::string UserListSeparator();
std::string UserDecimalSeparator();

}  // namespace vk::platform
