#include <optional>
#include <vector>

#include "Gui/GdiHandles.h"
#include "Tools/LocalDbCtrls/DateEdit.h"
#include "Tools/LocalDbCtrls/IntEdit.h"
#include "tests/EditControls/EditControlsSupport.h"

namespace vk::gui::test {
namespace {

using DateEditTest = EditFormTest;

// A bitmap the size of a window's client area, to paint into.
class ClientBitmap {
 public:
  ClientBitmap(int width, int height) : width_(width), height_(height) {
    WindowDc screen(nullptr);
    bitmap_.Reset(CreateCompatibleBitmap(screen.Dc(), width, height));
    select_.emplace(dc_.Dc(), bitmap_.Get());
  }
  HDC Dc() const { return dc_.Dc(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_.Dc(), x, y); }

 private:
  int width_, height_;
  MemoryDc dc_;
  UniqueBitmap bitmap_;
  std::optional<SelectGuard> select_;
};

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

TEST_F(DateEditTest, PaintingShowsNoPlaceholderAndLinesUpWithTheCaretPositions) {
  TDateEdit edit(form.get());
  edit.SetWidth(140);
  ASSERT_TRUE(ShowAndFocus(edit));
  HWND window = edit.Handle();
  RECT client;
  GetClientRect(window, &client);
  for (const char* text : {"0_.12.20__", "__.__.____", "31.12.1999", "_7.1_._0_6"}) {
    SCOPED_TRACE(text);
    edit.SetText(text);
    edit.SetSelection(10, 0);
    ClientBitmap shown(client.right, client.bottom);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(shown.Dc()), 0);

    ClientBitmap expected(client.right, client.bottom);
    FillRect(expected.Dc(), &client, edit.BackgroundBrush());
    SelectGuard font(expected.Dc(), edit.Font().Handle());
    SetBkMode(expected.Dc(), TRANSPARENT);
    SetTextColor(expected.Dc(), GetSysColor(COLOR_WINDOWTEXT));
    std::wstring wide = platform::Utf8ToWide(text);
    std::vector<int> caretX;
    for (int i = 0; i < 10; ++i) {
      LRESULT at = SendMessageW(window, EM_POSFROMCHAR, i, 0);
      caretX.push_back(static_cast<short>(LOWORD(at)));
      if (wide[i] != L'_')
        ExtTextOutW(expected.Dc(), caretX[i], static_cast<short>(HIWORD(at)), 0, nullptr, &wide[i], 1, nullptr);
    }
    COLORREF background = expected.At(0, 0);
    int mismatches = 0;
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = 0; x < client.right; ++x) {
        if (shown.At(x, y) != expected.At(x, y)) ++mismatches;
      }
    }
    EXPECT_EQ(mismatches, 0);
    // Where a placeholder stands nothing is drawn at all.
    caretX.push_back(caretX.back() + (caretX[9] - caretX[8]));
    for (int i = 0; i < 10; ++i) {
      if (wide[i] != L'_') continue;
      for (int x = caretX[i]; x < caretX[i + 1]; ++x) {
        for (int y = 0; y < client.bottom; ++y) ASSERT_EQ(shown.At(x, y), background) << "position " << i;
      }
    }
  }
}

}  // namespace
}  // namespace vk::gui::test
