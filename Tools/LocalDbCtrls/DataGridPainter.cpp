#include "Tools/LocalDbCtrls/DataGridPainter.h"

#include <algorithm>
#include <cstdlib>

#include "Tools/LocalDbCtrls/DataGridSearch.h"

namespace vk {
namespace {

constexpr char kEllipsis[] = "...";

bool Overlaps(const TGridRect& a, const TGridRect& b) { return !Intersect(a, b).Empty(); }

// A cell's text as it fits the cell, with where its characters end.
struct TFittedText {
  std::string Text;
  std::vector<int32_t> Ends;
  int32_t Width() const { return Ends.empty() ? 0 : Ends.back(); }
};

// Cut at its end, with three dots, when wider than the room: as many whole
// characters as leave room for the dots.
TFittedText FitText(TGridCanvas& canvas, std::string text, int32_t room) {
  std::vector<int32_t> ends = canvas.CharacterEnds(text);
  if (ends.empty() || ends.back() <= room) return {std::move(text), std::move(ends)};
  const std::vector<int32_t> dots = canvas.CharacterEnds(kEllipsis);
  const int32_t dotsWidth = dots.empty() ? 0 : dots.back();
  int32_t keep = static_cast<int32_t>(ends.size()) - 1;
  while (keep > 0 && ends[static_cast<size_t>(keep) - 1] + dotsWidth > room) --keep;
  std::string cut = text.substr(0, Utf8PrefixBytes(text, keep)) + kEllipsis;
  std::vector<int32_t> cutEnds = canvas.CharacterEnds(cut);
  return {std::move(cut), std::move(cutEnds)};
}

// Painting never throws: a cell that cannot be read paints empty.
std::string SafeCellText(const TDataGridModel& model, int32_t col, int32_t row) {
  try {
    return model.GetCellText(col, row);
  } catch (...) {
    return {};
  }
}

class TCellPainter {
 public:
  TCellPainter(TGridCanvas& canvas, const TDataGridModel& model, const TGridPaint& paint)
      : canvas_(canvas), model_(model), paint_(paint) {}

  // The cell and its grid lines on the right and below.
  void PaintPitch(int32_t col, int32_t row, const TGridRect& cell) {
    const TGridRect right{cell.Right, cell.Top, cell.Right + 1, cell.Bottom + 1};
    const TGridRect below{cell.Left, cell.Bottom, cell.Right, cell.Bottom + 1};
    if (col < model_.FixedCols()) {
      PaintIndicator(row, cell, right, below);
    } else if (row == 0) {
      // Under the header; what it leaves free is grid line.
      FillOutsideHeader({cell.Left, cell.Top, cell.Right + 1, cell.Bottom + 1}, TGridColor::ButtonFace);
    } else {
      PaintDataCell(col, row, cell);
      canvas_.FillRect(right, TGridColor::ButtonFace);
      canvas_.FillRect(below, TGridColor::ButtonFace);
    }
  }

  void FillOutsideHeader(const TGridRect& rect, TGridColor color) {
    for (const TGridRect& part : Subtract(rect, paint_.Header)) canvas_.FillRect(part, color);
  }

 private:
  // The search indicator: button face, its right edge a shadow line that
  // closes below the last row; the searched row carries a triangle.
  void PaintIndicator(int32_t row, const TGridRect& cell, const TGridRect& right, const TGridRect& below) {
    if (row > 0 && model_.Searching() && row == model_.Row()) {
      PaintTriangle(cell);
    } else {
      canvas_.FillRect(cell, TGridColor::ButtonFace);
    }
    if (row == 0) {
      // The shadow starts one pixel above row 0's grid line.
      canvas_.FillRect({right.Left, right.Top, right.Right, right.Bottom - 2}, TGridColor::ButtonFace);
      canvas_.FillRect({right.Left, right.Bottom - 2, right.Right, right.Bottom}, TGridColor::ButtonShadow);
    } else {
      canvas_.FillRect(right, TGridColor::ButtonShadow);
    }
    const bool lastRow = row == model_.RowCount() - 1;
    canvas_.FillRect(below, lastRow ? TGridColor::ButtonShadow : TGridColor::ButtonFace);
  }

  // Corners (Left + 1, Top + 1), (Right − 1, middle), (Left + 1, Bottom − 1),
  // filled in the highlight colour, one pixel row at a time.
  void PaintTriangle(const TGridRect& cell) {
    const int32_t apexY = cell.Top + (cell.Bottom - cell.Top) / 2;
    const int32_t top = cell.Top + 1;
    const int32_t bottom = cell.Bottom - 1;  // the last row of the triangle
    const int32_t baseX = cell.Left + 1;
    for (int32_t y = cell.Top; y < cell.Bottom; ++y) {
      const TGridRect line{cell.Left, y, cell.Right, y + 1};
      const int32_t reach = y <= apexY ? apexY - top : bottom - apexY;
      if (y < top || y > bottom || reach <= 0 || baseX >= cell.Right) {
        canvas_.FillRect(line, TGridColor::ButtonFace);
        continue;
      }
      const int32_t spread = (cell.Right - 1 - baseX) * (reach - std::abs(y - apexY)) / reach;
      const TGridRect mark{baseX, y, std::min(baseX + spread + 1, cell.Right), y + 1};
      canvas_.FillRect({cell.Left, y, mark.Left, y + 1}, TGridColor::ButtonFace);
      canvas_.FillRect(mark, TGridColor::Highlight);
      if (mark.Right < cell.Right) canvas_.FillRect({mark.Right, y, cell.Right, y + 1}, TGridColor::ButtonFace);
    }
  }

  void PaintDataCell(int32_t col, int32_t row, const TGridRect& cell) {
    const bool selected = col == model_.Col() && row == model_.Row();
    const bool searching = model_.Searching();
    const TGridColor rowColor = RowColorSlot(row) ? TGridColor::OddRow : TGridColor::EvenRow;
    const TFittedText fitted =
        FitText(canvas_, SafeCellText(model_, col, row), std::max(cell.Right - 1 - (cell.Left + 2), 0));
    const int32_t x = TextLeft(model_.Alignment(col - model_.FixedCols()), cell, fitted.Width());
    const int32_t y = cell.Top + 2;
    if (selected && searching) {
      PaintSearchedText(cell, x, y, fitted, rowColor);
    } else {
      const TGridColor fore = selected ? TGridColor::HighlightText : TGridColor::WindowText;
      const TGridColor back = selected ? TGridColor::Highlight : rowColor;
      if (fitted.Text.empty()) {
        canvas_.FillRect(cell, back);
      } else {
        canvas_.TextRect(cell, x, y, fitted.Text, fitted.Ends, fore, back);
      }
    }
    if (selected && paint_.Focused) canvas_.FocusRect(cell);
  }

  // The matched prefix reads as plain text; the rest of the text as
  // selected, on the highlight colour behind its characters only. Every
  // part draws the whole text at the same place, clipped to its part.
  void PaintSearchedText(const TGridRect& cell, int32_t x, int32_t y, const TFittedText& fitted, TGridColor rowColor) {
    const int32_t count = static_cast<int32_t>(fitted.Ends.size());
    const int32_t plain = std::min(model_.HighlightLength(), count);
    const int32_t plainEnd = plain > 0 ? fitted.Ends[static_cast<size_t>(plain) - 1] : 0;
    const TGridRect marked = Intersect({x + plainEnd, y, x + fitted.Width(), y + canvas_.TextHeight()}, cell);
    if (plain == count || marked.Empty()) {
      if (fitted.Text.empty()) {
        canvas_.FillRect(cell, rowColor);
      } else {
        canvas_.TextRect(cell, x, y, fitted.Text, fitted.Ends, TGridColor::WindowText, rowColor);
      }
      return;
    }
    for (const TGridRect& part : Subtract(cell, marked))
      canvas_.TextRect(part, x, y, fitted.Text, fitted.Ends, TGridColor::WindowText, rowColor);
    canvas_.TextRect(marked, x, y, fitted.Text, fitted.Ends, TGridColor::HighlightText, TGridColor::Highlight);
  }

  // Left: from Left + 2; right: ending at Right − 1; centre: centred one
  // pixel right of the middle.
  static int32_t TextLeft(TColumnAlignment alignment, const TGridRect& cell, int32_t width) {
    switch (alignment) {
      case taRightJustify: return cell.Right - 1 - width;
      case taCenter: return (cell.Left + cell.Right - width) / 2 + 1;
      default: return cell.Left + 2;
    }
  }

  TGridCanvas& canvas_;
  const TDataGridModel& model_;
  const TGridPaint& paint_;
};

}  // namespace

TGridRect Intersect(const TGridRect& a, const TGridRect& b) {
  TGridRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom)};
  if (r.Empty()) return {};
  return r;
}

std::vector<TGridRect> Subtract(const TGridRect& rect, const TGridRect& hole) {
  if (rect.Empty()) return {};
  const TGridRect cut = Intersect(rect, hole);
  if (cut.Empty()) return {rect};
  std::vector<TGridRect> parts;
  auto add = [&parts](const TGridRect& r) {
    if (!r.Empty()) parts.push_back(r);
  };
  add({rect.Left, rect.Top, rect.Right, cut.Top});
  add({rect.Left, cut.Top, cut.Left, cut.Bottom});
  add({cut.Right, cut.Top, rect.Right, cut.Bottom});
  add({rect.Left, cut.Bottom, rect.Right, rect.Bottom});
  return parts;
}

TGridRect TGridGeometry::CellRect(int32_t col, int32_t row) const {
  const TDataGridLayout::Span span = layout_.ColumnsSpan(col, col);
  const int32_t top = row == 0 ? 0 : kRowPitch * (row - topRow_ + 1);
  return {span.Left, top, span.Right - 1, top + kDefaultRowHeight};
}

int32_t TGridGeometry::VisibleDataRows(int32_t clientHeight) {
  return std::max((clientHeight - kRowPitch) / kRowPitch, 1);
}

bool TGridGeometry::CellAt(int32_t x, int32_t y, int32_t& col, int32_t& row) const {
  if (x < 0 || y < kRowPitch) return false;
  row = topRow_ + (y - kRowPitch) / kRowPitch;
  int32_t left = 0;
  for (int32_t c = 0; c < static_cast<int32_t>(layout_.ColWidths.size()); ++c) {
    left += layout_.ColWidths[static_cast<size_t>(c)] + 1;
    if (x < left) {
      col = c;
      return true;
    }
  }
  return false;
}

void PaintDataGrid(TGridCanvas& canvas, const TDataGridModel& model, const TGridPaint& paint, const TGridRect& area) {
  const TGridGeometry geometry(model.Layout(), paint.TopRow, paint.ClientHeight);
  TCellPainter cells(canvas, model, paint);
  const int32_t columnsRight = model.Layout().ColumnsSpan(0, model.ColCount() - 1).Right;
  int32_t rowsBottom = 0;
  for (int32_t row = 0; row < model.RowCount(); row = row == 0 ? paint.TopRow : row + 1) {
    const int32_t top = row == 0 ? 0 : geometry.CellRect(0, row).Top;
    if (top >= paint.ClientHeight) break;
    rowsBottom = top + kRowPitch;
    if (!Overlaps({0, top, columnsRight, rowsBottom}, area)) continue;
    for (int32_t col = 0; col < model.ColCount(); ++col) {
      const TGridRect cell = geometry.CellRect(col, row);
      if (Overlaps({cell.Left, cell.Top, cell.Right + 1, cell.Bottom + 1}, area)) cells.PaintPitch(col, row, cell);
    }
  }
  // Beside the rows, right of the last column, and below the last row.
  const TGridRect beside = Intersect({columnsRight, 0, paint.ClientWidth, rowsBottom}, area);
  if (!beside.Empty()) cells.FillOutsideHeader(beside, TGridColor::Window);
  const TGridRect below = Intersect({0, rowsBottom, paint.ClientWidth, paint.ClientHeight}, area);
  if (!below.Empty()) canvas.FillRect(below, TGridColor::Window);
}

}  // namespace vk
