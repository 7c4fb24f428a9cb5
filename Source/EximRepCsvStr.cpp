#include "Source/EximRepCsvStr.h"

#include <array>

#include "Core/Utf8.h"
#include "Platform/CodePage.h"
#include "Platform/Locale.h"
#include "Tools/Service/RegionInfo.h"
#include "Tools/Service/StringUtils.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

// Rows of the CSV export's text table.
constexpr std::uint8_t kFirstTitleRow = 3;
constexpr std::uint8_t kTitleCount = 7;
constexpr std::uint8_t kListSeparatorRow = 13;
constexpr std::uint8_t kDecimalMarkRow = 14;
// The date column's width: the date of a date-time text without its time.
constexpr int kDateWidth = 10;

constexpr char kFallbackListSeparator[] = ";";
constexpr char kFallbackDecimalMark[] = ",";
// Russian and Ukrainian headers are Cyrillic, which only code page 1251
// holds among those the program is used with.
constexpr std::uint32_t kCyrillicCodePage = 1251;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string& StoredListSeparator() {
  static std::string separator = kFallbackListSeparator;
  return separator;
}

std::string& StoredDecimalMark() {
  static std::string mark = kFallbackDecimalMark;
  return mark;
}

std::string FirstCharacter(std::string_view text) { return std::string(text.substr(0, Utf8PrefixBytes(text, 1))); }

// The query's first character; the fallback when it has none or raises.
std::string AskOne(const std::function<std::string()>& query, const char* fallback) {
  std::string answer;
  try {
    if (query) answer = query();
  } catch (...) {
    answer.clear();
  }
  answer = FirstCharacter(answer);
  return answer.empty() ? std::string(fallback) : answer;
}

bool StartsWithFormulaCharacter(const std::string& name) {
  return !name.empty() && (name[0] == '=' || name[0] == '+' || name[0] == '-' || name[0] == '@');
}

// Encloses the text in double quotes, every inner one doubled.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + '"';
}

// The inverse of Quoted for a text that begins with a double quote: up to
// the first single closing quote, doubled ones made single; the rest after
// it is dropped.
std::string Unquoted(std::string_view text) {
  std::string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != '"') {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '"') {
      out += '"';
      ++i;
    } else {
      break;
    }
  }
  return out;
}

bool EnclosedInQuotes(std::string_view text, std::size_t from) {
  return text.size() >= from + 1 && text[from] == '"' && text.back() == '"';
}

bool EndsWith(std::u16string_view text, std::u16string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The separators a header may stand with: the locale's, then each language's own.
std::array<std::string, 1 + kLanguageCount> HeaderSeparators() {
  return {TCsvStr::ListSeparator(), TCsvStr::LanguageSeparators(kLangRussian).List,
          TCsvStr::LanguageSeparators(kLangUkrainian).List, TCsvStr::LanguageSeparators(kLangEnglish).List};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

TSeparatorQueries SystemSeparatorQueries() { return {platform::UserListSeparator, platform::UserDecimalSeparator}; }

void TCsvStr::InitSeparators(const TSeparatorQueries& queries) {
  StoredListSeparator() = AskOne(queries.ListSeparator, kFallbackListSeparator);
  StoredDecimalMark() = AskOne(queries.DecimalSeparator, kFallbackDecimalMark);
}

const std::string& TCsvStr::ListSeparator() { return StoredListSeparator(); }

const std::string& TCsvStr::DecimalMark() { return StoredDecimalMark(); }

TCsvSeparators TCsvStr::LanguageSeparators(std::uint8_t language) {
  return {FirstCharacter(GetCsvExportLangText(language, kListSeparatorRow)),
          FirstCharacter(GetCsvExportLangText(language, kDecimalMarkRow))};
}

std::string TCsvStr::Header(std::uint8_t language, std::string_view separator) {
  std::string header;
  for (std::uint8_t i = 0; i < kTitleCount; ++i) {
    header += GetCsvExportLangText(language, static_cast<std::uint8_t>(kFirstTitleRow + i));
    header += separator;
  }
  return header;
}

std::string TCsvStr::EncodeCode(const std::string& code) { return "=\"" + code + "\""; }

std::string TCsvStr::EncodeName(const std::string& name, std::string_view separator) {
  const std::string field = StartsWithFormulaCharacter(name) ? "=" + Quoted(name) : name;
  if (field.find(separator) != std::string::npos || field.find('"') != std::string::npos) return Quoted(field);
  return field;
}

std::string TCsvStr::EncodeMoney(const std::string& money, std::string_view decimalMark) {
  std::string out;
  for (char c : money) {
    if (c == '\'') continue;
    if (c == '.') {
      out += decimalMark;
    } else {
      out += c;
    }
  }
  return out;
}

std::string TCsvStr::EncodeDate(const std::string& date) { return PadRight(date, kDateWidth, U' '); }

bool TCsvStr::IsHeaderLine(std::string_view line, std::uint32_t fileCodePage, std::string* separatorFound,
                           std::uint32_t* codePageFound) {
  struct TReading {
    std::uint32_t CodePage;
    std::u16string Text;
  };
  const std::string bytes(line);
  const TReading inFileCodePage{fileCodePage, CodePageToWide(bytes, fileCodePage)};
  const TReading inCyrillic{kCyrillicCodePage, fileCodePage == kCyrillicCodePage
                                                   ? inFileCodePage.Text
                                                   : CodePageToWide(bytes, kCyrillicCodePage)};
  const auto separators = HeaderSeparators();
  for (std::uint8_t language = 0; language < kLanguageCount; ++language) {
    // A Cyrillic header is looked for in 1251 as well as in the file's code page.
    std::vector<const TReading*> readings{&inFileCodePage};
    if (language != kLangEnglish && fileCodePage != kCyrillicCodePage) readings.push_back(&inCyrillic);
    for (const std::string& separator : separators) {
      const std::u16string full = Utf8ToUtf16(Header(language, separator));
      const std::u16string mark = Utf8ToUtf16(separator);
      for (const TReading* reading : readings) {
        std::u16string_view header = full;
        if (!reading->Text.empty() && !EndsWith(reading->Text, mark)) header.remove_suffix(mark.size());
        if (platform::CompareTextIgnoreCase(reading->Text, header) != 0) continue;
        if (separatorFound) *separatorFound = separator;
        if (codePageFound) *codePageFound = reading->CodePage;
        return true;
      }
    }
  }
  return false;
}

std::vector<std::string_view> TCsvStr::CutFields(std::string_view line, std::string_view separator,
                                                 std::size_t maxFields) {
  std::vector<std::string_view> fields;
  if (separator.empty()) return {line};
  std::size_t position = 0;
  while (fields.size() < maxFields) {
    const bool quotedField = position < line.size() && line[position] == '"';
    bool insideQuotes = false;
    std::size_t end = position;
    while (end < line.size()) {
      if (quotedField && line[end] == '"') {
        insideQuotes = !insideQuotes;
      } else if (!insideQuotes && line.compare(end, separator.size(), separator) == 0) {
        break;
      }
      ++end;
    }
    fields.push_back(line.substr(position, end - position));
    if (end >= line.size()) break;
    position = end + separator.size();
    if (position == line.size() && fields.size() < maxFields) {
      fields.push_back({});
      break;
    }
  }
  return fields;
}

std::string TCsvStr::DecodeCode(std::string_view field) {
  std::string code;
  for (char c : field) {
    if (IsDigit(c)) code += c;
  }
  return code;
}

std::string TCsvStr::DecodeName(std::string_view field) {
  std::string name = EnclosedInQuotes(field, 0) ? Unquoted(field) : std::string(field);
  // The formula form, ="...", of a name that begins like a formula.
  if (name.size() >= 3 && name[0] == '=' && EnclosedInQuotes(name, 1))
    name = Unquoted(std::string_view(name).substr(1));
  return name;
}

std::string TCsvStr::NormalizeMoney(std::string_view field, std::string_view decimalMark) {
  const std::string_view trimmed = TrimBlanks(field);
  if (trimmed.empty()) return "0.00";
  std::string text;
  for (std::size_t i = 0; i < trimmed.size();) {
    if (!decimalMark.empty() && trimmed.compare(i, decimalMark.size(), decimalMark) == 0) {
      text += '.';
      i += decimalMark.size();
    } else {
      text += trimmed[i++];
    }
  }
  std::size_t point = text.find('.');
  if (point == std::string::npos) {
    point = text.size();
    text += '.';
  }
  while (text.size() - point - 1 < 2) text += '0';
  return text;
}

bool TCsvStr::DecodePacks(std::string_view field, std::string& packs) {
  const std::string_view trimmed = TrimBlanks(field);
  for (char c : trimmed) {
    if (!IsDigit(c)) return false;
  }
  packs = trimmed.empty() ? "0" : std::string(trimmed);
  return true;
}

std::uint32_t TCsvStr::TakeFileCodePage(std::string& firstLine, std::uint32_t dataCodePage) {
  if (!firstLine.starts_with(kUtf8ByteOrderMark)) return dataCodePage;
  firstLine.erase(0, kUtf8ByteOrderMark.size());
  return platform::kCodePageUtf8;
}

std::string TCsvStr::ToFileBytes(const std::string& text, std::uint32_t fileCodePage) {
  return Utf8ToCodePage(text, fileCodePage);
}

std::string TCsvStr::FromFileBytes(const std::string& bytes, std::uint32_t fileCodePage) {
  return CodePageToUtf8(bytes, fileCodePage);
}

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace vk
