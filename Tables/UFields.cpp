#include "Tables/UFields.h"

#include <cstring>

#include "Core/Checked.h"
#include "Core/SysUtils.h"

namespace vk {

TFields::TFields(const std::vector<TField*>& fields) {
  for (TField* f : fields) Add(f);
}

void TFields::Add(TField* field) {
  Assert(field != nullptr, "Nil field added to a field set", "Tables\\UFields");
  int32_t newSize = CheckedAdd(recordSize_, field->DataSize());
  items_.push_back(field);
  offsets_.push_back(recordSize_);
  recordSize_ = newSize;
  buffer_.clear();  // sized again by the next GetRecord: adding stays linear
}

TField* TFields::Items(int32_t i) const {
  if (i < 0 || i >= Count()) throw ERangeError();
  return items_[static_cast<size_t>(i)];
}

int32_t TFields::Offsets(int32_t i) const {
  if (i < 0 || i >= Count()) throw ERangeError();
  return offsets_[static_cast<size_t>(i)];
}

int32_t TFields::IndexOf(const TField* field) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] == field) return static_cast<int32_t>(i);
  }
  return -1;
}

const uint8_t* TFields::GetRecord() {
  if (buffer_.size() != static_cast<size_t>(recordSize_)) buffer_.assign(static_cast<size_t>(recordSize_), 0);
  for (size_t i = 0; i < items_.size(); ++i) {
    std::memcpy(buffer_.data() + offsets_[i], items_[i]->DataPtr(), static_cast<size_t>(items_[i]->DataSize()));
  }
  return buffer_.data();
}

void TFields::SetRecord(const void* data) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < items_.size(); ++i) items_[i]->SetData(p + offsets_[i]);
}

void TFields::EnableEdit() {
  for (TField* f : items_) f->EnableEdit();
}

void TFields::DisableEdit() {
  for (TField* f : items_) f->DisableEdit();
}

void TFields::ClearValues() {
  std::vector<uint8_t> zeros(static_cast<size_t>(recordSize_), 0);
  SetRecord(zeros.data());
}

void TFields::InitKeyValues() {
  for (TField* f : items_) {
    if (f->IsKey()) f->InitKeyValue();
  }
}

void TFields::IncKeyValues() {
  for (TField* f : items_) {
    if (f->IsKey()) f->IncKeyValue();
  }
}

}  // namespace vk
