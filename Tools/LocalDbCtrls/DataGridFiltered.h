#pragma once
// The filtered grid's decisions: the rows show only the run of records
// whose key under a chosen index lies in [low, high). The run is computed
// by SetFilter alone; Refresh keeps it, so the owner sets the filter again
// after any change of the table.

#include <cstdint>
#include <string>
#include <vector>

#include "Core/Variant.h"
#include "Tools/LocalDbCtrls/DataGridFilter.h"
#include "Tools/LocalDbCtrls/DataGridModel.h"

namespace vk {

class TFilteredDataGridModel : public TDataGridModel {
 public:
  TFilteredDataGridModel(TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions,
                         TGridView* view = nullptr);

  void UpdateRowCount() override;
  void UpdateRow() override;
  std::string GetCellText(int32_t col, int32_t row) const override;
  void RowSelected(int32_t row) override;
  bool RowShowsRecord(int32_t row) const override;
  bool SelectCell(int32_t col, int32_t row) override;

  // Selects the index, computes the run, positions the table and the grid.
  // A refusal of the table leaves the previous run in place.
  void SetFilter(TIndex* index, const std::vector<Variant>& low, const std::vector<Variant>& high, bool keep);

  int32_t FilterStart() const { return range_.Start; }
  int32_t FilterCount() const { return range_.Count; }
  bool SelectPending() const { return selectPending_; }

 private:
  TFilterRange range_;
  bool selectPending_ = false;
};

}  // namespace vk
