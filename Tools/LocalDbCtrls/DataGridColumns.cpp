#include "Tools/LocalDbCtrls/DataGridColumns.h"

#include "Core/Checked.h"
#include "Core/SysUtils.h"

namespace vk {

TDataColumn MakeDataColumn(int32_t fieldNo, TColumnAlignment alignment, int32_t width, const std::string& caption,
                           TIndex* sortIndex, uint8_t searchLength) {
  return TDataColumn{fieldNo, alignment, width, caption, sortIndex, searchLength};
}

TDataGridLayout TDataGridLayout::FromColumns(const std::vector<TDataColumn>& columns) {
  Assert(!columns.empty(), "AColumns array param must be not empty", "Tools\\LocalDbCtrls\\DataGrid");
  TDataGridLayout layout;
  for (const TDataColumn& column : columns) {
    if (column.SearchLength > 0) layout.FixedCols = 1;
  }
  if (layout.FixedCols) layout.ColWidths.push_back(kIndicatorWidth);
  for (const TDataColumn& column : columns) layout.ColWidths.push_back(column.Width);
  return layout;
}

int32_t TDataGridLayout::MinControlWidth(int32_t scrollBarWidth, int32_t bevelWidth) const {
  int32_t width = CheckedMul(kMinColumnWidth, DataColumns());
  width = CheckedAdd(width, CheckedMul(kMinColumnWidth - 1, FixedCols));
  width = CheckedAdd(width, 2 + scrollBarWidth);
  return CheckedAdd(width, CheckedMul(bevelWidth, 2));
}

TDataGridLayout::Span TDataGridLayout::ColumnsSpan(int32_t c1, int32_t c2) const {
  const int32_t count = static_cast<int32_t>(ColWidths.size());
  if (c1 < 0) c1 = 0;
  if (c2 >= count) c2 = count - 1;
  int32_t left = 0;
  for (int32_t c = 0; c < c1; ++c) left = CheckedAdd(left, CheckedAdd(ColWidths[static_cast<size_t>(c)], 1));
  int32_t right = left;
  for (int32_t c = c1; c <= c2; ++c) right = CheckedAdd(right, CheckedAdd(ColWidths[static_cast<size_t>(c)], 1));
  return {left, right};
}

TRgb SelectionTint(TRgb window, TRgb highlight) {
  auto mix = [](int w, int h) { return static_cast<uint8_t>(h + (w - h) * 85 / 100); };
  return {mix(window.R, highlight.R), mix(window.G, highlight.G), mix(window.B, highlight.B)};
}

}  // namespace vk
