#pragma once
// TCheckBox (the system BUTTON as an automatic check box) and TComboBox (the
// system COMBOBOX as a drop-down list): the option and choice controls of
// the setup wizard.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Gui/Controls.h"

namespace vk::gui {

class TCheckBox : public TWinControl {
 public:
  // 97 x 17, a tab stop, unchecked.
  explicit TCheckBox(TWinControl* parent);

  bool Checked() const;
  void SetChecked(bool checked);

  // After the user changed the state.
  std::function<void()> OnClick;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  std::optional<LRESULT> CommandReflected(WORD notifyCode) override;
  // The text in the font's colour on the control's colour.
  std::optional<LRESULT> CtlColorReflected(UINT message, HDC dc) override;

 private:
  bool checked_ = false;
};

class TComboBox : public TWinControl {
 public:
  // 145 wide, a tab stop, no item chosen.
  explicit TComboBox(TWinControl* parent);

  const std::vector<std::string>& Items() const { return items_; }
  void AddItem(const std::string& text);
  // Removes the item; the choice moves with the items after it.
  void DeleteItem(int index);
  // The chosen item; -1 when none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The chosen item's text; empty when none.
  std::string Text() const;

  // After the user chose an item.
  std::function<void()> OnSelect;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void BoundsChanged(const RECT& oldBounds) override;
  std::optional<LRESULT> CommandReflected(WORD notifyCode) override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace vk::gui
