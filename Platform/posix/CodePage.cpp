// Code pages without a Windows underneath: the two single-byte code pages the
// stock data use, and UTF-8. The language follows LANG the way Wine maps it,
// so native runs and Wine runs of the same test agree.
#include "Platform/CodePage.h"

#include <array>
#include <cstdlib>

#include "Core/SysUtils.h"
#include "Core/Utf8.h"

namespace vk::platform {
namespace {

// The upper halves (bytes 0x80..0xFF). Bytes that the code page leaves
// undefined map to the control character of the same number, as Windows does.
constexpr std::array<char16_t, 128> kCp1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr std::array<char16_t, 32> kCp1252Low = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t SingleByteToUnit(unsigned char b, uint32_t codePage) {
  if (b < 0x80) return b;
  if (codePage == 1251) return kCp1251[b - 0x80];
  return b < 0xA0 ? kCp1252Low[b - 0x80] : b;
}

char UnitToSingleByte(char16_t c, uint32_t codePage) {
  if (c < 0x80) return static_cast<char>(c);
  for (unsigned b = 0x80; b <= 0xFF; ++b) {
    if (SingleByteToUnit(static_cast<unsigned char>(b), codePage) == c) return static_cast<char>(b);
  }
  return '?';
}

void RequireKnown(uint32_t codePage) {
  if (!IsValidCodePage(codePage)) {
    throw EOSError("Code page " + std::to_string(codePage) + " is not supported on this system");
  }
}

std::string LocaleName() {
  for (const char* name : {"LC_ALL", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return "C";
}

uint16_t PrimaryLanguage(uint16_t langId) { return langId & 0x3FF; }

bool IsCyrillicLanguage(uint16_t primary) {
  return primary == 0x19 || primary == 0x22 || primary == 0x23 || primary == 0x02;
}

}  // namespace

uint32_t AnsiCodePage() { return IsCyrillicLanguage(PrimaryLanguage(SystemDefaultLangId())) ? 1251 : 1252; }

uint16_t SystemDefaultLangId() {
  std::string language = LocaleName().substr(0, 2);
  struct Known {
    const char* Code;
    uint16_t Id;
  } const known[] = {{"ru", 0x0419}, {"uk", 0x0422}, {"be", 0x0423}, {"bg", 0x0402},
                     {"de", 0x0407}, {"fr", 0x040C}, {"hi", 0x0439}};
  for (const auto& k : known) {
    if (language == k.Code) return k.Id;
  }
  return 0x0409;
}

std::optional<std::string> LocaleDefaultAnsiCodePageText(uint16_t langId) {
  uint16_t primary = PrimaryLanguage(langId);
  if (IsCyrillicLanguage(primary)) return "1251";
  if (primary == 0x09 || primary == 0x07 || primary == 0x0C) return "1252";
  if (primary == 0x39) return "0";  // Hindi has no ANSI code page
  return std::nullopt;
}

bool IsValidCodePage(uint32_t codePage) { return codePage == 1251 || codePage == 1252 || codePage == kCodePageUtf8; }

std::u16string MultiByteToUtf16(std::string_view bytes, uint32_t codePage) {
  if (bytes.empty()) return {};
  RequireKnown(codePage);
  if (codePage == kCodePageUtf8) return Utf8ToUtf16(bytes);
  std::u16string out;
  out.reserve(bytes.size());
  for (char b : bytes) out += SingleByteToUnit(static_cast<unsigned char>(b), codePage);
  return out;
}

bool SingleByteCodePageTable(uint32_t codePage, std::array<char16_t, 256>& table) {
  if (codePage == kCodePageUtf8 || !IsValidCodePage(codePage)) return false;
  for (unsigned b = 0; b < 256; ++b) table[b] = SingleByteToUnit(static_cast<unsigned char>(b), codePage);
  return true;
}

std::string Utf16ToMultiByte(std::u16string_view text, uint32_t codePage) {
  if (text.empty()) return {};
  RequireKnown(codePage);
  if (codePage == kCodePageUtf8) return Utf16ToUtf8(text);
  std::string out;
  out.reserve(text.size());
  // As Windows does, each half of a surrogate pair becomes a default character.
  for (char16_t c : text) out += UnitToSingleByte(c, codePage);
  return out;
}

}  // namespace vk::platform
