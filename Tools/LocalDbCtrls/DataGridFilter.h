#pragma once
// The filtered grid's key range: under a chosen index the table keeps its
// records sorted, so the records with low ≤ key < high (comparisons over
// all index fields) are a run of consecutive record numbers.

#include <cstdint>
#include <vector>

#include "Core/Variant.h"
#include "Tables/UTable.h"

namespace vk {

struct TFilterRange {
  int32_t Start = 0;  // record number of the run's first record; 0 when empty
  int32_t Count = 0;  // records in the run; 0 = empty
  bool Empty() const { return Count == 0; }
  bool Contains(int32_t recNo) const { return recNo >= Start && recNo - Start < Count; }
};

// Selects the index on the table, finds the run and positions the table:
// with keep, on the old current record when it lies in the run, else on
// the run's first record; without keep, on the first record at or above
// high (or the last record), as the search for the run's end left it. An
// empty run leaves the table where the search for low left it. The run is
// found by lower-bound searches for every kind of index, primary ones
// included. Refusals of the table (outside browse, an index it does not
// know) propagate before anything moves.
TFilterRange SelectFilterRange(TTable& table, TIndex* index, const std::vector<Variant>& low,
                               const std::vector<Variant>& high, bool keep);

}  // namespace vk
