#include "Core/DateTime.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace vk {
namespace {

constexpr double kMsPerDay = 86400000.0;

// Days from 1 January 0001 to 30 December 1899.
constexpr int kDateDelta = 693594;

const int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                               {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

std::string Pad(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(const std::string& s, size_t pos, const char* word) {
  for (size_t i = 0; word[i]; ++i) {
    if (pos + i >= s.size() || Lower(s[pos + i]) != Lower(word[i])) return false;
  }
  return true;
}

class Formatter {
 public:
  Formatter(const TFormatSettings& fs, const DateParts& p, int dow) : fs_(fs), p_(p), dow_(dow) {}

  void Append(const std::string& format, int depth) {
    if (depth > 2) return;  // "c" inside the short date format cannot recurse forever
    bool ampm = HasAmPm(format);
    bool lastWasHour = false;
    size_t i = 0;
    while (i < format.size()) {
      char c = format[i];
      char lc = Lower(c);
      if (c == '"' || c == '\'') {
        size_t end = format.find(c, i + 1);
        if (end == std::string::npos) end = format.size();
        out_.append(format, i + 1, end - i - 1);
        i = end + 1;
        continue;
      }
      size_t run = 1;
      while (i + run < format.size() && Lower(format[i + run]) == lc) ++run;
      switch (lc) {
        case 'c':
          Append(fs_.ShortDateFormat, depth + 1);
          // Milliseconds alone do not bring the time in: the long time
          // format cannot show them, so a bare "0:00:00" would only mislead.
          if (p_.Hour || p_.Minute || p_.Second) {
            out_ += ' ';
            Append(fs_.LongTimeFormat, depth + 1);
          }
          i += 1;
          lastWasHour = false;
          continue;
        case 'd':
          if (run == 1)
            out_ += std::to_string(p_.Day);
          else if (run == 2)
            out_ += Pad(p_.Day, 2);
          else if (run == 3)
            out_ += fs_.ShortDayNames[dow_ - 1];
          else if (run == 4)
            out_ += fs_.LongDayNames[dow_ - 1];
          else if (run == 5)
            Append(fs_.ShortDateFormat, depth + 1);
          else
            Append(fs_.LongDateFormat, depth + 1);
          i += std::min<size_t>(run, 6);
          lastWasHour = false;
          continue;
        case 'm':
          if (lastWasHour && run <= 2) {
            out_ += run == 1 ? std::to_string(p_.Minute) : Pad(p_.Minute, 2);
            i += run;
          } else {
            if (run == 1)
              out_ += std::to_string(p_.Month);
            else if (run == 2)
              out_ += Pad(p_.Month, 2);
            else if (run == 3)
              out_ += fs_.ShortMonthNames[p_.Month - 1];
            else
              out_ += fs_.LongMonthNames[p_.Month - 1];
            i += std::min<size_t>(run, 4);
          }
          lastWasHour = false;
          continue;
        case 'y':
          out_ += run <= 2 ? Pad(p_.Year % 100, 2) : Pad(p_.Year, 4);
          i += run;
          lastWasHour = false;
          continue;
        case 'h': {
          int h = p_.Hour;
          if (ampm) {
            h %= 12;
            if (h == 0) h = 12;
          }
          out_ += run == 1 ? std::to_string(h) : Pad(h, 2);
          i += std::min<size_t>(run, 2);
          lastWasHour = true;
          continue;
        }
        case 'n':
          out_ += run == 1 ? std::to_string(p_.Minute) : Pad(p_.Minute, 2);
          i += std::min<size_t>(run, 2);
          lastWasHour = false;
          continue;
        case 's':
          out_ += run == 1 ? std::to_string(p_.Second) : Pad(p_.Second, 2);
          i += std::min<size_t>(run, 2);
          lastWasHour = false;
          continue;
        case 'z':
          out_ += run < 3 ? std::to_string(p_.MilliSecond) : Pad(p_.MilliSecond, 3);
          i += std::min<size_t>(run, 3);
          lastWasHour = false;
          continue;
        case 't':
          Append(run == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth + 1);
          i += std::min<size_t>(run, 2);
          lastWasHour = false;
          continue;
        case 'a':
          if (StartsWithNoCase(format, i, "am/pm")) {
            out_ += p_.Hour < 12 ? "am" : "pm";
            i += 5;
          } else if (StartsWithNoCase(format, i, "a/p")) {
            out_ += p_.Hour < 12 ? "a" : "p";
            i += 3;
          } else if (StartsWithNoCase(format, i, "ampm")) {
            out_ += p_.Hour < 12 ? fs_.TimeAMString : fs_.TimePMString;
            i += 4;
          } else {
            out_ += c;
            i += 1;
          }
          continue;
        case '/':
          if (fs_.DateSeparator) out_ += fs_.DateSeparator;
          i += 1;
          continue;
        case ':':
          if (fs_.TimeSeparator) out_ += fs_.TimeSeparator;
          i += 1;
          continue;
        default:
          out_ += c;
          i += 1;
          continue;
      }
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  static bool HasAmPm(const std::string& f) {
    for (size_t i = 0; i < f.size(); ++i) {
      if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") || StartsWithNoCase(f, i, "ampm"))
        return true;
    }
    return false;
  }

  const TFormatSettings& fs_;
  const DateParts& p_;
  int dow_;
  std::string out_;
};

// A tiny cursor over the text being parsed.
struct Scanner {
  const std::string& s;
  size_t pos = 0;

  void SkipBlanks() {
    while (pos < s.size() && s[pos] == ' ') ++pos;
  }
  bool Char(char c) {
    SkipBlanks();
    if (pos < s.size() && s[pos] == c) {
      ++pos;
      return true;
    }
    return false;
  }
  // Reads up to nine digits (enough for any field, never an overflow).
  bool Number(int& value, int& digits) {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) {
      if (digits == 9) return false;
      value = value * 10 + (s[pos] - '0');
      ++digits;
      ++pos;
    }
    return digits > 0;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos == s.size();
  }
};

enum class DateOrder { DMY, MDY, YMD };

DateOrder OrderOf(const std::string& shortDateFormat) {
  for (char c : shortDateFormat) {
    switch (Lower(c)) {
      case 'd': return DateOrder::DMY;
      case 'm': return DateOrder::MDY;
      case 'y': return DateOrder::YMD;
      default: break;
    }
  }
  return DateOrder::DMY;
}

std::optional<TDateTime> ScanDate(Scanner& sc, const TFormatSettings& fs) {
  int n[3], digits[3];
  if (!sc.Number(n[0], digits[0]) || !sc.Char(fs.DateSeparator) || !sc.Number(n[1], digits[1]) ||
      !sc.Char(fs.DateSeparator) || !sc.Number(n[2], digits[2]))
    return std::nullopt;
  int y, m, d, yDigits;
  switch (OrderOf(fs.ShortDateFormat)) {
    case DateOrder::MDY:
      m = n[0];
      d = n[1];
      y = n[2];
      yDigits = digits[2];
      break;
    case DateOrder::YMD:
      y = n[0];
      m = n[1];
      d = n[2];
      yDigits = digits[0];
      break;
    default:
      d = n[0];
      m = n[1];
      y = n[2];
      yDigits = digits[2];
      break;
  }
  if (yDigits <= 2) y += 2000;
  return TryEncodeDate(y, m, d);
}

std::optional<TDateTime> ScanTime(Scanner& sc, const TFormatSettings& fs) {
  int h, mi, se = 0, ms = 0, dg;
  if (!sc.Number(h, dg) || !sc.Char(fs.TimeSeparator) || !sc.Number(mi, dg)) return std::nullopt;
  if (sc.Char(fs.TimeSeparator)) {
    if (!sc.Number(se, dg)) return std::nullopt;
    if (sc.Char('.')) {
      if (!sc.Number(ms, dg) || dg > 3) return std::nullopt;
    }
  }
  sc.SkipBlanks();
  int ampm = 0;
  if (StartsWithNoCase(sc.s, sc.pos, "am"))
    ampm = 1;
  else if (StartsWithNoCase(sc.s, sc.pos, "pm"))
    ampm = 2;
  if (ampm) {
    sc.pos += 2;
    if (h < 1 || h > 12) return std::nullopt;
    h %= 12;
    if (ampm == 2) h += 12;
  }
  return TryEncodeTime(h, mi, se, ms);
}

}  // namespace

TFormatSettings RussianFormatSettings() {
  TFormatSettings fs;
  fs.DateSeparator = '.';
  fs.TimeSeparator = ':';
  fs.ShortDateFormat = "dd.MM.yyyy";
  fs.LongDateFormat = "d MMMM yyyy 'г.'";
  fs.ShortTimeFormat = "h:mm";
  fs.LongTimeFormat = "h:mm:ss";
  fs.ShortMonthNames = {"янв", "фев", "мар", "апр", "май", "июн", "июл", "авг", "сен", "окт", "ноя", "дек"};
  fs.LongMonthNames = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                       "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
  fs.ShortDayNames = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
  fs.LongDayNames = {"воскресенье", "понедельник", "вторник", "среда", "четверг", "пятница", "суббота"};
  return fs;
}

TFormatSettings EnglishFormatSettings() {
  TFormatSettings fs;
  fs.DateSeparator = '/';
  fs.TimeSeparator = ':';
  fs.ShortDateFormat = "M/d/yyyy";
  fs.LongDateFormat = "dddd, MMMM d, yyyy";
  fs.ShortTimeFormat = "h:mm AMPM";
  fs.LongTimeFormat = "h:mm:ss AMPM";
  fs.TimeAMString = "AM";
  fs.TimePMString = "PM";
  fs.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  fs.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                       "July",    "August",   "September", "October", "November", "December"};
  fs.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  fs.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return fs;
}

TFormatSettings& FormatSettings() {
  static TFormatSettings settings = EnglishFormatSettings();
  return settings;
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) { return kMonthDays[IsLeapYear(year) ? 1 : 0][month - 1]; }

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  int days = day;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  int y = year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  return static_cast<TDateTime>(days - kDateDelta);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int ms) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || ms < 0 || ms > 999)
    return std::nullopt;
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + ms) / kMsPerDay;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

bool IsValidDateTime(TDateTime value) {
  if (!std::isfinite(value)) return false;
  double day = std::trunc(value);
  return day >= kMinDateDay && day <= kMaxDateDay;
}

std::optional<DateParts> DecodeDateTime(TDateTime value) {
  if (!IsValidDateTime(value)) return std::nullopt;
  // Milliseconds since 1 January 0001, the time of day always counted forward.
  double dayPart = std::trunc(value);
  double frac = std::fabs(value - dayPart);
  long long msOfDay = std::llround(frac * kMsPerDay);
  long long day = static_cast<long long>(dayPart) + kDateDelta;  // 1-based day count
  if (msOfDay >= 86400000LL) {
    msOfDay -= 86400000LL;
    day += value < 0 ? -1 : 1;
  }
  if (day < 1 || day > kMaxDateDay + kDateDelta) return std::nullopt;
  DateParts p;
  long long d = day - 1;
  int y400 = static_cast<int>(d / 146097);
  d %= 146097;
  int y100 = static_cast<int>(d / 36524);
  if (y100 == 4) y100 = 3;
  d -= y100 * 36524LL;
  int y4 = static_cast<int>(d / 1461);
  d %= 1461;
  int y1 = static_cast<int>(d / 365);
  if (y1 == 4) y1 = 3;
  d -= y1 * 365LL;
  p.Year = y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1;
  int m = 1;
  while (d >= DaysInMonth(p.Year, m)) d -= DaysInMonth(p.Year, m++);
  p.Month = m;
  p.Day = static_cast<int>(d) + 1;
  p.MilliSecond = static_cast<int>(msOfDay % 1000);
  long long secs = msOfDay / 1000;
  p.Second = static_cast<int>(secs % 60);
  p.Minute = static_cast<int>(secs / 60 % 60);
  p.Hour = static_cast<int>(secs / 3600);
  return p;
}

int DayOfWeek(TDateTime value) {
  // The day the value shows, after its time was rounded to milliseconds: the
  // last instant of a day already counts as the next one.
  auto parts = DecodeDateTime(value);
  if (!parts) return 0;
  long long day = static_cast<long long>(*TryEncodeDate(parts->Year, parts->Month, parts->Day)) + kDateDelta;
  return static_cast<int>(day % 7) + 1;  // day 1 (1 January 0001) is a Monday
}

std::string FormatDateTime(const std::string& format, TDateTime value, const TFormatSettings& fs) {
  auto parts = DecodeDateTime(value);
  if (!parts) return {};
  Formatter f(fs, *parts, DayOfWeek(value));
  f.Append(format.empty() ? std::string("c") : format, 0);
  return f.Take();
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs) { return FormatDateTime("c", value, fs); }

std::optional<TDateTime> TryStrToDateTime(const std::string& text, const TFormatSettings& fs) {
  if (fs.DateSeparator == 0 || fs.TimeSeparator == 0) return std::nullopt;
  Scanner sc{text};
  auto date = ScanDate(sc, fs);
  if (!date) return std::nullopt;
  if (sc.AtEnd()) return date;
  auto time = ScanTime(sc, fs);
  if (!time || !sc.AtEnd()) return std::nullopt;
  return ComposeDateTime(*date, *time);
}

}  // namespace vk
