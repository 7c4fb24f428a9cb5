// The exported files byte for byte against reviewed copies: the CSV file in
// each language under a ";"/"," and a ","/"." convention, and the text list.
// The goods stand sorted by price (an order that does not hang on the
// system's collation), the table on a row in the middle.
// VORKEL_WRITE_GOLDEN=1 writes the copies anew instead (review them before
// committing).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Source/EximRepExport.h"
#include "tests/InOut/ExImFixture.h"

namespace vk::testing {
namespace {

struct Convention {
  const char* Name;
  const char* List;
  const char* Decimal;
};
constexpr Convention kSemicolon{"semicolon", ";", ","};
constexpr Convention kComma{"comma", ",", "."};

struct Language {
  const char* Name;
  std::uint8_t Index;
  void (*Load)();
};
const Language kLanguages[] = {{"rus", kLangRussian, LoadRussianTexts},
                               {"ukr", kLangUkrainian, LoadUkrainianTexts},
                               {"eng", kLangEnglish, LoadEnglishTexts}};

std::string GoldenPath(const std::string& name) { return std::string(VK_GOLDEN_DIR) + "/" + name; }

bool WritingGoldens() {
  const char* write = std::getenv("VORKEL_WRITE_GOLDEN");
  return write && std::string(write) == "1";
}

// Compares with the reviewed copy, or writes it anew.
void ExpectGolden(const std::string& name, const std::string& bytes) {
  const std::string path = GoldenPath(name);
  if (WritingGoldens()) {
    std::ofstream(path, std::ios::binary) << bytes;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << path;
  const std::string golden(std::istreambuf_iterator<char>(in), {});
  // Line by line, so a difference names its line.
  size_t line = 1, i = 0;
  for (; i < golden.size() && i < bytes.size() && golden[i] == bytes[i]; ++i) {
    if (golden[i] == '\n') ++line;
  }
  EXPECT_EQ(bytes.size(), golden.size()) << name;
  EXPECT_EQ(i, golden.size()) << name << ": first difference on line " << line;
}

class ExportGoldenTest : public ExImTest {
 protected:
  void SetUp() override {
    ExImTest::SetUp();
    std::vector<Goods> goods = MakeGoods(24);
    Enter(store, goods);
    store.Goods().SetIndex(&store.Goods().IndCost);
    store.Goods().SetRecNo(9);
  }

  std::string ExportCsv(const Language& language) {
    language.Load();
    host.language = language.Index;
    host.chosen = "/out/goods.csv";
    TCsvExport csv(host, store, fs);
    bool done = true;
    csv.Execute(done);
    EXPECT_FALSE(done);
    EXPECT_TRUE(recorder.boxes.empty()) << recorder.boxes.front().Text;
    return FileText("/out/goods.csv");
  }

  void ExpectAllLanguages(const Convention& convention) {
    for (const Language& language : kLanguages) {
      SCOPED_TRACE(language.Name);
      ExpectGolden(std::string("goods-") + language.Name + "-" + convention.Name + ".csv", ExportCsv(language));
    }
  }
};

TEST_F(ExportGoldenTest, CsvInEachLanguageUnderBothConventions) {
  for (const Convention& convention : {kSemicolon, kComma}) {
    SCOPED_TRACE(convention.Name);
    host.UseSeparators(convention.List, convention.Decimal);
    ExpectAllLanguages(convention);
  }
}

// Run by CTest under a Russian and an English locale, which say which
// convention to expect: the separators come from the system itself.
TEST_F(ExportGoldenTest, CsvFollowsTheGivenLocale) {
  const char* expected = std::getenv("VORKEL_EXPECT_CONVENTION");
  if (!expected) GTEST_SKIP() << "no locale given";
  host.useLocale = true;
  ExpectAllLanguages(std::string(expected) == kSemicolon.Name ? kSemicolon : kComma);
}

TEST_F(ExportGoldenTest, TextListInUtf16WithTheNamesDecodedFromTheDataCodePage) {
  // A system whose own code page is not the data's: the names must still
  // come out as they were typed.
  host.ansiCodePage = 1252;
  host.chosen = "/out/goods.txt";
  TTxtExport txt(host, store, fs);
  bool done = true;
  txt.Execute(done);
  EXPECT_FALSE(done);
  ASSERT_TRUE(recorder.boxes.empty());
  const std::string bytes = FileText("/out/goods.txt");
  ExpectGolden("goods-eng.txt", bytes);
  // Read back through a decoder of our own: every line 110 characters and
  // the Cyrillic names whole.
  std::u16string text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
  }
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  size_t lines = 0;
  for (size_t start = 0; start < text.size(); ++lines) {
    const size_t end = text.find(u"\r\n", start);
    ASSERT_NE(end, std::u16string::npos);
    EXPECT_EQ(end - start, 110u) << "line " << lines;
    start = end + 2;
  }
  EXPECT_EQ(lines, 24u + 3u);
  EXPECT_NE(text.find(u"Болт; оцинкованный"), std::u16string::npos);
  EXPECT_NE(text.find(u"Ёлка ёжик Їжак Ґанок"), std::u16string::npos);
  EXPECT_EQ(host.started, (std::vector<std::pair<std::string, std::string>>{{"notepad", "/out/goods.txt"}}));
}

}  // namespace
}  // namespace vk::testing
