#pragma once
// TLocalDbEdit: the base of every entry field of the program's windows. Over
// the standard edit it never inserts the character 127 (Ctrl+Backspace), fires
// OnEnter once per focus after the caret is in place, and can be told to ignore
// the focus altogether (SkipFocus), which locked fields use to show no caret.

#include "Gui/Edits.h"

namespace vk {

class TLocalDbEdit : public gui::TEdit {
 public:
  explicit TLocalDbEdit(gui::TWinControl* parent) : TEdit(parent) {}

  virtual bool SkipFocus() const { return skipFocus_; }
  virtual void SetSkipFocus(bool skip) {
    if (skipFocus_ != skip) skipFocus_ = skip;
  }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Editable: not read-only and with a window.
  bool Editable() const { return HandleAllocated() && !ReadOnly(); }

 private:
  bool skipFocus_ = false;
};

}  // namespace vk
