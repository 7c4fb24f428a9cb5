// Code pages without a Windows underneath: the two single-byte code pages the
// stock data use, and UTF-8. The language follows LANG the way Wine maps it,
// so native runs and Wine runs of the same test agree.
#include "Platform/CodePage.h"

#include <array>
#include <cstdlib>

#include "Core/SysUtils.h"

namespace vk::platform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

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

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Strict UTF-8: overlong forms, surrogates and values above U+10FFFF are
// refused; each maximal invalid subpart becomes one U+FFFD.
std::u16string DecodeUtf8(std::string_view in) {
  std::u16string out;
  size_t i = 0;
  while (i < in.size()) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    if (b < 0x80) {
      out += b;
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF)
      extra = 1, cp = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF)
      extra = 2, cp = b & 0x0F, lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
    else if (b >= 0xF0 && b <= 0xF4)
      extra = 3, cp = b & 0x07, lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
    else {
      out += kReplacement;
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      unsigned char c = j < in.size() ? static_cast<unsigned char>(in[j]) : 0;
      unsigned char low = k == 0 ? lo : 0x80, high = k == 0 ? hi : 0xBF;
      if (j >= in.size() || c < low || c > high) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (ok)
      AppendCodePoint(out, cp);
    else
      out += kReplacement;
    i = j;
  }
  return out;
}

std::string EncodeUtf8(std::u16string_view in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t cp = in[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
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
  if (codePage == kCodePageUtf8) return DecodeUtf8(bytes);
  std::u16string out;
  out.reserve(bytes.size());
  for (char b : bytes) out += SingleByteToUnit(static_cast<unsigned char>(b), codePage);
  return out;
}

std::string Utf16ToMultiByte(std::u16string_view text, uint32_t codePage) {
  if (text.empty()) return {};
  RequireKnown(codePage);
  if (codePage == kCodePageUtf8) return EncodeUtf8(text);
  std::string out;
  out.reserve(text.size());
  // As Windows does, each half of a surrogate pair becomes a default character.
  for (char16_t c : text) out += UnitToSingleByte(c, codePage);
  return out;
}

}  // namespace vk::platform
