#pragma once
// The run-time library's date and time formats (what the plain date-time
// field shows and reads) taken from the user's locale at start-up.

#include "Core/DateTime.h"
#include "Platform/Locale.h"

namespace vk {

// The locale's formats in FormatDateTime's letters: h and H become h (a
// clock without an AM/PM mark counts 24 hours), m in a time n, t and tt the
// AM/PM mark, other letters outside quotes literal text. A separator counts
// when it is one ASCII character, else the one the short date (long time)
// picture shows. What the locale leaves empty keeps the English profile's.
TFormatSettings FormatSettingsFromLocale(const platform::LocaleDateTimeFormats& locale);

// Start-up, once, before any date is shown or read: FormatSettings() from the
// user's locale. A change of the locale while the program runs is not seen.
void LoadLocaleFormatSettings();

}  // namespace vk
