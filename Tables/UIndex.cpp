#include "Tables/UIndex.h"

#include <cstring>

#include "Core/Checked.h"
#include "Core/SysUtils.h"

namespace vk {
namespace {

int32_t OffsetInSet(const TFields* fields, TField* field) {
  int32_t i = fields->IndexOf(field);
  if (i < 0) throw Exception("В наборе полей не найдено индексное поле: " + field->Name());
  return fields->Offsets(i);
}

}  // namespace

TIndex::TIndex(const TFields* fields, TField* field) : fieldSet_(fields) {
  if (!fields) throw Exception("Не определен объект полей");
  if (!field) throw Exception("Не определено индексное поле");
  keySize_ = field->DataSize();
  keyBuffer_.assign(static_cast<size_t>(keySize_), 0);
  keyFieldOffset_ = OffsetInSet(fields, field);
  keyField_ = field;
}

TIndex::TIndex(const TFields* fields, const std::string& name, TField* field) : TIndex(fields, field) { name_ = name; }

TIndex::TIndex(const TFields* fields, const std::vector<TField*>& indexFields) : fieldSet_(fields) {
  if (!fields) throw Exception("Не определен объект полей");
  if (indexFields.empty()) throw Exception("Массив индексных полей пустой");
  for (TField* f : indexFields) {
    if (!f) throw Exception("Не определено индексное поле");
  }
  for (TField* f : indexFields) {
    parts_.push_back({f, OffsetInSet(fields, f), keySize_});
    keySize_ = CheckedAdd(keySize_, f->DataSize());
  }
  keyBuffer_.assign(static_cast<size_t>(keySize_), 0);
}

TIndex::TIndex(const TFields* fields, const std::string& name, const std::vector<TField*>& indexFields)
    : TIndex(fields, indexFields) {
  name_ = name;
}

int TIndex::CompareKey(const void* record) const {
  const uint8_t* rec = static_cast<const uint8_t*>(record);
  if (keyField_) return keyField_->Compare(keyBuffer_.data(), rec + keyFieldOffset_);
  for (const KeyPart& p : parts_) {
    int r = p.Field->Compare(keyBuffer_.data() + p.KeyOffset, rec + p.RecordOffset);
    if (r != 0) return r;
  }
  return 0;
}

int TIndex::CompareRecords(const void* first, const void* second) const {
  const uint8_t* a = static_cast<const uint8_t*>(first);
  const uint8_t* b = static_cast<const uint8_t*>(second);
  if (keyField_) return keyField_->Compare(a + keyFieldOffset_, b + keyFieldOffset_);
  for (const KeyPart& p : parts_) {
    int r = p.Field->Compare(a + p.RecordOffset, b + p.RecordOffset);
    if (r != 0) return r;
  }
  return 0;
}

void TIndex::BeginSortKeys() const {
  Assert(HasSortKeys(), "The index has no sort keys", "Tables\\UIndex");
  keyField_->BeginSortKeys();
}

void TIndex::AppendSortKey(const void* record, std::string& keys, std::u16string& texts) const {
  Assert(HasSortKeys(), "The index has no sort keys", "Tables\\UIndex");
  keyField_->AppendSortKey(static_cast<const uint8_t*>(record) + keyFieldOffset_, keys, texts);
}

int TIndex::CompareSortTexts(std::u16string_view a, std::u16string_view b) const {
  Assert(HasSortKeys(), "The index has no sort keys", "Tables\\UIndex");
  return keyField_->CompareSortTexts(a, b);
}

void TIndex::ExtractKey(const void* record) {
  const uint8_t* rec = static_cast<const uint8_t*>(record);
  if (keyField_) {
    std::memcpy(keyBuffer_.data(), rec + keyFieldOffset_, static_cast<size_t>(keySize_));
    return;
  }
  for (const KeyPart& p : parts_) {
    std::memcpy(keyBuffer_.data() + p.KeyOffset, rec + p.RecordOffset, static_cast<size_t>(p.Field->DataSize()));
  }
}

void TIndex::SetKeyValues(const std::vector<Variant>& values) {
  for (size_t i = 0; i < parts_.size(); ++i) {
    if (i >= values.size()) throw ERangeError();
    parts_[i].Field->VariantToBuffer(values[i], keyBuffer_.data() + parts_[i].KeyOffset);
  }
}

void TIndex::SetKeyText(const std::string& text) {
  // A several-field index has no single field to parse the text into.
  if (!keyField_) throw Exception("Не определено индексное поле");
  keyField_->TextToBuffer(text, keyBuffer_.data());
}

}  // namespace vk
