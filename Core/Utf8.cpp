#include "Core/Utf8.h"

namespace vk {
namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Every byte but a continuation byte starts a character, and so does the first.
bool StartsCharacter(std::string_view text, size_t i) {
  return i == 0 || !IsContinuation(static_cast<unsigned char>(text[i]));
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The code point starting at text[i], or U+FFFD for the maximal invalid
// subpart there; i moves past what was read.
char32_t DecodeAt(std::string_view text, size_t& i) {
  auto b = static_cast<unsigned char>(text[i++]);
  if (b < 0x80) return b;
  int extra = 0;
  char32_t cp = 0;
  // The first continuation byte has a narrower range after some lead bytes.
  unsigned char low = 0x80, high = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    extra = 1, cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    extra = 2, cp = b & 0x0F, low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
  } else if (b >= 0xF0 && b <= 0xF4) {
    extra = 3, cp = b & 0x07, low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
  } else {
    return kReplacementCharacter;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size()) return kReplacementCharacter;
    auto c = static_cast<unsigned char>(text[i]);
    if (c < (k == 0 ? low : 0x80) || c > (k == 0 ? high : 0xBF)) return kReplacementCharacter;
    cp = (cp << 6) | (c & 0x3F);
    ++i;
  }
  return cp;
}

}  // namespace

void Utf8Append(std::string& text, char32_t c) {
  if (IsSurrogate(c) || c > 0x10FFFF) c = kReplacementCharacter;
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u32string Utf8Decode(std::string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) out += DecodeAt(text, i);
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    char32_t cp = DecodeAt(text, i);
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    Utf8Append(out, cp);
  }
  return out;
}

std::vector<size_t> Utf8CharacterStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text, i)) starts.push_back(i);
  }
  starts.push_back(text.size());
  return starts;
}

int32_t Utf8Length(std::string_view text) {
  int32_t n = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text, i)) ++n;
  }
  return n;
}

size_t Utf8PrefixBytes(std::string_view text, int32_t n) {
  if (n <= 0) return 0;
  int32_t seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text, i) && seen++ == n) return i;
  }
  return text.size();
}

void Utf8DropLast(std::string& text) {
  while (text.size() > 1 && IsContinuation(static_cast<unsigned char>(text.back()))) text.pop_back();
  if (!text.empty()) text.pop_back();
}

}  // namespace vk
