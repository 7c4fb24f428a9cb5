// The goods list leaving and entering the program through the main window's
// menus as a user drives them: the small shop (with names a CSV file must
// guard) exported to CSV through the save dialog, that file imported through
// the open dialog into an empty shop, which then holds the same goods; and the
// list report printed on the system's printer. The printing case runs under
// print-e2e.sh, which gives it a PDF printer and reads the PDF back for the
// lines this case announces.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "Platform/win32/Utf16.h"
#include "Source/StoreData.h"
#include "Tables/UMoneyFld.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/Options.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/E2eSteps.h"

namespace vk::e2e {
namespace {

constexpr DWORD kStartTime = 30000;
constexpr char kMainForm[] = "TMainFormStore";
constexpr char kMessageBox[] = "TFormMessageBox";
constexpr char kSystemDialog[] = "#32770";

// Goods whose codes and names a CSV file carries only when guarded: leading
// zeros, the separators and a quote inside a name, and names a spreadsheet
// would take for a formula.
struct GuardedGoods {
  const char *Code, *Name, *Price, *Quantity, *Packs;
};
constexpr GuardedGoods kGuarded[] = {
    {"0012", "Кабель \"ВВГ\" 3x2,5; медь", "1234.56", "12.50", "3"},
    {"0099", "=SUM(A1:A9)", "0.99", "1.00", "0"},
    {"2001", "-15% скидка, \"акция\"", "100.00", "7.25", "12"},
    {"2002", "@home; plus+", "5.00", "0.00", "1"},
};

void AddGuardedGoods(const std::string& programFolder) {
  TStore store;
  store.SetProgramFolder(programFolder);
  store.Open(/*createIfMissing=*/false, "Data");
  for (const GuardedGoods& g : kGuarded) store.AddGoods(g.Code, g.Name, g.Price, g.Quantity, g.Packs, "");
  store.Close();
}

// The files of the folder with the extension, by name.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(platform::Utf8ToWide(folder + "*." + extension).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(platform::WideToUtf8(found.cFileName));
  while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<GoodsRow> ByCode(std::vector<GoodsRow> goods) {
  std::sort(goods.begin(), goods.end(), [](const GoodsRow& a, const GoodsRow& b) { return a.Code < b.Code; });
  return goods;
}

TEST(VorkelE2eExIm, CsvExportImportedIntoAnEmptyShopGivesTheSameGoods) {
  const std::string shop = PrepareFolder("export-from", ShopFolder());
  AddGuardedGoods(shop);
  const std::string empty = PrepareFolder("import-into", FolderSetup{});
  {
    // The same machine's other shop: its names in the same code page.
    TProgOptions options(empty + kCfgFileName, kUninstallKeyName);
    TCardinalParam(&options, "Language", "BaseCodePage").SetValue(1251);
  }
  const std::string exportFolder = shop + "Export\\";
  {
    RunningProgram program(shop);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    // File, Export, the CSV file: the save dialog opens in the Export folder
    // with today's date as the name.
    RunMenuCommand(main, {VK_DOWN, VK_RIGHT, VK_RETURN});
    HWND dialog = program.WaitForWindow(kSystemDialog, 10000);
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    WaitPainted(dialog, 5000);
    Screenshot("csv-export-dialog");
    BringToFront(dialog);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog) && !FilesIn(exportFolder, "csv").empty(); }, 15000));
    WaitPainted(main, 5000);
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMessageBox), nullptr) << "the export reported a failure";
    CloseByKeyboard(program, main);
  }
  const std::vector<std::string> exported = FilesIn(exportFolder, "csv");
  ASSERT_EQ(exported, std::vector<std::string>{TodayName() + ".csv"});
  const std::string csv = exportFolder + exported.front();

  {
    RunningProgram program(empty);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    // File, Import, the CSV file: the open dialog takes the exported file's
    // path typed into its name box.
    RunMenuCommand(main, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
    HWND dialog = program.WaitForWindow(kSystemDialog, 10000);
    ASSERT_NE(dialog, nullptr) << "no open dialog";
    WaitPainted(dialog, 5000);
    BringToFront(dialog);
    TypeText(platform::Utf8ToWide(csv));
    Sleep(300);
    Screenshot("csv-import-dialog");
    PressKey(VK_RETURN);
    // The summary; a box about a bad line would come first and fail here.
    HWND box = program.WaitForWindow(kMessageBox, 30000);
    ASSERT_NE(box, nullptr) << "no summary after the import";
    WaitPainted(box, 5000);
    Screenshot("csv-import-summary");
    BringToFront(box);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, 5000));
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMessageBox), nullptr) << "a second box after the summary";
    WaitPainted(main, 5000);
    const RECT r = WindowRect(main);
    Screenshot("csv-imported", &r);
    CloseByKeyboard(program, main);
  }

  const std::vector<GoodsRow> before = ByCode(ReadData(shop).Goods), after = ByCode(ReadData(empty).Goods);
  ASSERT_EQ(before.size(), 34u);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(before[i].Code);
    EXPECT_EQ(after[i].Code, before[i].Code);
    EXPECT_EQ(after[i].Name, before[i].Name);
    EXPECT_EQ(after[i].Weight, before[i].Weight);
    EXPECT_EQ(after[i].PCount, before[i].PCount);
    // The import values the stock as price times quantity; the shop added
    // up its value movement by movement, each rounded to the cent.
    const auto movements = static_cast<int64_t>(ReadMoves(shop, before[i].Code).size());
    EXPECT_LE(std::llabs(Cents(after[i].Sum) - Cents(before[i].Sum)), movements);
  }
  // Each product entered with its first movement, none else.
  EXPECT_EQ(ReadData(empty).Moves, static_cast<int32_t>(after.size()));
}

// Announces a text the printed list must hold, and the foot row's texts in
// their order, for print-e2e.sh.
void ExpectPrinted(const std::string& text) { std::printf("VORKEL_EXPECT=%s\n", text.c_str()); }
void ExpectInFoot(const std::string& text) { std::printf("VORKEL_FOOT=%s\n", text.c_str()); }

TEST(VorkelE2ePrint, ListReportPrintsTheGoodsWithTheirTotalsFoot) {
  if (!std::getenv("VORKEL_PRINT_E2E")) GTEST_SKIP() << "run by print-e2e.sh, which gives it a printer";
  const std::string shop = PrepareFolder("print-list", ShopFolder());
  AddGuardedGoods(shop);
  {
    RunningProgram program(shop);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    // Reports, past the statistics, the list.
    RunMenuCommand(main, {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN});
    Sleep(300);
    Screenshot("list-report-menu");
    PressKey(VK_RETURN);
    Sleep(2000);
    WaitPainted(main, 20000);
    Screenshot("list-report-printed");
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMessageBox), nullptr) << "the report showed a box";
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), "TFormStat"), nullptr) << "the statistics came up instead";
    CloseByKeyboard(program, main);
  }
  // The foot: the number of goods and the sums of their quantities, packs
  // and values, added up here from the data.
  const std::vector<GoodsRow> goods = ReadData(shop).Goods;
  int64_t quantity = 0, packs = 0, value = 0;
  for (const GoodsRow& g : goods) {
    quantity += Cents(g.Weight);
    packs += std::stoll(g.PCount);
    value += Cents(g.Sum);
    std::printf("VORKEL_CODE=%s\n", g.Code.c_str());
  }
  ExpectInFoot("Names total: " + std::to_string(goods.size()));
  ExpectInFoot(TMoneyField::MoneyToStr(static_cast<uint32_t>(quantity)));
  ExpectInFoot(std::to_string(packs));
  ExpectInFoot(TMoneyField::MoneyToStr(static_cast<uint32_t>(value)));
  ExpectPrinted("Product rest in warehouse");
  ExpectPrinted("(page 1 of 1)");
  ExpectPrinted("Кабель \"ВВГ\" 3x2,5; медь");
  ExpectPrinted("=SUM(A1:A9)");
}

}  // namespace
}  // namespace vk::e2e
