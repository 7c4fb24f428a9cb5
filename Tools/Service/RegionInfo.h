#pragma once
// The system's language and code pages, answered once at start, and the
// conversions between a code page, UTF-16 and UTF-8.
//
// Every query has a fixed fallback instead of an error (code page 1251,
// language 1049), so a failing query leaves the program in its
// Russian/Cyrillic setting.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vk {

// The system's answers, one function each; a function may raise, which
// counts as "no answer". The defaults ask the platform.
struct RegionQueries {
  std::function<uint32_t()> AnsiCodePage;
  std::function<uint16_t()> SystemDefaultLangId;
  std::function<std::optional<std::string>(uint16_t)> LocaleDefaultAnsiCodePageText;
  std::function<bool(uint32_t)> IsValidCodePage;
  std::function<uint8_t()> WindowsVersionClass;
};
RegionQueries SystemRegionQueries();

struct TRegionInfo {
  uint32_t SystemAnsiCodePage = 1251;
  bool CyrillicSystem = true;
  uint32_t SystemLangId = 1049;
  uint32_t LocaleAnsiCodePage = 1251;
};

// The four values, computed in this order from the queries.
TRegionInfo ComputeRegionInfo(const RegionQueries& queries);

uint32_t GetAnsiCodePage(const RegionQueries& queries);
// 1251, or 65001 from Windows 10 on (version class 6 and above).
bool IsCyrillicSystem(uint32_t systemAnsiCodePage, uint8_t windowsVersionClass);
uint32_t GetSystemLangId(const RegionQueries& queries);
uint32_t GetLocaleAnsiCodePage(const RegionQueries& queries, uint32_t systemLangId);
bool IsValidCodePageSafe(const RegionQueries& queries, uint32_t codePage);
bool IsValidCodePageSafe(uint32_t codePage);

// The values of the running system, computed at the first call and fixed
// from then on; a change of the system's settings while the program runs is
// not seen.
uint32_t SystemAnsiCodePage();
bool CyrillicSystem();
uint32_t SystemLangId();
uint32_t LocaleAnsiCodePage();

// The conversions of every 8-bit text. A non-empty text never gives an empty
// one: undecodable bytes become U+FFFD, characters the code page lacks its
// default character, and a code page the system does not know raises
// EOSError.
std::u16string CodePageToWide(const std::string& text, uint32_t codePage);
std::string Utf8ToCodePage(const std::string& text, uint32_t codePage);
std::string CodePageToUtf8(const std::string& text, uint32_t codePage);
// Whether the UTF-8 text comes back unchanged from the code page: false when
// a character the code page lacks would become "?" or a look-alike.
bool SurvivesCodePage(const std::string& text, uint32_t codePage);

}  // namespace vk
