#pragma once
// The main window's commands as the window builds them: every action with
// its name, category, designed shortcut and the texts of its caption and
// hint, and every menu with its entries. Portable; the window makes its
// actions and menu items from these tables.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Source/MainFormModes.h"
#include "Tools/Service/TextConst.h"

namespace vk {

// Shortcut codes as actions hold them: the virtual key in the low byte,
// Shift 0x2000, Ctrl 0x4000, Alt 0x8000.
using TCommandKey = std::uint16_t;
inline constexpr TCommandKey kKeyNone = 0, kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeyInsert = 0x2D, kKeyDelete = 0x2E,
                             kKeyAdd = 0x6B, kKeySubtract = 0x6D, kKeyF2 = 0x71, kKeyF3 = 0x72, kKeyF4 = 0x73,
                             kKeyF9 = 0x78, kKeyF11 = 0x7A, kKeyF12 = 0x7B;

struct TActionSpec {
  const char* Name;
  const char* Category;
  TCommandKey ShortCut;  // as designed; the edit modes change some at run time
  std::string TTexts::*Caption;
  std::string TTexts::*Hint;
  // Its command is carried out now; the others (saving and restoring,
  // printing) stay disabled until theirs are built.
  bool Available;
  // Its picture in the window's image list; -1 for none.
  int ImageIndex = -1;
};

// Every action, in the order of the window's action list.
std::span<const TActionSpec> MainFormActions();
const TActionSpec* FindMainFormAction(const std::string& name);

// The name of the window's action that the edit modes steer as this one.
const char* ModeActionName(TModeAction action);

// A menu of the window: its entries are action names, "-" for a separator,
// or the name of a submenu (its own TMenuSpec, or one the export, import and
// report framework fills).
struct TMenuSpec {
  const char* Name;
  std::string TTexts::*Caption;  // null for the bars and context menus themselves
  std::string TTexts::*Hint;
  std::vector<const char*> Entries;
};

// MainMenu, its submenus and the four context menus.
std::span<const TMenuSpec> MainFormMenus();
const TMenuSpec* FindMainFormMenu(const std::string& name);

}  // namespace vk
