#include "Tools/Service/RegionInfo.h"

#include "Platform/CodePage.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {
namespace {

constexpr uint32_t kFallbackCodePage = 1251;
constexpr uint32_t kFallbackLangId = 1049;  // Russian

// The decimal text the locale gives: digits only, no sign.
std::optional<uint32_t> ParseCodePageText(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  return value;
}

const TRegionInfo& SystemRegion() {
  static const TRegionInfo region = ComputeRegionInfo(SystemRegionQueries());
  return region;
}

}  // namespace

RegionQueries SystemRegionQueries() {
  return {platform::AnsiCodePage, platform::SystemDefaultLangId, platform::LocaleDefaultAnsiCodePageText,
          platform::IsValidCodePage, [] { return WindowsVersionClass(); }};
}

uint32_t GetAnsiCodePage(const RegionQueries& queries) {
  try {
    return queries.AnsiCodePage();
  } catch (...) {
    return kFallbackCodePage;
  }
}

bool IsCyrillicSystem(uint32_t systemAnsiCodePage, uint8_t windowsVersionClass) {
  return systemAnsiCodePage == 1251 || (windowsVersionClass >= kWin10 && systemAnsiCodePage == platform::kCodePageUtf8);
}

uint32_t GetSystemLangId(const RegionQueries& queries) {
  try {
    return queries.SystemDefaultLangId();
  } catch (...) {
    return kFallbackLangId;
  }
}

uint32_t GetLocaleAnsiCodePage(const RegionQueries& queries, uint32_t systemLangId) {
  std::optional<std::string> text;
  try {
    text = queries.LocaleDefaultAnsiCodePageText(static_cast<uint16_t>(systemLangId));
  } catch (...) {
    return kFallbackCodePage;
  }
  if (!text) return kFallbackCodePage;
  return ParseCodePageText(*text).value_or(kFallbackCodePage);
}

bool IsValidCodePageSafe(const RegionQueries& queries, uint32_t codePage) {
  try {
    return queries.IsValidCodePage(codePage);
  } catch (...) {
    return false;
  }
}

bool IsValidCodePageSafe(uint32_t codePage) { return IsValidCodePageSafe(SystemRegionQueries(), codePage); }

TRegionInfo ComputeRegionInfo(const RegionQueries& queries) {
  TRegionInfo info;
  info.SystemAnsiCodePage = GetAnsiCodePage(queries);
  uint8_t versionClass = kWinOther;
  try {
    versionClass = queries.WindowsVersionClass();
  } catch (...) {
  }
  info.CyrillicSystem = IsCyrillicSystem(info.SystemAnsiCodePage, versionClass);
  info.SystemLangId = GetSystemLangId(queries);
  info.LocaleAnsiCodePage = GetLocaleAnsiCodePage(queries, info.SystemLangId);
  return info;
}

uint32_t SystemAnsiCodePage() { return SystemRegion().SystemAnsiCodePage; }
bool CyrillicSystem() { return SystemRegion().CyrillicSystem; }
uint32_t SystemLangId() { return SystemRegion().SystemLangId; }
uint32_t LocaleAnsiCodePage() { return SystemRegion().LocaleAnsiCodePage; }

std::u16string CodePageToWide(const std::string& text, uint32_t codePage) {
  return platform::MultiByteToUtf16(text, codePage);
}

std::string Utf8ToCodePage(const std::string& text, uint32_t codePage) {
  return platform::Utf16ToMultiByte(platform::MultiByteToUtf16(text, platform::kCodePageUtf8), codePage);
}

std::string CodePageToUtf8(const std::string& text, uint32_t codePage) {
  return platform::Utf16ToMultiByte(CodePageToWide(text, codePage), platform::kCodePageUtf8);
}

bool SurvivesCodePage(const std::string& text, uint32_t codePage) {
  return CodePageToUtf8(Utf8ToCodePage(text, codePage), codePage) == text;
}

}  // namespace vk
