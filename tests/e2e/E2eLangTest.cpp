// A Russian or Ukrainian shop keeper's day: Cyrillic names typed and read
// back from the files, the boxes and dialogs in the chosen language, the
// language switched in the middle of the day. Needs a Cyrillic system: the
// CTest entry runs it under a Russian locale.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <regex>

#include "Platform/win32/Utf16.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/TextConst.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/E2eSteps.h"

namespace vk::e2e {
namespace {

constexpr DWORD kStartTime = 30000;
constexpr char kMainForm[] = "TMainFormStore";
constexpr char kBox[] = "TFormMessageBox";

std::string Caption(HWND window) { return WindowCaption(window); }

// The captions of the window's buttons, left to right.
struct ButtonsQuery {
  std::vector<std::pair<int, std::string>> Found;
};
BOOL CALLBACK CollectButton(HWND child, LPARAM data) {
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (_wcsicmp(name, L"Button") == 0 && IsWindowVisible(child)) {
    RECT r{};
    GetWindowRect(child, &r);
    reinterpret_cast<ButtonsQuery*>(data)->Found.emplace_back(r.left, WindowCaption(child));
  }
  return TRUE;
}
std::vector<std::string> ButtonCaptions(HWND window) {
  ButtonsQuery query;
  EnumChildWindows(window, CollectButton, reinterpret_cast<LPARAM>(&query));
  std::sort(query.Found.begin(), query.Found.end());
  std::vector<std::string> captions;
  for (auto& [x, caption] : query.Found) captions.push_back(caption);
  return captions;
}

void Shot(HWND window, const std::string& name) {
  WaitPainted(window, 5000);
  const RECT r = WindowRect(window);
  Screenshot(name, &r);
}

// The date entry of the work-date dialog: day, month, year with dots.
void ExpectDottedDate(HWND dialog) {
  HWND edit = FindChildWindow(dialog, L"Edit", [](const RECT&, const RECT&) { return false; });
  ASSERT_NE(edit, nullptr);
  const std::string shown = EditText(edit);
  EXPECT_TRUE(std::regex_match(shown, std::regex(R"((0[1-9]|[12][0-9]|3[01])\.(0[1-9]|1[0-2])\.20[0-9]{2})"))) << shown;
  SYSTEMTIME today{};
  GetLocalTime(&today);
  char wanted[16];
  std::snprintf(wanted, sizeof wanted, "%02u.%02u.%04u", today.wDay, today.wMonth, today.wYear);
  EXPECT_EQ(shown, wanted);
}

// Ukrainian from the start: a name with the letters only Ukrainian has, the
// guillemets and the numero sign is stored as typed; the refused sale and the
// delete question speak Ukrainian; the work date reads day first.
TEST(VorkelE2eLang, UkrainianNameStoredAndBoxesInUkrainian) {
  const std::string folder = PrepareFolder("lang-ukr-day", ShopFolder(1));
  {
    TProgOptions options(folder + kCfgFileName, kUninstallKeyName);
    options.SetAutogenEnabled(false);
  }
  const std::wstring name = L"Ґудзики «Їжак» №5 єі ї ё";
  LoadUkrainianTexts();
  {
    RunningProgram program(folder);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    BringToFront(main);
    PressKey(VK_INSERT);
    TypeText(L"7001");
    PressKey(VK_TAB);
    TypeText(name);
    PressKey(VK_TAB);
    TypeText(L"1.50");
    Shot(main, "lang-uk-new");
    PressKey(VK_RETURN);
    Sleep(300);
    PressKey(VK_F12);
    TypeText(L"3");
    PressKey(VK_RETURN);
    Sleep(300);
    // More than is in stock.
    PressKey(VK_F11);
    TypeText(L"99");
    PressKey(VK_RETURN);
    HWND box = program.WaitForWindow(kBox, 5000);
    ASSERT_NE(box, nullptr) << "the sale was not refused";
    Shot(box, "lang-uk-refused");
    EXPECT_EQ(Caption(box), ProgTexts.RestCaption);
    EXPECT_EQ(ButtonCaptions(box), std::vector<std::string>{"OK"});
    Answer(box, VK_RETURN);
    BringToFront(main);
    PressKey(VK_ESCAPE);
    Sleep(300);
    PressKey(VK_DELETE);
    box = program.WaitForWindow(kBox, 5000);
    ASSERT_NE(box, nullptr) << "no delete question";
    Shot(box, "lang-uk-delete");
    EXPECT_EQ(Caption(box), ProgTexts.RemoveCaption);
    EXPECT_EQ(ButtonCaptions(box), (std::vector<std::string>{ProgTexts.YesCaption, ProgTexts.NoCaption}));
    Answer(box, VK_ESCAPE);
    BringToFront(main);
    PressKey(VK_F4);
    HWND date = program.WaitForWindow("TFormDateChange", 5000);
    ASSERT_NE(date, nullptr);
    Shot(date, "lang-uk-date");
    EXPECT_EQ(Caption(date), ProgTexts.DateChangeCaption);
    ExpectDottedDate(date);
    Answer(date, VK_ESCAPE);
    CloseByKeyboard(program, main);
  }
  const DataContents data = ReadData(folder);
  const GoodsRow* added = FindGoods(data, "7001");
  ASSERT_NE(added, nullptr) << "the product was not added (or the No of the question deleted it)";
  EXPECT_EQ(added->Name, platform::WideToUtf8(name));
  EXPECT_EQ(added->Weight, "3.00");
}

// Russian, switched to Ukrainian from the menu in the middle of the day: the
// layout question, every dialog made before the switch and the date entry
// follow the new language; the choice is stored.
TEST(VorkelE2eLang, SwitchedToUkrainianMidDayRelabelsEveryDialog) {
  const std::string folder = PrepareFolder("lang-switch-day", ShopFolder(0));
  {
    RunningProgram program(folder);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    BringToFront(main);
    PressKey(VK_F11);
    TypeText(L"1");
    PressKey(VK_RETURN);
    Sleep(300);
    // File, the tenth entry (Language), Right opens it on English; Ukrainian is third.
    RunMenuCommand(main, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN,
                          VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
    LoadUkrainianTexts();
    // No Ukrainian layout under a Russian locale here: the program asks.
    if (HWND box = program.WaitForWindow(kBox, 5000)) {
      Shot(box, "lang-switch-layout-box");
      EXPECT_EQ(Caption(box), ProgTexts.LayoutInstallCaption);
      EXPECT_EQ(ButtonCaptions(box), (std::vector<std::string>{ProgTexts.YesCaption, ProgTexts.NoCaption}));
      Answer(box, VK_ESCAPE);
    }
    Shot(main, "lang-switch-main");
    struct Dialog {
      const char* ClassName;
      std::initializer_list<WORD> Keys;
      std::string TTexts::*Caption;
      std::string TTexts::*Cancel;  // null: OK alone
    };
    const Dialog dialogs[] = {
        {"TFormDateChange",
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN},
         &TTexts::DateChangeCaption,
         &TTexts::DateChangeCancelCaption},
        {"TFormPassChange",
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN},
         &TTexts::PassChangeCaption,
         &TTexts::PassChangeCancelCaption},
        {"TFormStat", {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN}, &TTexts::StatCaption, nullptr},
        {"TFormAbout", {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}, &TTexts::AboutCaption, nullptr},
    };
    for (const Dialog& d : dialogs) {
      SCOPED_TRACE(d.ClassName);
      RunMenuCommand(main, d.Keys);
      HWND dialog = program.WaitForWindow(d.ClassName, 5000);
      ASSERT_NE(dialog, nullptr);
      Shot(dialog, std::string("lang-switch-") + d.ClassName);
      EXPECT_EQ(Caption(dialog), ProgTexts.*d.Caption);
      std::vector<std::string> buttons{"OK"};
      if (d.Cancel) buttons.push_back(ProgTexts.*d.Cancel);
      EXPECT_EQ(ButtonCaptions(dialog), buttons);
      if (std::string(d.ClassName) == "TFormDateChange") ExpectDottedDate(dialog);
      Answer(dialog, VK_ESCAPE);
    }
    CloseByKeyboard(program, main);
  }
  TProgOptions options(folder + kCfgFileName, kUninstallKeyName);
  EXPECT_EQ(options.GetProgLang(), 1u);
}

}  // namespace
}  // namespace vk::e2e
