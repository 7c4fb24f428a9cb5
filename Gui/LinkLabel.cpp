#include "Gui/LinkLabel.h"

namespace vk::gui {

TLinkLabel::TLinkLabel(TWinControl* parent) : TLabel(parent) {
  TFont font = Font();
  font.SetColor(clHotLight);
  font.SetStyle(font.Style() | fsUnderline);
  SetFont(font);
}

}  // namespace vk::gui
