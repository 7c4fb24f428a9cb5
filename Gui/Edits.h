#pragma once
// TEdit: the system's single-line EDIT, subclassed. Text, limits, read-only
// state, selection and colours, and the hooks the program's entry controls
// take over editing with: KeyDown and KeyPress see every key first and consume
// it by setting it to 0; every cut, copy, paste, clear and undo arrives as its
// window message (WM_CUT ... WM_UNDO), whether it came from the keyboard or
// the context menu. Also the clipboard's text.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "Gui/Controls.h"

namespace vk::gui {

enum TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;

// The modifier keys held now, as the keyboard state of this thread reports them.
TShiftState KeyboardShiftState();

// The clipboard's text (CF_UNICODETEXT); empty when there is none or the
// clipboard is busy.
std::string ClipboardText();
// Puts the text on the clipboard; false when the clipboard could not be had.
bool SetClipboardText(const std::string& text);

class TEdit : public TWinControl {
 public:
  // 121 x 21, a tab stop, window colour, sunken border, auto-select on.
  explicit TEdit(TWinControl* parent);

  std::string Text() const;
  void SetText(const std::string& text);
  // 0: no limit. Text set by the program is not cut to it.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int maxLength);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  // The selection: start (the caret when empty) and length, in characters.
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);
  void SetSelection(int start, int length);
  void SelectAll();
  std::string SelText() const;
  // Selects the whole text when the edit gets the focus other than by a click.
  bool AutoSelect = true;
  // Shown in place of every character when not 0.
  wchar_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(wchar_t c);

  std::function<void(WORD& key, TShiftState shift)> OnKeyDown;
  std::function<void(wchar_t& key)> OnKeyPress;
  std::function<void()> OnChange;
  // After the edit has the focus, its caret and selection in place.
  std::function<void()> OnEnter;
  std::function<void()> OnExit;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> CommandReflected(WORD notifyCode) override;
  std::optional<LRESULT> CtlColorReflected(UINT message, HDC dc) override;

  // Each calls its event; overrides do their own work first and call these last.
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyPress(wchar_t& key);
  virtual void Change();
  virtual void DoEnter();
  virtual void DoExit();

  // The standard handling of focus and keys, for overrides that route around
  // part of TEdit's own.
  LRESULT WmSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT WmKillFocus(WPARAM wParam, LPARAM lParam);

 private:
  LRESULT WmKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT WmChar(WPARAM wParam, LPARAM lParam);

  int maxLength_ = 0;
  bool readOnly_ = false;
  wchar_t passwordChar_ = 0;
  bool clicking_ = false;
};

}  // namespace vk::gui
