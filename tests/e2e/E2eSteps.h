#pragma once
// Steps the end-to-end cases share, over the driver: closing the program as a
// user does, the menu bar from the keyboard, the edit panel's entries, the
// system dialogs' texts, and reading money back from the data files. Header
// only: the cases' program alone uses it (with GoogleTest). Windows only.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/E2eDriver.h"

namespace vk::e2e {

// Alt+F4 on the main window, and the program ends.
inline void CloseByKeyboard(RunningProgram& program, HWND main) {
  BringToFront(main);
  PressKey(VK_F4, /*alt=*/true);
  ASSERT_TRUE(program.WaitForExit(15000).has_value()) << "the program did not end after Alt+F4";
}

// Opens the menu bar from the keyboard and presses the keys that lead to a
// command.
inline void RunMenuCommand(HWND main, std::initializer_list<WORD> keys) {
  BringToFront(main);
  PressKey(VK_MENU);
  for (WORD key : keys) {
    Sleep(150);
    PressKey(key);
  }
}

// Answers the box with the key and waits until it is gone.
inline void Answer(HWND box, WORD key) {
  BringToFront(box);
  PressKey(key);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, 5000));
}

// Replaces the focused entry's text as a user does: select all, type.
inline void Retype(const std::wstring& text) {
  PressKey(VK_HOME);
  PressKey(VK_END, /*alt=*/false, /*ctrl=*/false, /*shift=*/true);
  TypeText(text);
}

namespace steps_detail {

using EditList = std::vector<std::pair<LONG, HWND>>;

inline BOOL CALLBACK CollectEdit(HWND child, LPARAM data) {
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (_wcsicmp(name, L"Edit") == 0) {
    RECT r;
    GetWindowRect(child, &r);
    reinterpret_cast<EditList*>(data)->push_back({r.top, child});
  }
  return TRUE;
}

struct TextSearch {
  std::wstring Text;
  bool Found = false;
};

inline BOOL CALLBACK FindText(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TextSearch*>(data);
  wchar_t buffer[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  if (std::wstring(buffer).find(search->Text) != std::wstring::npos) search->Found = true;
  return !search->Found;
}

}  // namespace steps_detail

// The edit of the panel at the given place from the top (0 code ... 4 packs).
inline HWND PanelEdit(HWND main, int index) {
  steps_detail::EditList edits;
  EnumChildWindows(main, steps_detail::CollectEdit, reinterpret_cast<LPARAM>(&edits));
  std::sort(edits.begin(), edits.end());
  return index < static_cast<int>(edits.size()) ? edits[static_cast<size_t>(index)].second : nullptr;
}

// True when some control of the dialog shows the text: the folder dialog
// names the folder it has selected.
inline bool DialogShows(HWND dialog, const std::wstring& text) {
  steps_detail::TextSearch search{text};
  EnumChildWindows(dialog, steps_detail::FindText, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// Tabs through the dialog until its folder tree has the keyboard focus.
inline void TabToTree(HWND dialog) {
  for (int i = 0; i < 6; ++i) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    wchar_t name[32] = {};
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus)
      GetClassNameW(info.hwndFocus, name, 32);
    if (std::wstring(name) == L"SysTreeView32") return;
    PressKey(VK_TAB);
  }
}

inline const GoodsRow* FindGoods(const DataContents& data, const std::string& code) {
  for (const GoodsRow& row : data.Goods) {
    if (row.Code == code) return &row;
  }
  return nullptr;
}

// Hundredths of a money text as the store shows it ("1'234.50"); -1 for a
// text without digits.
inline int64_t Cents(const std::string& text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits.empty() ? -1 : std::stoll(digits);
}

}  // namespace vk::e2e
