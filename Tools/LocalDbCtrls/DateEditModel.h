#pragma once
// The date entry's editing rules over (text, selection). The text is a mask of
// ten characters: two positions, a separator, two positions, a separator, four
// year positions; an untyped position holds "_". Digits overtype, the caret
// steps over the separators, Backspace and Delete put placeholders back, and a
// partly typed date is completed on leaving the field.

#include <string>

#include "Core/DateTime.h"
#include "Core/SysUtils.h"
#include "Tools/LocalDbCtrls/EditState.h"

namespace vk {

// A text that is no date where one is required.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EConvertError"; }
};

class TDateEditModel {
 public:
  static constexpr int kDateWidth = 10;
  static constexpr char kPlaceholder = '_';

  TDateEditModel() { State.Text = EmptyMask(); }

  TEditState State;

  char Separator() const { return separator_; }
  // 0 ".", 1 "/", 2 "-"; the separators of the shown text change with it.
  // Other values are ignored.
  void SetSeparatorKind(int kind);
  // 0 day first ("dd/mm/yyyy"), 1 month first; rules Date only, not the shown text.
  int DateOrder() const { return dateOrder_; }
  void SetDateOrder(int order);

  std::string EmptyMask() const;
  // Shows the text; an empty text shows the empty mask.
  void SetText(const std::string& text);
  // The text with one-digit parts and a short year completed; the empty mask
  // when nothing but zeros was typed or the text is not ten characters.
  std::string CompletedText() const;
  // The completed text, or "" when that is the empty mask.
  std::string DateText() const;
  // 0 for the empty mask; EConvertError for a text that is no date.
  TDateTime Date() const;
  // The order's format with the separator; the empty mask for a value whose
  // date part is 0 or that is no date.
  void SetDate(TDateTime value);
  // Date succeeds and its day lies after the date-time origin.
  bool IsValidDate() const;
  // Leaving the field: a valid date shows completed.
  void Exit();

  // A typed character; true when consumed.
  bool KeyPress(char key);
  // Delete and the arrows; true when consumed. Shift+Delete on a selection
  // cuts: the selected text is put in cutText for the clipboard.
  bool KeyDown(TEditKey key, TKeyModifiers modifiers, std::string& cutText);
  // After the standard edit moved the caret for a key: it leaves a separator
  // behind in the direction of the key.
  void CaretRuleAfterKey(TEditKey key);
  // After a mouse click or a paste.
  void CaretRuleAfterClick();

  // WM_CUT: the selected text (for the clipboard); the selection is blanked.
  std::string Cut();
  // WM_CLEAR.
  void Clear() { BlankSelection(); }
  // WM_PASTE: fills positions from the caret with the clipboard's digits;
  // only into the empty mask or a selection. Ends with the caret rule.
  void PasteDate(const std::string& clipboard);
  // PasteDate, then the caret rule whether anything was pasted or not.
  void Paste(const std::string& clipboard) {
    PasteDate(clipboard);
    CaretRuleAfterClick();
  }

  // The format settings Date reads and writes with.
  TFormatSettings DateFormat() const;

 private:
  int Length() const { return static_cast<int>(State.Text.size()); }
  void Overtype(char c);
  void BlankSelection();
  void JumpToNextPart();

  char separator_ = '.';
  int dateOrder_ = 0;
};

}  // namespace vk
