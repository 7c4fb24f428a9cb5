#include "Tools/LocalDbCtrls/MoneyEdit.h"
#include "tests/EditControls/EditControlsSupport.h"

namespace vk::gui::test {
namespace {

using MoneyEditTest = EditFormTest;

struct Shown {
  std::string text;
  int selStart;
  int selLength;
  bool operator==(const Shown&) const = default;
};

Shown ShownBy(const TMoneyEdit& edit) { return {edit.Text(), edit.SelStart(), edit.SelLength()}; }

void PrintTo(const Shown& s, std::ostream* os) { *os << s.text << " @" << s.selStart << "+" << s.selLength; }

TEST_F(MoneyEditTest, TypedDigitsBuildAGroupedAmount) {
  TMoneyEdit edit(form.get());
  edit.SetMaxLength(13);
  HWND window = edit.Handle();
  EXPECT_EQ(edit.Text(), "0.00");
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (ES_RIGHT | ES_NUMBER), ES_RIGHT | ES_NUMBER);
  edit.SetSelection(0, 0);
  TypeChars(window, "1234");
  EXPECT_EQ(ShownBy(edit), (Shown{"1'234.00", 5, 0}));
  TypeChars(window, ",56x");
  EXPECT_EQ(ShownBy(edit), (Shown{"1'234.56", 8, 0}));
}

TEST_F(MoneyEditTest, KeysMoveOverMarksAndDeleteKeepsTheForm) {
  TMoneyEdit edit(form.get());
  edit.SetMaxLength(13);
  edit.SetText("1'234.00");
  HWND window = edit.Handle();
  struct Step {
    int selStart, selLength;
    WORD key;
    Shown after;
  } steps[] = {
      {0, 0, VK_RIGHT, {"1'234.00", 2, 0}}, {2, 0, VK_LEFT, {"1'234.00", 0, 0}}, {1, 0, VK_END, {"1'234.00", 8, 0}},
      {0, 0, VK_DELETE, {"234.00", 0, 0}},  {3, 0, VK_DELETE, {"234.00", 3, 0}}, {0, 6, VK_DELETE, {"0.00", 1, 0}},
  };
  for (const Step& s : steps) {
    edit.SetSelection(s.selStart, s.selLength);
    SendKey(window, s.key);
    EXPECT_EQ(ShownBy(edit), s.after) << s.key;
  }
}

TEST_F(MoneyEditTest, ClickBeforeAMarkPutsTheCaretAfterIt) {
  TMoneyEdit edit(form.get());
  edit.SetText("1'234.00");
  HWND window = edit.Handle();
  // The left edge of the mark: the standard edit puts the caret before it.
  LRESULT markAt = SendMessageW(window, EM_POSFROMCHAR, 1, 0);
  LPARAM point = MAKELPARAM(LOWORD(markAt), HIWORD(markAt) + 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(window, WM_LBUTTONUP, 0, point);
  EXPECT_EQ(edit.SelStart(), 2);
  EXPECT_EQ(edit.SelLength(), 0);
}

TEST_F(MoneyEditTest, EveryPastePathTakesTheMoneyRule) {
  TMoneyEdit edit(form.get());
  edit.SetMaxLength(13);
  HWND window = edit.Handle();
  ASSERT_TRUE(SetClipboardText("1'234"));
  edit.SetSelection(0, 0);
  SendMessageW(window, WM_PASTE, 0, 0);
  EXPECT_EQ(ShownBy(edit), (Shown{"1'234.00", 5, 0}));

  ASSERT_TRUE(SetClipboardText("12.5"));
  SendMessageW(window, WM_CHAR, 22, 1);
  EXPECT_EQ(edit.Text(), "1'234.00");

  ASSERT_TRUE(SetClipboardText("7"));
  edit.SetSelection(0, 0);
  {
    ShiftHeld shift;
    SendKey(window, VK_INSERT);
  }
  EXPECT_EQ(edit.Text(), "71'234.00");
}

TEST_F(MoneyEditTest, PastedAmountReplacesWhatTabbingInSelected) {
  TMoneyEdit edit(form.get());
  TMoneyEdit next(form.get());
  next.SetTop(40);
  edit.SetMaxLength(13);
  edit.SetText("1'234.56");
  ASSERT_TRUE(ShowAndFocus(next));
  ::SetFocus(edit.Handle());
  ASSERT_EQ(ShownBy(edit), (Shown{"1'234.56", 0, 8}));
  ASSERT_TRUE(SetClipboardText("150"));
  SendMessageW(edit.Handle(), WM_CHAR, 22, 1);
  EXPECT_EQ(ShownBy(edit), (Shown{"150.00", 3, 0}));
}

TEST_F(MoneyEditTest, CutPutsTheSelectionOnTheClipboardAndKeepsTheForm) {
  TMoneyEdit edit(form.get());
  edit.SetText("1'234.56");
  HWND window = edit.Handle();
  edit.SetSelection(3, 4);
  SendMessageW(window, WM_CUT, 0, 0);
  EXPECT_EQ(ClipboardText(), "34.5");
  EXPECT_EQ(ShownBy(edit), (Shown{"12.06", 2, 0}));
  edit.SetSelection(0, 2);
  {
    ShiftHeld shift;
    SendKey(window, VK_DELETE);
  }
  EXPECT_EQ(ClipboardText(), "12");
  EXPECT_EQ(ShownBy(edit), (Shown{"0.06", 1, 0}));
}

TEST_F(MoneyEditTest, ReadOnlyChangesNothingButStillCopiesAndFiresEvents) {
  TMoneyEdit edit(form.get());
  edit.SetMaxLength(13);
  edit.SetText("1'234.56");
  edit.SetReadOnly(true);
  int presses = 0;
  edit.OnKeyPress = [&](wchar_t&) { ++presses; };
  HWND window = edit.Handle();
  edit.SetSelection(0, 8);
  TypeChars(window, "5");
  SendKey(window, VK_DELETE);
  ASSERT_TRUE(SetClipboardText("9"));
  SendMessageW(window, WM_PASTE, 0, 0);
  SendMessageW(window, WM_CLEAR, 0, 0);
  EXPECT_EQ(edit.Text(), "1'234.56");
  SendMessageW(window, WM_CHAR, 3, 1);
  EXPECT_EQ(ClipboardText(), "1'234.56");
  EXPECT_EQ(presses, 2);
}

TEST_F(MoneyEditTest, ProgramTextIsRegroupedOnlyWhileFocused) {
  TMoneyEdit edit(form.get());
  TMoneyEdit other(form.get());
  other.SetTop(40);
  edit.SetText("1234.00");
  EXPECT_EQ(edit.Text(), "1234.00");
  ASSERT_TRUE(ShowAndFocus(edit));
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  edit.SetText("1234567.00");
  EXPECT_EQ(edit.Text(), "1'234'567.00");
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace vk::gui::test
