// Without a Windows underneath, the formats a Windows of the language that
// LANG names has by default; the names of months and days come from the
// same profiles the tests use.
#include "Core/DateTime.h"
#include "Platform/CodePage.h"
#include "Platform/Locale.h"

namespace vk::platform {
namespace {

void TakeNames(LocaleDateTimeFormats& formats, const TFormatSettings& profile) {
  formats.ShortMonthNames = profile.ShortMonthNames;
  formats.LongMonthNames = profile.LongMonthNames;
  formats.ShortDayNames = profile.ShortDayNames;
  formats.LongDayNames = profile.LongDayNames;
}

LocaleDateTimeFormats Russian() {
  LocaleDateTimeFormats formats{"dd.MM.yyyy", "d MMMM yyyy 'г.'", "H:mm", "H:mm:ss", ".", ":", "", "", {}, {}, {}, {}};
  TakeNames(formats, RussianFormatSettings());
  return formats;
}

LocaleDateTimeFormats Ukrainian() {
  return {"dd.MM.yyyy",
          "d MMMM yyyy 'р.'",
          "H:mm",
          "H:mm:ss",
          ".",
          ":",
          "",
          "",
          {"січ", "лют", "бер", "кві", "тра", "чер", "лип", "сер", "вер", "жов", "лис", "гру"},
          {"січень", "лютий", "березень", "квітень", "травень", "червень", "липень", "серпень", "вересень", "жовтень",
           "листопад", "грудень"},
          {"Нд", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"},
          {"неділя", "понеділок", "вівторок", "середа", "четвер", "п'ятниця", "субота"}};
}

LocaleDateTimeFormats English() {
  LocaleDateTimeFormats formats{
      "M/d/yyyy", "dddd, MMMM d, yyyy", "h:mm tt", "h:mm:ss tt", "/", ":", "AM", "PM", {}, {}, {}, {}};
  TakeNames(formats, EnglishFormatSettings());
  return formats;
}

}  // namespace

LocaleDateTimeFormats UserDateTimeFormats() {
  switch (SystemDefaultLangId() & 0x3FF) {
    case 0x19: return Russian();
    case 0x22: return Ukrainian();
    default: return English();
  }
}

}  // namespace vk::platform
