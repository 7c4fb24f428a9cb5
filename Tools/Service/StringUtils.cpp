#include "Tools/Service/StringUtils.h"

#include <string_view>
#include <vector>

#include "Core/SysUtils.h"
#include "Core/Utf8.h"

namespace vk {
namespace {

constexpr const char* kUnit = "Tools\\Service\\StringUtils";
constexpr std::string_view kEllipsis = "...";

std::string Repeat(char32_t fill, size_t count) {
  std::string one, out;
  Utf8Append(one, fill);
  out.reserve(one.size() * count);
  for (size_t i = 0; i < count; ++i) out += one;
  return out;
}

}  // namespace

std::string PadLeft(const std::string& text, int newLen, char32_t fill) {
  Assert(newLen >= 0, "newLen is negative", kUnit);
  std::vector<size_t> starts = Utf8CharacterStarts(text);
  size_t length = starts.size() - 1, wanted = static_cast<size_t>(newLen);
  if (length >= wanted) return text.substr(starts[length - wanted]);
  return Repeat(fill, wanted - length) + text;
}

std::string PadRight(const std::string& text, int newLen, char32_t fill) {
  Assert(newLen >= 0, "newLen is negative", kUnit);
  std::vector<size_t> starts = Utf8CharacterStarts(text);
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
    std::vector<size_t> starts = Utf8CharacterStarts(head);
    for (size_t keep = starts.size() - 1; keep-- > 0;) {
      std::string candidate = head.substr(0, starts[keep]) + std::string(kEllipsis) + tail;
      if (fits(candidate)) return candidate;
    }
  }

  // Even the file name is too wide: its end gives way as well. A text without
  // a folder part is all file name and keeps the leading "..." the system puts
  // there too.
  std::vector<size_t> starts = Utf8CharacterStarts(tail);
  for (size_t keep = starts.size() - 1; keep-- > 0;) {
    std::string candidate = std::string(kEllipsis) + tail.substr(0, starts[keep]) + std::string(kEllipsis);
    if (fits(candidate)) return candidate;
  }
  return std::string(kEllipsis);
}

}  // namespace vk
