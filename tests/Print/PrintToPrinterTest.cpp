// The stock list of 80 goods printed on the system's default printer by the
// list report: a store's goods table walked in name order, seven columns with
// their weights, a foot row of totals. Run by
// print-to-pdf.sh on a CUPS PDF printer, which then reads the PDF back; the
// page count the manager put in every footer is printed for it to compare.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "Gui/Printers.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/EximRepReport.h"
#include "Source/Print.h"
#include "Source/PrintWin32.h"
#include "Source/StoreData.h"
#include "Tools/Service/TextConst.h"
#include "tests/MessageBox/WindowCapture.h"

namespace vk {
namespace {

const char* const kNames[] = {"Сахар-песок",        "Rice basmati",        "Гречка ядрица",   "Olive oil extra virgin",
                              "Мука пшеничная в/с", "Чай чёрный листовой", "Coffee beans",    "Їжак шоколадний",
                              "Соль йодированная",  "Pasta penne rigate",  "Масло сливочное", "Tomato ketchup",
                              "Цукерки «Ромашка»",  "Green tea sencha",    "Крупа перловая",  "Biscuits oat",
                              "Горох колотый",      "Mustard Dijon",       "Сгущёнка",        "Honey linden"};

BOOL CALLBACK NoteVisibleDialog(HWND window, LPARAM data) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

// The visible system dialog (window class "#32770") of the thread, if any.
HWND VisibleDialogOf(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, NoteVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
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

  TListReport report(store);
  bool done = true;
  report.Execute(done);
  EXPECT_FALSE(done);

  const TPageGeometry& g = PrintManager().Geometry();
  std::printf("page %d x %d, lines %d/%d/%d\n", g.RightEdge + g.LeftMargin / 2, g.PageHeight, g.HeaderHeight,
              g.HeadHeight, g.RowHeight);
  std::printf("VORKEL_PAGES=%d\n", PrintManager().PageCount());
  store.Close();
  FreePrintManager();
}

// The printer command with landscape chosen in the set-up dialog as a user
// would: the page is measured again with the settings chosen there. (After
// the stock list, which stays in portrait.)
TEST(PrintToPrinter, SetupDialogSettingsAreThoseOfTheNextJobs) {
  LoadEnglishTexts();
  CreateSystemPrintManager();
  ASSERT_TRUE(PrintManager().PrintersExist()) << "no printer installed";
  const DWORD guiThread = GetCurrentThreadId();
  std::atomic<bool> shown = false;
  std::thread user([&] {
    for (int i = 0; i < 200 && !shown; ++i) {
      if (HWND dialog = VisibleDialogOf(guiThread)) {
        Sleep(300);  // let it paint
        // The dialog's landscape button (rad2 of the system's dialog ids).
        SendMessageW(GetDlgItem(dialog, 0x421), BM_CLICK, 0, 0);
        test::SaveWindowScreenshot(dialog, test::ArtifactPath("PrinterSetup.bmp"));
        shown = true;
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      }
      Sleep(50);
    }
  });
  const TPageGeometry portrait = PrintManager().Geometry();
  ASSERT_LT(portrait.RightEdge, portrait.PageHeight);
  RunPrinterSetup(nullptr);
  user.join();
  EXPECT_TRUE(shown) << "no set-up dialog";
  EXPECT_EQ(gui::Printer().CurrentPrinter(), gui::TPrinter::DefaultPrinter());
  const TPageGeometry landscape = PrintManager().Geometry();
  EXPECT_GT(landscape.RightEdge, landscape.PageHeight);
  EXPECT_EQ(landscape.PageHeight, portrait.RightEdge + portrait.LeftMargin / 2);
  FreePrintManager();
  UnloadTexts();
}

}  // namespace
}  // namespace vk
