#pragma once
// TMoneyEdit: the entry field for money amounts. Its text keeps the money form
// ("12'345.67") at every keystroke; the rules live in TMoneyEditModel, this
// class feeds it the window's state and the keys and clipboard messages, and
// writes back what it decides. The window reads Text and converts it itself.

#include "Tools/LocalDbCtrls/LocalDbEdit.h"
#include "Tools/LocalDbCtrls/MoneyEditModel.h"

namespace vk {

class TMoneyEdit : public TLocalDbEdit {
 public:
  // Text "0.00"; the window sets MaxLength (with 0 no digit can be added).
  explicit TMoneyEdit(gui::TWinControl* parent);

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void KeyDown(WORD& key, gui::TShiftState shift) override;
  void KeyPress(wchar_t& key) override;
  void Change() override;

 private:
  TMoneyEditModel ModelNow() const;
  // Writes the model's state back; its own text change is not regrouped again.
  void Apply(const TEditState& state);
  void ApplyCaretRule();
  LRESULT WmCut(WPARAM wParam, LPARAM lParam);

  bool regrouping_ = false;
};

}  // namespace vk
