#include "Gui/StdActns.h"

#include "Gui/Edits.h"

namespace vk::gui {

namespace {

bool Writable(const TEdit& edit) { return !edit.ReadOnly(); }
bool HasSelection(const TEdit& edit) { return edit.SelLength() > 0; }
bool Hidden(const TEdit& edit) { return edit.PasswordChar() != 0; }

}  // namespace

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

bool TEditUndo::CanRun(TEdit& edit) const { return Writable(edit) && edit.Perform(EM_CANUNDO, 0, 0) != 0; }
void TEditUndo::Run(TEdit& edit) { edit.Perform(WM_UNDO, 0, 0); }

bool TEditCut::CanRun(TEdit& edit) const { return Writable(edit) && HasSelection(edit) && !Hidden(edit); }
void TEditCut::Run(TEdit& edit) { edit.Perform(WM_CUT, 0, 0); }

bool TEditCopy::CanRun(TEdit& edit) const { return HasSelection(edit) && !Hidden(edit); }
void TEditCopy::Run(TEdit& edit) { edit.Perform(WM_COPY, 0, 0); }

bool TEditPaste::CanRun(TEdit& edit) const { return Writable(edit) && IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }
void TEditPaste::Run(TEdit& edit) { edit.Perform(WM_PASTE, 0, 0); }

bool TEditDelete::CanRun(TEdit& edit) const { return Writable(edit) && HasSelection(edit); }
void TEditDelete::Run(TEdit& edit) { edit.Perform(WM_CLEAR, 0, 0); }

bool TEditSelectAll::CanRun(TEdit& edit) const { return GetWindowTextLengthW(edit.Handle()) > 0; }
void TEditSelectAll::Run(TEdit& edit) { edit.SelectAll(); }

}  // namespace vk::gui
