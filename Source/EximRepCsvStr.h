#pragma once
// The CSV rules the export writes and the import reads back: the separators
// of the user's locale, the header line of each language, the field encoders
// and decoders, and the steps between the file's bytes (the data code page,
// or UTF-8 after a byte order mark) and the program's UTF-8. The file layout
// is in docs/csv-and-text-files.md. Portable.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// Where the separators come from; each answers one character in UTF-8, or
// nothing (an empty text, or an exception) when the system cannot say.
struct TSeparatorQueries {
  std::function<std::string()> ListSeparator;
  std::function<std::string()> DecimalSeparator;
};
// The user's locale, read afresh at every call.
TSeparatorQueries SystemSeparatorQueries();

// A list separator and a decimal mark, one character each in UTF-8.
struct TCsvSeparators {
  std::string List;
  std::string Decimal;
  bool operator==(const TCsvSeparators&) const = default;
};

class TCsvStr {
 public:
  // Both separators from the queries again, the first character of each
  // answer; ";" and "," where a query gives nothing. Every CSV export and
  // import calls it first, so a change of the regional settings counts at
  // the next run.
  static void InitSeparators(const TSeparatorQueries& queries = SystemSeparatorQueries());
  // The separators of the last InitSeparators, in UTF-8.
  static const std::string& ListSeparator();
  static const std::string& DecimalMark();
  // The usual separators of a language's files: ";" and "," for Russian
  // and Ukrainian, "," and "." for English.
  static TCsvSeparators LanguageSeparators(std::uint8_t language);

  // The seven column titles of the language (0 Russian, 1 Ukrainian,
  // 2 English), each followed by the separator.
  static std::string Header(std::uint8_t language, std::string_view separator);

  // ="0012": a formula whose result is the code as text, so a spreadsheet
  // keeps its leading zeros.
  static std::string EncodeCode(const std::string& code);
  // A name a spreadsheet would take for a formula (one beginning with "=",
  // "+", "-" or "@") goes in the code's formula form, whose result is the
  // name as text; then a field holding the separator or a double quote is
  // enclosed in double quotes with the inner ones doubled.
  static std::string EncodeName(const std::string& name, std::string_view separator);
  // 1'234.50 gives 1234,50 for the decimal mark ",".
  static std::string EncodeMoney(const std::string& money, std::string_view decimalMark);
  // Cut or padded with blanks to 10 characters.
  static std::string EncodeDate(const std::string& date);

  // Whether the line (its bytes in the file's code page, trimmed) is the
  // header of some language with the locale's or some language's separator,
  // with or without its final separator, ignoring letter case. The
  // separator it stands with (UTF-8) goes to separator, and the code page
  // it was read in (the file's, or 1251 for a Cyrillic header) to codePage,
  // when they are given.
  static bool IsHeaderLine(std::string_view line, std::uint32_t fileCodePage, std::string* separator = nullptr,
                           std::uint32_t* codePage = nullptr);

  // The line cut into at most maxFields fields at the separator. A field
  // that begins with a double quote runs over separators between quotes.
  // After a final separator comes one more, empty, field.
  static std::vector<std::string_view> CutFields(std::string_view line, std::string_view separator,
                                                 std::size_t maxFields);
  // Only the digits: the formula form gives the bare code.
  static std::string DecodeCode(std::string_view field);
  // The enclosing quotes and the formula form removed, the bytes left in
  // the file's code page.
  static std::string DecodeName(std::string_view field);
  // A money text for the store: trimmed, empty as 0.00, the decimal mark as
  // ".", at least two decimals. Group marks stay for the store to remove;
  // more than two decimals stay for the store to refuse.
  static std::string NormalizeMoney(std::string_view field, std::string_view decimalMark);
  // The pack count: digits only once trimmed, empty as 0; false otherwise.
  static bool DecodePacks(std::string_view field, std::string& packs);

  // The code page of a file, from its first line: UTF-8 when the line
  // begins with the UTF-8 byte order mark, as a spreadsheet's "CSV UTF-8"
  // does, the mark then dropped from the line; the data code page otherwise.
  static std::uint32_t TakeFileCodePage(std::string& firstLine, std::uint32_t dataCodePage);
  // UTF-8 into the file's bytes, and back.
  static std::string ToFileBytes(const std::string& text, std::uint32_t fileCodePage);
  static std::string FromFileBytes(const std::string& bytes, std::uint32_t fileCodePage);
};

// The text without leading and trailing blanks and control characters.
std::string_view TrimBlanks(std::string_view text);

}  // namespace vk
