// The status bar: panels at their right edges with the last one stretched,
// texts shown with their alignment marks taken off, a bar placed before its
// window exists that still lies along the grown form's bottom, and panels
// kept when the window is made again.

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "Gui/ComCtrls.h"
#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

using StatusBarTest = GuiTest;

std::vector<int> RightEdges(HWND bar) {
  const int count = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
  std::vector<int> edges(static_cast<size_t>(count));
  SendMessageW(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  return edges;
}

TEST_F(StatusBarTest, PanelsFollowTheirWidthsAndTheLastTakesTheRest) {
  auto form = MakeForm<TestForm>();
  form->SetClientSize(400, 200);
  TStatusBar bar(form.get());
  bar.SetBounds(0, form->ClientHeight() - 19, form->ClientWidth(), 19);
  bar.SetAnchors(akLeft | akRight | akBottom);
  bar.SetPanels({{120, TAlignment::taLeftJustify, " Ready"},
                 {40, TAlignment::taCenter, "NUM"},
                 {20, TAlignment::taRightJustify, " 12:00 "}});
  form->Show();
  EXPECT_EQ(RightEdges(bar.Handle()), (std::vector<int>{120, 160, -1}));
  EXPECT_EQ(bar.PanelTextShown(0), " Ready");
  EXPECT_EQ(bar.PanelTextShown(1), "NUM");
  EXPECT_EQ(bar.PanelTextShown(2), " 12:00 ");

  bar.SetPanelWidth(1, 75);
  bar.SetPanelText(1, "Поиск товара");
  EXPECT_EQ(RightEdges(bar.Handle()), (std::vector<int>{120, 195, -1}));
  EXPECT_EQ(bar.PanelTextShown(1), "Поиск товара");

  // Along the bottom of a grown form, the full width.
  form->SetClientSize(640, 300);
  RECT r;
  GetWindowRect(bar.Handle(), &r);
  MapWindowPoints(HWND_DESKTOP, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, 300 - 19);
  EXPECT_EQ(r.right - r.left, 640);

  bar.RecreateWnd();
  EXPECT_EQ(RightEdges(bar.Handle()), (std::vector<int>{120, 195, -1}));
  EXPECT_EQ(bar.PanelTextShown(2), " 12:00 ");
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace vk::gui::test
