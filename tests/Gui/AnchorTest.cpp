#include "Gui/StdCtrls.h"
#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

using AnchorTest = GuiTest;

RECT WindowBoundsInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A control at (50, 30) 80 x 20 on a 200 x 100 client area that grows to 300 x 160.
struct Case {
  const char* name;
  TAnchors anchors;
  RECT expected;
} const kCases[] = {
    {"left top", akLeft | akTop, {50, 30, 130, 50}},
    {"right bottom", akRight | akBottom, {150, 90, 230, 110}},
    {"left right", akLeft | akRight | akTop, {50, 30, 230, 50}},
    {"top bottom", akLeft | akTop | akBottom, {50, 30, 130, 110}},
    {"all four", akLeft | akTop | akRight | akBottom, {50, 30, 230, 110}},
    // Centre 90 of 200 goes to 135 of 300; centre 40 of 100 to 64 of 160.
    {"none", 0, {95, 54, 175, 74}},
};

TEST_F(AnchorTest, WindowedControlFollowsItsAnchorsWhenTheFormGrows) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    auto form = MakeForm<TestForm>();
    form->SetClientSize(200, 100);
    TButton button(form.get());
    button.SetBounds(50, 30, 80, 20);
    button.SetAnchors(c.anchors);
    form->Show();
    form->SetClientSize(300, 160);

    RECT actual = WindowBoundsInParent(button.Handle());
    EXPECT_EQ(actual.left, c.expected.left);
    EXPECT_EQ(actual.top, c.expected.top);
    EXPECT_EQ(actual.right, c.expected.right);
    EXPECT_EQ(actual.bottom, c.expected.bottom);
    EXPECT_EQ(button.Left(), c.expected.left);
    EXPECT_EQ(button.Width(), c.expected.right - c.expected.left);
  }
}

TEST_F(AnchorTest, LabelFollowsItsAnchorsWhenTheFormGrows) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    auto form = MakeForm<TestForm>();
    form->SetClientSize(200, 100);
    TLabel label(form.get());
    label.SetAutoSize(false);
    label.SetBounds(50, 30, 80, 20);
    label.SetAnchors(c.anchors);
    form->Show();
    form->SetClientSize(300, 160);
    RECT actual = label.BoundsRect();
    EXPECT_EQ(actual.left, c.expected.left);
    EXPECT_EQ(actual.top, c.expected.top);
    EXPECT_EQ(actual.right, c.expected.right);
    EXPECT_EQ(actual.bottom, c.expected.bottom);
  }
}

TEST_F(AnchorTest, ShrinkingBackRestoresTheDesignedPlaces) {
  auto form = MakeForm<TestForm>();
  form->SetClientSize(364, 142);
  TButton ok(form.get());
  ok.SetBounds(276, 108, 80, 25);
  ok.SetAnchors(akRight | akBottom);
  form->Show();
  form->SetClientSize(500, 300);
  EXPECT_EQ(ok.Left(), 412);
  EXPECT_EQ(ok.Top(), 266);
  form->SetClientSize(364, 142);
  RECT actual = WindowBoundsInParent(ok.Handle());
  EXPECT_EQ(actual.left, 276);
  EXPECT_EQ(actual.top, 108);
}

TEST_F(AnchorTest, ControlsPlacedBeforeTheFormIsSizedKeepTheirPlaces) {
  // The designed size may be set after the controls: they are not moved by it.
  auto form = MakeForm<TestForm>();
  TButton ok(form.get());
  ok.SetBounds(190, 109, 80, 25);
  ok.SetAnchors(akRight | akBottom);
  form->SetClientSize(364, 142);
  form->Show();
  RECT actual = WindowBoundsInParent(ok.Handle());
  EXPECT_EQ(actual.left, 190);
  EXPECT_EQ(actual.top, 109);
}

}  // namespace
}  // namespace vk::gui::test
