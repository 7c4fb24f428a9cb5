#pragma once
// TMoneyEdit: the entry field for money amounts. Its text keeps the money form
// ("12'345.67") at every keystroke; the rules live in TMoneyEditModel, which
// decides every key and clipboard message. The window reads Text and converts
// it itself.

#include "Tools/LocalDbCtrls/ModelEdit.h"
#include "Tools/LocalDbCtrls/MoneyEditModel.h"

namespace vk {

class TMoneyEdit : public TModelEdit<TMoneyEditModel> {
 public:
  // Text "0.00"; the window sets MaxLength (with 0 no digit can be added).
  explicit TMoneyEdit(gui::TWinControl* parent);

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Change() override;
  TMoneyEditModel Settings() const override;
};

}  // namespace vk
