#pragma once
// One item of the user's default locale as the system states it. Windows only.

#include <windows.h>

#include <string>

#include "Platform/win32/Utf16.h"

namespace vk::platform {

// The item's text in UTF-8, read afresh; empty when the system does not answer.
inline std::string UserLocaleText(LCTYPE type) {
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, /*data=*/nullptr, 0);
  if (n <= 1) return {};
  std::wstring text(static_cast<size_t>(n), L'\0');
  const int read = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text.data(), n);
  if (read <= 1) return {};
  text.resize(static_cast<size_t>(read - 1));  // the count includes the terminating zero
  return WideToUtf8(text);
}

}  // namespace vk::platform
