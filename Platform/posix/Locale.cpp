#include "Platform/Locale.h"

namespace vk::platform {
namespace {

// Latin Extended-A pairs its letters as capital and small side by side: the
// capital on the even code from 0100 to 0137 and 014A to 0177, on the odd
// code from 0139 to 0148 and 0179 to 017E.
char16_t UpperLatinExtended(char16_t c) {
  const bool evenCapitals = (c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177);
  const bool oddCapitals = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
  if ((evenCapitals && c % 2 == 1) || (oddCapitals && c % 2 == 0)) return static_cast<char16_t>(c - 1);
  return c;
}

char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x0178;
  if (c >= 0x0100 && c <= 0x017E) return UpperLatinExtended(c);
  if (c == 0x03C2) return 0x03A3;  // final sigma
  if (c >= 0x03B1 && c <= 0x03C9) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 0x50);
  if (c >= 0x0490 && c <= 0x04BF && c % 2 == 1) return static_cast<char16_t>(c - 1);  // Ґ and the other pairs
  return c;
}

}  // namespace

std::u16string UpperCaseText(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& c : upper) c = Upper(c);
  return upper;
}

void AppendTextSortKey(std::u16string_view text, std::string& keys) {
  for (char16_t c : text) {
    const char16_t upper = Upper(c);
    keys.push_back(static_cast<char>(upper >> 8));
    keys.push_back(static_cast<char>(upper & 0xFF));
  }
}

int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const char16_t x = Upper(a[i]), y = Upper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace vk::platform
