// The CSV import: the program's own export read back under every language
// and convention, foreign lines, the bad-line box, a store that fails half
// way, the safety copy, and lines too long to read whole.

#include <gtest/gtest.h>

#include "Platform/fake/FaultyFileSystem.h"
#include "Source/EximRepExport.h"
#include "Source/EximRepImport.h"
#include "Source/StoreDataFoldersPaths.h"
#include "tests/InOut/ExImFixture.h"

namespace vk::testing {
namespace {

constexpr char kImportFile[] = "/vorkel/Import/goods.csv";

class ImportTest : public ExImTest {
 protected:
  // A second program folder, empty, in the same file system.
  void OpenTarget() {
    target.SetProgramFolder("/target/");
    target.Open(true, "Data");
  }
  void TearDown() override {
    target.Close();
    ExImTest::TearDown();
  }

  std::string Export(const std::string& list, const std::string& decimal, std::uint32_t language) {
    host.UseSeparators(list, decimal);
    host.language = language;
    host.chosen = "/out/export.csv";
    TCsvExport csv(host, store, fs);
    bool done = true;
    csv.Execute(done);
    return FileText("/out/export.csv");
  }

  // Runs the import of the text, in the data code page, into the target
  // through its dialog; the done it reports.
  bool Import(const std::string& text, const std::string& list = ";", const std::string& decimal = ",") {
    return ImportBytes(TCsvStr::ToFileBytes(text, 1251), list, decimal);
  }
  bool ImportBytes(const std::string& bytes, const std::string& list, const std::string& decimal) {
    fs.SetContents(kImportFile, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    host.UseSeparators(list, decimal);
    host.chosen = kImportFile;
    TCsvImport import(host, target, fs);
    bool done = false;
    import.Execute(done);
    return done;
  }

  // The goods as a store keeps them once entered with these texts, in order.
  std::vector<Goods> AsStored(const std::vector<Goods>& goods) {
    TStore reference{fs, clock.Clock()};
    reference.SetProgramFolder("/reference/");
    reference.Open(true, "Data");
    Enter(reference, goods);
    std::vector<Goods> stored = Sorted(ReadGoods(reference));
    reference.Close();
    fs.DeleteFile("/reference/Data/store.dat");
    fs.DeleteFile("/reference/Data/moves.dat");
    return stored;
  }

  std::string Summary() const { return recorder.boxes.empty() ? std::string() : recorder.boxes.back().Text; }
  std::string Added(int n) const { return GetCsvImportText(6) + std::to_string(n); }
  int Questions() const {
    int n = 0;
    for (const ShownBox& box : recorder.boxes) n += box.Flags == (kMbIconWarning | kMbTwoButtons);
    return n;
  }

  TStore target{fs, clock.Clock()};
};

// The export as it may come back: as written (the data code page); saved
// again by a spreadsheet as "CSV UTF-8" (the byte order mark, then UTF-8),
// read as UTF-8, with one more line a user typed there, holding letters code
// page 1251 lacks, which is asked about and skipped; and as UTF-8
// without the mark, which nothing tells from a file in the data code page:
// it is read in the data code page as always, so its names go in as the 1251
// reading of their UTF-8 bytes, cut at 40 bytes, and a Cyrillic header is a
// bad line.
TEST_F(ImportTest, OwnExportReadsBackInEveryLanguageConventionAndEncodingUnderEitherLocale) {
  std::vector<Goods> goods = MakeGoods(300);
  goods.insert(goods.end(), {{"0451", "Ґрунтовка «Євро», їжачок; 5 л", "312.40", "2.50", "1"},
                             {"0452", "Фарба ґрунтувальна, єврофасад, біла їдка", "1499.00", "0.75", "0"},
                             {"453", "Клей \"Ґудзик\" для шкіри; Є-3", "87.10", "12.00", "4"},
                             {"0454", "Screw \"M4\", zinc; 10 pcs", "0.35", "1000.00", "10"}});
  Enter(store, goods);
  store.Goods().SetIndex(&store.Goods().IndName);
  const std::vector<Goods> expected = Sorted(ReadGoods(store));
  const Goods typed = {"0999", "Łódź ő", "1.00", "1.00", "1"};
  std::vector<Goods> misread = goods;
  misread.push_back(typed);
  for (Goods& g : misread) g.Name = TCsvStr::FromFileBytes(g.Name, 1251);
  misread = AsStored(misread);

  struct Case {
    const char* List;
    const char* Decimal;
  };
  const Case conventions[] = {{";", ","}, {",", "."}};
  enum Encoding { kAsWritten, kUtf8WithMark, kUtf8WithoutMark };
  for (const Case& written : conventions) {
    for (std::uint32_t language : {0u, 1u, 2u}) {
      const std::string file = Export(written.List, written.Decimal, language);
      const std::string s = written.List;
      const std::string typedLine = TCsvStr::EncodeCode(typed.Code) + s + TCsvStr::EncodeName(typed.Name, s) + s +
                                    TCsvStr::EncodeMoney(typed.Price, written.Decimal) + s + s +
                                    TCsvStr::EncodeMoney(typed.Quantity, written.Decimal) + s + typed.Packs + s +
                                    TCsvStr::EncodeMoney(typed.Price, written.Decimal) + s + "\r\n";
      const std::string utf8 = TCsvStr::FromFileBytes(file, 1251) + typedLine;
      for (Encoding encoding : {kAsWritten, kUtf8WithMark, kUtf8WithoutMark}) {
        for (const Case& locale : conventions) {
          SCOPED_TRACE(std::string("written with ") + written.List + " in language " + std::to_string(language) +
                       ", encoding " + std::to_string(encoding) + ", read with " + locale.List);
          const std::string bytes = encoding == kAsWritten      ? file
                                    : encoding == kUtf8WithMark ? "\xEF\xBB\xBF" + utf8
                                                                : utf8;
          recorder.boxes.clear();
          OpenTarget();
          ASSERT_TRUE(ImportBytes(bytes, locale.List, locale.Decimal));
          const std::vector<Goods> imported = Sorted(ReadGoods(target));
          const bool badHeader = encoding == kUtf8WithoutMark && language != kLangEnglish;
          // The typed line comes with the UTF-8 files only; read as UTF-8 its
          // letters do not fit the data code page.
          const int skipped = badHeader + (encoding == kUtf8WithMark);
          std::string summary = Added(static_cast<int>(expected.size()) + (encoding == kUtf8WithoutMark ? 1 : 0));
          if (skipped) summary += "\r\n" + GetCsvImportText(7) + std::to_string(skipped);
          switch (encoding) {
            case kAsWritten:
            case kUtf8WithMark: EXPECT_EQ(imported, expected); break;
            case kUtf8WithoutMark:
              EXPECT_EQ(imported, misread);
              EXPECT_TRUE(std::any_of(imported.begin(), imported.end(), [](const Goods& g) {
                return g.Name == "Р‘РѕР»С‚; РѕС†РёРЅРєРѕРІР°РЅРЅС‹Р№";  // Болт; оцинкованный
              }));
              break;
          }
          EXPECT_EQ(Questions(), skipped);
          ASSERT_EQ(recorder.boxes.size(), skipped + 1u) << recorder.boxes.front().Text;
          EXPECT_EQ(Summary(), summary);
          EXPECT_EQ(recorder.boxes.back().Flags, kMbIconInformation);
          ExpectConsistent(target, "after the import");
          target.Close();
          fs.DeleteFile("/target/Data/store.dat");
          fs.DeleteFile("/target/Data/moves.dat");
        }
      }
    }
  }
}

TEST_F(ImportTest, EachLineBecomesAProductWithItsDeliveryNotedWithTheFileName) {
  OpenTarget();
  ASSERT_TRUE(
      Import("Code;Name;Price;Date;Qnt;Pks;Cost\r\n"
             "12345;Bolt;2.5;;10;3\r\n"
             "=\"0012\";\"Гайка; \"\"М8\"\"\";1'250,5;05.03.2024; 3,5 ;;ignored;\r\n",
             ";", "."));
  const std::vector<Goods> expected = {{"12345", "Bolt", "2.50", "10.00", "3"},
                                       {"0012", "Гайка; \"М8\"", "1'250.50", "3.50", "0"}};
  EXPECT_EQ(ReadGoods(target), expected);
  TTableMoves& moves = target.Moves();
  moves.First();
  EXPECT_EQ(moves.Note.GetAsString(), "Import from file goods.csv");
  EXPECT_EQ(Summary(), Added(2));
  EXPECT_EQ(host.dialogs.back().Filter, GetCsvImportText(3));
  EXPECT_EQ(host.dialogs.back().InitialDir, "/target/Import");
  EXPECT_FALSE(host.dialogs.back().Save);
  EXPECT_TRUE(fs.FolderExists("/target/Import"));
}

// Lines that would have entered wrong products: a foreign separator made
// one field of the whole line, blank lines and a spreadsheet's blank rows
// (separators only) made empty products, and the packs were cut down to
// their digits.
TEST_F(ImportTest, LinesWithoutSixFieldsBlankLinesAndOddPacksEnterNothingWrong) {
  OpenTarget();
  ASSERT_TRUE(
      Import("1|Bolt|2.50||1.00|1\r\n"  // no known separator: six fields nowhere
             "\r\n"
             "   \t \r\n"
             ",,,,,,\r\n"
             ";;;;;;\r\n"
             " ; ;\t;;;;;\r\n"
             "2;Nut;1,00;;1,00;-5\r\n"
             "3;Nut;1,00;;1,00;3.5\r\n"
             "4;Nut;1,00;;1,00;1,5\r\n"
             "5;Nut;1,00;;1,00; 7 \r\n"
             "6;Screw;1,00;;1,00\r\n",  // five fields
             ";", ","));
  EXPECT_EQ(ReadGoods(target), (std::vector<Goods>{{"5", "Nut", "1.00", "1.00", "7"}}));
  EXPECT_EQ(Questions(), 5);
  EXPECT_EQ(Summary(), Added(1) + "\r\n" + GetCsvImportText(7) + "5");
  EXPECT_EQ(recorder.boxes.back().Flags, kMbIconInformation);
}

// A name the data code page cannot hold is asked about like any other bad
// line: Cyrillic on an English system (Western data), letters 1251 lacks on
// a Cyrillic one, more than the name's 40 bytes in UTF-8. The file is UTF-8
// with its mark, as spreadsheets save it, or the Russian export in 1251,
// whose header tells its code page.
TEST_F(ImportTest, NamesTheDataCodePageCannotHoldAreAskedAbout) {
  const std::tuple<std::uint32_t, std::string, bool, bool> cases[] = {
      {1252, "Молоко Ёж", true, false},
      {1252, "Café crème", false, false},
      {1251, "Café", true, false},
      {1251, "Молоко Ёж", false, false},
      {65001, "Эмаль алкидная белая глянцевая по дереву", true, false},
      {1252, "Набор ключей 8,10,12,13,14,17,19 мм", true, true}};
  for (const auto& [codePage, name, asked, russianExport] : cases) {
    SCOPED_TRACE(name);
    recorder.boxes.clear();
    target.SetDataCodePage(codePage);
    OpenTarget();
    std::string file = russianExport ? TCsvStr::Header(kLangRussian, ";") + "\r\n" : "\xEF\xBB\xBF";
    for (int i = 1; i <= 100; ++i) file += std::to_string(i) + ";" + (i == 60 ? name : "Bolt") + ";1,00;;1,00;1\r\n";
    if (russianExport) file = TCsvStr::ToFileBytes(file, 1251);
    ASSERT_TRUE(ImportBytes(file, ",", "."));
    EXPECT_EQ(Questions(), asked ? 1 : 0);
    EXPECT_EQ(ReadGoods(target).size(), asked ? 99u : 100u);
    EXPECT_EQ(target.FindByName(name), !asked);
    target.Close();
    fs.DeleteFile("/target/Data/store.dat");
    fs.DeleteFile("/target/Data/moves.dat");
  }
}

TEST_F(ImportTest, BadLineBoxShowsTheLineInPiecesAndStopKeepsWhatWasAdded) {
  OpenTarget();
  recorder.answers = {1, 2};
  const std::string bad1 = "7;Bolt;1.234;;1;1";  // three decimals fail every convention
  const std::string bad2 = "8;" + std::string(400, 'x') + ";1,00;;q;1";
  ASSERT_TRUE(Import("1;A;1,00;;1,00;1\r\n" + bad1 + "\r\n2;B;1,00;;1,00;1\r\n" + bad2 + "\r\n3;C;1,00;;1,00;1\r\n"));
  EXPECT_EQ(ReadGoods(target).size(), 2u);
  ASSERT_EQ(recorder.boxes.size(), 3u);
  const ShownBox& first = recorder.boxes[0];
  EXPECT_EQ(first.Text, GetCsvImportText(9) + "\r\n" + bad1);
  EXPECT_EQ(first.Caption, GetCsvImportText(4));
  EXPECT_EQ(first.Flags, 49);
  EXPECT_EQ(first.First, "Continue");
  EXPECT_EQ(first.FirstHint, GetCsvImportText(11));
  EXPECT_EQ(first.Second, "Stop");
  EXPECT_EQ(first.SecondHint, GetCsvImportText(13));
  // Pieces of at most 49 characters (the area takes 50 at 7 pixels), as
  // many as the area's six lines hold below the heading; the last is cut to
  // end in "..." within the width.
  const std::string shown = bad2;
  EXPECT_EQ(recorder.boxes[1].Text, GetCsvImportText(9) + "\r\n" + shown.substr(0, 49) + "\r\n" + shown.substr(49, 49) +
                                        "\r\n" + shown.substr(98, 49) + "\r\n" + shown.substr(147, 49) + "\r\n" +
                                        shown.substr(196, 47) + "...");
  EXPECT_EQ(recorder.boxes[2].Text, GetCsvImportText(14) + "\r\n" + Added(1 + 1) + "\r\n" + GetCsvImportText(7) + "1");
  EXPECT_EQ(recorder.boxes[2].Flags, kMbIconWarning);
}

// Under an English locale: the lines after a header are read first with its
// convention, so commas in a name of a ";" file do not cut it.
TEST_F(ImportTest, HeadersOfAnyLanguageAnywhereArePassedOver) {
  OpenTarget();
  const std::string lines[] = {"=\"0778\";Набор ключей 8,10,12,13,14,17,19 мм;250,00;05.03.2024;3,00;2;750,00;",
                               "=\"0779\",\"Ключ 8;10\",250.00,05.03.2024,3.00,2,750.00,"};
  std::string file;
  std::vector<Goods> expected;
  for (std::uint8_t language : {kLangRussian, kLangUkrainian, kLangEnglish}) {
    for (const char* separator : {";", ","}) {
      // Without the final separator.
      std::string header = TCsvStr::Header(language, separator);
      header.pop_back();
      file += header + "\r\n" + lines[*separator == ','] + "\r\n";
      expected.push_back(*separator == ','
                             ? Goods{"0779", "Ключ 8;10", "250.00", "3.00", "2"}
                             : Goods{"0778", "Набор ключей 8,10,12,13,14,17,19 мм", "250.00", "3.00", "2"});
    }
  }
  file += "  CODE;NAME;PRICE;DATE;QNT;PKS;COST;  \r\n";
  ASSERT_TRUE(Import(file, ",", "."));
  EXPECT_EQ(Sorted(ReadGoods(target)), Sorted(expected));
  EXPECT_EQ(Questions(), 0);
}

// A failed write ends the run at once: the error box, then the summary of
// what was added; no question, nothing more written, both tables whole.
TEST_F(ImportTest, StoreFailureStopsTheRunWithTheErrorAndTheSummary) {
  std::string file;
  for (int i = 0; i < 40; ++i) file += std::to_string(100 + i) + ";Товар " + std::to_string(i) + ";2,50;;4,00;1\r\n";
  file = TCsvStr::ToFileBytes(file, 1251);
  fs.SetContents(kImportFile, std::vector<uint8_t>(file.begin(), file.end()));
  host.UseSeparators(";", ",");
  for (int n = 1;; ++n) {
    SCOPED_TRACE("write " + std::to_string(n) + " fails");
    fs.DeleteFile("/target/Data/store.dat");
    fs.DeleteFile("/target/Data/moves.dat");
    platform::FaultyFileSystem faulty(fs);
    TStore failing(faulty, clock.Clock());
    failing.SetProgramFolder("/target/");
    failing.Open(true, "Data");
    faulty.Reset();
    faulty.FailNth(platform::FaultyFileSystem::Op::Write, n);
    recorder.boxes.clear();
    TCsvImport import(host, failing, faulty);
    import.ImportFile(kImportFile);
    const std::vector<Goods> entered = ReadGoods(failing);
    const int added = static_cast<int>(entered.size());
    ExpectConsistent(failing, "after the failure");
    failing.Close();
    if (faulty.InjectedCount() == 0) {
      EXPECT_EQ(added, 40);
      break;
    }
    EXPECT_EQ(Questions(), 0);
    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].Text.rfind(GetCsvImportText(2) + "\r\n", 0), 0u);
    EXPECT_EQ(recorder.boxes[1].Text, Added(added));
    EXPECT_EQ(recorder.boxes[1].Flags, kMbIconWarning);
    // The lines before the failing one, and none after it.
    for (int i = 0; i < added; ++i) EXPECT_EQ(entered[static_cast<size_t>(i)].Name, "Товар " + std::to_string(i));
  }
}

// A file that cannot be read on: the error box with its path, then, when
// lines went in before, the summary of them.
TEST_F(ImportTest, ReadFailureShowsThePathAndWhatWentInBefore) {
  OpenTarget();
  std::string file;
  for (int i = 0; file.size() < 100000; ++i) file += std::to_string(i) + ";Болт;1,00;;1,00;1\r\n";
  fs.SetContents(kImportFile, std::vector<uint8_t>(file.begin(), file.end()));
  for (int failingRead : {1, 2}) {
    SCOPED_TRACE(failingRead);
    recorder.boxes.clear();
    platform::FaultyFileSystem faulty(fs);
    faulty.FailNth(platform::FaultyFileSystem::Op::Read, failingRead);
    TCsvImport import(host, target, faulty);
    const int before = GetGoodsCount(target);
    import.ImportFile(kImportFile);
    const int added = GetGoodsCount(target) - before;
    ASSERT_FALSE(recorder.boxes.empty());
    EXPECT_EQ(recorder.boxes[0].Text, GetCsvImportText(2) + "\r\n" + kImportFile);
    if (failingRead == 1) {
      EXPECT_EQ(added, 0);
      EXPECT_EQ(recorder.boxes.size(), 1u);
    } else {
      // The first 64 KiB held whole lines up to the one the failure cut.
      EXPECT_GT(added, 1000);
      ASSERT_EQ(recorder.boxes.size(), 2u);
      EXPECT_EQ(recorder.boxes[1].Text, Added(added));
      EXPECT_EQ(recorder.boxes[1].Flags, kMbIconWarning);
    }
  }
}

TEST_F(ImportTest, SafetyCopyIsMadeBeforeTheFirstChangeOnlyWhereItsFolderExists) {
  Enter(store, MakeGoods(30));
  const std::string safety = store.SafetyFolder();
  const std::string file = "1;A;1,00;;1,00;1\r\n2;B;1,00;;1,00;1\r\n";
  fs.SetContents(kImportFile, std::vector<uint8_t>(file.begin(), file.end()));
  host.chosen = kImportFile;
  TCsvImport import(host, store, fs);
  bool done = false;
  import.Execute(done);
  EXPECT_TRUE(done);
  EXPECT_FALSE(fs.FolderExists(safety));

  ASSERT_TRUE(fs.CreateFolder("/vorkel/Hist") && fs.CreateFolder(safety));
  import.Execute(done);
  EXPECT_EQ(GetGoodsCount(store), 34);
  TStore copy{fs, clock.Clock()};
  copy.SetProgramFolder("/vorkel/");
  copy.Open(false, "Hist/0000-00-00");
  EXPECT_EQ(GetGoodsCount(copy), 32);
  copy.Close();
}

TEST_F(ImportTest, CancelledOrMissingFileChangesNothing) {
  OpenTarget();
  host.confirm = false;
  TCsvImport import(host, target, fs);
  bool done = true;
  import.Execute(done);
  EXPECT_FALSE(done);
  host.confirm = true;
  host.chosen = "/vorkel/Import/none.csv";
  import.Execute(done);
  EXPECT_FALSE(done);
  EXPECT_TRUE(recorder.boxes.empty());
  EXPECT_EQ(GetGoodsCount(target), 0);
}

// A file of one line of 100 MB without a break, generated as it is read:
// the line is refused as a bad line, shown cut short, and the next line
// still goes in.
class EndlessLineFile : public platform::File {
 public:
  explicit EndlessLineFile(int64_t lineBytes) : lineBytes_(lineBytes) {}
  size_t ReadAt(int64_t offset, void* buffer, size_t n) override {
    maxRequest = std::max(maxRequest, n);
    char* out = static_cast<char*>(buffer);
    const size_t available = static_cast<size_t>(std::max<int64_t>(0, Size() - offset));
    n = std::min(n, available);
    const size_t semicolons = static_cast<size_t>(std::clamp<int64_t>(lineBytes_ - offset, 0, static_cast<int64_t>(n)));
    std::fill(out, out + semicolons, ';');
    for (size_t i = semicolons; i < n; ++i) out[i] = kTail[offset + static_cast<int64_t>(i) - lineBytes_];
    return n;
  }
  size_t WriteAt(int64_t, const void*, size_t) override { return 0; }
  int64_t Size() override { return lineBytes_ + static_cast<int64_t>(sizeof kTail - 1); }
  bool Truncate(int64_t) override { return false; }
  bool Flush() override { return true; }
  std::string LastError() const override { return {}; }

  static constexpr char kTail[] = "\r\n1;A;1,00;;1,00;1\r\n";
  size_t maxRequest = 0;

 private:
  int64_t lineBytes_;
};

TEST_F(ImportTest, LineWithoutABreakIsRefusedWithoutBeingReadWhole) {
  OpenTarget();
  TLineReader::TLine line;
  {
    EndlessLineFile* endless = nullptr;
    struct OneFile : platform::MemoryFileSystem {
      EndlessLineFile** made;
      platform::OpenResult Open(const std::string&, platform::OpenMode) override {
        auto file = std::make_unique<EndlessLineFile>(100 << 20);
        *made = file.get();
        return {platform::OpenStatus::Ok, std::move(file), {}};
      }
    } files;
    files.made = &endless;
    TLineReader reader(files, "big.csv", kMaxImportLineBytes);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_TRUE(line.TooLong);
    EXPECT_EQ(line.Bytes, std::string(kMaxImportLineBytes, ';'));
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.Bytes, "1;A;1,00;;1,00;1");
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_LE(endless->maxRequest, 64u * 1024u);
  }
  // Through the whole run: one question showing the start of the line.
  recorder.boxes.clear();
  std::string file(kMaxImportLineBytes + 10, ';');
  file += "\n1;A;1,00;;1,00;1\n";
  ASSERT_TRUE(Import(file));
  ASSERT_EQ(Questions(), 1);
  EXPECT_NE(recorder.boxes[0].Text.find(";;;..."), std::string::npos);
  EXPECT_LT(recorder.boxes[0].Text.size(), 700u);
  EXPECT_EQ(GetGoodsCount(target), 1);
}

TEST_F(ImportTest, LinesEndInLfCrLfOrALoneCr) {
  OpenTarget();
  ASSERT_TRUE(Import("1;A;1,00;;1,00;1\n2;B;1,00;;1,00;1\r3;C;1,00;;1,00;1\r\n\r\n4;D;1,00;;1,00;1"));
  EXPECT_EQ(ReadGoods(target).size(), 4u);
  EXPECT_EQ(Questions(), 0);
}

}  // namespace
}  // namespace vk::testing
