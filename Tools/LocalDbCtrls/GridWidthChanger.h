#pragma once
// Spreads a change of the header's total width over its sections in
// proportion to their widths at the last Reset. Pixels are handed out
// round-robin through per-section accumulators, and Shrink replays Grow
// backwards through the same accumulators, so widening by k pixels and
// narrowing by k again restores every width exactly. A section pushed below
// the minimum keeps absorbing pixels without showing them.

#include <cstdint>
#include <vector>

#include "Tools/LocalDbCtrls/GridSections.h"

namespace vk {

class TWidthChanger {
 public:
  // The sections are not owned and must outlive the changer; they must not
  // be empty (EAssertionFailed otherwise).
  explicit TWidthChanger(const TGridSections* sections);

  // The sections' current widths become the new proportions.
  void Reset();
  // Grows or shrinks the sections to this total of shown widths. The total
  // never goes below every section at the minimum.
  void SetTotal(int32_t width);
  // Width to show for section i (never below the minimum).
  int32_t SectionWidth(int32_t i) const;

  int32_t Total() const { return total_; }
  int32_t Minimum() const { return minimum_; }

 private:
  struct Node {
    uint32_t Weight = 0;       // the section's width at the last reset
    uint32_t Accumulator = 0;  // share of pixels owed, modulo the total weight
    int32_t Width = 0;         // may fall below the minimum
  };

  void Grow(int32_t n);
  void Shrink(int32_t n);
  void TakeWidths();
  size_t Next(size_t k) const { return k + 1 == nodes_.size() ? 0 : k + 1; }
  size_t Prior(size_t k) const { return k == 0 ? nodes_.size() - 1 : k - 1; }

  const TGridSections* sections_;
  std::vector<Node> nodes_;  // a ring in section order
  size_t cursor_ = 0;        // where the next Grow step starts
  uint32_t totalWeight_ = 0;
  int32_t total_ = 0;
  int32_t minimum_ = 0;
};

}  // namespace vk
