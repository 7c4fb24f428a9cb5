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

void AppendTextSortKey(std::u16string_view text, std::string& keys) {
  if (text.empty()) return;  // the empty key sorts first, as the empty text does
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  // A name's key rarely needs more than a few bytes a letter; a longer one
  // is asked for its size first.
  const size_t start = keys.size();
  keys.resize(start + text.size() * 8 + 16);
  int made = LCMapStringW(LOCALE_USER_DEFAULT, flags, source, length, reinterpret_cast<wchar_t*>(keys.data() + start),
                          static_cast<int>(keys.size() - start));
  if (made == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    const int needed = LCMapStringW(LOCALE_USER_DEFAULT, flags, source, length, nullptr, 0);
    if (needed > 0) {
      keys.resize(start + static_cast<size_t>(needed));
      made = LCMapStringW(LOCALE_USER_DEFAULT, flags, source, length, reinterpret_cast<wchar_t*>(keys.data() + start),
                          needed);
    }
  }
  // A failed call leaves the code units: a key that may misplace the text,
  // which the caller's check of its result finds.
  if (made <= 0) {
    keys.resize(start);
    for (char16_t c : text) {
      keys.push_back(static_cast<char>(c >> 8));
      keys.push_back(static_cast<char>(c & 0xFF));
    }
    return;
  }
  keys.resize(start + static_cast<size_t>(made));  // the system's key with its closing zero byte
}

}  // namespace vk::platform
