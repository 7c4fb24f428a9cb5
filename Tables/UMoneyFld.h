#pragma once
// The money field (id 5, "M") and the program's money arithmetic. Money is an
// unsigned 32-bit count of hundredths everywhere: 0.00 to 42'949'672.95.

#include <cstdint>
#include <string>

#include "Tables/UField.h"

namespace vk {

class TMoneyField : public TField {
 public:
  TMoneyField() : TMoneyField(ClassInfo()) {}
  static const TFieldClass& ClassInfo();

  // "1'234'567.89": groups of three marked with "'", always two decimals.
  static std::string MoneyToStr(uint32_t value);
  // The exact inverse for texts of that form; raises on anything else.
  static uint32_t StrToMoney(const std::string& text);
  // (a * b + 50) div 100, exactly; EIntOverflow when it exceeds 4294967295.
  static uint32_t MulMoney(uint32_t a, uint32_t b);
  // The field's text rule: empty gives 0; otherwise StrToMoney, every
  // failure reported with the form message.
  static uint32_t FieldTextToMoney(const std::string& text);

  uint32_t Value() const { return value_; }
  void SetValue(uint32_t value);

  int32_t DataSize() const override { return 4; }
  const void* DataPtr() override { return &value_; }
  void SetData(const void* data) override;
  std::string GetAsString() const override { return MoneyToStr(value_); }
  void SetAsString(const std::string& text) override;
  int Compare(const void* a, const void* b) const override;
  void VariantToBuffer(const Variant& value, void* buffer) const override;
  void TextToBuffer(const std::string& text, void* buffer) const override;
  std::string BufferToText(const void* buffer) const override;

 protected:
  explicit TMoneyField(const TFieldClass& cls) : TField(cls) {}

 private:
  uint32_t value_ = 0;
};

}  // namespace vk
