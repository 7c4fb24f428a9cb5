#pragma once
// The header's sections as the grid logic sees them: one per data column, in
// column order. The window's header control mirrors this list; every width
// decision is taken here first.

#include <cstdint>
#include <string>
#include <vector>

namespace vk {

// Text alignment of a column's cells and of its header caption.
enum TColumnAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

struct TGridSection {
  int32_t Width = 0;
  int32_t MinWidth = 0;
  std::string Text;  // as shown, with the sort mark when sorted
  TColumnAlignment Alignment = taLeftJustify;
};

using TGridSections = std::vector<TGridSection>;

}  // namespace vk
