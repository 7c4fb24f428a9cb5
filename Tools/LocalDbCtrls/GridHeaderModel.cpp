#include "Tools/LocalDbCtrls/GridHeaderModel.h"

#include "Core/Checked.h"
#include "Core/SysUtils.h"

namespace vk {

TGridHeaderModel::TGridHeaderModel(const std::vector<int32_t>& columnWidths, int32_t minWidth) {
  Assert(!columnWidths.empty(), "AColumns array param must be not empty", "Tools\\LocalDbCtrls\\DataGrid");
  for (int32_t width : columnWidths) {
    TGridSection section;
    section.MinWidth = minWidth;
    section.Width = CheckedAdd(width, 1);
    sections_.push_back(section);
  }
  changer_ = std::make_unique<TWidthChanger>(&sections_);
}

int32_t TGridHeaderModel::ClampDelta(int32_t i, int32_t delta) const {
  const TGridSection& left = sections_[static_cast<size_t>(i)];
  const TGridSection& right = sections_[static_cast<size_t>(i) + 1];
  if (CheckedSub(right.Width, delta) < right.MinWidth) delta = CheckedSub(right.Width, right.MinWidth);
  if (CheckedAdd(left.Width, delta) < left.MinWidth) delta = CheckedSub(left.MinWidth, left.Width);
  return delta;
}

int32_t TGridHeaderModel::DragDelta(int32_t i, int32_t proposedWidth) const {
  if (i < 0 || i >= Count() - 1) return 0;
  const int32_t width = sections_[static_cast<size_t>(i)].Width;
  if (proposedWidth == width) return 0;
  return ClampDelta(i, CheckedSub(proposedWidth, width));
}

bool TGridHeaderModel::ColumnResize(int32_t i, int32_t delta) {
  if (i < 0 || i >= Count() - 1) return false;
  // Two drags may have been posted before either arrived: the later one is
  // kept within the minimums of the widths it finds.
  delta = ClampDelta(i, delta);
  if (delta == 0) return false;
  TGridSection& left = sections_[static_cast<size_t>(i)];
  TGridSection& right = sections_[static_cast<size_t>(i) + 1];
  left.Width = CheckedAdd(left.Width, delta);
  right.Width = CheckedSub(right.Width, delta);
  changer_->Reset();
  return true;
}

void TGridHeaderModel::Resize(int32_t headerWidth) {
  changer_->SetTotal(headerWidth);
  for (int32_t i = 0; i < Count(); ++i) {
    const int32_t width = changer_->SectionWidth(i);
    if (sections_[static_cast<size_t>(i)].Width != width) sections_[static_cast<size_t>(i)].Width = width;
  }
  resized_ = true;
}

int32_t GridHeaderHeight(int32_t windowsVersionClass) { return windowsVersionClass < 6 ? 19 : 18; }

int32_t GridHeaderLeft(int32_t fixedColumns) { return fixedColumns > 0 ? 11 : 0; }

bool CopySectionWidths(const TGridSections& sections, std::vector<int32_t>& gridColumnWidths, int32_t fixedColumns) {
  bool changed = false;
  for (size_t i = 0; i < sections.size(); ++i) {
    const size_t column = i + static_cast<size_t>(fixedColumns);
    if (column >= gridColumnWidths.size()) break;
    const int32_t width = CheckedSub(sections[i].Width, 1);
    if (gridColumnWidths[column] != width) {
      gridColumnWidths[column] = width;
      changed = true;
    }
  }
  return changed;
}

}  // namespace vk
