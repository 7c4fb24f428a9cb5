#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "Core/SysUtils.h"
#include "GridModelFixture.h"
#include "Tools/LocalDbCtrls/DataGridSearch.h"

namespace vk {
namespace {

using testing::GridModelTest;
using testing::ItemColumns;

class DataGridModelTest : public GridModelTest {
 protected:
  // Five items in file order: ID 1..5.
  void AddItems() {
    for (const char* name : {"pear", "apple", "plum", "fig", "apricot"}) t.Add(name, 1, 100);
  }

  // Items ID 1..n with names "i0001".."i0300" in file order.
  void AddManyItems(int n) {
    for (int i = 1; i <= n; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "i%04d", i);
      t.Add(name, i % 7, static_cast<uint32_t>(i) * 125);
    }
  }

  // Types a text into the model as keystrokes.
  void Type(TDataGridModel& grid, const std::u32string& keys) {
    for (char32_t key : keys) {
      char32_t k = key;
      grid.KeyPress(k);
    }
  }

  // What the goods window's search handler does: positions the table on
  // the name index and keeps the part of the text that matched.
  void ConnectNameSearch(TDataGridModel& grid, std::vector<std::string>* seen = nullptr) {
    grid.OnSearch = [this, seen](std::string& text) {
      if (seen) seen->push_back(text);
      if (t.GetIndex() != &t.ByName) t.SetIndex(&t.ByName);
      // The longest leading part of the text that some name starts with.
      while (!text.empty()) {
        t.FindKey(text);
        if (t.CellText(t.RecNo(), 1).starts_with(text)) return;
        text.pop_back();
      }
    };
  }
};

TEST_F(DataGridModelTest, EmptyTableShowsOneBlankRowAndSwallowsCharacters) {
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.GetCellText(2, 1), "");
  grid.MoveTo(2, 1);
  grid.RowSelected(1);  // nothing to select on an empty table
  char32_t key = U'a';
  grid.KeyPress(key);
  EXPECT_EQ(key, 0u);
  EXPECT_FALSE(grid.Searching());
}

TEST_F(DataGridModelTest, ConstructionLeavesNoSortMarkAndSetsCaptionAlignment) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  TDataGridModel centred(&t, ItemColumns(t), true, &view);
  EXPECT_EQ(grid.SortedColumn(), -1);
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(grid.GetColumnCaption(i).find('^'), std::string::npos);
  EXPECT_EQ(grid.Header().Sections()[0].Alignment, taRightJustify);
  EXPECT_EQ(grid.Header().Sections()[1].Alignment, taLeftJustify);
  EXPECT_EQ(centred.Header().Sections()[0].Alignment, taCenter);
  EXPECT_EQ(grid.FixedCols(), 1);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_THROW(TDataGridModel(&t, {}, false, &view), EAssertionFailed);
}

TEST_F(DataGridModelTest, RowsAndTheCurrentRecordFollowEachOther) {
  AddItems();
  t.SetRecNo(3);
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  EXPECT_EQ(grid.RowCount(), 6);
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(grid.GetCellText(2, 4), "fig");
  grid.MoveTo(2, 2);
  EXPECT_EQ(t.RecNo(), 1);
  t.SetRecNo(4);
  grid.Refresh();
  EXPECT_EQ(grid.Row(), 5);
  t.Delete();  // the last record: the table moves to the new last one
  grid.Refresh();
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.Row(), t.RecNo() + 1);
}

TEST_F(DataGridModelTest, RefusedCellSelectionPutsTheTableBackOnTheGridsRow) {
  AddManyItems(300);
  t.SetRecNo(120);
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  view.refuseSelection = true;
  struct Case {
    const char* what;
    std::function<void()> move;
  } cases[] = {
      {"a move with the keys or the mouse", [&] { grid.MoveTo(2, 250); }},
      {"a new row from the owner", [&] { grid.SetRow(7); }},
      {"a new column", [&] { grid.SetCol(3); }},
  };
  for (const Case& c : cases) {
    c.move();
    EXPECT_EQ(grid.Row(), 121) << c.what;
    EXPECT_EQ(t.RecNo(), 120) << c.what;
  }
  view.refuseSelection = false;
  grid.MoveTo(2, 250);
  EXPECT_EQ(t.RecNo(), 249);
}

TEST_F(DataGridModelTest, RowsOfRecordsDeletedBeforeTheRefreshReadEmpty) {
  AddManyItems(300);
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  grid.MoveTo(2, 300);
  while (t.RecordCount() > 20) t.Delete();
  for (int32_t row : {21, 250, 300}) EXPECT_EQ(grid.GetCellText(2, row), "") << row;
  EXPECT_EQ(grid.GetCellText(2, 20), t.CellText(19, 1));
  view.Clear();
  grid.Refresh();
  EXPECT_EQ(grid.RowCount(), 21);
  EXPECT_EQ(grid.Row(), 20);
  EXPECT_EQ(view.currentMoves, 1);  // the window brings the new last row into view
}

TEST_F(DataGridModelTest, MovingWhileTheTableIsEditedIsRefusedByTheTable) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  grid.MoveTo(2, 1);
  t.Edit();
  try {
    grid.MoveTo(2, 3);
    ADD_FAILURE() << "no refusal";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Таблица уже находится в режиме редактирования");
  }
  EXPECT_EQ(grid.Row(), 1);
  t.Cancel();
}

TEST_F(DataGridModelTest, HeaderClickSortsThenSwitchesTheSortOffKeepingTheRows) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  grid.MoveTo(2, 2);     // apple, ID 2
  grid.SectionClick(3);  // Price: no sort index
  EXPECT_EQ(grid.SortedColumn(), -1);
  EXPECT_EQ(t.GetIndex(), nullptr);

  grid.SectionClick(1);
  EXPECT_EQ(t.GetIndex(), &t.ByName);
  EXPECT_EQ(t.Order(), "2,5,4,1,3");
  EXPECT_EQ(grid.GetColumnCaption(1), "Name^");
  EXPECT_EQ(grid.Row(), 1);  // apple is first by name
  EXPECT_EQ(t.IdAt(grid.Row() - 1), 2);

  grid.MoveTo(2, 3);  // fig
  grid.SectionClick(1);
  EXPECT_EQ(t.GetIndex(), nullptr);
  EXPECT_EQ(t.Order(), "2,5,4,1,3");  // the rows keep the order they have
  EXPECT_EQ(grid.GetColumnCaption(1), "Name");
  EXPECT_EQ(grid.SortedColumn(), -1);
  EXPECT_EQ(grid.Row(), 3);
}

TEST_F(DataGridModelTest, SortEventMayReplaceOrCancelTheIndex) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  std::vector<int32_t> gridColumns;
  grid.OnSortColumn = [&](int32_t gridColumn, TIndex*& index) {
    gridColumns.push_back(gridColumn);
    index = gridColumn == 1 ? &t.ByName : nullptr;
  };
  grid.SortByColumn(0);  // ID column sorted by name instead
  EXPECT_EQ(t.GetIndex(), &t.ByName);
  EXPECT_EQ(grid.SortedColumn(), 0);
  grid.SortByColumn(2);  // cancelled
  EXPECT_EQ(t.GetIndex(), &t.ByName);
  EXPECT_EQ(grid.SortedColumn(), 0);
  EXPECT_EQ(gridColumns, (std::vector<int32_t>{1, 3}));
  EXPECT_THROW(grid.SortByColumn(4), ERangeError);
}

TEST_F(DataGridModelTest, CaptionOfTheSortedColumnKeepsItsMark) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  grid.SetSortedColumn(1);
  grid.SetColumnCaption(1, "Title");
  EXPECT_EQ(grid.GetColumnCaption(1), "Title^");
  grid.SetSortedColumn(2);
  EXPECT_EQ(grid.GetColumnCaption(1), "Title");
  EXPECT_EQ(grid.GetColumnCaption(2), "Grp^");
  EXPECT_TRUE(view.sectionsChanged.count(1) && view.sectionsChanged.count(2));
}

TEST_F(DataGridModelTest, TypedSearchPositionsTheRowsAndHighlightsTheMatchedPart) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  std::vector<std::string> began, ended;
  grid.OnBeginSearch = [&](std::string& text) { began.push_back(text); };
  grid.OnEndSearch = [&](std::string& text) { ended.push_back(text); };
  ConnectNameSearch(grid);
  grid.MoveTo(2, 1);
  Type(grid, U"apr");
  EXPECT_TRUE(grid.Searching());
  EXPECT_EQ(began.size(), 1u);
  EXPECT_TRUE(ended.empty());  // keystrokes of the search never end it
  EXPECT_EQ(grid.SearchText(), "apr");
  EXPECT_EQ(t.CellText(t.RecNo(), 1), "apricot");
  EXPECT_EQ(grid.Row(), t.RecNo() + 1);
  EXPECT_EQ(grid.HighlightLength(), 3);
  EXPECT_EQ(grid.SortedColumn(), 1);  // the handler switched to the name order

  Type(grid, U"xy");  // "aprxy": only "apr" matched
  EXPECT_EQ(grid.SearchText(), "aprxy");
  EXPECT_EQ(grid.SearchArg(), "apr");
  EXPECT_EQ(grid.HighlightLength(), 3);

  grid.MoveTo(2, 1);  // arrow keys or the mouse
  EXPECT_FALSE(grid.Searching());
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0], "");
  EXPECT_EQ(grid.HighlightLength(), 0);
}

TEST_F(DataGridModelTest, SearchLengthLimitsTheTextAndBackspaceStillSearches) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  std::vector<std::string> seen;
  ConnectNameSearch(grid, &seen);
  grid.MoveTo(2, 1);
  Type(grid, U"abcdefghi");
  EXPECT_EQ(grid.SearchText(), "abcdefgh");
  EXPECT_EQ(seen.size(), 9u);  // the ignored ninth still searches
  Type(grid, std::u32string(9, kBackspace));
  EXPECT_EQ(grid.SearchText(), "");
  EXPECT_EQ(seen.size(), 18u);
  EXPECT_EQ(seen.back(), "");
}

TEST_F(DataGridModelTest, EveryKeystrokeRunsTheCellSelectionOnce) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  t.SetIndex(&t.ByName);
  grid.Refresh();
  grid.MoveTo(2, 1);                     // apple
  grid.OnSearch = [&](std::string&) {};  // the table stays
  view.Clear();
  Type(grid, U"ap");
  EXPECT_EQ(view.selections.size(), 2u);
  ConnectNameSearch(grid);
  view.Clear();
  Type(grid, U"r");  // apricot: the row moves, and that selection is the one
  EXPECT_EQ(view.selections.size(), 1u);
  EXPECT_TRUE(grid.Searching());
}

TEST_F(DataGridModelTest, OwnersKeyHookSeesTheCharacterBeforeTheSearch) {
  AddManyItems(300);
  t.SetRecNo(40);
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  std::vector<std::string> searched;
  grid.OnSearch = [&](std::string& text) { searched.push_back(text); };
  std::u32string hooked;
  // Digits only; 'x' becomes 'i'; Enter is seen before the grid takes it.
  grid.OnKeyPress = [&](char32_t& key) {
    hooked += key;
    if (key == U'x') key = U'i';
    if (key != U'i' && key != kBackspace && (key < U'0' || key > U'9')) key = 0;
  };
  grid.MoveTo(2, 41);
  Type(grid, U"xa0\r7");
  EXPECT_EQ(hooked, U"xa0\r7");
  EXPECT_EQ(grid.SearchText(), "i07");
  EXPECT_EQ(searched, (std::vector<std::string>{"i", "i0", "i07"}));
}

TEST_F(DataGridModelTest, SearchEndsByTheKeysAfterAHandlerThrew) {
  AddManyItems(300);
  t.SetRecNo(150);
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  grid.OnSearch = [](std::string& text) {
    if (text == "i02") throw Exception("search failed");
  };
  grid.MoveTo(2, 151);
  Type(grid, U"i0");
  EXPECT_THROW(Type(grid, U"2"), Exception);
  EXPECT_TRUE(grid.Searching());
  grid.MoveTo(2, 152);  // an arrow key: no keystroke of the search is running any more
  EXPECT_FALSE(grid.Searching());
  EXPECT_EQ(t.RecNo(), 151);
}

TEST_F(DataGridModelTest, HandlerThatSwitchesTheSortOffLeavesNoMark) {
  AddManyItems(300);
  t.SetRecNo(90);
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  grid.SortByColumn(1);
  ASSERT_EQ(grid.GetColumnCaption(1), "Name^");
  grid.OnSearch = [&](std::string&) { t.SetIndex(nullptr); };
  grid.MoveTo(2, grid.Row());
  Type(grid, U"i");
  EXPECT_EQ(grid.SortedColumn(), -1);
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(grid.GetColumnCaption(i).find('^'), std::string::npos) << i;
  EXPECT_GT(view.repaints, 0);
}

TEST_F(DataGridModelTest, SearchStartsOnlyInSearchColumnsAndOnlyForPrintableCharacters) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  struct Case {
    int32_t col;
    char32_t key;
    bool searching;
  } cases[] = {
      {2, U'a', true},   // Name searches
      {3, U'a', false},  // Grp does not
      {2, 13, false},    // Enter belongs to the grid
      {2, 3, false},     // Ctrl+C is no search text
      {2, 27, false},   {2, kBackspace, true},
  };
  for (const Case& c : cases) {
    grid.MoveTo(c.col, 1);
    grid.StopSearch();
    char32_t key = c.key;
    grid.KeyPress(key);
    EXPECT_EQ(grid.Searching(), c.searching) << static_cast<int>(c.key) << " in " << c.col;
    EXPECT_EQ(key == 0, !c.searching);
  }
}

TEST_F(DataGridModelTest, SearchEndsOnExitSortAndStopAndStartRestartsEmpty) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  int ends = 0;
  grid.OnEndSearch = [&](std::string&) { ++ends; };
  grid.MoveTo(2, 1);
  Type(grid, U"p");
  grid.StartSearch();
  EXPECT_TRUE(grid.Searching());
  EXPECT_EQ(grid.SearchText(), "");
  grid.Exit();
  EXPECT_FALSE(grid.Searching());
  Type(grid, U"p");
  grid.SortByColumn(2);
  EXPECT_FALSE(grid.Searching());
  EXPECT_EQ(ends, 2);
  grid.MoveTo(3, 1);
  grid.StartSearch();  // Grp has no search length
  EXPECT_FALSE(grid.Searching());
}

TEST_F(DataGridModelTest, SearchMarksTheSearchedRowsIndicatorCells) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  t.SetIndex(&t.ByName);
  grid.Refresh();
  grid.MoveTo(2, 1);
  ConnectNameSearch(grid);
  Type(grid, U"a");
  view.Clear();
  Type(grid, U"pr");  // apple (row 1) → apricot (row 2), same index
  EXPECT_TRUE(view.invalidated.count({0, 1}));
  EXPECT_TRUE(view.invalidated.count({0, 2}));
  EXPECT_TRUE(view.invalidated.count({2, 2}));
  EXPECT_EQ(view.repaints, 0);
}

TEST_F(DataGridModelTest, HorizontalWheelMovesOneColumnAndNotIntoTheIndicator) {
  AddItems();
  TDataGridModel grid(&t, ItemColumns(t), false, &view);
  struct Case {
    int32_t delta;
    int32_t col;
  } cases[] = {{-120, 1}, {120, 2}, {480, 3}, {1, 4}, {120, 4}, {-1, 3}, {0, 2}};
  for (const Case& c : cases) {
    grid.HorizontalWheel(c.delta);
    EXPECT_EQ(grid.Col(), c.col) << c.delta;
  }
}

}  // namespace
}  // namespace vk
