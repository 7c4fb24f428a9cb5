#include "Tools/LocalDbCtrls/DataGridFiltered.h"

#include "Core/SysUtils.h"

namespace vk {

TFilteredDataGridModel::TFilteredDataGridModel(TTable* table, const std::vector<TDataColumn>& columns,
                                               bool centredCaptions, TGridView* view)
    : TDataGridModel(table, columns, centredCaptions, view, NoRefresh{}) {
  Refresh();
}

void TFilteredDataGridModel::UpdateRowCount() {
  const int32_t count = range_.Empty() ? 2 : range_.Count + 1;
  if (count != RowCount()) SetRowCount(count);
}

void TFilteredDataGridModel::UpdateRow() {
  int32_t row = 1;
  if (!range_.Empty()) {
    row = Table()->RecNo() - range_.Start + 1;
    if (row <= 0 || row >= RowCount()) row = RowCount() - 1;
  }
  if (row != Row()) SetRow(row);
}

// Records deleted since the run was computed paint empty until the owner
// sets the filter again.
std::string TFilteredDataGridModel::GetCellText(int32_t col, int32_t row) const {
  if (!RowShowsRecord(row)) return {};
  return Table()->CellText(range_.Start + row - 1, FieldNo(col - FixedCols()));
}

bool TFilteredDataGridModel::RowShowsRecord(int32_t row) const {
  return row >= 1 && row <= range_.Count && range_.Start + row - 1 < Table()->RecordCount();
}

void TFilteredDataGridModel::RowSelected(int32_t row) {
  if (range_.Empty()) return;
  Assert(row >= 1 && row <= range_.Count, "aRow out of filter", "Tools\\LocalDbCtrls\\DataGrid");
  Table()->SetRecNo(range_.Start + row - 1);
}

bool TFilteredDataGridModel::SelectCell(int32_t col, int32_t row) {
  selectPending_ = false;
  return TDataGridModel::SelectCell(col, row);
}

void TFilteredDataGridModel::SetFilter(TIndex* index, const std::vector<Variant>& low, const std::vector<Variant>& high,
                                       bool keep) {
  range_ = SelectFilterRange(*Table(), index, low, high, keep);
  selectPending_ = true;
  Refresh();
  if (selectPending_) SelectCell(Col(), Row());
}

}  // namespace vk
