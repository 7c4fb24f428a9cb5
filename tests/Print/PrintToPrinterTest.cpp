// The stock list of 80 goods printed on the system's default printer the way
// the list report prints it: a store's goods table walked in name order,
// seven columns with their weights, a foot row of totals. Run by
// print-to-pdf.sh on a CUPS PDF printer, which then reads the PDF back; the
// page count the manager put in every footer is printed for it to compare.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Gui/Printers.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/Print.h"
#include "Source/PrintWin32.h"
#include "Source/StoreData.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

const char* const kNames[] = {"Сахар-песок",        "Rice basmati",        "Гречка ядрица",   "Olive oil extra virgin",
                              "Мука пшеничная в/с", "Чай чёрный листовой", "Coffee beans",    "Їжак шоколадний",
                              "Соль йодированная",  "Pasta penne rigate",  "Масло сливочное", "Tomato ketchup",
                              "Цукерки «Ромашка»",  "Green tea sencha",    "Крупа перловая",  "Biscuits oat",
                              "Горох колотый",      "Mustard Dijon",       "Сгущёнка",        "Honey linden"};

std::vector<std::string> Row(TTableStore& goods) {
  // The date keeps two digits of the year, as the list report prints it.
  std::string date = goods.LastDate.GetAsString();
  date.resize(10, ' ');
  date.erase(6, 2);
  return {goods.Code.GetAsString(),   goods.Name.GetAsString(),   goods.Cost.GetAsString(), date,
          goods.Weight.GetAsString(), goods.PCount.GetAsString(), goods.Sum.GetAsString()};
}

TEST(PrintToPrinter, StockListOfEightyGoods) {
  LoadEnglishTexts();
  CreateSystemPrintManager();
  ASSERT_TRUE(PrintManager().PrintersExist()) << "no printer installed";
  std::printf("printer: %s\n", gui::Printer().CurrentPrinter().c_str());

  platform::MemoryFileSystem disk;
  TStore store(disk, [] { return *TryEncodeDate(2024, 5, 3) + *TryEncodeTime(9, 15, 0, 0); });
  store.SetDataCodePage(1251);
  store.SetProgramFolder("/prog/");
  store.Open(true, "Data");
  for (int i = 0; i < 80; ++i) {
    std::string name = std::string(kNames[i % 20]) + " " + std::to_string(i / 20 + 1);
    store.AddGoods(std::to_string(1000 + i), name, std::to_string(i + 1) + ".50", std::to_string(i * 3 + 1) + ".00",
                   std::to_string(i % 9 + 1), "");
  }
  TTableStore& goods = store.Goods();
  goods.SetIndex(&goods.IndName);

  PrintManager().BeginReport(GetListReportText(3));
  std::vector<std::string> captions;
  for (std::uint8_t entry = 3; entry <= 9; ++entry) captions.push_back(GetCsvExportText(entry));
  std::string packs, quantity, value, names;
  store.GetTotals(packs, quantity, value, names);
  std::vector<std::string> foot = {"", GetListReportText(4) + names, "", "", quantity, packs, value};
  using A = TPrintAlignment;
  PrintManager().AddTable(captions, foot, goods.RecordCount(),
                          {A::Left, A::Left, A::Right, A::Right, A::Right, A::Right, A::Right}, {4, 16, 5, 5, 5, 3, 6});
  for (goods.First(); !goods.Eof(); goods.Next()) PrintManager().AddRow(Row(goods));
  PrintManager().EndReport();

  const TPageGeometry& g = PrintManager().Geometry();
  std::printf("page %d x %d, lines %d/%d/%d\n", g.RightEdge + g.LeftMargin / 2, g.PageHeight, g.HeaderHeight,
              g.HeadHeight, g.RowHeight);
  std::printf("VORKEL_PAGES=%d\n", PrintManager().PageCount());
  store.Close();
  FreePrintManager();
}

}  // namespace
}  // namespace vk
