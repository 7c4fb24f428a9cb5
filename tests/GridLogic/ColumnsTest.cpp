#include <gtest/gtest.h>

#include "Core/SysUtils.h"
#include "Tools/LocalDbCtrls/DataGridColumns.h"

namespace vk {
namespace {

TEST(DataGridColumns, IndicatorColumnOnlyWhenSomeColumnSearches) {
  const TDataColumn code = MakeDataColumn(1, taRightJustify, 60, "Code", nullptr, 8);
  const TDataColumn price = MakeDataColumn(3, taRightJustify, 80, "Price", nullptr, 0);
  struct Case {
    std::vector<TDataColumn> columns;
    int32_t fixed;
    std::vector<int32_t> widths;
    int32_t minWidth;  // scroll bar 17, bevel 1
  } cases[] = {
      {{code, price}, 1, {10, 60, 80}, 24 + 11 + 2 + 17 + 2},
      {{price, price}, 0, {80, 80}, 24 + 2 + 17 + 2},
  };
  for (const Case& c : cases) {
    const TDataGridLayout layout = TDataGridLayout::FromColumns(c.columns);
    EXPECT_EQ(layout.FixedCols, c.fixed);
    EXPECT_EQ(layout.ColWidths, c.widths);
    EXPECT_EQ(layout.MinControlWidth(17, 1), c.minWidth);
  }
  EXPECT_THROW(TDataGridLayout::FromColumns({}), EAssertionFailed);
}

TEST(DataGridColumns, ColumnsSpanCountsEachGridLine) {
  TDataGridLayout layout;
  layout.FixedCols = 1;
  layout.ColWidths = {10, 60, 200, 80};
  EXPECT_EQ(layout.ColumnsSpan(1, 2).Left, 11);
  EXPECT_EQ(layout.ColumnsSpan(1, 2).Right, 11 + 61 + 201);
  EXPECT_EQ(layout.ColumnsSpan(3, 3).Left, 11 + 61 + 201);
}

TEST(DataGridColumns, SelectionTintIsEightyFivePercentTowardTheWindow) {
  struct Case {
    TRgb window, highlight, tint;
  } cases[] = {
      {{255, 255, 255}, {0, 120, 215}, {216, 234, 249}},
      {{0, 0, 0}, {200, 100, 51}, {30, 15, 8}},  // rounding toward zero on the way down
      {{10, 10, 10}, {10, 10, 10}, {10, 10, 10}},
  };
  for (const Case& c : cases) EXPECT_EQ(SelectionTint(c.window, c.highlight), c.tint);
}

}  // namespace
}  // namespace vk
