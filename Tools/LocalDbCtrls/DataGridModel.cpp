#include "Tools/LocalDbCtrls/DataGridModel.h"

#include "Core/SysUtils.h"
#include "Tools/LocalDbCtrls/DataGridSearch.h"

namespace vk {
namespace {

std::vector<int32_t> WidthsOf(const std::vector<TDataColumn>& columns) {
  std::vector<int32_t> widths;
  for (const TDataColumn& column : columns) widths.push_back(column.Width);
  return widths;
}

constexpr const char* kSortMark = "^";

// Clears a flag when the scope ends, also when a handler throws.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

TDataGridModel::TDataGridModel(TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions,
                               TGridView* view)
    : TDataGridModel(table, columns, centredCaptions, view, NoRefresh{}) {
  Refresh();
}

TDataGridModel::TDataGridModel(TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions,
                               TGridView* view, NoRefresh)
    : table_(table),
      view_(view ? view : &defaultView_),
      layout_(TDataGridLayout::FromColumns(columns)),
      header_(WidthsOf(columns), kMinColumnWidth) {
  Assert(table != nullptr, "Table param must be assigned", "Tools\\LocalDbCtrls\\DataGrid");
  Build(columns, centredCaptions);
}

// The sort mark is off before any caption is set, so no caption carries it.
void TDataGridModel::Build(const std::vector<TDataColumn>& columns, bool centredCaptions) {
  col_ = layout_.FixedCols;
  sortedColumn_ = -1;
  for (size_t i = 0; i < columns.size(); ++i) {
    fieldNos_.push_back(columns[i].FieldNo);
    sortIndexes_.push_back(columns[i].SortIndex);
    alignments_.push_back(columns[i].Alignment);
    searchLengths_.push_back(columns[i].SearchLength);
    header_.Sections()[i].Alignment = centredCaptions ? taCenter : columns[i].Alignment;
    SetColumnCaption(static_cast<int32_t>(i), columns[i].Caption);
  }
}

void TDataGridModel::SetView(TGridView* view) { view_ = view ? view : &defaultView_; }

void TDataGridModel::Refresh() {
  UpdateRowCount();
  UpdateRow();
  view_->RepaintData();
}

void TDataGridModel::UpdateRowCount() {
  const int32_t count = TableEmpty() ? 2 : table_->RecordCount() + 1;
  if (count != rowCount_) SetRowCount(count);
}

void TDataGridModel::UpdateRow() {
  const int32_t row = TableEmpty() ? 1 : table_->RecNo() + 1;
  if (row != row_) SetRow(row);
}

std::string TDataGridModel::GetCellText(int32_t col, int32_t row) const {
  if (!RowShowsRecord(row)) return {};
  return table_->CellText(row - 1, FieldNo(col - layout_.FixedCols));
}

bool TDataGridModel::RowShowsRecord(int32_t row) const { return row >= 1 && row <= table_->RecordCount(); }

void TDataGridModel::RowSelected(int32_t row) {
  if (TableEmpty()) return;
  table_->SetRecNo(row - 1);
}

bool TDataGridModel::SelectCell(int32_t col, int32_t row) {
  if (searching_ && !inSearchChar_) EndSearch();
  RowSelected(row);
  if (view_->SelectCellEvent(col, row)) return true;
  if (row != row_ && RowShowsRecord(row_)) RowSelected(row_);
  return false;
}

void TDataGridModel::SetCol(int32_t col) {
  if (col < layout_.FixedCols || col >= ColCount() || col == col_) return;
  if (!SelectCell(col, row_)) return;
  col_ = col;
  view_->CurrentCellMoved();
}

void TDataGridModel::SetRow(int32_t row) {
  if (row < 1 || row >= rowCount_ || row == row_) return;
  if (!SelectCell(col_, row)) return;
  row_ = row;
  view_->CurrentCellMoved();
}

void TDataGridModel::MoveTo(int32_t col, int32_t row) {
  if (col < layout_.FixedCols || col >= ColCount() || row < 1 || row >= rowCount_) return;
  if (col == col_ && row == row_) return;
  if (!SelectCell(col, row)) return;
  col_ = col;
  row_ = row;
  view_->CurrentCellMoved();
}

// A shorter grid keeps its current row inside, as the library grid does,
// and the window brings it into view.
void TDataGridModel::SetRowCount(int32_t count) {
  rowCount_ = count < 2 ? 2 : count;
  if (row_ < rowCount_) return;
  row_ = rowCount_ - 1;
  view_->CurrentCellMoved();
}

int32_t TDataGridModel::DataColumn(int32_t dataColumn) const {
  if (dataColumn < 0 || dataColumn >= static_cast<int32_t>(fieldNos_.size())) throw ERangeError();
  return dataColumn;
}

int32_t TDataGridModel::SearchLength(int32_t dataColumn) const {
  return searchLengths_[static_cast<size_t>(DataColumn(dataColumn))];
}

TColumnAlignment TDataGridModel::Alignment(int32_t dataColumn) const {
  return alignments_[static_cast<size_t>(DataColumn(dataColumn))];
}

int32_t TDataGridModel::FieldNo(int32_t dataColumn) const {
  return fieldNos_[static_cast<size_t>(DataColumn(dataColumn))];
}

bool TDataGridModel::CurrentColumnSearches() const {
  return col_ >= layout_.FixedCols && SearchLength(col_ - layout_.FixedCols) > 0;
}

// The owner's hook comes first, as the library grid's own key handling
// does; Enter belongs to the library grid; every other character goes to the
// search in a search column of a non-empty table, or is swallowed.
void TDataGridModel::KeyPress(char32_t& key) {
  if (OnKeyPress) OnKeyPress(key);
  if (key == kEnter) key = 0;
  if (key != 0 && IsSearchChar(key) && CurrentColumnSearches() && !TableEmpty()) {
    if (!searching_) BeginSearch();
    SearchChar(key);
    return;
  }
  key = 0;
}

void TDataGridModel::StartSearch() {
  if (CurrentColumnSearches() && !TableEmpty()) BeginSearch();
}

void TDataGridModel::StopSearch() { EndSearch(); }

void TDataGridModel::Exit() {
  if (searching_) EndSearch();
}

void TDataGridModel::InvalidateSearchCells(int32_t row) {
  view_->InvalidateCell(col_, row);
  if (layout_.FixedCols > 0) view_->InvalidateCell(0, row);
}

void TDataGridModel::BeginSearch() {
  searching_ = true;
  searchText_.clear();
  searchArg_.clear();
  highlightLength_ = 0;
  InvalidateSearchCells(row_);
  if (OnBeginSearch) OnBeginSearch(searchText_);
}

void TDataGridModel::SearchChar(char32_t ch) {
  FlagScope inSearchChar(inSearchChar_);
  TIndex* const oldIndex = table_->GetIndex();
  const int32_t oldRow = row_;
  ApplySearchChar(searchText_, ch, SearchLength(col_ - layout_.FixedCols));
  searchArg_ = searchText_;
  if (OnSearch) OnSearch(searchArg_);
  highlightLength_ = Utf8Length(searchArg_);
  UpdateRow();
  TIndex* const newIndex = table_->GetIndex();
  if (newIndex != oldIndex) {
    MarkColumnOfIndex(newIndex);
    view_->RepaintData();
  } else {
    if (layout_.FixedCols > 0) {
      view_->InvalidateCell(0, oldRow);
      view_->InvalidateCell(0, row_);
    }
    view_->InvalidateCell(col_, row_);
  }
  // The cell selection runs after every keystroke, whether the row moved or
  // not; a row change has run it already.
  if (row_ == oldRow) SelectCell(col_, row_);
}

// A handler that switched the sort off leaves no column sorted; one that
// switched to an index no column sorts by leaves the mark where it was.
void TDataGridModel::MarkColumnOfIndex(TIndex* index) {
  if (!index) {
    SetSortedColumn(-1);
    return;
  }
  for (size_t i = 0; i < sortIndexes_.size(); ++i) {
    if (sortIndexes_[i] == index) {
      SetSortedColumn(static_cast<int32_t>(i));
      return;
    }
  }
}

void TDataGridModel::EndSearch() {
  const bool wasSearching = searching_;
  searching_ = false;
  searchText_.clear();
  searchArg_.clear();
  highlightLength_ = 0;
  if (wasSearching) InvalidateSearchCells(row_);
  if (OnEndSearch) OnEndSearch(searchText_);
}

void TDataGridModel::HorizontalWheel(int32_t delta) {
  if (delta > 0) {
    if (col_ + 1 < ColCount()) SetCol(col_ + 1);
  } else if (col_ - 1 >= layout_.FixedCols) {
    SetCol(col_ - 1);
  }
}

std::string TDataGridModel::GetColumnCaption(int32_t i) const {
  return header_.Sections()[static_cast<size_t>(DataColumn(i))].Text;
}

void TDataGridModel::SetColumnCaption(int32_t i, const std::string& text) {
  std::string& shown = header_.Sections()[static_cast<size_t>(DataColumn(i))].Text;
  if (shown == text) return;
  shown = i == sortedColumn_ ? text + kSortMark : text;
  view_->SectionTextChanged(i);
}

void TDataGridModel::SetSortedColumn(int32_t i) {
  if (i == sortedColumn_) return;
  if (i >= 0) DataColumn(i);
  if (sortedColumn_ >= 0) {
    std::string& old = header_.Sections()[static_cast<size_t>(sortedColumn_)].Text;
    // Only the mark goes: a caption set to its marked form already keeps
    // its own last character.
    if (!old.empty() && old.back() == kSortMark[0]) old.pop_back();
    view_->SectionTextChanged(sortedColumn_);
  }
  sortedColumn_ = i;
  if (i >= 0) {
    header_.Sections()[static_cast<size_t>(i)].Text += kSortMark;
    view_->SectionTextChanged(i);
  }
}

void TDataGridModel::SortByColumn(int32_t i) {
  DataColumn(i);
  if (searching_) EndSearch();
  TIndex* index = sortIndexes_[static_cast<size_t>(i)];
  if (OnSortColumn) OnSortColumn(i + layout_.FixedCols, index);
  if (!index) return;
  if (index == table_->GetIndex()) {
    table_->SetIndex(nullptr);
    SetSortedColumn(-1);
  } else {
    table_->SetIndex(index);
    SetSortedColumn(i);
  }
  UpdateRow();
  view_->RepaintData();
}

}  // namespace vk
