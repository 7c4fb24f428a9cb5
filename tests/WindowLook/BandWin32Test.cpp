#include <windows.h>
// The theme functions need the window types first.
#include <uxtheme.h>

#include <cstdlib>

#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienter.h"
#include "Tools/Service/GlassGradienterBand.h"
#include "Tools/Service/GlassGradienterDwm.h"
#include "tests/Gui/GuiTestSupport.h"

namespace vk::test {
namespace {

using gui::Application;

class BandTestForm : public TBandForm {
 public:
  BandTestForm() {
    SetBorderStyle(gui::TFormBorderStyle::bsDialog);
    SetClientSize(300, 120);
    PlaceBand();
    Ok.SetBounds(210, 88, 80, 25);
    Ok.SetCaption("OK");
    Ok.SetModalResult(gui::mrOk);
  }
  std::string ClassName() const override { return "TFormStat"; }
  gui::TButton Ok{this};
};

using BandTest = gui::test::GuiTest;

// Wine draws with a visual theme, whose caption its light theme paints white.
// While one of these lives the test process is not themed, so the band takes
// the caption colours, a visible gradient.
class UnthemedScope {
 public:
  UnthemedScope() {
    SetThemeAppProperties(0);
    GlassGradienter().UpdateColors(nullptr);
  }
  ~UnthemedScope() {
    SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT);
    GlassGradienter().UpdateColors(nullptr);
  }
  UnthemedScope(const UnthemedScope&) = delete;
  UnthemedScope& operator=(const UnthemedScope&) = delete;
};

int Channel(COLORREF c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// Each channel within the tolerance of the expected colour.
::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int tolerance) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) {
      return ::testing::AssertionFailure() << std::hex << "actual 0x" << actual << ", expected 0x" << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

// The colour a vertical gradient of height rows has in row y.
COLORREF GradientRow(COLORREF top, COLORREF bottom, int y, int rows) {
  auto mix = [&](int shift) { return Channel(top, shift) + (Channel(bottom, shift) - Channel(top, shift)) * y / rows; };
  return RGB(mix(0), mix(8), mix(16));
}

TEST_F(BandTest, ThemedBandTakesTheDarkestAndLightestOfTheThemesCaption) {
  // Wine has no desktop composition: the band is a gradient, never glass.
  TGlassGradienter& painter = GlassGradienter();
  EXPECT_FALSE(painter.Glass().Enabled);
  EXPECT_FALSE(painter.Glass().IsCompositionEnabled());
  if (!IsThemeActive() || !IsAppThemed()) GTEST_SKIP() << "no visual theme";
  const TBandColors& colors = painter.Colors();
  EXPECT_LE(Luminance(colors.ActiveFirst), Luminance(colors.ActiveSecond));
  EXPECT_LE(Luminance(colors.InactiveFirst), Luminance(colors.InactiveSecond));
  EXPECT_EQ(painter.GetColor(true), gui::clCaptionText);
}

TEST_F(BandTest, UnthemedBandTakesTheCaptionColours) {
  UnthemedScope unthemed;
  TGlassGradienter& painter = GlassGradienter();
  EXPECT_FALSE(painter.Glass().Enabled);
  EXPECT_FALSE(painter.Glass().IsCompositionEnabled());
  BOOL gradient = FALSE;
  SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
  const TBandColors& colors = painter.Colors();
  EXPECT_EQ(colors.ActiveFirst, GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(colors.InactiveFirst, GetSysColor(COLOR_INACTIVECAPTION));
  EXPECT_EQ(colors.ActiveSecond, GetSysColor(gradient ? COLOR_GRADIENTACTIVECAPTION : COLOR_ACTIVECAPTION));
  EXPECT_EQ(colors.InactiveSecond, GetSysColor(gradient ? COLOR_GRADIENTINACTIVECAPTION : COLOR_INACTIVECAPTION));
  EXPECT_EQ(painter.GetColor(true), gui::clCaptionText);
  EXPECT_EQ(painter.GetColor(false), gui::clInactiveCaptionText);
}

TEST_F(BandTest, BandPixelsOfARealWindowAreThePaintersColours) {
  UnthemedScope unthemed;
  auto form = gui::MakeForm<BandTestForm>();
  form->Show();
  HWND window = form->Handle();
  const TBandColors& colors = GlassGradienter().Colors();
  const int top = form->Image.Top();
  const int bottom = top + kBandHeight - 1;
  struct Case {
    const char* name;
    BOOL active;
    COLORREF second, first;
  } cases[] = {
      {"active", TRUE, WithoutAlpha(colors.ActiveSecond), WithoutAlpha(colors.ActiveFirst)},
      {"inactive", FALSE, WithoutAlpha(colors.InactiveSecond), WithoutAlpha(colors.InactiveFirst)},
      {"active again", TRUE, WithoutAlpha(colors.ActiveSecond), WithoutAlpha(colors.ActiveFirst)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SendMessageW(window, WM_NCACTIVATE, c.active, 0);
    gui::WindowDc dc(window);
    for (int x : {0, 150, 299}) {
      EXPECT_TRUE(Near(GetPixel(dc.Dc(), x, top), c.second, 1)) << "top row, x " << x;
      EXPECT_TRUE(Near(GetPixel(dc.Dc(), x, bottom), GradientRow(c.second, c.first, kBandHeight - 1, kBandHeight), 2))
          << "bottom row, x " << x;
    }
  }
  // The colours differ enough for the rows to tell the states apart.
  ASSERT_FALSE(Near(cases[0].second, cases[1].second, 4));
  // Glass is off: the bevel above the band shows, and the band is marked as
  // prepared for this window.
  EXPECT_TRUE(form->Bevel.Visible());
  EXPECT_EQ(form->Image.Tag(), reinterpret_cast<intptr_t>(window));
  EXPECT_TRUE(errors.empty());
}

TEST_F(BandTest, BandOfARecreatedWindowIsPreparedAgain) {
  auto form = gui::MakeForm<BandTestForm>();
  form->Show();
  UpdateWindow(form->Handle());
  intptr_t first = form->Image.Tag();
  EXPECT_EQ(first, reinterpret_cast<intptr_t>(form->Handle()));
  form->DestroyHandle();
  form->Hide();
  form->Show();
  UpdateWindow(form->Handle());
  EXPECT_EQ(form->Image.Tag(), reinterpret_cast<intptr_t>(form->Handle()));
  // A change of colours makes the band be prepared again at its next paint.
  GlassGradienter().UpdateColors(&form->Image);
  EXPECT_EQ(form->Image.Tag(), 0);
  form->Invalidate();
  UpdateWindow(form->Handle());
  EXPECT_EQ(form->Image.Tag(), reinterpret_cast<intptr_t>(form->Handle()));
}

TEST_F(BandTest, HorizontalFillPutsTheFirstColourLeftAndOnlyFillRectKeepsTheRectangle) {
  TGlassGradienter& painter = GlassGradienter();
  gui::WindowDc screen(nullptr);
  gui::MemoryDc dc;
  gui::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Dc(), 100, 10));
  gui::SelectGuard select(dc.Dc(), bitmap.Get());
  TBandVertices before = painter.Vertices();
  painter.FillRectCopy(dc.Dc(), true, {0, 0, 100, 10});
  EXPECT_EQ(painter.Vertices(), before);
  EXPECT_TRUE(Near(GetPixel(dc.Dc(), 0, 5), WithoutAlpha(painter.Colors().ActiveFirst), 3));
  EXPECT_TRUE(Near(GetPixel(dc.Dc(), 99, 5), WithoutAlpha(painter.Colors().ActiveSecond), 3));

  painter.FillRect(dc.Dc(), false, {10, 2, 60, 8});
  EXPECT_EQ(painter.Vertices()[0].X, 60);
  EXPECT_EQ(painter.Vertices()[0].Y, 2);
  EXPECT_EQ(painter.Vertices()[1].X, 10);
  EXPECT_EQ(painter.Vertices()[1].Y, 8);
  EXPECT_EQ(painter.Vertices()[2], before[2]);
  EXPECT_TRUE(Near(GetPixel(dc.Dc(), 10, 5), WithoutAlpha(painter.Colors().InactiveFirst), 3));
}

TEST_F(BandTest, GlassCallsAreRefusedWhileCompositionIsOff) {
  TGlassManager& glass = GlassGradienter().Glass();
  ASSERT_FALSE(glass.Enabled);
  auto form = gui::MakeForm<BandTestForm>();
  EXPECT_THROW(glass.ExtendFrame(form->Handle(), kBandHeight), EAssertionFailed);
  EXPECT_THROW(glass.SetLayered(form->Handle(), 0x197510), EAssertionFailed);
  glass.ClearLayered(form->Handle());
  EXPECT_EQ(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

}  // namespace
}  // namespace vk::test
