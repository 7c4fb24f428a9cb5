#include "Tools/CfgFile/IniFileEncoding.h"

#include "Platform/CodePage.h"
#include "Tools/Service/RegionInfo.h"

namespace vk {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

std::u16string Utf16LeUnits(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2 + 1);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units +=
        static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  if (bytes.size() % 2) units += u'\xFFFD';  // a cut-off last unit
  return units;
}

std::string Utf16LeBytes(const std::u16string& units) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t u : units) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

}  // namespace

DecodedIni DecodeIniFile(std::string_view bytes, uint32_t ansiCodePage) {
  if (bytes.starts_with(kUtf8Bom)) {
    // Decoding and encoding again replaces invalid sequences.
    return {CodePageToUtf8(std::string(bytes.substr(kUtf8Bom.size())), platform::kCodePageUtf8), IniEncoding::Utf8Bom};
  }
  if (bytes.starts_with(kUtf16LeBom)) {
    return {platform::Utf16ToMultiByte(Utf16LeUnits(bytes.substr(kUtf16LeBom.size())), platform::kCodePageUtf8),
            IniEncoding::Utf16Le};
  }
  return {CodePageToUtf8(std::string(bytes), ansiCodePage), IniEncoding::Ansi};
}

std::string EncodeIniFile(const std::string& text, IniEncoding encoding, uint32_t ansiCodePage) {
  switch (encoding) {
    case IniEncoding::Utf8Bom: return std::string(kUtf8Bom) + text;
    case IniEncoding::Utf16Le:
      return std::string(kUtf16LeBom) + Utf16LeBytes(CodePageToWide(text, platform::kCodePageUtf8));
    case IniEncoding::Ansi: break;
  }
  return Utf8ToCodePage(text, ansiCodePage);
}

IniEncoding EncodingToWrite(const std::string& text, IniEncoding fileEncoding, uint32_t ansiCodePage) {
  if (fileEncoding == IniEncoding::Ansi && !SurvivesCodePage(text, ansiCodePage)) return IniEncoding::Utf8Bom;
  return fileEncoding;
}

}  // namespace vk
