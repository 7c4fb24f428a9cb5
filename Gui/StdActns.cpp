#include "Gui/StdActns.h"

#include "Gui/Edits.h"

namespace vk::gui {

TEdit* TEditAction::Target() { return dynamic_cast<TEdit*>(TWinControl::FindControl(GetFocus())); }

void TEditAction::Update() {
  TEdit* edit = Target();
  SetEnabled(edit && CanRun(*edit));
  TAction::Update();
}

bool TEditAction::Execute() {
  Update();
  if (!Enabled()) return false;
  if (OnExecute) {
    OnExecute(*this);
    return true;
  }
  TEdit* edit = Target();
  if (!edit) return false;
  Run(*edit);
  return true;
}

bool TEditAction::CanRun(TEdit& edit) const {
  const bool writable = !edit.ReadOnly();
  const bool selection = edit.SelLength() > 0;
  const bool hidden = edit.PasswordChar() != 0;
  switch (command_) {
    case TEditCommand::Undo: return writable && edit.Perform(EM_CANUNDO, 0, 0) != 0;
    case TEditCommand::Cut: return writable && selection && !hidden;
    case TEditCommand::Copy: return selection && !hidden;
    case TEditCommand::Paste: return writable && IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
    case TEditCommand::Delete: return writable && selection;
    case TEditCommand::SelectAll: return GetWindowTextLengthW(edit.Handle()) > 0;
  }
  return false;
}

void TEditAction::Run(TEdit& edit) const {
  switch (command_) {
    case TEditCommand::Undo: edit.Perform(WM_UNDO, 0, 0); break;
    case TEditCommand::Cut: edit.Perform(WM_CUT, 0, 0); break;
    case TEditCommand::Copy: edit.Perform(WM_COPY, 0, 0); break;
    case TEditCommand::Paste: edit.Perform(WM_PASTE, 0, 0); break;
    case TEditCommand::Delete: edit.Perform(WM_CLEAR, 0, 0); break;
    case TEditCommand::SelectAll: edit.SelectAll(); break;
  }
}

}  // namespace vk::gui
