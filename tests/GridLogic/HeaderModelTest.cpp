#include <gtest/gtest.h>

#include <vector>

#include "Tools/LocalDbCtrls/GridHeaderModel.h"

namespace vk {
namespace {

std::vector<int32_t> WidthsOf(const TGridHeaderModel& header) {
  std::vector<int32_t> widths;
  for (const TGridSection& s : header.Sections()) widths.push_back(s.Width);
  return widths;
}

TEST(GridHeader, SectionsAreTheColumnsWithTheirGridLines) {
  TGridHeaderModel header({60, 200, 80}, 12);
  EXPECT_EQ(WidthsOf(header), (std::vector<int32_t>{61, 201, 81}));
  EXPECT_EQ(header.Sections()[1].MinWidth, 12);
}

TEST(GridHeader, DividerDragKeepsBothNeighboursAtTheMinimum) {
  TGridHeaderModel header({59, 99, 49}, 12);  // sections 60, 100, 50
  struct Case {
    int32_t section;
    int32_t proposed;
    int32_t delta;
  } cases[] = {
      {0, 80, 20},   // plain widening takes from the right neighbour
      {0, 200, 88},  // the neighbour stops at 12
      {0, 5, -48},   // section 0 stops at 12, the neighbour gets what it lost
      {1, 90, -10},  // narrowing gives to the neighbour
      {0, 60, 0},    // no change
      {2, 100, 0},   // the last divider does not move
      {3, 100, 0},   // no such section
      {-1, 100, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(header.DragDelta(c.section, c.proposed), c.delta) << c.section << "→" << c.proposed;
}

TEST(GridHeader, ColumnResizeMovesWidthToTheNeighbourAndKeepsTheTotal) {
  TGridHeaderModel header({59, 99, 49}, 12);
  ASSERT_TRUE(header.ColumnResize(0, 20));
  EXPECT_EQ(WidthsOf(header), (std::vector<int32_t>{80, 80, 50}));
  EXPECT_FALSE(header.ColumnResize(2, 5));   // the last section
  EXPECT_FALSE(header.ColumnResize(7, 5));   // a posted number no section has
  ASSERT_TRUE(header.ColumnResize(1, 100));  // posted before an earlier one landed
  EXPECT_EQ(WidthsOf(header), (std::vector<int32_t>{80, 118, 12}));
  EXPECT_EQ(header.WidthChanger().Total(), 210);
}

TEST(GridHeader, ResizeAfterADragFollowsTheNewProportions) {
  TGridHeaderModel header({99, 99}, 12);  // 100, 100
  header.ColumnResize(0, -50);            // 50, 150
  header.Resize(204);
  EXPECT_EQ(WidthsOf(header), (std::vector<int32_t>{51, 153}));
  EXPECT_TRUE(header.Resized());
  header.Resize(200);
  EXPECT_EQ(WidthsOf(header), (std::vector<int32_t>{50, 150}));
}

TEST(GridHeader, CopyingSectionWidthsSetsOnlyChangedDataColumns) {
  TGridSections sections = {{61, 12, "", taLeftJustify}, {31, 12, "", taLeftJustify}};
  std::vector<int32_t> columns = {10, 60, 30};
  EXPECT_FALSE(CopySectionWidths(sections, columns, 1));
  sections[1].Width = 41;
  EXPECT_TRUE(CopySectionWidths(sections, columns, 1));
  EXPECT_EQ(columns, (std::vector<int32_t>{10, 60, 40}));
}

TEST(GridHeader, HeightAndLeftFollowVersionAndIndicator) {
  EXPECT_EQ(GridHeaderHeight(5), 19);
  EXPECT_EQ(GridHeaderHeight(6), 18);
  EXPECT_EQ(GridHeaderLeft(0), 0);
  EXPECT_EQ(GridHeaderLeft(1), 11);
}

}  // namespace
}  // namespace vk
