#include "Tools/LocalDbCtrls/DataGridSearch.h"

namespace vk {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

int32_t Utf8Length(const std::string& text) {
  int32_t n = 0;
  for (char c : text) {
    if (!IsContinuation(c)) ++n;
  }
  return n;
}

size_t Utf8PrefixBytes(const std::string& text, int32_t n) {
  if (n <= 0) return 0;
  int32_t seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsContinuation(text[i]) && seen++ == n) return i;
  }
  return text.size();
}

void Utf8Append(std::string& text, char32_t ch) {
  if (ch < 0x80) {
    text += static_cast<char>(ch);
  } else if (ch < 0x800) {
    text += static_cast<char>(0xC0 | (ch >> 6));
    text += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    text += static_cast<char>(0xE0 | (ch >> 12));
    text += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (ch >> 18));
    text += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

void Utf8DropLast(std::string& text) {
  while (!text.empty() && IsContinuation(text.back())) text.pop_back();
  if (!text.empty()) text.pop_back();
}

void ApplySearchChar(std::string& text, char32_t ch, int32_t searchLength) {
  if (ch == kBackspace) {
    Utf8DropLast(text);
  } else if (Utf8Length(text) < searchLength) {
    Utf8Append(text, ch);
  }
}

}  // namespace vk
