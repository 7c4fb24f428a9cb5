#pragma once
// How the data grid looks, apart from the window: where its rows and columns
// lie in the client area, and the painting of its cells onto a canvas that
// the window (or a test, or a benchmark) supplies. Every pixel of the painted
// area gets its colour once, so a repaint never shows a half-painted state
// (background erasing is off); only the focus rectangle goes over a cell
// afterwards. A searched cell draws its text once from one measured layout:
// the highlight starts exactly where the typed prefix ends.

#include <cstdint>
#include <string>
#include <vector>

#include "Tools/LocalDbCtrls/DataGridModel.h"

namespace vk {

struct TGridRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TGridRect&) const = default;
};

TGridRect Intersect(const TGridRect& a, const TGridRect& b);
// The parts of the rectangle outside the hole, at most four, not overlapping.
std::vector<TGridRect> Subtract(const TGridRect& rect, const TGridRect& hole);

// A row and the grid line below it.
constexpr int32_t kRowPitch = kDefaultRowHeight + 1;

// Rows and columns in the client area: row 0 at the top, then the data rows
// from the top row on; every cell is followed by its grid line, on the
// right and below.
class TGridGeometry {
 public:
  TGridGeometry(const TDataGridLayout& layout, int32_t topRow, int32_t clientHeight)
      : layout_(layout), topRow_(topRow), clientHeight_(clientHeight) {}

  // The cell without its grid lines (those lie at x = Right and y = Bottom).
  TGridRect CellRect(int32_t col, int32_t row) const;
  // Whole data rows that fit below row 0; at least one.
  int32_t VisibleDataRows() const { return VisibleDataRows(clientHeight_); }
  static int32_t VisibleDataRows(int32_t clientHeight);
  // Grid column and row under a point, a grid line counting with the cell
  // before it; false outside the columns or above the first data row.
  bool CellAt(int32_t x, int32_t y, int32_t& col, int32_t& row) const;

 private:
  const TDataGridLayout& layout_;
  int32_t topRow_;
  int32_t clientHeight_;
};

// Colours by their use; the window turns them into system colours, the
// even and odd rows into the grid's row colours.
enum class TGridColor : uint8_t {
  EvenRow,
  OddRow,
  Window,
  WindowText,
  Highlight,
  HighlightText,
  ButtonFace,
  ButtonShadow,
};

class TGridCanvas {
 public:
  virtual ~TGridCanvas() = default;
  virtual void FillRect(const TGridRect& rect, TGridColor color) = 0;
  // Where each character (code point) of the text ends, measured from the
  // start of the text as drawn whole.
  virtual std::vector<int32_t> CharacterEnds(const std::string& text) = 0;
  // Height of the character cells of a line of text.
  virtual int32_t TextHeight() = 0;
  // Fills the clip rectangle with the back colour and draws in it, in the
  // fore colour, the text whose characters start at x plus the end of the
  // character before (ends as CharacterEnds gave them), on the line at y.
  virtual void TextRect(const TGridRect& clip, int32_t x, int32_t y, const std::string& text,
                        const std::vector<int32_t>& ends, TGridColor fore, TGridColor back) = 0;
  // The focus rectangle, inverted over what is painted.
  virtual void FocusRect(const TGridRect& rect) = 0;
};

struct TGridPaint {
  int32_t TopRow = 1;
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;
  TGridRect Header;  // the header window's place: left to the header
  bool Focused = false;
};

// Paints the part of the client area that lies in area: the cells of the
// visible rows with their grid lines, and the window colour right of the
// columns and below the rows. A cell whose text cannot be read paints empty.
void PaintDataGrid(TGridCanvas& canvas, const TDataGridModel& model, const TGridPaint& paint, const TGridRect& area);

}  // namespace vk
