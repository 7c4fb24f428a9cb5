#include "Tools/LocalDbCtrls/MoneyEdit.h"

#include "Tools/LocalDbCtrls/EditKeys.h"

namespace vk {

TMoneyEdit::TMoneyEdit(gui::TWinControl* parent) : TLocalDbEdit(parent) { SetText(TMoneyEditModel::kZeroText); }

void TMoneyEdit::CreateParams(TCreateParams& params) {
  TLocalDbEdit::CreateParams(params);
  params.Style |= ES_RIGHT | ES_NUMBER;
}

TMoneyEditModel TMoneyEdit::ModelNow() const {
  TMoneyEditModel model;
  model.MaxLength = MaxLength();
  model.State = {Text(), SelStart(), SelLength()};
  return model;
}

void TMoneyEdit::Apply(const TEditState& state) {
  // Setting an unchanged selection again would turn a selection made
  // leftwards around.
  if (state == TEditState{Text(), SelStart(), SelLength()}) return;
  if (state.Text != Text()) {
    bool was = regrouping_;
    regrouping_ = true;
    SetText(state.Text);
    regrouping_ = was;
  }
  SetSelection(state.SelStart, state.SelLength);
}

void TMoneyEdit::ApplyCaretRule() {
  TMoneyEditModel model = ModelNow();
  TEditState before = model.State;
  model.ApplyCaretRule();
  if (model.State != before) Apply(model.State);
}

void TMoneyEdit::KeyDown(WORD& key, gui::TShiftState shift) {
  if (Editable()) {
    TMoneyEditModel model = ModelNow();
    std::string cut;
    if (model.KeyDown(EditKeyOf(key), ModifiersOf(shift), cut)) {
      // A cut whose text did not reach the clipboard removes nothing.
      if (cut.empty() || gui::SetClipboardText(cut)) Apply(model.State);
      key = 0;
    }
  }
  TLocalDbEdit::KeyDown(key, shift);
}

void TMoneyEdit::KeyPress(wchar_t& key) {
  if (Editable() && key != 0) {
    TMoneyEditModel model = ModelNow();
    if (model.KeyPress(ModelChar(key))) {
      Apply(model.State);
      key = 0;
    }
  }
  TLocalDbEdit::KeyPress(key);
}

void TMoneyEdit::Change() {
  if (!regrouping_ && Focused() && !ReadOnly()) {
    TMoneyEditModel model = ModelNow();
    model.Regroup();
    Apply(model.State);
  }
  TLocalDbEdit::Change();
}

LRESULT TMoneyEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case EM_SETREADONLY: {
      LRESULT result = TLocalDbEdit::WndProc(message, wParam, lParam);
      if (Editable()) ApplyCaretRule();
      return result;
    }
    case WM_CUT: return WmCut(wParam, lParam);
    case WM_CLEAR:
      if (Editable()) {
        TMoneyEditModel model = ModelNow();
        model.Clear();
        Apply(model.State);
      }
      return 0;
    case WM_PASTE:
      if (Editable()) {
        TMoneyEditModel model = ModelNow();
        if (model.PasteText(gui::ClipboardText())) Apply(model.State);
        ApplyCaretRule();
      }
      return 0;
  }
  return TLocalDbEdit::WndProc(message, wParam, lParam);
}

LRESULT TMoneyEdit::WmCut(WPARAM /*wParam*/, LPARAM /*lParam*/) {
  // A read-only field still copies what is selected; it only keeps its text.
  if (SelLength() == 0 || !gui::SetClipboardText(SelText()) || !Editable()) return 0;
  TMoneyEditModel model = ModelNow();
  model.Cut();
  Apply(model.State);
  return 0;
}

}  // namespace vk
