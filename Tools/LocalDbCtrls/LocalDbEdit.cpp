#include "Tools/LocalDbCtrls/LocalDbEdit.h"

#include "Tools/LocalDbCtrls/EditState.h"

namespace vk {

LRESULT TLocalDbEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && wParam == static_cast<WPARAM>(kCtrlBackspace)) return 0;
  // Dropped whole: the standard edit makes no caret and selects nothing, and
  // OnEnter is not called.
  if (message == WM_SETFOCUS && skipFocus_) return 0;
  return TEdit::WndProc(message, wParam, lParam);
}

}  // namespace vk
