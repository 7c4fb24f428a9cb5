#pragma once
// The standard edit actions: undo, cut, copy, paste, delete and select all,
// on the edit that has the focus (the one a context menu was opened on).
// Each is enabled only while it can do something there, so a context menu
// shows what the edit allows; every change arrives at the edit as its window
// message (WM_UNDO ... WM_CLEAR), as typed ones do.

#include "Gui/ActnList.h"

namespace vk::gui {

class TEdit;

enum class TEditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };

class TEditAction : public TAction {
 public:
  explicit TEditAction(TEditCommand command, TActionList* list = nullptr) : TAction(list), command_(command) {}

  TEditCommand Command() const { return command_; }
  // The edit of this program that has the focus; null when none has.
  static TEdit* Target();

  // Enabled from the target's state, then OnUpdate.
  void Update() override;
  // OnExecute when set, else the edit's own command; true when it ran.
  bool Execute() override;

 private:
  // Cut and copy never take a password edit's text to the clipboard.
  bool CanRun(TEdit& edit) const;
  void Run(TEdit& edit) const;

  TEditCommand command_;
};

template <TEditCommand Kind>
class TStandardEditAction : public TEditAction {
 public:
  explicit TStandardEditAction(TActionList* list = nullptr) : TEditAction(Kind, list) {}
};

using TEditUndo = TStandardEditAction<TEditCommand::Undo>;
using TEditCut = TStandardEditAction<TEditCommand::Cut>;
using TEditCopy = TStandardEditAction<TEditCommand::Copy>;
using TEditPaste = TStandardEditAction<TEditCommand::Paste>;
using TEditDelete = TStandardEditAction<TEditCommand::Delete>;
using TEditSelectAll = TStandardEditAction<TEditCommand::SelectAll>;

}  // namespace vk::gui
