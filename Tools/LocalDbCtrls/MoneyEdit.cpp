#include "Tools/LocalDbCtrls/MoneyEdit.h"

namespace vk {

TMoneyEdit::TMoneyEdit(gui::TWinControl* parent) : TModelEdit(parent) { SetText(TMoneyEditModel::kZeroText); }

void TMoneyEdit::CreateParams(TCreateParams& params) {
  TModelEdit::CreateParams(params);
  params.Style |= ES_RIGHT | ES_NUMBER;
}

TMoneyEditModel TMoneyEdit::Settings() const {
  TMoneyEditModel model;
  model.MaxLength = MaxLength();
  return model;
}

void TMoneyEdit::Change() {
  // The model's own texts are grouped already.
  if (!ApplyingModel() && Focused() && !ReadOnly()) Edit([](TMoneyEditModel& model) { model.Regroup(); });
  TModelEdit::Change();
}

LRESULT TMoneyEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case EM_SETREADONLY: {
      LRESULT result = TModelEdit::WndProc(message, wParam, lParam);
      if (Editable()) Edit([](TMoneyEditModel& model) { model.ApplyCaretRule(); });
      return result;
    }
    case WM_CUT: return WmCut();
    case WM_CLEAR: return WmClear();
    case WM_PASTE: return WmPaste();
  }
  return TModelEdit::WndProc(message, wParam, lParam);
}

}  // namespace vk
