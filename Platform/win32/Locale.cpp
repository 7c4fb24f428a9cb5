#include "Platform/Locale.h"

#include <windows.h>

namespace vk::platform {

int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b) {
  const int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(a.data()),
                               static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
                               static_cast<int>(b.size()));
  // 0 is a failure (bad arguments): fall back to the order of code units.
  if (r == 0) return a < b ? -1 : (b < a ? 1 : 0);
  return r - CSTR_EQUAL;
}

std::u16string UpperCaseText(std::u16string_view text) {
  std::u16string upper(text);
  if (upper.empty()) return upper;
  const int done = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, reinterpret_cast<const wchar_t*>(text.data()),
                                static_cast<int>(text.size()), reinterpret_cast<wchar_t*>(upper.data()),
                                static_cast<int>(upper.size()));
  // Upper-casing keeps the length; a failure leaves the text as it is.
  if (done != static_cast<int>(upper.size())) upper.assign(text);
  return upper;
}

}  // namespace vk::platform
