#include "Tools/Service/StringUtils.h"

#include <string_view>
#include <vector>

#include "Core/SysUtils.h"

namespace vk {
namespace {

constexpr const char* kUnit = "StringUtils";
constexpr std::string_view kEllipsis = "...";

// Byte offsets where each character starts, plus the end of the text. A byte
// that cannot start a character is taken as a character of its own, so broken
// UTF-8 is kept byte for byte instead of being dropped.
std::vector<size_t> CharacterStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 || starts.empty()) starts.push_back(i);
  }
  starts.push_back(text.size());
  return starts;
}

std::string EncodeUtf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string Repeat(char32_t fill, size_t count) {
  std::string one = EncodeUtf8(fill), out;
  out.reserve(one.size() * count);
  for (size_t i = 0; i < count; ++i) out += one;
  return out;
}

}  // namespace

std::string PadLeft(const std::string& text, int newLen, char32_t fill) {
  Assert(newLen >= 0, "newLen is negative", kUnit);
  std::vector<size_t> starts = CharacterStarts(text);
  size_t length = starts.size() - 1, wanted = static_cast<size_t>(newLen);
  if (length >= wanted) return text.substr(starts[length - wanted]);
  return Repeat(fill, wanted - length) + text;
}

std::string PadRight(const std::string& text, int newLen, char32_t fill) {
  Assert(newLen >= 0, "newLen is negative", kUnit);
  std::vector<size_t> starts = CharacterStarts(text);
  size_t length = starts.size() - 1, wanted = static_cast<size_t>(newLen);
  if (length >= wanted) return text.substr(0, starts[wanted]);
  return text + Repeat(fill, wanted - length);
}

std::string IntToZeroPadded(uint32_t number, int width) {
  Assert(number != 0, "Number must be positive", kUnit);
  return PadLeft(std::to_string(number), width, U'0');
}

std::string ShortenPathToWidth(const std::string& text, const TextWidthFunction& textWidth, int width) {
  auto fits = [&](const std::string& candidate) { return textWidth(candidate) <= width; };
  if (fits(text)) return text;

  size_t slash = text.find_last_of("\\/");
  std::string head = slash == std::string::npos ? std::string() : text.substr(0, slash);
  std::string tail = slash == std::string::npos ? text : text.substr(slash);

  // The folder part gives way from its end, the file name stays whole.
  if (slash != std::string::npos) {
    std::vector<size_t> starts = CharacterStarts(head);
    for (size_t keep = starts.size() - 1; keep-- > 0;) {
      std::string candidate = head.substr(0, starts[keep]) + std::string(kEllipsis) + tail;
      if (fits(candidate)) return candidate;
    }
  }

  // Even the file name is too wide: its end gives way as well. A text without
  // a folder part is all file name and keeps the leading "..." the system puts
  // there too.
  std::vector<size_t> starts = CharacterStarts(tail);
  for (size_t keep = starts.size() - 1; keep-- > 0;) {
    std::string candidate = std::string(kEllipsis) + tail.substr(0, starts[keep]) + std::string(kEllipsis);
    if (fits(candidate)) return candidate;
  }
  return std::string(kEllipsis);
}

}  // namespace vk
