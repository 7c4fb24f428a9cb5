#include "Gui/StdCtrls.h"
#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

using PaintTest = GuiTest;

// The client area of a form as its own painting leaves it (WM_PRINTCLIENT),
// on a white bitmap.
class Snapshot {
 public:
  explicit Snapshot(TForm& form) {
    RECT client = form.ClientRect();
    width_ = client.right;
    height_ = client.bottom;
    WindowDc screen(nullptr);
    bitmap_.Reset(CreateCompatibleBitmap(screen.Dc(), width_, height_));
    SelectGuard select(dc_.Dc(), bitmap_.Get());
    PatBlt(dc_.Dc(), 0, 0, width_, height_, WHITENESS);
    SendMessageW(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    pixels_.resize(static_cast<size_t>(width_ * height_));
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) pixels_[static_cast<size_t>(y * width_ + x)] = GetPixel(dc_.Dc(), x, y);
    }
  }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  // The box around the dark (text) pixels inside the area; empty when none.
  RECT DarkBox(const RECT& area) const {
    RECT box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        COLORREF c = At(x, y);
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 384) continue;
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
    }
    return box;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  MemoryDc dc_;
  UniqueBitmap bitmap_;
  std::vector<COLORREF> pixels_;
};

TEST_F(PaintTest, LabelTextIsPlacedByAlignmentAndLayout) {
  constexpr RECT kLabel{10, 10, 310, 90};
  struct Case {
    const char* name;
    TAlignment alignment;
    TTextLayout layout;
    // Where the text's box must lie.
    LONG minLeft, maxRight, minTop, maxBottom;
  } cases[] = {
      {"left top", TAlignment::taLeftJustify, TTextLayout::tlTop, 10, 120, 10, 45},
      {"right top", TAlignment::taRightJustify, TTextLayout::tlTop, 200, 310, 10, 45},
      {"centre centre", TAlignment::taCenter, TTextLayout::tlCenter, 105, 215, 30, 70},
      {"left bottom", TAlignment::taLeftJustify, TTextLayout::tlBottom, 10, 120, 55, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto form = MakeForm<TestForm>();
    form->SetClientSize(320, 100);
    form->SetColor(clWhite);
    TLabel label(form.get());
    label.SetAutoSize(false);
    label.SetBounds(kLabel.left, kLabel.top, kLabel.right - kLabel.left, kLabel.bottom - kLabel.top);
    TFont font("Tahoma", -24, fsBold);
    font.SetColor(clBlack);
    label.SetFont(font);
    label.SetCaption("MMMM");
    label.SetAlignment(c.alignment);
    label.SetLayout(c.layout);

    RECT box = Snapshot(*form).DarkBox({0, 0, 320, 100});
    ASSERT_LT(box.left, box.right) << "no text painted";
    EXPECT_GE(box.left, c.minLeft);
    EXPECT_LE(box.right, c.maxRight);
    EXPECT_GE(box.top, c.minTop);
    EXPECT_LE(box.bottom, c.maxBottom);
  }
}

// A last letter whose ink reaches past its advance (the tail of "у" in
// Tahoma, an italic "f") stays whole at the right edge: the ink is as wide as
// the same text drawn with room to spare, and ends inside the label.
TEST_F(PaintTest, RightAlignedTextKeepsTheInkOfItsLastLetter) {
  struct Case {
    const char* text;
    TFont font;
  } cases[] = {{"Рух товару", TFont("Tahoma", -11)},
               {"Рух товару", TFont("Tahoma", -24, fsBold)},
               {"Wolf", TFont("Tahoma", -24, fsItalic)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto form = MakeForm<TestForm>();
    form->SetClientSize(320, 100);
    form->SetColor(clWhite);
    TFont font = c.font;
    font.SetColor(clBlack);
    TLabel free(form.get());
    free.SetAutoSize(false);
    free.SetBounds(20, 5, 280, 40);
    free.SetFont(font);
    free.SetCaption(c.text);
    TLabel right(form.get());
    right.SetAutoSize(false);
    right.SetAlignment(TAlignment::taRightJustify);
    right.SetBounds(20, 55, 200, 40);
    right.SetFont(font);
    right.SetCaption(c.text);
    const Snapshot shot(*form);
    const RECT whole = shot.DarkBox({0, 0, 320, 50});
    const RECT edge = shot.DarkBox({0, 50, 320, 100});
    ASSERT_LT(whole.left, whole.right) << "no text painted";
    EXPECT_EQ(edge.right - edge.left, whole.right - whole.left) << "the last letter lost ink";
    EXPECT_LE(edge.right, 220);
    EXPECT_GE(edge.right, 214) << "the text no longer ends at the edge";
  }
}

TEST_F(PaintTest, OpaqueLabelFillsWithItsColourTransparentOneShowsTheFormPaint) {
  struct Case {
    bool transparent;
    COLORREF expected;
  } cases[] = {{false, RGB(255, 0, 0)}, {true, RGB(0, 0, 255)}};
  for (const Case& c : cases) {
    auto form = MakeForm<TestForm>();
    form->SetClientSize(200, 100);
    // The form's own painting (as a bottom band would be) lies under the label.
    form->OnPaint = [](TCanvas& canvas) {
      canvas.Brush.Color = clBlue;
      canvas.FillRect({0, 60, 200, 100});
    };
    TLabel label(form.get());
    label.SetAutoSize(false);
    label.SetBounds(20, 50, 150, 40);
    label.SetColor(clRed);
    label.SetTransparent(c.transparent);
    label.SetCaption(".");
    Snapshot shot(*form);
    EXPECT_EQ(shot.At(160, 80), c.expected);
    EXPECT_EQ(shot.At(5, 5), ColorToRGB(clBtnFace));
  }
}

TEST_F(PaintTest, WordWrapBreaksTheTextIntoLines) {
  auto form = MakeForm<TestForm>();
  form->SetClientSize(300, 200);
  TLabel wrapped(form.get());
  wrapped.SetAutoSize(false);
  wrapped.SetWordWrap(true);
  wrapped.SetBounds(10, 10, 60, 180);
  wrapped.SetCaption("one two three four five six seven eight");
  RECT box = Snapshot(*form).DarkBox({0, 0, 300, 200});
  EXPECT_LE(box.right, 70);
  EXPECT_GT(box.bottom - box.top, 40);  // at least four lines of 13 pixels
}

TEST_F(PaintTest, AutoSizedLabelFitsItsText) {
  auto form = MakeForm<TestForm>();
  TLabel label(form.get());
  label.SetCaption("Enter password:");
  int oneLine = label.Height();
  int width = label.Width();
  EXPECT_GT(width, 40);
  EXPECT_GT(oneLine, 8);
  label.SetCaption("Enter password: and more");
  EXPECT_GT(label.Width(), width);
  EXPECT_EQ(label.Height(), oneLine);
}

TEST_F(PaintTest, ExceptionWhilePaintingIsReportedAfterThePainting) {
  auto form = MakeForm<TestForm>();
  form->OnPaint = [](TCanvas&) { throw EIntOverflow(); };
  form->Show();
  Snapshot shot(*form);
  EXPECT_TRUE(errors.empty()) << "reported inside the painting";
  ASSERT_TRUE(PumpUntil([&] { return !errors.empty(); }));
  EXPECT_EQ(errors.front(), "EIntOverflow: Integer overflow");
  form->OnPaint = nullptr;
}

TEST_F(PaintTest, CanvasCutsTextWithAnEllipsisAndFillsAGradient) {
  MemoryDc dc;
  WindowDc screen(nullptr);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Dc(), 200, 60));
  SelectGuard select(dc.Dc(), bitmap.Get());
  {
    TCanvas canvas(dc.Dc());
    canvas.GradientFillVertical({0, 0, 200, 40}, clWhite, clBlack);
    canvas.Brush.Color = clWhite;
    canvas.FillRect({0, 40, 200, 60});
    canvas.Font.SetColor(clBlack);
    std::string longText(40, 'W');
    EXPECT_GT(canvas.TextWidth(longText), 100);
    canvas.DrawTextEllipsis({0, 40, 100, 60}, longText, TAlignment::taLeftJustify);
  }
  // Top light, bottom dark.
  EXPECT_GT(GetRValue(GetPixel(dc.Dc(), 100, 1)), 200);
  EXPECT_LT(GetRValue(GetPixel(dc.Dc(), 100, 38)), 50);
  // Nothing of the cut text beyond its rectangle.
  for (int x = 100; x < 200; ++x) EXPECT_EQ(GetPixel(dc.Dc(), x, 50), RGB(255, 255, 255)) << x;
}

}  // namespace
}  // namespace vk::gui::test
