// A real spreadsheet reads our CSV files: LibreOffice Calc, headless, opens
// the export with the separators and the code page of the file, and writes
// what its cells hold as a flat OpenDocument file, which we read back. The
// codes must keep their leading zeros, the names (formula-looking ones too)
// must be text, and prices, quantities, packs, values and dates must be
// numbers and dates. Skips where Calc is not installed
// (scripts/install-deps.sh peers installs it).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Core/DateTime.h"
#include "Source/EximRepExport.h"
#include "tests/InOut/ExImFixture.h"
#include "tests/InOut/FlatOdsCells.h"
#include "tests/Platform/TempFolder.h"

namespace vk::testing {
namespace {

bool SpreadsheetInstalled() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

double Number(std::string text) {
  std::erase(text, '\'');
  return std::stod(text);
}

struct Reading {
  const char* Name;
  void (*Load)();
  std::uint8_t Language;
  const char* List;
  const char* Decimal;
  // Calc's CSV options: separator and text delimiter as character codes,
  // the character set (34: Windows-1251), the first line, the column types
  // (standard), the language of the numbers and dates, quoted fields not
  // forced to text, special numbers (dates) detected.
  const char* FilterOptions;
};

const Reading kReadings[] = {
    {"Russian", LoadRussianTexts, kLangRussian, ";", ",", "59,34,34,1,,1049,false,true"},
    {"Ukrainian", LoadUkrainianTexts, kLangUkrainian, ";", ",", "59,34,34,1,,1058,false,true"},
    {"English", LoadEnglishTexts, kLangEnglish, ",", ".", "44,34,34,1,,1033,false,true"},
};

class SpreadsheetPeerTest : public ExImTest {
 protected:
  // Exports in the language and convention, lets Calc convert the file and
  // gives the rows it read.
  std::vector<OdsRow> ReadWithCalc(const Reading& reading) {
    reading.Load();
    host.language = reading.Language;
    host.UseSeparators(reading.List, reading.Decimal);
    host.chosen = "/out/goods.csv";
    TCsvExport csv(host, store, fs);
    bool done = false;
    csv.Execute(done);
    EXPECT_TRUE(recorder.boxes.empty());
    const std::string csvPath = temp.Path(std::string(reading.Name) + ".csv");
    std::ofstream(platform::test::FromUtf8(csvPath), std::ios::binary) << FileText("/out/goods.csv");

    const std::string command = "timeout 180 soffice -env:UserInstallation=file://" + temp.Path("profile") +
                                " --headless --infilter=\"Text - txt - csv (StarCalc):" + reading.FilterOptions +
                                "\" --convert-to fods --outdir " + temp.Path("out") + " " + csvPath + " > " +
                                temp.Path("soffice.log") + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(platform::test::FromUtf8(temp.Path("out/" + std::string(reading.Name) + ".fods")));
    EXPECT_TRUE(in) << "Calc wrote nothing; see " << temp.Path("soffice.log");
    const std::string xml(std::istreambuf_iterator<char>(in), {});
    return ReadOdsRows(xml);
  }

  platform::test::TempFolder temp;
};

TEST_F(SpreadsheetPeerTest, CalcReadsCodesNamesNumbersAndDatesInEachLanguage) {
  if (!SpreadsheetInstalled()) GTEST_SKIP() << "LibreOffice Calc (soffice) is not installed";
  Enter(store, MakeGoods(120));
  store.Goods().SetIndex(&store.Goods().IndName);
  for (const Reading& reading : kReadings) {
    SCOPED_TRACE(reading.Name);
    const std::vector<OdsRow> rows = ReadWithCalc(reading);
    ASSERT_GE(rows.size(), 121u);
    EXPECT_EQ(rows[0][0].Text, GetCsvExportLangText(reading.Language, 3));
    EXPECT_EQ(rows[0][6].Text, GetCsvExportLangText(reading.Language, 9));
    size_t row = 1;
    TTableStore& g = store.Goods();
    for (g.First(); !g.Eof(); g.Next(), ++row) {
      const OdsRow& cells = rows[row];
      ASSERT_GE(cells.size(), 7u);
      const std::string name = g.Name.GetAsString();
      SCOPED_TRACE("row " + std::to_string(row) + ": " + name);
      EXPECT_EQ(cells[0].Type, "string");
      EXPECT_EQ(cells[0].Text, g.Code.GetAsString());
      if (name.empty()) {
        EXPECT_EQ(cells[1].Type, "");
      } else if (name.find_first_not_of("0123456789") == std::string::npos) {
        // A name of digits alone is a number to a spreadsheet.
        EXPECT_EQ(cells[1].Type, "float");
      } else {
        EXPECT_EQ(cells[1].Type, "string");
        EXPECT_EQ(cells[1].Text, name);
        EXPECT_EQ(cells[1].Formula, name.find_first_of("=+-@") == 0);
      }
      const struct {
        int Column;
        std::string Display;
      } numbers[] = {{2, g.Cost.GetAsString()},
                     {4, g.Weight.GetAsString()},
                     {5, g.PCount.GetAsString()},
                     {6, g.Sum.GetAsString()}};
      for (const auto& n : numbers) {
        EXPECT_EQ(cells[n.Column].Type, "float") << "column " << n.Column;
        EXPECT_DOUBLE_EQ(std::stod(cells[n.Column].Value), Number(n.Display)) << "column " << n.Column;
      }
      EXPECT_EQ(cells[3].Type, "date");
      EXPECT_EQ(cells[3].Value, FormatDateTime("yyyy-mm-dd", g.LastDate.Value(), ProgFormatSettings));
    }
  }
}

}  // namespace
}  // namespace vk::testing
