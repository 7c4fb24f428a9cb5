#pragma once
// TLinkLabel: a label that looks and acts as a link: the system's hot-light
// colour, underlined, the hand cursor, and OnClick when it is clicked.

#include <functional>

#include "Gui/StdCtrls.h"

namespace vk::gui {

class TLinkLabel : public TLabel {
 public:
  explicit TLinkLabel(TWinControl* parent);

  LPCWSTR Cursor() const override { return IDC_HAND; }
  void Click() override {
    if (OnClick) OnClick();
  }

  std::function<void()> OnClick;
};

}  // namespace vk::gui
