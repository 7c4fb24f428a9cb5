#include <gtest/gtest.h>

#include "Core/SysUtils.h"
#include "GridModelFixture.h"
#include "Tools/LocalDbCtrls/DataGridFiltered.h"

namespace vk {
namespace {

using testing::GridModelTest;

std::vector<Variant> Key(int32_t group, const std::string& name = "") {
  return {Variant::Integer(group), Variant::String(name)};
}

class FilteredGridTest : public GridModelTest {
 protected:
  std::vector<TDataColumn> Columns() {
    return {MakeDataColumn(1, taLeftJustify, 120, "Name", nullptr, 0),
            MakeDataColumn(2, taRightJustify, 40, "Grp", nullptr, 0)};
  }
  // Records (5, d1), (5, d2), (6, d1) in the index order, IDs 1..3.
  void AddMovements() {
    t.Add("d1", 5);
    t.Add("d2", 5);
    t.Add("d1", 6);
  }
  std::string CurrentName() { return t.CellText(t.RecNo(), 1); }
  std::vector<std::string> Rows(const TFilteredDataGridModel& grid) {
    std::vector<std::string> rows;
    for (int32_t r = 1; r < grid.RowCount(); ++r) rows.push_back(grid.GetCellText(0, r) + "/" + grid.GetCellText(1, r));
    return rows;
  }
};

TEST_F(FilteredGridTest, RangeIsLowInclusiveAndHighExclusiveOverAllIndexFields) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  struct Case {
    std::vector<Variant> low, high;
    int32_t start, count;
    std::vector<std::string> rows;
  } cases[] = {
      {Key(5), Key(6), 0, 2, {"d1/5", "d2/5"}},
      {Key(5), Key(7), 0, 3, {"d1/5", "d2/5", "d1/6"}},
      {Key(5, "d2"), Key(6, "d1"), 1, 1, {"d2/5"}},
      {Key(6), Key(99), 2, 1, {"d1/6"}},   // runs to the end of the table
      {Key(9), Key(10), 0, 0, {"/"}},      // above every record
      {Key(5, "x"), Key(6), 0, 0, {"/"}},  // between two keys
      {Key(6), Key(5), 0, 0, {"/"}},       // high below low
  };
  for (const Case& c : cases) {
    grid.SetFilter(&t.ByGroup, c.low, c.high, false);
    EXPECT_EQ(grid.FilterStart(), c.start);
    EXPECT_EQ(grid.FilterCount(), c.count);
    EXPECT_EQ(Rows(grid), c.rows);
    EXPECT_FALSE(grid.SelectPending());
  }
}

TEST_F(FilteredGridTest, WithoutKeepTheLastRecordOfTheRangeBecomesCurrent) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  t.SetIndex(&t.ByGroup);
  t.SetRecNo(0);
  grid.SetFilter(&t.ByGroup, Key(5), Key(6), false);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(t.RecNo(), 1);
  EXPECT_EQ(CurrentName(), "d2");
}

TEST_F(FilteredGridTest, KeepHoldsTheOldRecordInsideTheRangeElseTakesTheFirst) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  grid.SetFilter(&t.ByGroup, Key(5), Key(7), false);
  grid.MoveTo(0, 1);  // (5, d1)
  grid.SetFilter(&t.ByGroup, Key(5), Key(6), true);
  EXPECT_EQ(t.RecNo(), 0);
  EXPECT_EQ(grid.Row(), 1);
  grid.SetFilter(&t.ByGroup, Key(6), Key(7), true);  // the old record is outside
  EXPECT_EQ(t.RecNo(), 2);
  EXPECT_EQ(grid.Row(), 1);
}

TEST_F(FilteredGridTest, EveryFilterRunsTheCellSelectionExactlyOnce) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  struct Case {
    std::vector<Variant> low, high;
    bool keep;
  } cases[] = {
      {Key(5), Key(6), false},  // the row moves to 2
      {Key(5), Key(6), false},  // the row stays at 2
      {Key(9), Key(10), true},  // empty
      {Key(6), Key(7), true},
  };
  for (const Case& c : cases) {
    view.Clear();
    grid.SetFilter(&t.ByGroup, c.low, c.high, c.keep);
    EXPECT_EQ(view.selections.size(), 1u);
  }
}

TEST_F(FilteredGridTest, EmptyRangeShowsOneBlankRowAndSelectsNothing) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  grid.SetFilter(&t.ByGroup, Key(5, "x"), Key(6), true);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Row(), 1);
  const int32_t before = t.RecNo();
  grid.RowSelected(1);
  EXPECT_EQ(t.RecNo(), before);
  EXPECT_EQ(CurrentName(), "d1");  // where the search for low left it: (6, d1)
}

TEST_F(FilteredGridTest, AppendedRecordShowsOnlyAfterTheNextFilter) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  grid.SetFilter(&t.ByGroup, Key(5), Key(6), false);
  t.Add("d3", 5);
  grid.Refresh();
  EXPECT_EQ(grid.FilterCount(), 2);
  EXPECT_EQ(Rows(grid), (std::vector<std::string>{"d1/5", "d2/5"}));
  grid.SetFilter(&t.ByGroup, Key(5), Key(6), true);
  EXPECT_EQ(Rows(grid), (std::vector<std::string>{"d1/5", "d2/5", "d3/5"}));
  EXPECT_EQ(CurrentName(), "d3");
}

TEST_F(FilteredGridTest, DeletedRecordsPaintEmptyUntilTheNextFilter) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  grid.SetFilter(&t.ByGroup, Key(5), Key(7), false);
  t.Delete();
  t.Delete();
  EXPECT_EQ(grid.GetCellText(0, 3), "");
}

TEST_F(FilteredGridTest, OneFieldIndexesFilterByTheGivenKey) {
  AddMovements();
  t.Add("e", 7);
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  struct Case {
    TIndex* index;
    std::vector<Variant> low, high;
    int32_t start, count;
  } cases[] = {
      {&t.ByID, {Variant::Integer(2)}, {Variant::Integer(4)}, 1, 2},
      {&t.ByID, {Variant::Integer(1)}, {Variant::Integer(2)}, 0, 1},
      {&t.ByID, {Variant::Integer(5)}, {Variant::Integer(9)}, 0, 0},
      {&t.ByName, {Variant::String("d2")}, {Variant::String("z")}, 2, 2},
  };
  for (const Case& c : cases) {
    grid.SetFilter(c.index, c.low, c.high, false);
    EXPECT_EQ(grid.FilterStart(), c.start);
    EXPECT_EQ(grid.FilterCount(), c.count);
  }
}

TEST_F(FilteredGridTest, RefusedFilterKeepsThePreviousRange) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  grid.SetFilter(&t.ByGroup, Key(5), Key(6), false);
  TIndex foreign(&t.FieldSet, "Foreign", &t.Grp);
  EXPECT_THROW(grid.SetFilter(&foreign, Key(5), Key(7), false), Exception);
  EXPECT_THROW(grid.SetFilter(nullptr, Key(5), Key(7), false), Exception);
  t.Edit();
  EXPECT_THROW(grid.SetFilter(&t.ByGroup, Key(5), Key(7), false), Exception);
  t.Cancel();
  EXPECT_EQ(grid.FilterCount(), 2);
  EXPECT_EQ(t.GetIndex(), &t.ByGroup);
}

TEST_F(FilteredGridTest, RowBeyondTheRangeIsAProgrammingError) {
  AddMovements();
  TFilteredDataGridModel grid(&t, Columns(), false, &view);
  grid.SetFilter(&t.ByGroup, Key(5), Key(6), false);
  try {
    grid.RowSelected(3);
    ADD_FAILURE() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "aRow out of filter (Tools\\LocalDbCtrls\\DataGrid)");
  }
}

}  // namespace
}  // namespace vk
