#include "Tools/Service/LocaleFormatSettings.h"

#include <algorithm>

namespace vk {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// One picture in FormatDateTime's letters; a run of a picture letter is one
// field, text in single quotes stays quoted.
std::string TranslatePicture(const std::string& picture) {
  std::string out;
  for (size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      const size_t end = std::min(picture.find('\'', i + 1), picture.size());
      out += '\'' + picture.substr(i + 1, end - i - 1) + '\'';
      i = end + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    switch (c) {
      case 'd': out.append(std::min<size_t>(run, 4), 'd'); break;
      case 'M': out.append(std::min<size_t>(run, 4), 'M'); break;
      case 'y': out += run <= 2 ? "yy" : "yyyy"; break;
      case 'g': break;  // the era: no such field here
      case 'h':
      case 'H': out.append(std::min<size_t>(run, 2), 'h'); break;
      case 'm': out.append(std::min<size_t>(run, 2), 'n'); break;
      case 's': out.append(std::min<size_t>(run, 2), 's'); break;
      case 't': out += "AMPM"; break;
      default:
        if (IsAsciiLetter(c))
          out += '\'' + std::string(run, c) + '\'';
        else
          out.append(run, c);
        break;
    }
    i += run;
  }
  return out;
}

// The first character outside quotes that is neither a letter nor a blank.
char SeparatorShownIn(const std::string& picture, char fallback) {
  bool quoted = false;
  for (char c : picture) {
    if (c == '\'') quoted = !quoted;
    if (quoted || c == '\'' || c == ' ' || IsAsciiLetter(c)) continue;
    return static_cast<unsigned char>(c) < 0x80 ? c : fallback;
  }
  return fallback;
}

char Separator(const std::string& stated, const std::string& picture, char fallback) {
  if (stated.size() == 1 && static_cast<unsigned char>(stated[0]) < 0x80) return stated[0];
  return SeparatorShownIn(picture, fallback);
}

void Take(std::string& item, const std::string& stated) {
  if (!stated.empty()) item = stated;
}

template <size_t N>
void Take(std::array<std::string, N>& items, const std::array<std::string, N>& stated) {
  for (size_t i = 0; i < N; ++i) Take(items[i], stated[i]);
}

}  // namespace

TFormatSettings FormatSettingsFromLocale(const platform::LocaleDateTimeFormats& locale) {
  TFormatSettings fs = EnglishFormatSettings();
  if (!locale.ShortDate.empty()) fs.ShortDateFormat = TranslatePicture(locale.ShortDate);
  if (!locale.LongDate.empty()) fs.LongDateFormat = TranslatePicture(locale.LongDate);
  if (!locale.LongTime.empty()) fs.LongTimeFormat = TranslatePicture(locale.LongTime);
  if (!locale.ShortTime.empty())
    fs.ShortTimeFormat = TranslatePicture(locale.ShortTime);
  else if (!locale.LongTime.empty())
    fs.ShortTimeFormat = fs.LongTimeFormat;  // a system too old to state one
  fs.DateSeparator = Separator(locale.DateSeparator, locale.ShortDate, fs.DateSeparator);
  fs.TimeSeparator = Separator(locale.TimeSeparator, locale.LongTime, fs.TimeSeparator);
  // A 24-hour locale may state no marks at all; a 12-hour one needs them.
  Take(fs.TimeAMString, locale.AmDesignator);
  Take(fs.TimePMString, locale.PmDesignator);
  Take(fs.ShortMonthNames, locale.ShortMonthNames);
  Take(fs.LongMonthNames, locale.LongMonthNames);
  Take(fs.ShortDayNames, locale.ShortDayNames);
  Take(fs.LongDayNames, locale.LongDayNames);
  return fs;
}

void LoadLocaleFormatSettings() { FormatSettings() = FormatSettingsFromLocale(platform::UserDateTimeFormats()); }

}  // namespace vk
