#pragma once
// Letter case of ASCII letters only: file, section, key and index names
// compare this way; every other byte (code-page letters included) is kept.

#include <string>
#include <string_view>

namespace vk {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiUpperCase(std::string s) {
  for (char& c : s) c = AsciiUpper(c);
  return s;
}

// Equal when they differ at most in the case of ASCII letters.
inline bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace vk
