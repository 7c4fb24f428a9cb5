#pragma once
// TLabel (text painted by its parent, no window) and TButton (the system
// BUTTON, subclassed): what the dialogs are made of.

#include <windows.h>

#include <functional>
#include <string>

#include "Gui/Controls.h"

namespace vk::gui {

class TLabel : public TGraphicControl {
 public:
  // Auto-sized, left-aligned, top layout, one line, opaque in the parent's
  // colour, '&' underlines the next character.
  explicit TLabel(TWinControl* parent);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // Vertical place of the text in the bounds.
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  // Breaks lines at word boundaries within the width.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  // Leaves the parent's painting under the text.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // Fits the bounds to the text after every change of text or font (with word
  // wrap only the height).
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);

  void Paint(TCanvas& canvas) override;

 protected:
  void CaptionChanged() override;
  void FontChanged() override;

 private:
  UINT DrawFlags() const;
  void AdjustBounds();

  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool autoSize_ = true;
  bool showAccelChar_ = true;
};

class TButton : public TWinControl {
 public:
  // 75 x 25, a tab stop.
  explicit TButton(TWinControl* parent);

  // Enter presses the default button unless another button has the focus
  // (then that one); it looks like the default while it is the one Enter presses.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  // Esc presses the cancel button.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  // Given to the form as its modal result when the button is pressed.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // What a press does: the form's modal result, then OnClick.
  virtual void Click();
  std::function<void()> OnClick;

 protected:
  void CreateParams(TCreateParams& params) override;
  std::optional<LRESULT> CommandReflected(WORD notifyCode) override;
  std::optional<LRESULT> CtlColorReflected(UINT message, HDC dc) override;
  bool HandleDialogKey(WORD key, TWinControl* focused) override;
  void FocusMovedTo(TWinControl* focused) override;

 private:
  bool PressedByEnter(TWinControl* focused) const;

  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

}  // namespace vk::gui
