#include "Tools/LocalDbCtrls/GridWidthChanger.h"

#include <algorithm>

#include "Core/Checked.h"
#include "Core/SysUtils.h"

namespace vk {
namespace {

constexpr const char* kUnit = "Tools\\LocalDbCtrls\\DataGrid";

}  // namespace

TWidthChanger::TWidthChanger(const TGridSections* sections) : sections_(sections) {
  Assert(sections != nullptr, "OwnerSections param must be assigned", kUnit);
  Assert(!sections->empty(), "OwnerSections param must have Sections", kUnit);
  minimum_ = (*sections)[0].MinWidth;
  TakeWidths();
}

void TWidthChanger::Reset() {
  Assert(!nodes_.empty(), "Separate Machine must be assigned", kUnit);
  Assert(!sections_->empty(), "Sections must be assigned", kUnit);
  TakeWidths();
}

// Every node starts with its accumulator at its weight, and the ring is
// rebuilt when the section count changed since the last reset.
void TWidthChanger::TakeWidths() {
  nodes_.assign(sections_->size(), Node{});
  uint32_t weights = 0;
  int32_t shown = 0;
  for (size_t k = 0; k < nodes_.size(); ++k) {
    const int32_t width = (*sections_)[k].Width;
    nodes_[k].Width = width;
    nodes_[k].Weight = static_cast<uint32_t>(std::max(width, 0));
    weights = CheckedAdd(weights, nodes_[k].Weight);
    shown = CheckedAdd(shown, std::max(width, minimum_));
  }
  // Sections without any width still need a share, or no pixel could ever
  // be handed out or taken back.
  if (weights == 0) {
    for (Node& node : nodes_) node.Weight = 1;
    weights = static_cast<uint32_t>(nodes_.size());
  }
  for (Node& node : nodes_) node.Accumulator = node.Weight;
  totalWeight_ = weights;
  total_ = shown;
  cursor_ = 0;
}

void TWidthChanger::SetTotal(int32_t width) {
  if (width < total_)
    Shrink(CheckedSub(total_, width));
  else
    Grow(CheckedSub(width, total_));
}

void TWidthChanger::Grow(int32_t n) {
  while (n > 0) {
    Node& node = nodes_[cursor_];
    node.Accumulator = CheckedAdd(node.Accumulator, node.Weight);
    if (node.Accumulator >= totalWeight_) {
      node.Accumulator -= totalWeight_;
      node.Width = CheckedAdd(node.Width, 1);
      if (node.Width > minimum_) {
        ++total_;
        --n;
      }
    }
    cursor_ = Next(cursor_);
  }
}

// Only pixels shown above the minimum can be taken; asking for more would
// push hidden width below the minimum for ever.
void TWidthChanger::Shrink(int32_t n) {
  const int32_t minimumTotal = CheckedMul(minimum_, static_cast<int32_t>(nodes_.size()));
  n = std::min(n, std::max(CheckedSub(total_, minimumTotal), 0));
  while (n > 0) {
    cursor_ = Prior(cursor_);
    Node& node = nodes_[cursor_];
    if (node.Accumulator < node.Weight) {
      node.Accumulator = CheckedAdd(node.Accumulator, totalWeight_ - node.Weight);
      node.Width = CheckedSub(node.Width, 1);
      if (node.Width >= minimum_) {
        --total_;
        --n;
      }
    } else {
      node.Accumulator -= node.Weight;
    }
  }
}

int32_t TWidthChanger::SectionWidth(int32_t i) const {
  Assert(!sections_->empty(), "WidthChanger sections must be assigned", kUnit);
  Assert(i >= 0 && static_cast<size_t>(i) < nodes_.size() && static_cast<size_t>(i) < sections_->size(),
         "Invalid section index", kUnit);
  return std::max(nodes_[static_cast<size_t>(i)].Width, minimum_);
}

}  // namespace vk
