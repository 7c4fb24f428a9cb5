#include <gtest/gtest.h>

#include <cstdio>

#include "GridModelFixture.h"
#include "Tools/LocalDbCtrls/DataGridPainter.h"

namespace vk {
namespace {

using testing::GridModelTest;
using testing::ItemColumns;

// A canvas that keeps, per pixel of the client area, how often it was
// painted and its last colour, and records the text calls. Characters are
// 6 pixels wide, dots 3, letters outside ASCII 7.
class PixelCanvas : public TGridCanvas {
 public:
  struct Text {
    TGridRect clip;
    int32_t x, y;
    std::string text;
    std::vector<int32_t> ends;
    TGridColor fore, back;
  };

  PixelCanvas(int32_t width, int32_t height)
      : width_(width), height_(height), counts_(static_cast<size_t>(width * height)), colors_(counts_.size()) {}

  void FillRect(const TGridRect& rect, TGridColor color) override { Paint(rect, color); }
  std::vector<int32_t> CharacterEnds(const std::string& text) override {
    std::vector<int32_t> ends;
    int32_t x = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      const auto byte = static_cast<unsigned char>(text[i]);
      if ((byte & 0xC0) == 0x80) continue;
      x += byte == '.' ? 3 : byte < 0x80 ? 6 : 7;
      ends.push_back(x);
    }
    return ends;
  }
  int32_t TextHeight() override { return 13; }
  void TextRect(const TGridRect& clip, int32_t x, int32_t y, const std::string& text, const std::vector<int32_t>& ends,
                TGridColor fore, TGridColor back) override {
    Paint(clip, back);
    texts.push_back({clip, x, y, text, ends, fore, back});
  }
  void FocusRect(const TGridRect& rect) override { focus.push_back(rect); }

  int Count(int32_t x, int32_t y) const { return counts_[Index(x, y)]; }
  TGridColor ColorAt(int32_t x, int32_t y) const { return colors_[Index(x, y)]; }
  // The texts drawn with a clip inside the rectangle.
  std::vector<Text> TextsIn(const TGridRect& rect) const {
    std::vector<Text> found;
    for (const Text& t : texts) {
      if (Intersect(t.clip, rect) == t.clip) found.push_back(t);
    }
    return found;
  }

  std::vector<Text> texts;
  std::vector<TGridRect> focus;

 private:
  size_t Index(int32_t x, int32_t y) const { return static_cast<size_t>(y * width_ + x); }
  void Paint(const TGridRect& rect, TGridColor color) {
    const TGridRect r = Intersect(rect, {0, 0, width_, height_});
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      for (int32_t x = r.Left; x < r.Right; ++x) {
        ++counts_[Index(x, y)];
        colors_[Index(x, y)] = color;
      }
    }
  }

  int32_t width_, height_;
  std::vector<int> counts_;
  std::vector<TGridColor> colors_;
};

class GridPainterTest : public GridModelTest {
 protected:
  // 300 items "i0001".."i0300", the table on record 150.
  void SetUp() override {
    GridModelTest::SetUp();
    for (int i = 1; i <= 300; ++i) {
      char name[8];
      std::snprintf(name, sizeof name, "i%04d", i);
      t.Add(name, i % 7, static_cast<uint32_t>(i) * 125);
    }
    t.SetRecNo(150);
  }

  PixelCanvas Paint(const TDataGridModel& grid, const TGridPaint& paint) {
    PixelCanvas canvas(paint.ClientWidth, paint.ClientHeight);
    PaintDataGrid(canvas, grid, paint, {0, 0, paint.ClientWidth, paint.ClientHeight});
    return canvas;
  }
  // The data columns of ItemColumns lie right of the indicator (0..10):
  // ID 11..51, Name 52..172, Grp 173..213, Price 214..274.
  static constexpr int32_t kColumnsRight = 275;
};

TEST_F(GridPainterTest, EveryPixelOutsideTheHeaderIsPaintedExactlyOnce) {
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  grid.OnSearch = [](std::string& text) { text.resize(1); };
  struct Case {
    const char* what;
    int32_t width, height, topRow, headerHeight;
    bool search;
  } cases[] = {
      {"wider than the columns, the last row cut by the bottom", 400, 300, 140, 19, false},
      {"the last rows of the table, window colour below them", 300, 320, 292, 19, false},
      {"a search in the current row, a header of 18 pixels", 420, 250, 145, 18, true},
      {"narrower than the columns", 200, 120, 151, 19, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    grid.MoveTo(2, 151);
    if (c.search) {
      char32_t key = U'i';
      grid.KeyPress(key);
      key = U'0';
      grid.KeyPress(key);
      ASSERT_EQ(grid.HighlightLength(), 1);
    }
    const TGridPaint paint{c.topRow, c.width, c.height, {11, 0, c.width, c.headerHeight}, true};
    const PixelCanvas canvas = Paint(grid, paint);
    int wrong = 0;
    for (int32_t y = 0; y < c.height; ++y) {
      for (int32_t x = 0; x < c.width; ++x) {
        const bool underHeader = x >= 11 && y < c.headerHeight;
        if (canvas.Count(x, y) != (underHeader ? 0 : 1) && ++wrong <= 5)
          ADD_FAILURE() << "pixel " << x << "," << y << " painted " << canvas.Count(x, y) << " times";
      }
    }
    EXPECT_EQ(canvas.focus.size(), c.topRow <= 151 ? 1u : 0u);  // on the current cell when it shows
    if (c.search) {
      const int32_t rowTop = kRowPitch * (151 - c.topRow + 1);
      EXPECT_EQ(canvas.ColorAt(9, rowTop + 9), TGridColor::Highlight);  // the triangle's point
      EXPECT_EQ(canvas.ColorAt(1, rowTop + 1), TGridColor::Highlight);
      EXPECT_EQ(canvas.ColorAt(1, rowTop), TGridColor::ButtonFace);
    }
    if (c.width > kColumnsRight) {
      EXPECT_EQ(canvas.ColorAt(c.width - 1, c.height - 1), TGridColor::Window);
    }
    grid.StopSearch();
  }
}

TEST_F(GridPainterTest, SearchedCellDrawsItsWholeTextFromOneLayout) {
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  // The handler keeps three of the five typed characters as matched.
  grid.OnSearch = [](std::string& text) { text.resize(std::min<size_t>(text.size(), 3)); };
  grid.MoveTo(2, 151);
  for (char32_t key : std::u32string(U"i0151")) grid.KeyPress(key);
  ASSERT_EQ(grid.HighlightLength(), 3);
  const TGridPaint paint{140, 400, 300, {11, 0, 400, 19}, false};
  const PixelCanvas canvas = Paint(grid, paint);
  const TGridRect cell{52, kRowPitch * 12, 172, kRowPitch * 12 + 18};
  const std::vector<PixelCanvas::Text> parts = canvas.TextsIn(cell);
  ASSERT_GE(parts.size(), 2u);
  int32_t area = 0;
  for (const PixelCanvas::Text& part : parts) {
    EXPECT_EQ(part.text, "i0151");
    EXPECT_EQ(part.x, 54);
    EXPECT_EQ(part.y, cell.Top + 2);
    EXPECT_EQ(part.ends, (std::vector<int32_t>{6, 12, 18, 24, 30}));
    area += (part.clip.Right - part.clip.Left) * (part.clip.Bottom - part.clip.Top);
    const bool marked = part.back == TGridColor::Highlight;
    EXPECT_EQ(part.fore, marked ? TGridColor::HighlightText : TGridColor::WindowText);
    if (marked) {
      EXPECT_EQ(part.clip, (TGridRect{54 + 18, cell.Top + 2, 54 + 30, cell.Top + 15}));
    }
  }
  EXPECT_EQ(area, 120 * 18);  // the parts tile the cell
}

TEST_F(GridPainterTest, CellTextIsPlacedByItsAlignmentAndCutWithDots) {
  t.SetRecNo(0);
  t.Edit();
  t.Name.SetAsString("Клей");
  t.Post();
  struct Case {
    TColumnAlignment alignment;
    int32_t width;
    std::string text;
    int32_t x;
  } cases[] = {
      {taLeftJustify, 60, "Клей", 13},        // Left + 2
      {taRightJustify, 60, "Клей", 70 - 28},  // ends at Right − 1
      {taCenter, 60, "Клей", (11 + 71 - 28) / 2 + 1},
      {taLeftJustify, 30, "Кл...", 13},  // room 27: two letters and the dots
      {taRightJustify, 20, "К...", 30 - 16},
  };
  for (const Case& c : cases) {
    TDataGridModel grid(&t, {MakeDataColumn(1, c.alignment, c.width, "Name", nullptr, 1)}, false, &view);
    grid.MoveTo(1, 2);  // the current cell elsewhere
    const PixelCanvas canvas = Paint(grid, {1, 200, 100, {11, 0, 200, 19}, false});
    const std::vector<PixelCanvas::Text> texts = canvas.TextsIn({11, kRowPitch, 11 + c.width, 2 * kRowPitch});
    ASSERT_EQ(texts.size(), 1u) << c.text;
    EXPECT_EQ(texts[0].text, c.text);
    EXPECT_EQ(texts[0].x, c.x) << c.text;
  }
}

TEST_F(GridPainterTest, RowsOfRecordsDeletedBeforeTheRefreshPaintEmpty) {
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  grid.MoveTo(2, 151);
  while (t.RecordCount() > 145) t.Delete();
  const PixelCanvas canvas = Paint(grid, {140, 400, 300, {11, 0, 400, 19}, true});
  for (const PixelCanvas::Text& text : canvas.texts) {
    const int32_t row = 140 + text.clip.Top / kRowPitch - 1;
    EXPECT_LE(row, 145) << text.text;
  }
  // The deleted current row is still highlighted, without text.
  EXPECT_EQ(canvas.ColorAt(60, kRowPitch * 12 + 5), TGridColor::Highlight);
  EXPECT_EQ(canvas.focus.size(), 1u);
}

}  // namespace
}  // namespace vk
