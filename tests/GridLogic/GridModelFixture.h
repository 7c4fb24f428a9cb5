#pragma once
// A goods-like table over an in-memory file system and a view that records
// what the grid model asked of its window.

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Platform/fake/MemoryFileSystem.h"
#include "Tools/LocalDbCtrls/DataGridModel.h"
#include "tests/Tables/ItemTable.h"

namespace vk::testing {

class RecordingView : public TGridView {
 public:
  void InvalidateCell(int32_t col, int32_t row) override { invalidated.insert({col, row}); }
  void RepaintData() override { ++repaints; }
  void CurrentCellMoved() override { ++currentMoves; }
  void SectionTextChanged(int32_t section) override { sectionsChanged.insert(section); }
  bool SelectCellEvent(int32_t col, int32_t row) override {
    selections.push_back({col, row});
    return !refuseSelection;
  }
  void Clear() {
    invalidated.clear();
    repaints = 0;
    currentMoves = 0;
    sectionsChanged.clear();
    selections.clear();
  }

  std::set<std::pair<int32_t, int32_t>> invalidated;
  int repaints = 0;
  int currentMoves = 0;
  std::set<int32_t> sectionsChanged;
  std::vector<std::pair<int32_t, int32_t>> selections;
  bool refuseSelection = false;
};

// Columns of the goods grid's shape: ID, Name (sortable, searchable up to
// 8 characters), Grp (sortable by group), Price.
inline std::vector<TDataColumn> ItemColumns(ItemTable& t) {
  return {MakeDataColumn(0, taRightJustify, 40, "ID", &t.ByID, 0),
          MakeDataColumn(1, taLeftJustify, 120, "Name", &t.ByName, 8),
          MakeDataColumn(2, taRightJustify, 40, "Grp", &t.ByGroup, 0),
          MakeDataColumn(3, taRightJustify, 60, "Price", nullptr, 0)};
}

class GridModelTest : public ::testing::Test {
 protected:
  platform::MemoryFileSystem fs;
  ItemTable t{fs};
  RecordingView view;

  void SetUp() override {
    t.SetFileName("items.dat");
    t.OpenAndRegister();
  }
};

}  // namespace vk::testing
