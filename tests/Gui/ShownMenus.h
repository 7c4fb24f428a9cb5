#pragma once
// Menus as the user sees them: whether one is shown, and its entries read
// back from the system's menu (text, separator, state, submenu).

#include <windows.h>

#include <string>
#include <vector>

#include "UserInput.h"

namespace vk::gui::test {

struct MenuWindowSearch {
  HMENU Menu;
  bool Found = false;
};

inline BOOL CALLBACK FindMenuWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<MenuWindowSearch*>(data);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU: the menu a menu window shows
  if (search->Menu && reinterpret_cast<HMENU>(SendMessageW(window, kGetMenu, 0, 0)) != search->Menu) return TRUE;
  search->Found = true;
  return FALSE;
}

// Whether a shown menu window (of the system's menu class) shows the menu;
// with null, whether any does.
inline bool MenuShown(HMENU menu = nullptr) {
  MenuWindowSearch search{menu};
  EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// One entry of a system menu as it is shown.
struct ShownEntry {
  std::wstring Text;
  bool Separator = false;
  bool Disabled = false;
  bool Checked = false;
  bool Radio = false;
  bool Submenu = false;
  bool Highlighted = false;
  bool Picture = false;
};

inline std::vector<ShownEntry> ShownEntries(HMENU menu) {
  std::vector<ShownEntry> out;
  for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU | MIIM_BITMAP;
    info.dwTypeData = text;
    info.cch = 127;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), /*byPosition=*/TRUE, &info);
    out.push_back({text, (info.fType & MFT_SEPARATOR) != 0, (info.fState & MFS_DISABLED) != 0,
                   (info.fState & MFS_CHECKED) != 0, (info.fType & MFT_RADIOCHECK) != 0, info.hSubMenu != nullptr,
                   (info.fState & MFS_HILITE) != 0, info.hbmpItem != nullptr});
  }
  return out;
}

inline std::vector<std::wstring> Texts(const std::vector<ShownEntry>& entries) {
  std::vector<std::wstring> out;
  for (const ShownEntry& e : entries) out.push_back(e.Separator ? L"-" : e.Text);
  return out;
}

// Leaves whatever menu may be open, so that a failed step does not leave the
// test's thread in a menu's loop.
inline void CloseMenus() {
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
}

// In the shown menu, moves down to the entry at the position and chooses it
// with Enter, as a keyboard user does; false (and the menu closed) when the
// entry is never reached.
inline bool ChooseEntry(HMENU menu, int position) {
  for (int step = 0; step < 2 * GetMenuItemCount(menu) + 2; ++step) {
    std::vector<ShownEntry> entries = ShownEntries(menu);
    if (position < static_cast<int>(entries.size()) && entries[static_cast<size_t>(position)].Highlighted) {
      PressKey(VK_RETURN);
      return true;
    }
    PressKey(VK_DOWN);
  }
  CloseMenus();
  return false;
}

}  // namespace vk::gui::test
