#include <windows.h>

#include "Platform/Locale.h"
#include "Platform/win32/LocaleText.h"

namespace vk::platform {

std::string UserListSeparator() { return UserLocaleText(LOCALE_SLIST); }

std::string UserDecimalSeparator() { return UserLocaleText(LOCALE_SDECIMAL); }

}  // namespace vk::platform
