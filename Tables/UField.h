#pragma once
// The field base class and the process-wide registry of field classes.
//
// A field object holds one value of the current record, knows its width in
// record form, converts it to and from text, compares two stored values and
// fills index keys. A field class is described by a TFieldClass: its type id
// and letter (stored in table files), its parent and a factory; the registry
// lets the table file make the right object for each descriptor it reads.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Variant.h"

namespace vk {

class TField;

// Class-level information of one field class: what the registry and the file
// writer ask of a class without an object.
struct TFieldClass {
  const char* Name;
  int32_t TypeId;             // 0 for the abstract base
  char TypeLetter;            // 0 for the abstract base
  const TFieldClass* Parent;  // nullptr for TField
  // The virtual constructor Create(Size); nullptr for the abstract base.
  std::unique_ptr<TField> (*Create)(int32_t size);

  bool InheritsFrom(const TFieldClass& other) const;
};

// The ordered list of registered field classes. Entries are only appended.
class TFieldClassRegistry {
 public:
  void RegisterFieldClass(const TFieldClass& cls);
  const TFieldClass& FindFieldClass(int32_t typeId) const;
  std::unique_ptr<TField> CreateFieldOfType(int32_t typeId, int32_t size) const;
  // True when the class or one of its ancestors is registered.
  bool Knows(const TFieldClass& cls) const;
  size_t Count() const { return classes_.size(); }
  void Clear() { classes_.clear(); }

 private:
  std::vector<const TFieldClass*> classes_;
};

// The process-wide registry. On first use it holds the five standard classes,
// registered in start-up order: integer, string, boolean, date-time, money.
TFieldClassRegistry& FieldClasses();

void RegisterFieldClass(const TFieldClass& cls);
const TFieldClass& FindFieldClass(int32_t typeId);
std::unique_ptr<TField> CreateFieldOfType(int32_t typeId, int32_t size);

class TField {
 public:
  static constexpr size_t kMaxNameLength = 20;

  virtual ~TField() = default;
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  static const TFieldClass& ClassInfo();
  const TFieldClass& ClassType() const { return *class_; }
  const char* ClassName() const { return class_->Name; }

  virtual int32_t DataSize() const = 0;
  // DataSize bytes holding the current value in record form.
  virtual const void* DataPtr() = 0;
  // Takes the value from DataSize bytes of record data; ignores Editable.
  virtual void SetData(const void* data) = 0;
  virtual std::string GetAsString() const = 0;
  virtual void SetAsString(const std::string& text) = 0;
  int32_t TypeId() const { return class_->TypeId; }
  char TypeLetter() const { return class_->TypeLetter; }
  virtual void InitKeyValue() {}
  virtual void IncKeyValue();
  // -1, 0 or 1 for two stored values in record form.
  virtual int Compare(const void* a, const void* b) const = 0;
  // Sort keys, for a comparison that is costly to repeat (a locale's): a
  // field that has them answers true, and AppendSortKey appends the bytes of
  // a stored value's key, whose order, compared bytewise with a key that is
  // the beginning of another one first, is meant to follow Compare, and the
  // text Compare compares for the value (its conversion, done once) to
  // texts. The keys need not agree with Compare for every pair; whoever
  // sorts by them checks the result with CompareSortTexts, which answers as
  // Compare does for the two values of the texts.
  // BeginSortKeys comes before a sort's first AppendSortKey.
  virtual bool HasSortKeys() const { return false; }
  virtual void BeginSortKeys() const {}
  virtual void AppendSortKey(const void* value, std::string& keys, std::u16string& texts) const;
  virtual int CompareSortTexts(std::u16string_view a, std::u16string_view b) const;
  virtual void VariantToBuffer(const Variant& value, void* buffer) const = 0;
  virtual void TextToBuffer(const std::string& text, void* buffer) const = 0;
  virtual std::string BufferToText(const void* buffer) const = 0;

  bool Editable() const { return editable_; }
  void EnableEdit() { editable_ = true; }
  void DisableEdit() { editable_ = false; }
  // Raises "Поле нельзя редактировать" unless Editable.
  void CheckEditable() const;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  bool IsKey() const { return isKey_; }
  void SetIsKey(bool value);
  int32_t NextKeyValue() const { return nextKeyValue_; }
  void SetNextKeyValue(int32_t value);

 protected:
  // Every constructor passes its own class; a class that is neither
  // registered nor derived from a registered one is refused here.
  explicit TField(const TFieldClass& cls);

 private:
  const TFieldClass* class_;
  bool editable_ = false;
  std::string name_;
  bool isKey_ = false;
  int32_t nextKeyValue_ = 0;
};

}  // namespace vk
