#pragma once
// The grid's columns: what the owner describes per data column, and the
// geometry that follows from it (the optional search indicator column,
// grid column widths, the control's minimum width, repaint ranges).

#include <cstdint>
#include <string>
#include <vector>

#include "Tables/UIndex.h"
#include "Tools/LocalDbCtrls/GridSections.h"

namespace vk {

struct TDataColumn {
  int32_t FieldNo = 0;                         // index into the table's fields
  TColumnAlignment Alignment = taLeftJustify;  // cells; also the caption unless centred
  int32_t Width = 0;                           // initial width in pixels
  std::string Caption;
  TIndex* SortIndex = nullptr;  // what a header click sorts by; nil = not sortable
  uint8_t SearchLength = 0;     // 0 = no typed search; n = at most n characters
};

TDataColumn MakeDataColumn(int32_t fieldNo, TColumnAlignment alignment, int32_t width, const std::string& caption,
                           TIndex* sortIndex, uint8_t searchLength);

constexpr int32_t kMinColumnWidth = 12;
constexpr int32_t kIndicatorWidth = 10;
constexpr int32_t kDefaultRowHeight = 18;

// Grid layout derived from the columns. Data column j is grid column j + F.
struct TDataGridLayout {
  int32_t FixedCols = 0;  // 1 with the search indicator column, else 0
  std::vector<int32_t> ColWidths;

  // An empty column list fails the assertion of the grid's construction.
  static TDataGridLayout FromColumns(const std::vector<TDataColumn>& columns);
  int32_t DataColumns() const { return static_cast<int32_t>(ColWidths.size()) - FixedCols; }
  // 12·N + 11·F + 2 + scroll bar + two bevels.
  int32_t MinControlWidth(int32_t scrollBarWidth, int32_t bevelWidth) const;
  // Horizontal extent [Left, Right) of grid columns c1..c2 in the client
  // area, each column followed by its grid line of width 1.
  struct Span {
    int32_t Left;
    int32_t Right;
  };
  Span ColumnsSpan(int32_t c1, int32_t c2) const;
};

// An RGB colour as three bytes; the window side converts to and from its own.
struct TRgb {
  uint8_t R, G, B;
  bool operator==(const TRgb&) const = default;
};

// 85 % of the way from the highlight colour to the window colour, per
// channel, rounding toward zero.
TRgb SelectionTint(TRgb window, TRgb highlight);
// Colour slot of a data row: odd grid rows (the first data row, …) the
// window colour (1), even rows the tint (0).
inline int RowColorSlot(int32_t gridRow) { return gridRow & 1; }

}  // namespace vk
