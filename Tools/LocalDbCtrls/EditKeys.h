#pragma once
// Virtual-key codes to the keys the editing models know. Windows only.

#include <windows.h>

#include "Gui/Edits.h"
#include "Tools/LocalDbCtrls/EditState.h"

namespace vk {

inline TEditKey EditKeyOf(WORD key) {
  switch (key) {
    case VK_LEFT: return TEditKey::Left;
    case VK_RIGHT: return TEditKey::Right;
    case VK_UP: return TEditKey::Up;
    case VK_DOWN: return TEditKey::Down;
    case VK_DELETE: return TEditKey::Delete;
  }
  return TEditKey::Other;
}

inline TKeyModifiers ModifiersOf(gui::TShiftState shift) {
  return {.Shift = (shift & gui::ssShift) != 0, .Ctrl = (shift & gui::ssCtrl) != 0};
}

// A typed character as the models see it: anything beyond ASCII is just
// some other character, which they swallow.
inline char ModelChar(wchar_t key) { return key < 128 ? static_cast<char>(key) : '\x7f'; }

}  // namespace vk
