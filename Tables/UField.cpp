#include "Tables/UField.h"

#include "Core/Checked.h"
#include "Core/SysUtils.h"
#include "Tables/UBaseFld.h"
#include "Tables/UMoneyFld.h"

namespace vk {

bool TFieldClass::InheritsFrom(const TFieldClass& other) const {
  for (const TFieldClass* c = this; c; c = c->Parent) {
    if (c == &other) return true;
  }
  return false;
}

void TFieldClassRegistry::RegisterFieldClass(const TFieldClass& cls) {
  for (const TFieldClass* known : classes_) {
    if (known == &cls) throw Exception(std::string("Класс поля уже зарегистрирован: ") + cls.Name);
    if (known->TypeId == cls.TypeId) {
      throw Exception(std::string("Тип поля с таким идентификатором уже зарегистрирован: ") + cls.Name + " = [" +
                      std::to_string(cls.TypeId) + "] = " + known->Name);
    }
  }
  classes_.push_back(&cls);
}

const TFieldClass& TFieldClassRegistry::FindFieldClass(int32_t typeId) const {
  if (classes_.empty()) throw Exception("Не зарегистрировано ни одного класса поля");
  for (const TFieldClass* known : classes_) {
    if (known->TypeId == typeId) return *known;
  }
  throw Exception("Класс поля не зарегистрирован");
}

std::unique_ptr<TField> TFieldClassRegistry::CreateFieldOfType(int32_t typeId, int32_t size) const {
  const TFieldClass& cls = FindFieldClass(typeId);
  if (!cls.Create) throw Exception("Класс поля не зарегистрирован");
  return cls.Create(size);
}

bool TFieldClassRegistry::Knows(const TFieldClass& cls) const {
  for (const TFieldClass* known : classes_) {
    if (cls.InheritsFrom(*known)) return true;
  }
  return false;
}

TFieldClassRegistry& FieldClasses() {
  static TFieldClassRegistry registry = [] {
    TFieldClassRegistry r;
    r.RegisterFieldClass(TIntegerField::ClassInfo());
    r.RegisterFieldClass(TStringField::ClassInfo());
    r.RegisterFieldClass(TBooleanField::ClassInfo());
    r.RegisterFieldClass(TDateTimeField::ClassInfo());
    r.RegisterFieldClass(TMoneyField::ClassInfo());
    return r;
  }();
  return registry;
}

void RegisterFieldClass(const TFieldClass& cls) { FieldClasses().RegisterFieldClass(cls); }
const TFieldClass& FindFieldClass(int32_t typeId) { return FieldClasses().FindFieldClass(typeId); }
std::unique_ptr<TField> CreateFieldOfType(int32_t typeId, int32_t size) {
  return FieldClasses().CreateFieldOfType(typeId, size);
}

const TFieldClass& TField::ClassInfo() {
  static const TFieldClass info{"TField", 0, 0, nullptr, nullptr};
  return info;
}

TField::TField(const TFieldClass& cls) : class_(&cls) {
  if (!FieldClasses().Knows(cls)) throw Exception(std::string("Класс поля не зарегистрирован: ") + cls.Name);
}

void TField::IncKeyValue() {
  if (isKey_) nextKeyValue_ = CheckedAdd<int32_t>(nextKeyValue_, 1);
}

void TField::AppendSortKey(const void*, std::string&, std::u16string&) const {
  Assert(false, "The field has no sort keys", "Tables\\UField");
}

int TField::CompareSortTexts(std::u16string_view, std::u16string_view) const {
  Assert(false, "The field has no sort keys", "Tables\\UField");
  return 0;
}

void TField::CheckEditable() const {
  if (!editable_) throw Exception("Поле нельзя редактировать");
}

void TField::SetName(const std::string& name) { name_ = name.substr(0, kMaxNameLength); }

void TField::SetIsKey(bool value) {
  isKey_ = value;
  if (nextKeyValue_ == 0) nextKeyValue_ = 1;
}

void TField::SetNextKeyValue(int32_t value) {
  if (!isKey_) throw Exception("Поле не является первичным ключем");
  nextKeyValue_ = value;
}

}  // namespace vk
