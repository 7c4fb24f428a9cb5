#include "Tables/UDatArr.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Checked.h"
#include "Core/SysUtils.h"
#include "Tables/UBaseFld.h"

namespace vk {
namespace {

// How far a key counter may run ahead of the record count before the slot
// re-sort would cost more memory than it is worth.
bool CounterIsCompact(int32_t nextKeyValue, int32_t count) {
  return int64_t{nextKeyValue} <= int64_t{count} * 4 + 1024;
}

constexpr size_t kLoadChunkBytes = 1 << 20;

}  // namespace

TDatArr::TDatArr(platform::FileSystem& fs) : TDatFile(fs) {}

TDatArr::~TDatArr() {
  if (Active()) BestEffort([this] { TDatArr::CloseFile(); });
}

int32_t TDatArr::GrowCapacity(int32_t n) {
  if (n < 64) return std::max<int32_t>(16, CheckedMul<int32_t>((CheckedAdd<int32_t>(n, 15)) / 16, 16));
  int32_t p = 1;
  while (p <= n / 2) p *= 2;
  const int32_t step = p / 4;
  int32_t k = (n - p + step - 1) / step;
  return CheckedAdd(p, CheckedMul(k, step));
}

int32_t TDatArr::ElemOffset(int32_t i) const {
  int32_t v;
  std::memcpy(&v, Elem(i), 4);
  return v;
}

void TDatArr::PutElem(int32_t i, int32_t fileOffset, const uint8_t* record) {
  uint8_t* e = Elem(i);
  std::memcpy(e, &fileOffset, 4);
  std::memcpy(e + 4, record, static_cast<size_t>(Fields()->RecordSize()));
}

void TDatArr::MoveElems(int32_t to, int32_t from, int32_t count) {
  if (count > 0) std::memmove(Elem(to), Elem(from), static_cast<size_t>(count) * static_cast<size_t>(elemSize_));
}

void TDatArr::Reallocate(int32_t capacity) {
  if (capacity == capacity_) return;
  if (capacity == 0) {
    data_.reset();
  } else {
    const size_t bytes = static_cast<size_t>(capacity) * static_cast<size_t>(elemSize_);
    std::unique_ptr<uint8_t[]> fresh(new uint8_t[bytes]());
    const int32_t keep = std::min(capacity, elemCount_);
    if (keep > 0) std::memcpy(fresh.get(), data_.get(), static_cast<size_t>(keep) * static_cast<size_t>(elemSize_));
    data_ = std::move(fresh);
  }
  capacity_ = capacity;
}

void TDatArr::SetCount(int32_t n) {
  CheckActive();
  if (n < 0) throw Exception("Задано отрицательное количество элементов массива");
  if (n > maxCount_) throw Exception("Задано слишком большое количество элементов массива данных");
  int32_t capacity = capacity_;
  if (n == 0)
    capacity = 0;
  else if (n > capacity_ || n < elemCount_)
    capacity = GrowCapacity(n);
  capacity = std::min(capacity, maxCount_);
  Reallocate(capacity);
  elemCount_ = n;
  if (n == 0) itemIndex_ = 0;
}

// Makes room for n elements without changing the count, so that a later
// SetCount(n) cannot fail or reallocate.
void TDatArr::ReserveFor(int32_t n) {
  if (n > maxCount_) throw Exception("Задано слишком большое количество элементов массива данных");
  if (n > capacity_) Reallocate(std::min(GrowCapacity(n), maxCount_));
}

int32_t TDatArr::Count() const {
  CheckActive();
  return elemCount_;
}

int32_t TDatArr::ItemIndex() const {
  CheckActive();
  return itemIndex_;
}

void TDatArr::SetItemIndex(int32_t i) {
  CheckActive();
  if (elemCount_ == 0) return;
  if (i < 0 || i >= elemCount_) throw Exception("Неверный номер текущего элемента массива");
  itemIndex_ = i;
  SetRecordOffset(ElemOffset(i));
  Fields()->SetRecord(Elem(i) + 4);
}

void TDatArr::CreateFile(bool overwrite) {
  TDatFile::CreateFile(overwrite);
  Fields()->ClearValues();
  elemSize_ = (Fields()->RecordSize() + 4 + 3) / 4 * 4;
  maxCount_ = std::numeric_limits<int32_t>::max() / elemSize_;
  data_.reset();
  elemCount_ = itemIndex_ = capacity_ = 0;
}

void TDatArr::OpenFile(bool createIfMissing) {
  TDatFile::OpenFile(createIfMissing);
  try {
    elemSize_ = (Fields()->RecordSize() + 4 + 3) / 4 * 4;
    maxCount_ = std::numeric_limits<int32_t>::max() / elemSize_;
    LoadRecords();
    if (elemCount_ > 0)
      SetItemIndex(0);
    else
      Fields()->ClearValues();
  } catch (...) {
    BestEffort([this] { CloseFile(); });
    throw;
  }
}

// Reads the records in large chunks; counts the live ones as it goes, and
// refuses a file whose live records disagree with its header.
void TDatArr::LoadRecords() {
  const TDatHeader& h = Header();
  const int32_t expected = h.RecordCount - h.DeletedCount;
  index_ = nullptr;
  elemCount_ = itemIndex_ = 0;
  SetCount(expected);
  // Integer key fields: the highest key any record holds, deleted ones too.
  struct Key {
    TField* Field;
    int32_t Offset;
    int32_t Highest;
  };
  std::vector<Key> keys;
  for (int32_t f = 0; f < Fields()->Count(); ++f) {
    TField* field = Fields()->Items(f);
    if (field->IsKey() && field->TypeId() == TIntegerField::ClassInfo().TypeId)
      keys.push_back({field, kRecordPrefixSize + Fields()->Offsets(f), std::numeric_limits<int32_t>::min()});
  }
  const size_t recordLength = static_cast<size_t>(h.RecordLength);
  const size_t perChunk = std::max<size_t>(1, kLoadChunkBytes / recordLength);
  std::vector<uint8_t> chunk;
  int32_t live = 0;
  for (int32_t first = 0; first < h.RecordCount;) {
    const int32_t n = static_cast<int32_t>(std::min<size_t>(perChunk, static_cast<size_t>(h.RecordCount - first)));
    chunk.resize(static_cast<size_t>(n) * recordLength);
    Seek(int64_t{h.DataOffset} + int64_t{first} * h.RecordLength, 0);
    Read(chunk.data(), chunk.size());
    for (int32_t i = 0; i < n; ++i) {
      const uint8_t* rec = chunk.data() + static_cast<size_t>(i) * recordLength;
      for (Key& k : keys) k.Highest = std::max(k.Highest, GetInt32(rec + k.Offset));
      if (GetInt32(rec) != kStatusLive) continue;
      if (live == expected) throw Exception("Неверное количество записей");
      PutElem(live++, h.DataOffset + (first + i) * h.RecordLength, rec + kRecordPrefixSize);
    }
    first += n;
  }
  if (live != expected) throw Exception("Неверное количество записей");
  // A stored key at or above its counter (a file written elsewhere, or a
  // counter write cut short) lifts the counter: no key is handed out twice.
  if (h.RecordCount > 0) {
    for (const Key& k : keys) LiftKeyCounter(k.Field, k.Highest);
  }
}

void TDatArr::LiftKeyCounter(TField* field, int32_t storedKey) {
  if (storedKey >= field->NextKeyValue())
    field->SetNextKeyValue(storedKey == std::numeric_limits<int32_t>::max() ? storedKey : storedKey + 1);
}

// After a record was written with whatever key its caller gave it.
void TDatArr::LiftKeyCountersOverFields() {
  for (int32_t f = 0; f < Fields()->Count(); ++f) {
    TField* field = Fields()->Items(f);
    if (field->IsKey() && field->TypeId() == TIntegerField::ClassInfo().TypeId)
      LiftKeyCounter(field, static_cast<TIntegerField*>(field)->Value());
  }
}

void TDatArr::CloseFile() {
  CheckActive();
  data_.reset();
  elemSize_ = elemCount_ = itemIndex_ = capacity_ = maxCount_ = 0;
  index_ = nullptr;
  TDatFile::CloseFile();
}

TIndex* TDatArr::GetIndex() const {
  CheckActive();
  return index_;
}

void TDatArr::SetIndex(TIndex* index) {
  CheckActive();
  if (index == index_) return;
  if (!index) {
    index_ = nullptr;
    return;
  }
  const int32_t current = CurrentFileOffset();
  try {
    if (!(index->IsPrimary() && CanSortByKeyValue(*index) && SortByKeyValue(*index))) MergeSort(*index);
  } catch (...) {
    // A comparison that fails part-way leaves every record in place but in
    // no index's order: the array then claims none.
    index_ = nullptr;
    if (elemCount_ > 0) GotoFileOffset(current);
    throw;
  }
  index_ = index;  // only once the records are in its order
  if (elemCount_ > 0) GotoFileOffset(current);
}

bool TDatArr::CanSortByKeyValue(const TIndex& index) const {
  return index.KeyField()->TypeId() == TIntegerField::ClassInfo().TypeId &&
         CounterIsCompact(index.KeyField()->NextKeyValue(), elemCount_);
}

// Places each element in the slot of its key value: linear in records plus
// key range. Answers false, with the order untouched, when the stored keys
// are not unique values in 1..NextKeyValue-1.
bool TDatArr::SortByKeyValue(const TIndex& index) {
  if (!index.IsPrimary()) throw Exception("Индекс не является первичным ключем");
  if (elemCount_ < 2) return true;
  const int32_t next = index.KeyField()->NextKeyValue();
  const int32_t offset = Fields()->Offsets(Fields()->IndexOf(index.KeyField()));
  std::vector<int32_t> slots(static_cast<size_t>(std::max(next, 1)), -1);
  for (int32_t i = 0; i < elemCount_; ++i) {
    int32_t v;
    std::memcpy(&v, Elem(i) + 4 + offset, 4);
    if (v < 1 || v >= next || slots[static_cast<size_t>(v)] != -1) return false;
    slots[static_cast<size_t>(v)] = i;
  }
  std::unique_ptr<uint8_t[]> fresh(new uint8_t[static_cast<size_t>(capacity_) * static_cast<size_t>(elemSize_)]());
  int32_t k = 0;
  for (int32_t slot : slots) {
    if (slot < 0) continue;
    std::memcpy(fresh.get() + static_cast<size_t>(k++) * static_cast<size_t>(elemSize_), Elem(slot),
                static_cast<size_t>(elemSize_));
  }
  data_ = std::move(fresh);
  return true;
}

void TDatArr::MergeSort(const TIndex& index) {
  if (elemCount_ <= 1) return;
  if (index.HasSortKeys() && SortByPreparedKeys(index)) return;
  std::unique_ptr<uint8_t[]> scratch(
      new uint8_t[static_cast<size_t>((elemCount_ + 1) / 2 + 1) * static_cast<size_t>(elemSize_)]);
  SortRange(index, 0, elemCount_ - 1, scratch.get());
}

// A field whose comparison is costly (a locale's, converting both texts
// each time) gives each record's key and converted text once; a stable sort
// of the element numbers by the keys compared bytewise then gives the merge
// sort's order at a fraction of the cost. The keys only propose the order:
// one pass with the index's own comparison over the converted texts must
// find every neighbour in order and equal neighbours in their order before
// the sort, else the answer is false and the elements stay untouched for the
// plain merge sort. Nothing moves until the order has passed, so a failing
// comparison loses no record.
bool TDatArr::SortByPreparedKeys(const TIndex& index) {
  const size_t n = static_cast<size_t>(elemCount_);
  index.BeginSortKeys();
  // All keys and texts in one block each; the ends mark where each one stops.
  std::string keyBlock;
  std::u16string textBlock;
  std::vector<size_t> keyEnds(n), textEnds(n);
  for (size_t i = 0; i < n; ++i) {
    index.AppendSortKey(Elem(static_cast<int32_t>(i)) + 4, keyBlock, textBlock);
    keyEnds[i] = keyBlock.size();
    textEnds[i] = textBlock.size();
  }
  auto key = [&](int32_t i) {
    const size_t from = i == 0 ? 0 : keyEnds[static_cast<size_t>(i) - 1];
    return std::string_view(keyBlock.data() + from, keyEnds[static_cast<size_t>(i)] - from);
  };
  auto text = [&](int32_t i) {
    const size_t from = i == 0 ? 0 : textEnds[static_cast<size_t>(i) - 1];
    return std::u16string_view(textBlock.data() + from, textEnds[static_cast<size_t>(i)] - from);
  };
  std::vector<int32_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = static_cast<int32_t>(i);
  // string_view compares its bytes unsigned, shorter first on a common start.
  std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return key(a) < key(b); });
  for (size_t k = 1; k < n; ++k) {
    const int32_t a = order[k - 1], b = order[k];
    const int c = index.CompareSortTexts(text(a), text(b));
    if (c > 0 || (c == 0 && a > b)) return false;
  }
  const size_t es = static_cast<size_t>(elemSize_);
  std::unique_ptr<uint8_t[]> fresh(new uint8_t[static_cast<size_t>(capacity_) * es]());
  for (size_t k = 0; k < n; ++k) std::memcpy(fresh.get() + k * es, Elem(order[k]), es);
  data_ = std::move(fresh);
  return true;
}

void TDatArr::SortRange(const TIndex& index, int32_t lo, int32_t hi, uint8_t* scratch) {
  const int32_t mid = lo + (hi - lo) / 2;
  if (lo < mid) {
    if (mid - lo > 16)
      SortRange(index, lo, mid, scratch);
    else
      InsertionSort(index, lo, mid);
  }
  if (mid + 1 < hi) {
    if (hi - (mid + 1) > 16)
      SortRange(index, mid + 1, hi, scratch);
    else
      InsertionSort(index, mid + 1, hi);
  }
  const size_t es = static_cast<size_t>(elemSize_);
  const int32_t leftCount = mid - lo + 1;
  std::memcpy(scratch, Elem(lo), static_cast<size_t>(leftCount) * es);
  int32_t i = 0, j = mid + 1, k = lo;
  // The places k..j-1 are free and exactly as many as the scratch items
  // left: putting those back never loses a record, even when a comparison
  // raises.
  auto putBackScratch = [&] {
    if (i < leftCount)
      std::memcpy(Elem(k), scratch + static_cast<size_t>(i) * es, static_cast<size_t>(leftCount - i) * es);
  };
  try {
    while (i < leftCount && j <= hi) {
      const uint8_t* left = scratch + static_cast<size_t>(i) * es;
      if (index.CompareRecords(left + 4, Elem(j) + 4) <= 0) {
        std::memcpy(Elem(k++), left, es);
        ++i;
      } else {
        std::memmove(Elem(k++), Elem(j++), es);
      }
    }
  } catch (...) {
    putBackScratch();
    throw;
  }
  putBackScratch();
}

void TDatArr::InsertionSort(const TIndex& index, int32_t lo, int32_t hi) {
  std::vector<uint8_t> tmp(static_cast<size_t>(elemSize_));
  for (int32_t i = lo + 1; i <= hi; ++i) {
    std::memcpy(tmp.data(), Elem(i), tmp.size());
    int32_t j = i;
    try {
      while (j > lo && index.CompareRecords(tmp.data() + 4, Elem(j - 1) + 4) < 0) {
        std::memcpy(Elem(j), Elem(j - 1), tmp.size());
        --j;
      }
    } catch (...) {
      std::memcpy(Elem(j), tmp.data(), tmp.size());  // the hole gets its record back
      throw;
    }
    std::memcpy(Elem(j), tmp.data(), tmp.size());
  }
}

void TDatArr::Search() {
  CheckActive();
  if (!index_) throw Exception("Не задан индексный объект");
  if (elemCount_ == 0) return;
  if (index_->IsPrimary())
    SearchPrimary();
  else
    SearchFirstEqual();
}

void TDatArr::SearchPrimary() {
  int32_t lo = 0, hi = elemCount_ - 1, mid = 0;
  while (lo <= hi) {
    mid = lo + (hi - lo) / 2;
    const int c = index_->CompareKey(Elem(mid) + 4);
    if (c < 0)
      hi = mid - 1;
    else if (c > 0)
      lo = mid + 1;
    else
      break;
  }
  SetItemIndex(mid);
}

// Lower bound: the first element equal to the key, else the first greater
// one, else the last element.
void TDatArr::SearchFirstEqual() {
  int32_t lo = 0, hi = elemCount_;
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (index_->CompareKey(Elem(mid) + 4) > 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  SetItemIndex(std::min(lo, elemCount_ - 1));
}

// Upper bound: the position just after the last element equal to the key.
int32_t TDatArr::InsertPosition() const {
  if (!index_) throw Exception("Не задан индексный объект");
  int32_t lo = 0, hi = elemCount_;
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (index_->CompareKey(Elem(mid) + 4) >= 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

// Among elements whose key equals the new key, the rewritten record goes in
// ascending order of the tie-break field. The walk stops at the first
// element that is not equal, whatever values a foreign file holds.
int32_t TDatArr::RewritePosition() const {
  const int32_t pos = InsertPosition();
  if (pos <= 0 || FTieBreakField < 0 || FTieBreakField >= Fields()->Count()) return pos;
  if (!Fields()->Items(FTieBreakField)->IsKey()) return pos;
  const int32_t offset = 4 + Fields()->Offsets(FTieBreakField);
  int32_t v;
  std::memcpy(&v, Elem(itemIndex_) + offset, 4);
  int32_t i = pos;
  while (i > 0) {
    --i;
    if (index_->CompareKey(Elem(i) + 4) != 0) return i + 1;
    int32_t w;
    std::memcpy(&w, Elem(i) + offset, 4);
    if (w < v) return i + 1;
  }
  return 0;
}

void TDatArr::AppendRecord() {
  CheckActive();
  const int32_t n = CheckedAdd(elemCount_, 1);
  int32_t position = elemCount_;
  if (index_) {
    index_->ExtractKey(Fields()->GetRecord());
    position = InsertPosition();
  }
  ReserveFor(n);
  TDatFile::AppendRecord();  // the file first: a failure leaves memory as it was
  SetCount(n);
  MoveElems(position + 1, position, n - 1 - position);
  PutElem(position, TDatFile::RecordOffset(), Fields()->GetRecord());
  itemIndex_ = position;
  LiftKeyCountersOverFields();
}

void TDatArr::RewriteRecord() {
  CheckActive();
  Assert(itemIndex_ >= 0 && itemIndex_ < elemCount_, "No current element to rewrite", "Tables\\UDatArr");
  const int32_t offset = ElemOffset(itemIndex_);
  SetRecordOffset(offset);
  TDatFile::RewriteRecord();  // the file first: a failure leaves memory as it was
  const uint8_t* record = Fields()->GetRecord();
  if (index_) {
    index_->ExtractKey(record);
    if (index_->CompareKey(Elem(itemIndex_) + 4) != 0) {
      const int32_t f = RewritePosition();
      const int32_t c = itemIndex_;
      if (f < c) {
        MoveElems(f + 1, f, c - f);
        itemIndex_ = f;
      } else if (c + 1 < f) {
        MoveElems(c, c + 1, f - 1 - c);
        itemIndex_ = f - 1;
      }
    }
  }
  PutElem(itemIndex_, offset, record);
  LiftKeyCountersOverFields();
}

void TDatArr::DeleteRecord() {
  CheckActive();
  Assert(itemIndex_ >= 0 && itemIndex_ < elemCount_, "No current element to delete", "Tables\\UDatArr");
  SetRecordOffset(ElemOffset(itemIndex_));
  TDatFile::DeleteRecord();
  MoveElems(itemIndex_, itemIndex_ + 1, elemCount_ - itemIndex_ - 1);
  const int32_t keep = itemIndex_;
  SetCount(elemCount_ - 1);
  itemIndex_ = elemCount_ == 0 ? 0 : keep;
  if (elemCount_ == 0) Fields()->ClearValues();
}

void TDatArr::EmptyTable() {
  TDatFile::EmptyTable();  // the file first: a failure leaves memory as it was
  SetCount(0);
  itemIndex_ = 0;
}

void TDatArr::ReloadFromFile(int32_t returnTo) {
  TIndex* index = index_;
  TDatFile::ReloadFromFile(returnTo);
  try {
    LoadRecords();
    if (index) SetIndex(index);
    if (elemCount_ == 0) {
      Fields()->ClearValues();
    } else {
      try {
        GotoFileOffset(returnTo);
      } catch (const Exception&) {
        SetItemIndex(0);  // the record is gone with the change that made it
      }
    }
  } catch (...) {
    BestEffort([this] { CloseFile(); });
    throw;
  }
}

std::string TDatArr::CellText(int32_t row, int32_t field) const {
  CheckActive();
  if (row < 0 || row >= elemCount_ || field < 0 || field >= Fields()->Count()) {
    throw Exception("Неверный индекс для получения строки данных\r\nElem = " + std::to_string(row) +
                    "\r\nFElemCount = " + std::to_string(elemCount_) + "\r\nField = " + std::to_string(field) +
                    "\r\nFields.Count = " + std::to_string(Fields()->Count()));
  }
  return Fields()->Items(field)->BufferToText(Elem(row) + 4 + Fields()->Offsets(field));
}

const uint8_t* TDatArr::CellData(int32_t row, int32_t field) const {
  CheckActive();
  if (row < 0 || row >= elemCount_ || field < 0 || field >= Fields()->Count())
    throw Exception("Неверный индекс для получения значения элемента массива");
  return Elem(row) + 4 + Fields()->Offsets(field);
}

int32_t TDatArr::CurrentFileOffset() const {
  if (elemCount_ < 1 || itemIndex_ < 0 || itemIndex_ >= elemCount_) return 0;
  return ElemOffset(itemIndex_);
}

void TDatArr::GotoFileOffset(int32_t offset) {
  if (elemCount_ == 0) return;
  for (int32_t i = 0; i < elemCount_; ++i) {
    if (ElemOffset(i) == offset) {
      SetItemIndex(i);
      return;
    }
  }
  throw Exception("Неверный физический номер записи");
}

}  // namespace vk
