// The main window's commands reached as a user reaches them: the dialogs by
// their shortcut and by their menu entry, the keypad keys of the full
// keyboard booking stock once laptop mode is switched off from the menu, and
// the hidden dialogs relabelled by a language switch before they open.

#include <gtest/gtest.h>

#include <cstdlib>

#include "Platform/win32/Utf16.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/TextConst.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/E2eSteps.h"

namespace vk::e2e {
namespace {

constexpr DWORD kStartTime = 30000;
constexpr char kMainForm[] = "TMainFormStore";

// A menu entry as the keyboard reaches it: Alt, Right to the menu, Down to
// the entry (separators are passed over).
struct MenuPlace {
  int Menu;   // 0 File, 1 Product, 2 Reports, 3 Help
  int Entry;  // counted without separators
};
constexpr MenuPlace kChangePassword{0, 4}, kChangeDate{0, 5}, kLaptopMode{0, 7}, kLanguages{0, 9}, kStatistics{2, 0},
    kAbout{3, 1};

void RunMenuEntry(HWND main, MenuPlace place) {
  BringToFront(main);
  PressKey(VK_MENU);
  for (int i = 0; i < place.Menu; ++i) PressKey(VK_RIGHT);
  PressKey(VK_DOWN);
  for (int i = 0; i < place.Entry; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
}

std::wstring Caption(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// Waits for the dialog of the class, keeps a screenshot of it, gives its
// caption and closes it with Esc.
std::wstring OpenedDialogCaption(RunningProgram& program, const std::string& className, const std::string& shot) {
  HWND dialog = program.WaitForWindow(className, 10000);
  if (!dialog) {
    ADD_FAILURE() << className << " did not open (" << shot << ")";
    return L"";
  }
  WaitPainted(dialog, 5000);
  const RECT r = WindowRect(dialog);
  Screenshot(shot, &r);
  const std::wstring caption = Caption(dialog);
  BringToFront(dialog);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) << "Esc left " << className << " open";
  return caption;
}

struct DialogCase {
  const char* Name;
  const char* ClassName;
  MenuPlace Place;
  WORD ShortCut;  // 0: none
};
const DialogCase kDialogs[] = {
    {"work-date", "TFormDateChange", kChangeDate, VK_F4},
    {"password", "TFormPassChange", kChangePassword, 0},
    {"statistics", "TFormStat", kStatistics, 0},
    {"about", "TFormAbout", kAbout, 0},
};

TEST(VorkelE2eShortcuts, EveryDialogOpensByItsShortcutAndItsMenuEntryAndEscClosesIt) {
  const std::string folder = PrepareFolder("shortcuts-dialogs", ShopFolder());
  RunningProgram program(folder);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  WaitPainted(main, 5000);
  for (const DialogCase& c : kDialogs) {
    SCOPED_TRACE(c.Name);
    if (c.ShortCut) {
      BringToFront(main);
      PressKey(c.ShortCut);
      OpenedDialogCaption(program, c.ClassName, std::string("shortcut-") + c.Name);
    }
    RunMenuEntry(main, c.Place);
    OpenedDialogCaption(program, c.ClassName, std::string("menu-") + c.Name);
    ASSERT_TRUE(program.Running());
    WaitPainted(main, 5000);
  }
  CloseByKeyboard(program, main);
}

// What the status bar's first panel shows, asked for across processes.
std::string StatusText(HWND main) {
  HWND bar = FindChildWindow(main, L"msctls_statusbar32", [](const RECT&, const RECT&) { return false; });
  return bar ? EditText(bar) : std::string();
}

// Walking the File menu from the keyboard, each entry's hint stands in the
// status bar, those of the entries that open a submenu too.
TEST(VorkelE2eShortcuts, MenuEntriesShowTheirHintsInTheStatusBar) {
  LoadEnglishTexts();
  const std::string folder = PrepareFolder("shortcuts-hints", ShopFolder());
  RunningProgram program(folder);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  WaitPainted(main, 5000);
  BringToFront(main);
  PressKey(VK_MENU);
  PressKey(VK_DOWN);
  const std::string* hints[] = {&ProgTexts.MenuExportHint, &ProgTexts.MenuImportHint, &ProgTexts.ActSaveAsHint,
                                &ProgTexts.ActRestoreBaseHint};
  for (const std::string* hint : hints) {
    EXPECT_TRUE(WaitUntil([&] { return StatusText(main) == " " + *hint; }, 3000))
        << "shown: \"" << StatusText(main) << "\", wanted: \"" << *hint << "\"";
    PressKey(VK_DOWN);
  }
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  CloseByKeyboard(program, main);
}

std::string TwoDecimals(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// Laptop mode is on for a new folder; switched off from the menu, the keypad's
// + and - start a delivery and a sale of the current goods.
TEST(VorkelE2eShortcuts, KeypadPlusAndMinusBookOnceLaptopModeIsSwitchedOff) {
  const std::string folder = PrepareFolder("shortcuts-keypad", ShopFolder());
  {
    TProgOptions options(folder + kCfgFileName, kUninstallKeyName);
    ASSERT_FALSE(options.GetKeyboardEnhanced()) << "a new folder should start in laptop mode";
  }
  const DataContents before = ReadData(folder);
  const GoodsRow* goods = FindGoods(before, "1001");
  ASSERT_NE(goods, nullptr);
  const double weightBefore = std::stod(goods->Weight);
  const size_t movesBefore = ReadMoves(folder, "1001").size();
  {
    RunningProgram program(folder);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    RunMenuEntry(main, kLaptopMode);
    Sleep(300);
    BringToFront(main);
    PressKey(VK_ADD);
    TypeText(L"7");
    PressKey(VK_RETURN);
    Sleep(300);
    WaitPainted(main, 5000);
    PressKey(VK_SUBTRACT);
    TypeText(L"2");
    const RECT r = WindowRect(main);
    Screenshot("keypad-outgoing", &r);
    PressKey(VK_RETURN);
    Sleep(300);
    WaitPainted(main, 5000);
    CloseByKeyboard(program, main);
  }
  const std::vector<MoveRow> moves = ReadMoves(folder, "1001");
  ASSERT_EQ(moves.size(), movesBefore + 2) << "the keypad keys did not book";
  const MoveRow& incoming = moves[moves.size() - 2];
  const MoveRow& outgoing = moves.back();
  EXPECT_EQ(incoming.Weight, "7.00");
  EXPECT_EQ(outgoing.Weight, "2.00");
  EXPECT_NE(incoming.Direction, outgoing.Direction);
  const GoodsRow* after = FindGoods(ReadData(folder), "1001");
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->Weight, TwoDecimals(weightBefore + 5));
  TProgOptions options(folder + kCfgFileName, kUninstallKeyName);
  EXPECT_TRUE(options.GetKeyboardEnhanced()) << "the switch was not stored";
}

// Russian on a Cyrillic system: each dialog shows its Russian caption; after
// English is chosen from the menu, the same dialogs, made before the switch
// and hidden during it, open with their English captions.
TEST(VorkelE2eScreens, LanguageSwitchRelabelsTheHiddenDialogs) {
  const char* chosen = std::getenv("VORKEL_SCREENS_LANGUAGE");
  if (!chosen || std::string(chosen) != "ru") GTEST_SKIP() << "needs the Russian locale's run";
  struct Labelled {
    const char* Name;
    const char* ClassName;
    MenuPlace Place;
    std::string TTexts::*Caption;
  };
  const Labelled dialogs[] = {
      {"work-date", "TFormDateChange", kChangeDate, &TTexts::DateChangeCaption},
      {"password", "TFormPassChange", kChangePassword, &TTexts::PassChangeCaption},
      {"statistics", "TFormStat", kStatistics, &TTexts::StatCaption},
      {"about", "TFormAbout", kAbout, &TTexts::AboutCaption},
  };
  const std::string folder = PrepareFolder("switch-language-dialogs", ShopFolder(0));
  RunningProgram program(folder);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  WaitPainted(main, 5000);
  auto expectCaptions = [&](const std::string& language) {
    for (const Labelled& d : dialogs) {
      SCOPED_TRACE(std::string(d.Name) + " " + language);
      RunMenuEntry(main, d.Place);
      const std::wstring caption = OpenedDialogCaption(program, d.ClassName, "lang-" + language + "-" + d.Name);
      EXPECT_EQ(platform::WideToUtf8(caption), ProgTexts.*d.Caption);
      WaitPainted(main, 5000);
    }
  };
  LoadRussianTexts();
  expectCaptions("ru");
  // Right opens the languages menu on "English".
  BringToFront(main);
  PressKey(VK_MENU);
  PressKey(VK_DOWN);
  for (int i = 0; i < kLanguages.Entry; ++i) PressKey(VK_DOWN);
  PressKey(VK_RIGHT);
  PressKey(VK_RETURN);
  // No English layout for a Russian locale here: No keeps the layout.
  if (HWND box = program.WaitForWindow("TFormMessageBox", 5000)) {
    BringToFront(box);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, 5000));
  }
  WaitPainted(main, 5000);
  LoadEnglishTexts();
  expectCaptions("en");
  CloseByKeyboard(program, main);
}

}  // namespace
}  // namespace vk::e2e
