// Check box, combo box and memo: state set before the windows exist reaches
// them, user changes come back through the events, and a read-only memo
// leaves Tab to the dialog.

#include <gtest/gtest.h>
#include <windows.h>

#include "Gui/ListCtrls.h"
#include "Gui/Memo.h"
#include "Gui/StdCtrls.h"
#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

class ListCtrlsTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = MakeForm<TestForm>();
    form->SetClientSize(400, 300);
  }
  void TearDown() override {
    form.reset();
    GuiTest::TearDown();
  }
  FormPtr<TestForm> form;
};

TEST_F(ListCtrlsTest, ComboKeepsItsChoiceWhileItemsGoAndReportsTheUsersChoice) {
  TComboBox combo(form.get());
  combo.SetBounds(10, 10, 200, 21);
  for (const char* item : {"English", "Русский", "Українська", "Deutsch"}) combo.AddItem(item);
  combo.SetItemIndex(2);
  int selections = 0;
  combo.OnSelect = [&] { ++selections; };
  form->Show();
  HWND window = combo.Handle();
  ASSERT_EQ(SendMessageW(window, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(combo.Text(), "Українська");

  combo.DeleteItem(1);  // before the choice: it moves up with its item
  EXPECT_EQ(combo.ItemIndex(), 1);
  EXPECT_EQ(combo.Text(), "Українська");
  combo.DeleteItem(2);  // after it: nothing moves
  EXPECT_EQ(combo.Text(), "Українська");
  combo.DeleteItem(1);  // the chosen one: no choice is left
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), "");
  EXPECT_EQ(SendMessageW(window, CB_GETCOUNT, 0, 0), 1);

  combo.SetFocus();
  PostKey(window, VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return selections == 1; }));
  EXPECT_EQ(combo.Text(), "English");
  EXPECT_TRUE(errors.empty());
}

TEST_F(ListCtrlsTest, CheckBoxStateReachesTheWindowAndClicksComeBack) {
  TCheckBox box(form.get());
  box.SetBounds(10, 40, 200, 17);
  box.SetCaption("Створити ярлик програми на робочому столі");
  box.SetChecked(true);
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  form->Show();
  EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(box.Handle(), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(TextOf(box.Handle()), L"Створити ярлик програми на робочому столі");
}

TEST_F(ListCtrlsTest, MemoShowsItsLinesAndFollowsTheLast) {
  TMemo memo(form.get());
  memo.WordWrap = false;
  memo.SetReadOnly(true);
  memo.SetBounds(10, 70, 300, 80);
  form->Show();
  for (int i = 0; i < 200; ++i) memo.AddLine("Рядок " + std::to_string(i));
  memo.SetLine(100, "    C:\\Program Files\\Vorkel\\Vorkel.exe");
  HWND window = memo.Handle();
  ASSERT_EQ(SendMessageW(window, EM_GETLINECOUNT, 0, 0), 200);
  wchar_t line[128] = {};
  *reinterpret_cast<WORD*>(line) = 127;
  LRESULT length = SendMessageW(window, EM_GETLINE, 100, reinterpret_cast<LPARAM>(line));
  EXPECT_EQ(std::wstring(line, static_cast<size_t>(length)), L"    C:\\Program Files\\Vorkel\\Vorkel.exe");
  EXPECT_GT(SendMessageW(window, EM_GETFIRSTVISIBLELINE, 0, 0), 150);
  memo.Clear();
  EXPECT_EQ(GetWindowTextLengthW(window), 0);
}

TEST_F(ListCtrlsTest, TabLeavesAReadOnlyMemo) {
  TMemo memo(form.get());
  memo.SetReadOnly(true);
  memo.SetBounds(10, 10, 300, 80);
  TButton next(form.get());
  next.SetBounds(10, 100, 75, 25);
  form->Show();
  memo.SetLinesText("LICENCE\r\n\r\n1. Use it freely.");
  memo.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == memo.Handle(); }));
  PostKey(memo.Handle(), VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == next.Handle(); }));
  EXPECT_EQ(memo.Lines().size(), 3u);
}

}  // namespace
}  // namespace vk::gui::test
