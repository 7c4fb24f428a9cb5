// The CSV field rules on their own: what a name becomes in a file and back,
// how lines are cut, how money and pack texts are read, which lines are
// headers, and where the separators come from.

#include <gtest/gtest.h>

#include <stdexcept>

#include "Source/EximRepCsvStr.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

TEST(CsvStr, NamesBecomeFieldsThatReadBackUnderEitherSeparator) {
  struct Case {
    std::string Name, WithSemicolon, WithComma;
  };
  const Case cases[] = {
      {"Bolt", "Bolt", "Bolt"},
      {"Болт; М8", "\"Болт; М8\"", "Болт; М8"},
      {"Гайка, 5", "Гайка, 5", "\"Гайка, 5\""},
      {"a\"b", "\"a\"\"b\"", "\"a\"\"b\""},
      {"=1+2", "\"=\"\"=1+2\"\"\"", "\"=\"\"=1+2\"\"\""},
      {"+380", "\"=\"\"+380\"\"\"", "\"=\"\"+380\"\"\""},
      {"-5", "\"=\"\"-5\"\"\"", "\"=\"\"-5\"\"\""},
      {"@sum", "\"=\"\"@sum\"\"\"", "\"=\"\"@sum\"\"\""},
      {"=\"x\";y", "\"=\"\"=\"\"\"\"x\"\"\"\";y\"\"\"", "\"=\"\"=\"\"\"\"x\"\"\"\";y\"\"\""},
      {"a=b", "a=b", "a=b"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(TCsvStr::EncodeName(c.Name, ";"), c.WithSemicolon);
    EXPECT_EQ(TCsvStr::EncodeName(c.Name, ","), c.WithComma);
    for (const char* separator : {";", ","}) {
      const std::string line = "=\"1\"" + std::string(separator) + TCsvStr::EncodeName(c.Name, separator) + separator +
                               "1" + separator + separator + "1" + separator + "1" + separator;
      const auto fields = TCsvStr::CutFields(line, separator, 6);
      ASSERT_EQ(fields.size(), 6u);
      EXPECT_EQ(TCsvStr::DecodeName(fields[1]), c.Name);
      EXPECT_EQ(TCsvStr::DecodeCode(fields[0]), "1");
    }
  }
}

TEST(CsvStr, FieldsAreCutAtSeparatorsOutsideALeadingQuote) {
  using Fields = std::vector<std::string_view>;
  EXPECT_EQ(TCsvStr::CutFields("a;b;c", ";", 6), (Fields{"a", "b", "c"}));
  EXPECT_EQ(TCsvStr::CutFields("a;b;", ";", 6), (Fields{"a", "b", ""}));
  EXPECT_EQ(TCsvStr::CutFields("\"x;y\";z", ";", 6), (Fields{"\"x;y\"", "z"}));
  EXPECT_EQ(TCsvStr::CutFields("x\";\"y;z", ";", 6), (Fields{"x\"", "\"y;z"}));  // not leading: no quoting
  EXPECT_EQ(TCsvStr::CutFields("\"open;to the end", ";", 6), (Fields{"\"open;to the end"}));
  EXPECT_EQ(TCsvStr::CutFields("1;2;3;4;5;6;7;8", ";", 6), (Fields{"1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(TCsvStr::CutFields("1;2;3;4;5;", ";", 6).size(), 6u);
  EXPECT_EQ(TCsvStr::CutFields("a\xD1\x8B\xD0\xB1", "\xD1\x8B", 6), (Fields{"a", "\xD0\xB1"}));
}

TEST(CsvStr, MoneyTextsAreNormalisedForTheStore) {
  struct Case {
    const char* Field;
    const char* Mark;
    const char* Money;
  };
  const Case cases[] = {
      {"1250,00", ",", "1250.00"}, {" 3,5 ", ",", "3.50"}, {"7", ",", "7.00"},      {"", ",", "0.00"},
      {"   ", ".", "0.00"},        {"2.5", ".", "2.50"},   {"2.5", ",", "2.50"},    {"1'234,5", ",", "1'234.50"},
      {"1.234", ".", "1.234"},     {"1,5", ".", "1,5.00"}, {"1,2,3", ",", "1.2.3"}, {"-1", ",", "-1.00"},
  };
  for (const Case& c : cases) EXPECT_EQ(TCsvStr::NormalizeMoney(c.Field, c.Mark), c.Money) << c.Field;
  EXPECT_EQ(TCsvStr::EncodeMoney("1'234'567.89", ","), "1234567,89");
  EXPECT_EQ(TCsvStr::EncodeMoney("0.05", "."), "0.05");
}

TEST(CsvStr, PacksAreAPlainCount) {
  struct Case {
    const char* Field;
    bool Ok;
    const char* Packs;
  };
  const Case cases[] = {{"3", true, "3"},     {" 12 ", true, "12"}, {"", true, "0"},    {"\t", true, "0"},
                        {"007", true, "007"}, {"-5", false, ""},    {"3.5", false, ""}, {"1,5", false, ""},
                        {"+5", false, ""},    {"5 5", false, ""},   {"x", false, ""}};
  for (const Case& c : cases) {
    std::string packs;
    EXPECT_EQ(TCsvStr::DecodePacks(c.Field, packs), c.Ok) << c.Field;
    if (c.Ok) {
      EXPECT_EQ(packs, c.Packs) << c.Field;
    }
  }
}

TEST(CsvStr, HeadersOfEveryLanguageWithAnySeparatorAreKnownButNotDataLines) {
  TCsvStr::InitSeparators({[] { return std::string("|"); }, [] { return std::string(","); }});
  for (std::uint8_t language : {kLangRussian, kLangUkrainian, kLangEnglish}) {
    for (const char* separator : {";", ",", "|"}) {
      const std::string header = TCsvStr::ToFileBytes(TCsvStr::Header(language, separator), 1251);
      EXPECT_TRUE(TCsvStr::IsHeaderLine(header, 1251)) << header;
      EXPECT_TRUE(TCsvStr::IsHeaderLine(header.substr(0, header.size() - 1), 1251)) << header;
      // Another language's file code page still finds a Cyrillic header.
      EXPECT_TRUE(TCsvStr::IsHeaderLine(TCsvStr::Header(language, separator), 65001)) << header;
    }
  }
  EXPECT_TRUE(TCsvStr::IsHeaderLine("cODE,nAME,pRICE,dATE,qNT,pKS,cOST,", 1251));
  EXPECT_TRUE(TCsvStr::IsHeaderLine(TCsvStr::ToFileBytes("КОД;НАИМЕНОВАНИЕ;ЦЕНА;ДАТА;К-ВО;УПК;СТОИМОСТЬ", 1251), 1251));
  EXPECT_FALSE(TCsvStr::IsHeaderLine("Code;Name;Price;Date;Qnt;Pks", 1251));
  EXPECT_FALSE(TCsvStr::IsHeaderLine("Code;Name;Price;Date;Qnt;Pks;Cost;;", 1251));
  EXPECT_FALSE(TCsvStr::IsHeaderLine("Code:Name:Price:Date:Qnt:Pks:Cost:", 1251));
  EXPECT_FALSE(TCsvStr::IsHeaderLine("=\"1\";Code;1,00;;1,00;1;1,00;", 1251));
  EXPECT_FALSE(TCsvStr::IsHeaderLine("", 1251));
}

TEST(CsvStr, SeparatorsAreTheLocalesFirstCharactersWithFallbacks) {
  struct Case {
    std::function<std::string()> List, Decimal;
    const char* WantList;
    const char* WantDecimal;
  };
  auto answer = [](std::string text) { return [text] { return text; }; };
  auto fail = [] { return []() -> std::string { throw std::runtime_error("no locale"); }; };
  const Case cases[] = {
      {answer(","), answer("."), ",", "."},  {answer(";"), answer(","), ";", ","},
      {answer("؛;"), answer("٫"), "؛", "٫"},  // the first character, however many bytes it takes
      {answer(""), answer(""), ";", ","},    {fail(), fail(), ";", ","},
      {nullptr, answer("."), ";", "."},
  };
  for (const Case& c : cases) {
    TCsvStr::InitSeparators({c.List, c.Decimal});
    EXPECT_EQ(TCsvStr::ListSeparator(), c.WantList);
    EXPECT_EQ(TCsvStr::DecimalMark(), c.WantDecimal);
  }
  EXPECT_EQ(TCsvStr::LanguageSeparators(kLangRussian), (TCsvSeparators{";", ","}));
  EXPECT_EQ(TCsvStr::LanguageSeparators(kLangEnglish), (TCsvSeparators{",", "."}));
}

TEST(CsvStr, BadLinesBreakIntoPiecesThatFitTheBox) {
  const auto width = [](const std::string& text) {
    int w = 0;
    for (char32_t c : std::u32string(text.begin(), text.end())) w += c == 'W' ? 30 : 10;
    return w;
  };
  using Pieces = std::vector<std::string>;
  EXPECT_EQ(BreakToWidth("abcdefgh", 35, width), (Pieces{"abc", "def", "gh"}));
  EXPECT_EQ(BreakToWidth("aWWa", 35, width), (Pieces{"a", "W", "W", "a"}));  // too wide alone: a piece of its own
  EXPECT_EQ(BreakToWidth("", 35, width), Pieces{});
  EXPECT_EQ(BreakToWidth("ab", 1000, width), Pieces{"ab"});
}

}  // namespace
}  // namespace vk
