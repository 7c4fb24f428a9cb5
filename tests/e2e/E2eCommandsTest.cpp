// The main window's file commands and menus driven as a user drives them:
// a copy saved from one shop through "Save to..." and restored into an empty
// one through "Restore...", each folder dialog confirmed on the folder it
// preselects (the last copy's, which the settings hold); and every menu and
// context menu kept as a screenshot in each language's run.

#include <gtest/gtest.h>

#include <cstdlib>

#include "Core/SysUtils.h"
#include "Platform/win32/Utf16.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/Options.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/E2eSteps.h"

namespace vk::e2e {
namespace {

constexpr DWORD kStartTime = 30000;
constexpr char kMainForm[] = "TMainFormStore";
// The copy lies in Z:\\tmp\\ under this name.
constexpr wchar_t kCopyFolderName[] = L"vorkel-e2e-saved-copy";

void SetLastCopy(const std::string& programFolder, const std::string& copy) {
  TProgOptions options(programFolder + kCfgFileName, kUninstallKeyName);
  options.SetLastCopy(copy);
}

// A fresh folder near a drive's root: the folder dialog under Wine does not
// always walk down to a deep preselection.
std::string ShallowFolder(const std::wstring& path) {
  for (const wchar_t* file : {L"\\store.dat", L"\\moves.dat", L"\\pair.replacing"}) DeleteFileW((path + file).c_str());
  RemoveDirectoryW(path.c_str());
  if (!CreateDirectoryW(path.c_str(), nullptr)) throw Exception("cannot create a folder for the copy");
  return platform::WideToUtf8(path) + "\\";
}

std::string LastCopy(const std::string& programFolder) {
  TProgOptions options(programFolder + kCfgFileName, kUninstallKeyName);
  return options.GetLastCopy();
}

// Opens "File" from the keyboard, runs its entry (0-based), confirms the
// folder dialog on its preselection and closes the box that reports.
void RunFileCommandOnPreselection(RunningProgram& program, HWND main, int entry, const std::wstring& folderName,
                                  const std::string& shot) {
  BringToFront(main);
  PressKey(VK_MENU);
  PressKey(VK_DOWN);
  for (int i = 0; i < entry; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  HWND dialog = program.WaitForWindow("#32770", 10000);
  ASSERT_NE(dialog, nullptr) << "no folder dialog";
  WaitPainted(dialog, 5000);
  Screenshot(shot + "-dialog");
  BringToFront(dialog);
  // Wine's folder dialog may stop short of a preselection on the drive: walk
  // down the tree by typing the folders' names, as a user would.
  if (!DialogShows(dialog, folderName)) {
    TabToTree(dialog);
    for (const wchar_t* step : {L"tmp", kCopyFolderName}) {
      Sleep(1200);  // the tree's typed search starts anew
      TypeText(step);
      PressKey(VK_RIGHT);
    }
    Sleep(500);
    Screenshot(shot + "-walked");
  }
  // Never confirm a folder other than the one meant: a save would write
  // into it.
  if (!DialogShows(dialog, folderName)) {
    PressKey(VK_ESCAPE);
    FAIL() << "the folder dialog did not preselect the last copy";
  }
  PressKey(VK_RETURN);
  HWND box = program.WaitForWindow("TFormMessageBox", 15000);
  ASSERT_NE(box, nullptr) << "no report box";
  WaitPainted(box, 5000);
  Screenshot(shot + "-box");
  BringToFront(box);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, 5000));
}

TEST(VorkelE2eCommands, SaveToAFolderAndRestoreIntoAnotherShopRoundTripsTheData) {
  const std::string shop = PrepareFolder("save-from", ShopFolder());
  const std::string empty = PrepareFolder("restore-into", FolderSetup{});
  {
    // The same machine's other shop: its names in the same code page.
    TProgOptions options(empty + kCfgFileName, kUninstallKeyName);
    TCardinalParam(&options, "Language", "BaseCodePage").SetValue(1251);
  }
  const std::string copy = ShallowFolder(std::wstring(L"Z:\\tmp\\") + kCopyFolderName);
  const std::string copyFolder = copy.substr(0, copy.size() - 1);
  SetLastCopy(shop, copyFolder);
  {
    RunningProgram program(shop);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    RunFileCommandOnPreselection(program, main, 2, kCopyFolderName, "save-to");
    CloseByKeyboard(program, main);
  }
  ASSERT_TRUE(FileBytes(copy + "store.dat").has_value());
  ASSERT_TRUE(FileBytes(copy + "moves.dat").has_value());
  EXPECT_EQ(FileBytes(copy + "store.dat"), FileBytes(shop + "Data\\store.dat"));

  SetLastCopy(empty, copyFolder);
  {
    RunningProgram program(empty);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    RunFileCommandOnPreselection(program, main, 3, kCopyFolderName, "restore");
    WaitPainted(main, 5000);
    const RECT r = WindowRect(main);
    Screenshot("restored", &r);
    CloseByKeyboard(program, main);
  }
  const DataContents before = ReadData(shop), after = ReadData(empty);
  ASSERT_EQ(after.Goods.size(), before.Goods.size());
  for (size_t i = 0; i < before.Goods.size(); ++i) {
    EXPECT_EQ(after.Goods[i].Code, before.Goods[i].Code);
    EXPECT_EQ(after.Goods[i].Name, before.Goods[i].Name);
    EXPECT_EQ(after.Goods[i].Sum, before.Goods[i].Sum);
  }
  EXPECT_EQ(after.Moves, before.Moves);
  EXPECT_EQ(LastCopy(empty), copyFolder);
}

// The four menus of the bar and the four context menus, one screenshot each.
TEST(VorkelE2eScreens, MainWindowMenus) {
  const char* chosen = std::getenv("VORKEL_SCREENS_LANGUAGE");
  if (!chosen) GTEST_SKIP() << "run by the per-language entries";
  const std::string language = chosen;
  const int index = language == "ru" ? 0 : language == "uk" ? 1 : 2;
  const std::string folder = PrepareFolder("menus-" + language, ShopFolder(index));
  RunningProgram program(folder);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  WaitPainted(main, 5000);
  const char* menus[] = {"file", "product", "reports", "help"};
  for (int i = 0; i < 4; ++i) {
    BringToFront(main);
    PressKey(VK_MENU);
    for (int k = 0; k < i; ++k) PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    Sleep(500);
    Screenshot("menu-" + language + "-" + menus[i]);
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    Sleep(200);
  }
  // Right clicks: the goods grid, the moves grid, the code entry, the note.
  const RECT w = WindowRect(main);
  struct Spot {
    const char* name;
    int x, y;
  };
  for (const Spot& spot : {Spot{"goods", w.left + 500, w.top + 200}, Spot{"moves", w.left + 100, w.bottom - 150}}) {
    BringToFront(main);
    Click(spot.x, spot.y);
    Sleep(200);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(500);
    Screenshot("context-" + language + "-" + spot.name);
    PressKey(VK_ESCAPE);
    Sleep(200);
  }
  CloseByKeyboard(program, main);
}

}  // namespace
}  // namespace vk::e2e
