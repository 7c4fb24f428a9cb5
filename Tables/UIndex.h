#pragma once
// One sort order over a field set: one field or an ordered list of fields,
// a key buffer holding one key in packed form (the index fields' record forms
// back to back, in index order), and the comparisons the record array sorts
// and searches with. An index owns neither its field set nor its fields.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Variant.h"
#include "Tables/UFields.h"

namespace vk {

class TIndex {
 public:
  TIndex(const TFields* fields, TField* field);
  TIndex(const TFields* fields, const std::string& name, TField* field);
  TIndex(const TFields* fields, const std::vector<TField*>& indexFields);
  TIndex(const TFields* fields, const std::string& name, const std::vector<TField*>& indexFields);
  virtual ~TIndex() = default;
  TIndex(const TIndex&) = delete;
  TIndex& operator=(const TIndex&) = delete;

  // The key in KeyBuffer against a record: -1 when the key sorts first.
  int CompareKey(const void* record) const;
  int CompareRecords(const void* first, const void* second) const;
  // A one-field index whose field has sort keys (TField::HasSortKeys):
  // AppendSortKey appends the key and the comparison's text of a record's
  // index field, and CompareSortTexts compares two such texts as
  // CompareRecords compares their records.
  bool HasSortKeys() const { return keyField_ != nullptr && keyField_->HasSortKeys(); }
  void BeginSortKeys() const;
  void AppendSortKey(const void* record, std::string& keys, std::u16string& texts) const;
  int CompareSortTexts(std::u16string_view a, std::u16string_view b) const;
  // Copies the record's index fields into KeyBuffer.
  void ExtractKey(const void* record);

  // One variant per index field, in index order; a one-field index ignores
  // the call. Too few variants raise ERangeError after the earlier parts.
  virtual void SetKeyValues(const std::vector<Variant>& values);
  // Parses the text into the key of a one-field index.
  virtual void SetKeyText(const std::string& text);

  // A one-field index over a key field: its records are kept by key value.
  bool IsPrimary() const { return keyField_ != nullptr && keyField_->IsKey(); }
  const std::string& Name() const { return name_; }
  TField* KeyField() const { return keyField_; }
  uint8_t* KeyBuffer() { return keyBuffer_.data(); }
  const uint8_t* KeyBuffer() const { return keyBuffer_.data(); }
  int32_t KeySize() const { return keySize_; }
  const TFields* FieldSet() const { return fieldSet_; }

 private:
  struct KeyPart {
    TField* Field;
    int32_t RecordOffset;
    int32_t KeyOffset;
  };

  const TFields* fieldSet_;
  std::string name_;
  std::vector<uint8_t> keyBuffer_;
  int32_t keySize_ = 0;
  TField* keyField_ = nullptr;  // one-field index only
  int32_t keyFieldOffset_ = 0;
  std::vector<KeyPart> parts_;  // several-field index only
};

}  // namespace vk
