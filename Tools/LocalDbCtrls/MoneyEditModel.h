#pragma once
// The money entry's editing rules over (text, selection). The text always has
// the money form: an integer part grouped in threes by "'", a point and two
// decimals ("12'345.67"). Digits go into the integer part and overtype the
// decimals, the caret steps over group marks, and every change (keys, cut,
// clear, paste) keeps the form. Refused input leaves the state as it was.
//
// A text not of that form (set by the program) is never edited: the keys are
// still consumed, so nothing half-valid is built from it.

#include <string>

#include "Tools/LocalDbCtrls/EditState.h"

namespace vk {

class TMoneyEditModel {
 public:
  // The text the control shows when made.
  static constexpr const char* kZeroText = "0.00";

  TMoneyEditModel() : State{kZeroText, 0, 0} {}

  TEditState State;
  // The control's MaxLength; it bounds the integer part's digits.
  int MaxLength = 0;

  // Digits the integer part may hold under MaxLength (13 gives 8).
  int MaxDigitCount() const;
  // Digits of the present integer part.
  int DigitCount() const;
  // Integer part of digits and marks, a point and two decimal digits.
  static bool IsMoneyText(const std::string& text);

  // A typed character; true when consumed (the standard edit must not see it).
  bool KeyPress(char key);
  // Delete and the arrows; true when consumed. Shift+Delete on a selection
  // cuts: the removed text is put in cutText for the clipboard.
  bool KeyDown(TEditKey key, TKeyModifiers modifiers, std::string& cutText);

  // WM_CUT: returns the selected text (for the clipboard), then removes it.
  std::string Cut();
  // WM_CLEAR: removes the selection.
  void Clear() { RemoveSelection(false); }
  // WM_PASTE with the clipboard's text; false when refused. Ends with the caret rule.
  bool PasteText(const std::string& clipboard);
  // PasteText, then the caret rule whether the paste was taken or not.
  void Paste(const std::string& clipboard) {
    PasteText(clipboard);
    ApplyCaretRule();
  }

  // The caret never rests just before a group mark.
  void ApplyCaretRule();
  // Regroups the integer part after an outside change of the text, keeping the
  // caret's distance from the end; nothing while there is a selection.
  void Regroup();

  // Regroups an integer part (marks removed, then one before every three
  // digits from the right); leading zeros stay.
  static std::string GroupIntegerPart(const std::string& integerPart);

 private:
  int Length() const { return static_cast<int>(State.Text.size()); }
  int PointPos() const { return Length() - 3; }
  bool CaretInIntegerPart() const { return State.SelLength == 0 && State.SelStart <= PointPos(); }
  bool CaretInDecimals() const { return State.SelLength == 0 && State.SelStart >= PointPos() + 1; }
  char At(int pos) const;
  // Integer-part digits inside [from, to).
  int DigitsIn(int from, int to) const;

  // The caret at the given distance from the end of the text. A deletion at
  // the start of the integer part takes the group mark that followed it
  // along, so the distance kept from before can exceed the new length: the
  // caret then goes to the start, where the deleted digits were.
  int CaretFromEnd(int distance) const;
  // Sets a text whose integer part may have lost its grouping, regrouped.
  void SetRegrouped(const std::string& text);
  // Deletes [from, from + count) and regroups; the caret is placed by the caller.
  void DeleteAndRegroup(int from, int count);

  void TypeDigit(char digit);
  void Backspace();
  void PointKey();
  void DeleteKey(bool shift, std::string& cutText);
  void RemoveSelection(bool caretToStart);
  // The removal of a selection that starts in the integer part and holds the point.
  void RemoveAcrossPoint();
  // Replaces the selection by text and puts the caret after it.
  void ReplaceSelection(const std::string& text);
  // Pasted digits at the caret (in the integer part, no selection); a lone
  // zero is replaced. False, changing nothing, beyond the digit limit.
  bool InsertPastedDigits(const std::string& digits);
};

}  // namespace vk
