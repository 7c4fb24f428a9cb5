#pragma once
// TTranspCheckBox: a check box without a background of its own, so that the
// picture behind it shows (the setup wizard's options over its background).
// Windows only.

#include "Gui/ListCtrls.h"

namespace vk {

class TTranspCheckBox : public gui::TCheckBox {
 public:
  explicit TTranspCheckBox(gui::TWinControl* parent);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The parent paints what lies under the box first; the text then goes on
  // top of it in the font's colour, with nothing filled behind it.
  std::optional<LRESULT> CtlColorReflected(UINT message, HDC dc) override;

 private:
  void PaintParentBackground(HDC dc);
};

}  // namespace vk
