#include "Tools/LocalDbCtrls/TranspCheckBox.h"

namespace vk {

TTranspCheckBox::TTranspCheckBox(gui::TWinControl* parent) : TCheckBox(parent) {}

LRESULT TTranspCheckBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Erasing would paint the box's own colour over the picture.
  if (message == WM_ERASEBKGND) return 1;
  return TCheckBox::WndProc(message, wParam, lParam);
}

void TTranspCheckBox::PaintParentBackground(HDC dc) {
  HWND parent = GetParent(handle_);
  if (!parent) return;
  // The parent paints into the box's device context, moved so that the
  // parent's own coordinates land on the box (what the theme library's
  // DrawThemeParentBackground does, without needing the library).
  POINT origin{0, 0};
  MapWindowPoints(handle_, parent, &origin, 1);
  POINT previous;
  SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

std::optional<LRESULT> TTranspCheckBox::CtlColorReflected(UINT /*message*/, HDC dc) {
  PaintParentBackground(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, gui::ColorToRGB(Font().Color()));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

}  // namespace vk
