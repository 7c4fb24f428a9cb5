#include "Tools/LocalDbCtrls/DateEdit.h"
#include "Tools/LocalDbCtrls/IntEdit.h"
#include "tests/EditControls/EditControlsSupport.h"

namespace vk::gui::test {
namespace {

using DateEditTest = EditFormTest;

TEST_F(DateEditTest, TypedDigitsFillTheMaskPastTheSeparators) {
  TDateEdit edit(form.get());
  HWND window = edit.Handle();
  EXPECT_EQ(edit.Text(), "__.__.____");
  EXPECT_EQ(edit.Date(), 0);
  edit.SetSelection(0, 0);
  TypeChars(window, "07122026");
  EXPECT_EQ(edit.Text(), "07.12.2026");
  EXPECT_EQ(edit.SelStart(), 10);
  EXPECT_EQ(edit.Date(), *TryEncodeDate(2026, 12, 7));
}

TEST_F(DateEditTest, KeysAndBackspaceStepOverSeparators) {
  TDateEdit edit(form.get());
  edit.SetText("07.12.2026");
  HWND window = edit.Handle();
  edit.SetSelection(3, 0);
  SendMessageW(window, WM_CHAR, 8, 1);
  EXPECT_EQ(edit.Text(), "0_.12.2026");
  EXPECT_EQ(edit.SelStart(), 1);
  SendKey(window, VK_DELETE);
  EXPECT_EQ(edit.Text(), "0_.12.2026");
  EXPECT_EQ(edit.SelStart(), 3);
  SendKey(window, VK_LEFT);
  EXPECT_EQ(edit.SelStart(), 1);
  edit.SetSelection(4, 0);
  SendKey(window, VK_HOME);
  SendKey(window, VK_RIGHT);
  SendKey(window, VK_RIGHT);
  EXPECT_EQ(edit.SelStart(), 3);
}

TEST_F(DateEditTest, PasteFillsOnlyTheEmptyMaskOrASelection) {
  TDateEdit edit(form.get());
  HWND window = edit.Handle();
  ASSERT_TRUE(SetClipboardText("2026-12-07"));
  edit.SetSelection(0, 0);
  SendMessageW(window, WM_CHAR, 22, 1);
  EXPECT_EQ(edit.Text(), "20.26.1207");
  edit.SetSelection(4, 0);
  SendMessageW(window, WM_PASTE, 0, 0);
  EXPECT_EQ(edit.Text(), "20.26.1207");
}

TEST_F(DateEditTest, LeavingTheFieldCompletesAValidDateOnly) {
  TDateEdit edit(form.get());
  TStringEdit other(form.get());
  other.SetTop(40);
  ASSERT_TRUE(ShowAndFocus(edit));
  HWND window = edit.Handle();
  edit.SetSelection(0, 0);
  TypeChars(window, "7.12.26");
  EXPECT_EQ(edit.Text(), "7_.12.26__");
  ::SetFocus(other.Handle());
  EXPECT_EQ(edit.Text(), "07.12.2026");

  edit.SetText("31.02.2026");
  ::SetFocus(window);
  ::SetFocus(other.Handle());
  EXPECT_EQ(edit.Text(), "31.02.2026");
  EXPECT_FALSE(edit.IsValidDate());
  EXPECT_THROW(edit.Date(), EConvertError);
}

TEST_F(DateEditTest, SeparatorAndOrderFollowTheLanguage) {
  TDateEdit edit(form.get());
  edit.SetDate(*TryEncodeDate(2026, 12, 7));
  EXPECT_EQ(edit.Text(), "07.12.2026");
  edit.SetSeparatorKind(2);
  EXPECT_EQ(edit.Text(), "07-12-2026");
  edit.SetSeparatorKind(1);
  edit.SetDateOrder(1);
  EXPECT_EQ(edit.Text(), "07/12/2026");
  edit.SetDate(*TryEncodeDate(2026, 12, 7));
  EXPECT_EQ(edit.Text(), "12/07/2026");
  edit.SetDate(0);
  EXPECT_EQ(edit.Text(), "__/__/____");
  edit.SetText("01/02/2026");
  edit.SetText("");
  EXPECT_EQ(edit.Text(), "__/__/____");
  EXPECT_EQ(edit.DateText(), "");
}

TEST_F(DateEditTest, PaintsWithoutErrorsWithPlaceholdersAndSelection) {
  TDateEdit edit(form.get());
  ASSERT_TRUE(ShowAndFocus(edit));
  edit.SetText("07.1_.____");
  edit.SetSelection(2, 4);
  edit.Invalidate();
  edit.Update();
  RedrawWindow(edit.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Application.ProcessMessages();
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace vk::gui::test
