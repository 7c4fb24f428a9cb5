#pragma once
// TModelEdit: an entry field whose every edit is decided by an editing model
// over (text, selection). The window's state is copied into the model, the
// model decides, and the result is written back; keys, cut, clear and paste
// all take that road. A read-only field keeps its text: it still copies on
// cut, and its events still fire.
//
// The model offers:
//   TEditState State;
//   bool KeyPress(char key);                     // true when consumed
//   bool KeyDown(TEditKey, TKeyModifiers, std::string& cutText);
//   std::string Cut();                           // the selected text, then removed
//   void Clear();
//   void Paste(const std::string& clipboard);    // ends with the caret rule

#include <string>

#include "Tools/LocalDbCtrls/EditKeys.h"
#include "Tools/LocalDbCtrls/LocalDbEdit.h"

namespace vk {

template <typename Model>
class TModelEdit : public TLocalDbEdit {
 public:
  using TLocalDbEdit::TLocalDbEdit;

 protected:
  // A model with the control's settings; its state is replaced by the window's.
  virtual Model Settings() const = 0;

  Model ModelNow() const {
    Model model = Settings();
    model.State = {Text(), SelStart(), SelLength()};
    return model;
  }

  // Runs one step of the model on the window's state and writes the result back.
  template <typename Step>
  void Edit(Step&& step) {
    Model model = ModelNow();
    step(model);
    Apply(model.State);
  }

  // Writes a state back. The text it sets is the model's own: Change can tell
  // it from an outside change by ApplyingModel.
  void Apply(const TEditState& state) {
    // Setting an unchanged selection again would turn a selection made
    // leftwards around.
    if (state == TEditState{Text(), SelStart(), SelLength()}) return;
    if (state.Text != Text()) {
      bool was = applying_;
      applying_ = true;
      TEdit::SetText(state.Text);
      applying_ = was;
    }
    SetSelection(state.SelStart, state.SelLength);
  }
  bool ApplyingModel() const { return applying_; }

  void KeyDown(WORD& key, gui::TShiftState shift) override {
    if (Editable()) {
      Model model = ModelNow();
      std::string cut;
      if (model.KeyDown(EditKeyOf(key), ModifiersOf(shift), cut)) {
        // A cut whose text did not reach the clipboard removes nothing.
        if (cut.empty() || gui::SetClipboardText(cut)) Apply(model.State);
        key = 0;
      }
    }
    TLocalDbEdit::KeyDown(key, shift);
  }

  void KeyPress(wchar_t& key) override {
    if (Editable() && key != 0) {
      Model model = ModelNow();
      if (model.KeyPress(ModelChar(key))) {
        Apply(model.State);
        key = 0;
      }
    }
    TLocalDbEdit::KeyPress(key);
  }

  // The clipboard messages; the standard edit's own handling never runs.
  LRESULT WmCut() {
    // A read-only field still copies what is selected; it only keeps its text.
    if (SelLength() == 0 || !gui::SetClipboardText(SelText()) || !Editable()) return 0;
    Edit([](Model& model) { model.Cut(); });
    return 0;
  }
  LRESULT WmClear() {
    if (Editable()) Edit([](Model& model) { model.Clear(); });
    return 0;
  }
  LRESULT WmPaste() {
    if (Editable()) {
      std::string clipboard = gui::ClipboardText();
      Edit([&](Model& model) { model.Paste(clipboard); });
    }
    return 0;
  }

 private:
  bool applying_ = false;
};

}  // namespace vk
