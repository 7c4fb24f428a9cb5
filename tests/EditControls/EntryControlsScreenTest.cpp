// The entry controls together on a shown form, as the screen shows them; the
// screenshot is kept under the build tree's artifacts folder.
#include <vector>

#include "Tools/LocalDbCtrls/DateEdit.h"
#include "Tools/LocalDbCtrls/IntEdit.h"
#include "Tools/LocalDbCtrls/MoneyEdit.h"
#include "tests/EditControls/EditControlsSupport.h"
#include "tests/MessageBox/WindowCapture.h"

namespace vk::gui::test {
namespace {

using EntryControlsScreenTest = EditFormTest;

// What the screen shows of a window's client area.
std::vector<COLORREF> ScreenPixels(HWND window, int width, int height) {
  WindowDc source(window);
  MemoryDc memory;
  UniqueBitmap bitmap(CreateCompatibleBitmap(source.Dc(), width, height));
  SelectGuard select(memory.Dc(), bitmap.Get());
  BitBlt(memory.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory.Dc(), x, y));
  }
  return pixels;
}

TEST_F(EntryControlsScreenTest, TypedDateShowsBlanksWherePlaceholdersStand) {
  form->SetClientSize(320, 150);
  TMoneyEdit price(form.get());
  price.SetBounds(10, 10, 140, 21);
  price.SetMaxLength(13);
  price.SetText("1'234'567.89");
  TDateEdit date(form.get());
  date.SetBounds(10, 40, 140, 21);
  TIntEdit code(form.get());
  code.SetBounds(170, 10, 140, 21);
  code.SetText("31");
  TStringEdit name(form.get());
  name.SetBounds(170, 40, 140, 21);
  name.SetText("\xD0\x9A\xD0\xBB\xD0\xB5\xD0\xB9 \xD0\x9F\xD0\x92\xD0\x90");  // Клей ПВА
  TMoneyEdit locked(form.get());
  locked.SetBounds(10, 70, 140, 21);
  locked.SetText("0.00");
  locked.SetReadOnly(true);
  locked.SetColor(clBtnFace);

  ASSERT_TRUE(ShowAndFocus(date));
  HWND window = date.Handle();
  date.SetSelection(0, 0);
  TypeChars(window, "0712");
  ASSERT_EQ(date.Text(), "07.12.____");
  date.SetSelection(10, 0);  // the caret past the last cell
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application.ProcessMessages();
  EXPECT_TRUE(vk::test::SaveWindowScreenshot(form->Handle(), vk::test::ArtifactPath("entry-controls.bmp")));

  RECT client;
  GetClientRect(window, &client);
  std::vector<COLORREF> pixels = ScreenPixels(window, client.right, client.bottom);
  COLORREF background = ColorToRGB(date.Color());
  auto inkIn = [&](int from, int to) {
    int ink = 0;
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = from; x < to; ++x) ink += pixels[static_cast<size_t>(y * client.right + x)] != background;
    }
    return ink;
  };
  auto caretX = [&](int i) {
    return static_cast<int>(static_cast<short>(LOWORD(SendMessageW(window, EM_POSFROMCHAR, i, 0))));
  };
  int cell = caretX(7) - caretX(6);
  EXPECT_GT(inkIn(caretX(0), caretX(2)), 0) << "the typed day is not on the screen";
  EXPECT_EQ(inkIn(caretX(6), caretX(9) + cell), 0) << "placeholders of the year show";
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace vk::gui::test
