#include "Gui/Edits.h"
#include "Tools/LocalDbCtrls/DateEdit.h"
#include "Tools/LocalDbCtrls/IntEdit.h"
#include "Tools/LocalDbCtrls/MoneyEdit.h"
#include "tests/EditControls/EditControlsSupport.h"

namespace vk::gui::test {
namespace {

using EditTest = EditFormTest;

// Counts the clipboard messages that reach the edit.
class CountingEdit : public TEdit {
 public:
  using TEdit::TEdit;
  int pastes = 0;
  int cuts = 0;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PASTE) ++pastes;
    if (message == WM_CUT) ++cuts;
    return TEdit::WndProc(message, wParam, lParam);
  }
};

TEST_F(EditTest, TextMaxLengthAndSelectionReadBackFromTheWindow) {
  TEdit edit(form.get());
  edit.SetText("before");
  edit.SetMaxLength(8);
  HWND window = edit.Handle();
  EXPECT_EQ(edit.Text(), "before");
  edit.SetSelection(6, 0);
  TypeChars(window, "xyz");
  EXPECT_EQ(edit.Text(), "beforexy");
  edit.SetText("\xd0\x96\xd0\xb0");  // UTF-8 both ways
  EXPECT_EQ(TextOf(window), L"\x0416\x0430");
  edit.SetSelection(1, 1);
  EXPECT_EQ(edit.SelStart(), 1);
  EXPECT_EQ(edit.SelLength(), 1);
  EXPECT_EQ(edit.SelText(), "\xd0\xb0");
}

TEST_F(EditTest, ConsumedKeysNeverReachTheStandardEdit) {
  TEdit edit(form.get());
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  edit.OnKeyPress = [](wchar_t& key) {
    if (key == L'x') key = 0;
  };
  HWND window = edit.Handle();
  TypeChars(window, "axb");
  EXPECT_EQ(edit.Text(), "ab");
  EXPECT_EQ(changes, 2);
}

TEST_F(EditTest, EveryPasteAndCutKeyArrivesAsItsMessage) {
  CountingEdit edit(form.get());
  edit.SetText("abc");
  HWND window = edit.Handle();
  ASSERT_TRUE(SetClipboardText("Q"));
  edit.SetSelection(0, 0);
  SendMessageW(window, WM_CHAR, 22, 1);
  {
    ShiftHeld shift;
    SendKey(window, VK_INSERT);
  }
  EXPECT_EQ(edit.pastes, 2);
  EXPECT_EQ(edit.Text(), "QQabc");
  edit.SetSelection(0, 2);
  {
    ShiftHeld shift;
    SendKey(window, VK_DELETE);
  }
  SendMessageW(window, WM_CHAR, 24, 1);
  EXPECT_EQ(edit.cuts, 2);
  EXPECT_EQ(edit.Text(), "abc");
  EXPECT_EQ(ClipboardText(), "QQ");
}

TEST_F(EditTest, ReadOnlyEditIgnoresTypingAndShowsItsColour) {
  TEdit edit(form.get());
  edit.SetText("locked");
  edit.SetReadOnly(true);
  edit.SetColor(clSilver);
  HWND window = edit.Handle();
  TypeChars(window, "zz");
  EXPECT_EQ(edit.Text(), "locked");
  EXPECT_TRUE(edit.ReadOnly());
  HDC dc = GetDC(window);
  SendMessageW(form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(GetBkColor(dc), ColorToRGB(clSilver));
  ReleaseDC(window, dc);
}

TEST_F(EditTest, ReadOnlyMoneyAndDateEditsCopyOnCutAndChangeNothing) {
  TMoneyEdit money(form.get());
  TDateEdit date(form.get());
  date.SetTop(40);
  money.SetText("12'345.67");
  date.SetText("07.12.2026");
  enum class Way { Message, CtrlX, ShiftDelete };
  struct Case {
    TEdit* edit;
    Way way;
    int selStart, selLength;
    const char* copied;
  } cases[] = {
      {&money, Way::Message, 0, 9, "12'345.67"}, {&money, Way::CtrlX, 3, 4, "345."},
      {&money, Way::ShiftDelete, 7, 2, "67"},    {&date, Way::Message, 0, 10, "07.12.2026"},
      {&date, Way::CtrlX, 3, 2, "12"},           {&date, Way::ShiftDelete, 6, 4, "2026"},
  };
  for (const Case& c : cases) {
    HWND window = c.edit->Handle();
    std::string before = c.edit->Text();
    c.edit->SetReadOnly(true);
    c.edit->SetSelection(c.selStart, c.selLength);
    ASSERT_TRUE(SetClipboardText("old"));
    if (c.way == Way::Message) SendMessageW(window, WM_CUT, 0, 0);
    if (c.way == Way::CtrlX) SendMessageW(window, WM_CHAR, 24, 1);
    if (c.way == Way::ShiftDelete) {
      ShiftHeld shift;
      SendKey(window, VK_DELETE);
    }
    EXPECT_EQ(ClipboardText(), c.copied) << before;
    EXPECT_EQ(c.edit->Text(), before);
  }
}

TEST_F(EditTest, CtrlBackspaceChangesNothingInAnyEntryField) {
  TStringEdit text(form.get());
  TIntEdit number(form.get());
  TStrIntEdit digits(form.get());
  for (TEdit* edit : std::initializer_list<TEdit*>{&text, &number, &digits}) {
    edit->SetText("12");
    edit->SetSelection(2, 0);
    SendMessageW(edit->Handle(), WM_CHAR, 127, 1);
    EXPECT_EQ(edit->Text(), "12");
  }
}

TEST_F(EditTest, DigitEditsRefuseLettersButKeepProgramText) {
  TIntEdit number(form.get());
  TStrIntEdit digits(form.get());
  EXPECT_EQ(GetWindowLongPtrW(number.Handle(), GWL_STYLE) & (ES_RIGHT | ES_NUMBER), ES_RIGHT | ES_NUMBER);
  EXPECT_EQ(GetWindowLongPtrW(digits.Handle(), GWL_STYLE) & (ES_RIGHT | ES_NUMBER), ES_NUMBER);
  for (TEdit* edit : std::initializer_list<TEdit*>{&number, &digits}) {
    edit->SetText("ab");
    edit->SetSelection(2, 0);
    TypeChars(edit->Handle(), "c5");
    EXPECT_EQ(edit->Text(), "ab5");
  }
}

TEST_F(EditTest, SkipFocusHidesTheFocusAndOnEnterFiresOncePerFocusAfterTheSelection) {
  TStringEdit first(form.get());
  TStringEdit second(form.get());
  second.SetTop(40);
  second.SetText("abc");
  int enters = 0;
  int selectedOnEnter = -1;
  second.OnEnter = [&] {
    ++enters;
    selectedOnEnter = second.SelLength();
  };
  second.SetSkipFocus(true);
  ASSERT_TRUE(ShowAndFocus(first));
  ::SetFocus(second.Handle());
  Application.ProcessMessages();
  EXPECT_EQ(enters, 0);
  EXPECT_EQ(second.SelLength(), 0);

  ::SetFocus(first.Handle());
  second.SetSkipFocus(false);
  ::SetFocus(second.Handle());
  Application.ProcessMessages();
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(selectedOnEnter, 3);
}

TEST_F(EditTest, ClickFiresOnEnterOnceWithoutSelectingAllUnlessFocusIsSkipped) {
  TStringEdit first(form.get());
  TStringEdit second(form.get());
  second.SetTop(40);
  second.SetText("abc");
  int enters = 0;
  second.OnEnter = [&] { ++enters; };
  ASSERT_TRUE(ShowAndFocus(first));
  struct Case {
    bool skip;
    int enters;
  } cases[] = {{true, 0}, {false, 1}};
  for (const Case& c : cases) {
    ::SetFocus(first.Handle());
    enters = 0;
    second.SetSkipFocus(c.skip);
    SendMessageW(second.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
    SendMessageW(second.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 5));
    Application.ProcessMessages();
    EXPECT_EQ(enters, c.enters) << c.skip;
    EXPECT_EQ(second.SelLength(), 0) << c.skip;
  }
}

}  // namespace
}  // namespace vk::gui::test
