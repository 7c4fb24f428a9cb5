#include "Tools/Security/Hash.h"

#include <cstdio>

#include "Core/SysUtils.h"
#include "Platform/CodePage.h"
#include "Tools/Security/Md5.h"

namespace vk {
namespace {

constexpr const char* kUnit = "Tools\\Security\\Hash";

}  // namespace

uint32_t HashBuffer(const void* buffer, uint16_t length) {
  TMd5Digest digest = Md5(std::string_view(static_cast<const char*>(buffer), length));
  return uint32_t{digest[12]} | uint32_t{digest[13]} << 8 | uint32_t{digest[14]} << 16 | uint32_t{digest[15]} << 24;
}

uint32_t HashString(std::string_view bytes) {
  Assert(!bytes.empty(), "String for Get Hash is Empty", kUnit);
  if (bytes.size() > kMaxHashedLength) throw ERangeError();
  return HashBuffer(bytes.data(), static_cast<uint16_t>(bytes.size()));
}

std::string HashToText(uint32_t hash) {
  char text[10];
  std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(hash >> 16),
                static_cast<unsigned>(hash & 0xFFFF));
  return text;
}

std::string HashStringHex(std::string_view bytes) { return HashToText(HashString(bytes)); }

std::string TextToCodePageBytes(std::string_view utf8, uint32_t codePage) {
  if (codePage == platform::kCodePageUtf8) return std::string(utf8);
  return platform::Utf16ToMultiByte(platform::MultiByteToUtf16(utf8, platform::kCodePageUtf8), codePage);
}

uint32_t HashText(std::string_view utf8, uint32_t codePage) { return HashString(TextToCodePageBytes(utf8, codePage)); }

uint32_t HashText(std::string_view utf8) { return HashText(utf8, platform::AnsiCodePage()); }

}  // namespace vk
