#pragma once
// A table's record layout: its fields in record order, each field's offset
// inside a record, the record size and one record buffer through which the
// current values are packed and unpacked. The set does not own its fields.

#include <cstdint>
#include <vector>

#include "Tables/UField.h"

namespace vk {

class TFields {
 public:
  TFields() = default;
  explicit TFields(const std::vector<TField*>& fields);
  TFields(const TFields&) = delete;
  TFields& operator=(const TFields&) = delete;

  // Appends a field at the end of the record; the buffer's contents are lost.
  void Add(TField* field);

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // ERangeError outside 0..Count-1.
  TField* Items(int32_t i) const;
  int32_t Offsets(int32_t i) const;
  int32_t RecordSize() const { return recordSize_; }
  // Position of this very object in the set, or -1.
  int32_t IndexOf(const TField* field) const;

  // Packs the current values; the buffer stays valid until the next
  // GetRecord or Add.
  const uint8_t* GetRecord();
  // Every field takes its value from the record data, whatever Editable says.
  void SetRecord(const void* data);
  void EnableEdit();
  void DisableEdit();
  // Integers, money and booleans 0, strings empty, dates 0.
  void ClearValues();
  void InitKeyValues();
  void IncKeyValues();

 private:
  std::vector<TField*> items_;
  std::vector<int32_t> offsets_;
  std::vector<uint8_t> buffer_;
  int32_t recordSize_ = 0;
};

}  // namespace vk
