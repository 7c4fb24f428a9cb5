#pragma once
// The width rules of the grid's header, apart from the window. A divider
// drag moves width between a section and its right neighbour, so the total
// stays the same; a change of the header's width is spread over all
// sections by the width changer. The window's header control only shows
// what this model decides.

#include <cstdint>
#include <memory>
#include <vector>

#include "Tools/LocalDbCtrls/GridSections.h"
#include "Tools/LocalDbCtrls/GridWidthChanger.h"

namespace vk {

// Posted by the header to itself so that a pair resize happens after the
// header control has finished its notification: wParam the section number,
// lParam the signed width change.
constexpr unsigned WM_COLUMNRESIZE = 0x0400 + 451;

class TGridHeaderModel {
 public:
  // One section per data column: width = column width + its grid line.
  // Sections keep at least minWidth. There must be at least one width.
  TGridHeaderModel(const std::vector<int32_t>& columnWidths, int32_t minWidth);

  TGridSections& Sections() { return sections_; }
  const TGridSections& Sections() const { return sections_; }
  int32_t Count() const { return static_cast<int32_t>(sections_.size()); }

  // The width change that a drag of section i's divider to the proposed
  // width asks for, kept so that neither section falls below its minimum;
  // 0 means nothing to post. The last section's divider does not move.
  int32_t DragDelta(int32_t i, int32_t proposedWidth) const;
  // Moves delta pixels from section i+1 to section i and takes the new
  // widths as the proportions. Returns false, changing nothing, for the
  // last section, an unknown section, or a change that leaves no room
  // (the widths may have moved since the change was posted).
  bool ColumnResize(int32_t i, int32_t delta);
  // Spreads the header's new width over the sections; marks Resized.
  void Resize(int32_t headerWidth);

  bool Resized() const { return resized_; }
  void ClearResized() { resized_ = false; }
  const TWidthChanger& WidthChanger() const { return *changer_; }

 private:
  int32_t ClampDelta(int32_t i, int32_t delta) const;

  TGridSections sections_;
  std::unique_ptr<TWidthChanger> changer_;
  bool resized_ = false;
};

// Height of the header: 19 pixels before Windows 10 (version class below 6),
// 18 from Windows 10 on.
int32_t GridHeaderHeight(int32_t windowsVersionClass);
// The header starts right of the search indicator column and its grid line.
int32_t GridHeaderLeft(int32_t fixedColumns);
// Copies section widths into the grid's data columns (column width = section
// width − 1); returns whether any column changed.
bool CopySectionWidths(const TGridSections& sections, std::vector<int32_t>& gridColumnWidths, int32_t fixedColumns);

}  // namespace vk
