#include "Tools/LocalDbCtrls/DataGridFilter.h"

#include <algorithm>

#include "Core/SysUtils.h"

namespace vk {
namespace {

// The index's own loader skips one-field indexes; a filter over one must
// still compare against the key it was given, not a stale one.
void LoadKey(TIndex& index, const std::vector<Variant>& values) {
  if (index.KeyField()) {
    if (values.empty()) throw ERangeError();
    index.KeyField()->VariantToBuffer(values[0], index.KeyBuffer());
    return;
  }
  index.SetKeyValues(values);
}

const uint8_t* RecordAt(const TTable& table, int32_t row) {
  return table.CellData(row, 0) - table.Fields()->Offsets(0);
}

// First record whose key is not below the key buffer, or RecordCount.
int32_t LowerBound(const TTable& table, const TIndex& index) {
  int32_t lo = 0, hi = table.RecordCount();
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (index.CompareKey(RecordAt(table, mid)) > 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

}  // namespace

TFilterRange SelectFilterRange(TTable& table, TIndex* index, const std::vector<Variant>& low,
                               const std::vector<Variant>& high, bool keep) {
  if (!index) throw Exception("Не задан индексный объект");
  table.SetIndex(index);
  const int32_t old = table.RecNo();
  const int32_t count = table.RecordCount();
  if (count == 0) return {};

  LoadKey(*index, low);
  const int32_t first = LowerBound(table, *index);
  table.SetRecNo(std::min(first, count - 1));
  if (first == count) return {};
  LoadKey(*index, high);
  if (index->CompareKey(RecordAt(table, first)) <= 0) return {};

  const int32_t end = LowerBound(table, *index);
  table.SetRecNo(std::min(end, count - 1));
  const TFilterRange range{first, end - first};
  if (keep) table.SetRecNo(range.Contains(old) ? old : range.Start);
  return range;
}

}  // namespace vk
