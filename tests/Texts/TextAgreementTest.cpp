// The three languages must be interchangeable: whatever a caller formats,
// joins or lays out with one language's text must work with the others. And
// the Russian and Ukrainian texts must really be in their own language.

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "Tools/Service/TextConst.h"
#include "tests/Texts/TextTestSupport.h"

namespace vk {
namespace {

using testing::LanguageName;
using testing::TextsOf;

// What callers rely on in a text beyond its words.
struct Shape {
  std::vector<std::string> placeholders;  // %0:d, %s, ... in order
  int lineBreaks = 0;                     // CR LF pairs
  std::string leading, trailing;          // blanks and line breaks at the ends
  std::vector<std::string> filterMasks;   // the "*.csv" parts of a file filter
  bool operator==(const Shape&) const = default;
};

std::string Printable(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return out;
}

std::ostream& operator<<(std::ostream& os, const Shape& s) {
  os << "{placeholders:";
  for (const auto& p : s.placeholders) os << " " << p;
  os << "; line breaks " << s.lineBreaks << "; leading '" << Printable(s.leading) << "'; trailing '"
     << Printable(s.trailing) << "'; masks:";
  for (const auto& m : s.filterMasks) os << " " << m;
  return os << "}";
}

const std::regex kPlaceholder(R"(%(\d+:)?-?\d*(\.\d+)?[dsuxefgnmp])");

Shape ShapeOf(const std::string& text) {
  Shape s;
  for (std::sregex_iterator it(text.begin(), text.end(), kPlaceholder), end; it != end; ++it)
    s.placeholders.push_back(it->str());
  for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++s.lineBreaks;
  const char* blanks = " \r\n";
  auto first = text.find_first_not_of(blanks);
  s.leading = text.substr(0, first == std::string::npos ? text.size() : first);
  auto last = text.find_last_not_of(blanks);
  s.trailing = last == std::string::npos ? "" : text.substr(last + 1);
  if (text.find('|') != std::string::npos) {
    std::size_t start = 0, part = 0;
    for (std::size_t bar;; start = bar + 1, ++part) {
      bar = text.find('|', start);
      if (part % 2 == 1) s.filterMasks.push_back(text.substr(start, bar - start));
      if (bar == std::string::npos) break;
    }
  }
  return s;
}

// Every text of a language: the text variables and the table rows, named.
std::vector<std::pair<std::string, std::string>> AllTexts(std::uint8_t language) {
  std::vector<std::pair<std::string, std::string>> out;
  TTexts texts = TextsOf(language);
  for (const auto& field : TextFields()) out.emplace_back(field.Name, texts.*field.Member);
  auto addRow = [&](const auto& row, const char* table) {
    for (std::size_t i = 0; i < row.size(); ++i)
      out.emplace_back(std::string(table) + "[" + std::to_string(i) + "]", row[i]);
  };
  addRow(CsvExportTexts[language], "CsvExportTexts");
  addRow(TxtExportTexts[language], "TxtExportTexts");
  addRow(CsvImportTexts[language], "CsvImportTexts");
  addRow(ListReportTexts[language], "ListReportTexts");
  return out;
}

TEST(TextShapes, ShapeSeesPlaceholdersBreaksBlanksAndMasks) {
  Shape s = ShapeOf("\r\n a %0:d of %1:5.2f\r\nb|*.csv|c|*.txt ");
  EXPECT_EQ(s.placeholders, (std::vector<std::string>{"%0:d", "%1:5.2f"}));
  EXPECT_EQ(s.lineBreaks, 2);
  EXPECT_EQ(s.leading, "\r\n ");
  EXPECT_EQ(s.trailing, " ");
  EXPECT_EQ(s.filterMasks, (std::vector<std::string>{"*.csv", "*.txt "}));
  EXPECT_EQ(ShapeOf("?"), Shape{});
}

TEST(TextShapes, RussianAndUkrainianAgreeWithEnglish) {
  auto english = AllTexts(kLangEnglish);
  for (auto language : {kLangRussian, kLangUkrainian}) {
    auto texts = AllTexts(language);
    ASSERT_EQ(texts.size(), english.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (texts[i].first == "HelpPageAddress") continue;
      EXPECT_EQ(ShapeOf(texts[i].second), ShapeOf(english[i].second))
          << LanguageName(language) << " " << texts[i].first << ": \"" << Printable(texts[i].second) << "\"";
    }
  }
}

// Latin words that stay as they are in Russian and Ukrainian: the key name,
// the product's name and the file types (with the tables' own spelling of
// the spreadsheet program).
const std::set<std::string> kLatinWordsAllowed = {"Esc", "Vorkel", "csv", "txt", "Exel"};

TEST(TextLanguages, RussianAndUkrainianAreNotLeftInEnglish) {
  const std::regex latinWord("[A-Za-z]+");
  for (auto language : {kLangRussian, kLangUkrainian}) {
    for (const auto& [name, text] : AllTexts(language)) {
      if (name == "HelpPageAddress") {
        EXPECT_TRUE(text.starts_with("http://")) << text;
        continue;
      }
      std::string words = std::regex_replace(text, kPlaceholder, "");
      for (std::sregex_iterator it(words.begin(), words.end(), latinWord), end; it != end; ++it)
        EXPECT_TRUE(kLatinWordsAllowed.contains(it->str()))
            << LanguageName(language) << " " << name << " keeps the English word \"" << it->str() << "\"";
    }
  }
}

TEST(TextLanguages, EachLanguageUsesOnlyItsOwnAlphabet) {
  struct Case {
    std::uint8_t language;
    std::vector<std::string> foreignLetters;
  } cases[] = {
      {kLangRussian, {"і", "ї", "є", "ґ", "І", "Ї", "Є", "Ґ"}},
      {kLangUkrainian, {"ы", "э", "ъ", "ё", "Ы", "Э", "Ъ", "Ё"}},
      {kLangEnglish, {}},
  };
  for (const auto& c : cases) {
    for (const auto& [name, text] : AllTexts(c.language)) {
      for (const auto& letter : c.foreignLetters)
        EXPECT_EQ(text.find(letter), std::string::npos) << LanguageName(c.language) << " " << name << ": " << text;
      if (c.language == kLangEnglish) {
        for (unsigned char ch : text) EXPECT_LT(ch, 0x80) << "English " << name << ": " << text;
      }
    }
  }
}

}  // namespace
}  // namespace vk
