#pragma once
// The standard edit actions: undo, cut, copy, paste, delete and select all,
// on the edit that has the focus (the one a context menu was opened on).
// Each is enabled only while it can do something there, so a context menu
// shows what the edit allows; every change arrives at the edit as its window
// message (WM_UNDO ... WM_CLEAR), as typed ones do.

#include "Gui/ActnList.h"

namespace vk::gui {

class TEdit;

class TEditAction : public TAction {
 public:
  using TAction::TAction;

  // The edit of this program that has the focus; null when none has.
  static TEdit* Target();

  // Enabled from the target's state, then OnUpdate.
  void Update() override;
  // OnExecute when set, else the edit's own command; true when it ran.
  bool Execute() override;

 protected:
  virtual bool CanRun(TEdit& edit) const = 0;
  virtual void Run(TEdit& edit) = 0;
};

class TEditUndo : public TEditAction {
 public:
  using TEditAction::TEditAction;

 protected:
  bool CanRun(TEdit& edit) const override;
  void Run(TEdit& edit) override;
};

// Not on a password edit, whose text must not reach the clipboard.
class TEditCut : public TEditAction {
 public:
  using TEditAction::TEditAction;

 protected:
  bool CanRun(TEdit& edit) const override;
  void Run(TEdit& edit) override;
};

class TEditCopy : public TEditAction {
 public:
  using TEditAction::TEditAction;

 protected:
  bool CanRun(TEdit& edit) const override;
  void Run(TEdit& edit) override;
};

class TEditPaste : public TEditAction {
 public:
  using TEditAction::TEditAction;

 protected:
  bool CanRun(TEdit& edit) const override;
  void Run(TEdit& edit) override;
};

class TEditDelete : public TEditAction {
 public:
  using TEditAction::TEditAction;

 protected:
  bool CanRun(TEdit& edit) const override;
  void Run(TEdit& edit) override;
};

class TEditSelectAll : public TEditAction {
 public:
  using TEditAction::TEditAction;

 protected:
  bool CanRun(TEdit& edit) const override;
  void Run(TEdit& edit) override;
};

}  // namespace vk::gui
