#include "Gui/PasswordEdit.h"

namespace vk::gui {

TPasswordEdit::TPasswordEdit(TWinControl* parent) : TEdit(parent) { SetPasswordChar(kPasswordBullet); }

void TPasswordEdit::HandleCreated() {
  TEdit::HandleCreated();
  if (static_cast<wchar_t>(SendMessageW(handle_, EM_GETPASSWORDCHAR, 0, 0)) != kPasswordBullet) SetPasswordChar(L'*');
}

LRESULT TPasswordEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU:
      // The system's own menu would offer copying; one given to the edit
      // (whose copy and cut stay refused) is shown as on any control.
      if (!PopupMenu()) return 0;
      break;
    case WM_COPY:
    case WM_CUT: return 0;
  }
  return TEdit::WndProc(message, wParam, lParam);
}

}  // namespace vk::gui
