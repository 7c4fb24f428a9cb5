#include "Gui/PasswordEdit.h"

namespace vk::gui {

TPasswordEdit::TPasswordEdit(TWinControl* parent) : TEdit(parent) { SetPasswordChar(kPasswordBullet); }

void TPasswordEdit::HandleCreated() {
  TEdit::HandleCreated();
  if (static_cast<wchar_t>(SendMessageW(handle_, EM_GETPASSWORDCHAR, 0, 0)) != kPasswordBullet) SetPasswordChar(L'*');
}

LRESULT TPasswordEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU: return 0;
    case WM_COPY:
    case WM_CUT: return 0;
  }
  return TEdit::WndProc(message, wParam, lParam);
}

}  // namespace vk::gui
