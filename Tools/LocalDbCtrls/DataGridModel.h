#pragma once
// The data grid's decisions, apart from the window: rows mapped onto the
// table's records (row 0 is the header, row r ≥ 1 record r−1), the current
// cell following the table's current record and the other way round,
// sorting by a header click with the "^" mark, and the typed search. The
// window forwards its messages here and paints what this model says; a
// native test drives it with a recording view.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Tables/UTable.h"
#include "Tools/LocalDbCtrls/DataGridColumns.h"
#include "Tools/LocalDbCtrls/GridHeaderModel.h"

namespace vk {

// What the model asks of its window. The defaults do nothing, so a window
// (or a test) implements only what it shows.
class TGridView {
 public:
  virtual ~TGridView() = default;
  virtual void InvalidateCell(int32_t /*col*/, int32_t /*row*/) {}
  virtual void RepaintData() {}
  // The current cell moved; the window scrolls it into view.
  virtual void CurrentCellMoved() {}
  // A section's text changed; the header shows it again.
  virtual void SectionTextChanged(int32_t /*section*/) {}
  // The cell-selection event of the grid's owner; false refuses the cell.
  virtual bool SelectCellEvent(int32_t /*col*/, int32_t /*row*/) { return true; }
};

using TSearchEvent = std::function<void(std::string& text)>;
// The owner's look at a typed character before the grid's own handling; it
// may change it, or consume it by setting it to 0.
using TKeyPressEvent = std::function<void(char32_t& key)>;
using TSortColumnEvent = std::function<void(int32_t gridColumn, TIndex*& index)>;

class TDataGridModel {
 public:
  // The table and the view are not owned and must outlive the model; the
  // view may be null. The columns must not be empty (EAssertionFailed).
  TDataGridModel(TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions,
                 TGridView* view = nullptr);
  virtual ~TDataGridModel() = default;
  TDataGridModel(const TDataGridModel&) = delete;
  TDataGridModel& operator=(const TDataGridModel&) = delete;

  // A window built around its model attaches itself once it holds the
  // model: the construction already moves to the table's current record.
  void SetView(TGridView* view);

  // Row count and current row from the table; the owner calls it after
  // every change of the table.
  void Refresh();

  virtual void UpdateRowCount();
  virtual void UpdateRow();
  // Text of a cell; '' for an empty table.
  virtual std::string GetCellText(int32_t col, int32_t row) const;
  // The table follows a selected row.
  virtual void RowSelected(int32_t row);
  // Whether the grid row shows a record of the table as it is now (rows of
  // records deleted before the next Refresh do not).
  virtual bool RowShowsRecord(int32_t row) const;
  // The grid's cell selection: ends a search not driven by a keystroke,
  // moves the table, then asks the owner's event. A refused cell puts the
  // table back on the row the grid keeps.
  virtual bool SelectCell(int32_t col, int32_t row);

  // The library grid's current cell: a move runs SelectCell first and
  // happens only when it agrees.
  int32_t Col() const { return col_; }
  int32_t Row() const { return row_; }
  int32_t RowCount() const { return rowCount_; }
  int32_t ColCount() const { return static_cast<int32_t>(layout_.ColWidths.size()); }
  int32_t FixedCols() const { return layout_.FixedCols; }
  void SetCol(int32_t col);
  void SetRow(int32_t row);
  void SetRowCount(int32_t count);
  // Moving the current cell with the keys or the mouse.
  void MoveTo(int32_t col, int32_t row);

  // A typed character: the owner's OnKeyPress first, then the search.
  // KeyPress consumes every character (key := 0) except those it hands to
  // the search.
  void KeyPress(char32_t& key);
  void StartSearch();
  void StopSearch();
  // The grid lost the focus.
  void Exit();
  // The horizontal wheel: one column per message, right for a positive
  // delta, left otherwise, never into the indicator column.
  void HorizontalWheel(int32_t delta);

  // Header: captions as shown, sort by a click on data column i.
  std::string GetColumnCaption(int32_t i) const;
  void SetColumnCaption(int32_t i, const std::string& text);
  void SectionClick(int32_t section) { SortByColumn(section); }
  void SortByColumn(int32_t i);
  void SetSortedColumn(int32_t i);
  int32_t SortedColumn() const { return sortedColumn_; }

  bool Searching() const { return searching_; }
  const std::string& SearchText() const { return searchText_; }
  const std::string& SearchArg() const { return searchArg_; }
  int32_t HighlightLength() const { return highlightLength_; }
  int32_t SearchLength(int32_t dataColumn) const;
  TColumnAlignment Alignment(int32_t dataColumn) const;
  int32_t FieldNo(int32_t dataColumn) const;

  TGridHeaderModel& Header() { return header_; }
  const TGridHeaderModel& Header() const { return header_; }
  TDataGridLayout& Layout() { return layout_; }
  const TDataGridLayout& Layout() const { return layout_; }
  TTable* Table() const { return table_; }

  TKeyPressEvent OnKeyPress;
  TSearchEvent OnBeginSearch;
  TSearchEvent OnSearch;
  TSearchEvent OnEndSearch;
  TSortColumnEvent OnSortColumn;

 protected:
  // For descendants whose row mapping must be in place before the first
  // Refresh: they call Refresh at the end of their own constructor.
  struct NoRefresh {};
  TDataGridModel(TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions, TGridView* view,
                 NoRefresh);

  bool TableEmpty() const { return table_->RecordCount() == 0; }
  TGridView& View() const { return *view_; }

 private:
  void Build(const std::vector<TDataColumn>& columns, bool centredCaptions);
  int32_t DataColumn(int32_t dataColumn) const;
  bool CurrentColumnSearches() const;
  void BeginSearch();
  void SearchChar(char32_t ch);
  void EndSearch();
  void InvalidateSearchCells(int32_t row);
  void MarkColumnOfIndex(TIndex* index);

  TTable* table_;
  TGridView defaultView_;
  TGridView* view_;
  TDataGridLayout layout_;
  TGridHeaderModel header_;
  std::vector<int32_t> fieldNos_;
  std::vector<TIndex*> sortIndexes_;
  std::vector<TColumnAlignment> alignments_;
  std::vector<uint8_t> searchLengths_;
  std::string searchText_;
  std::string searchArg_;
  int32_t highlightLength_ = 0;
  bool inSearchChar_ = false;
  bool searching_ = false;
  int32_t sortedColumn_ = -1;
  int32_t col_ = 0;
  int32_t row_ = 1;
  int32_t rowCount_ = 2;
};

}  // namespace vk
