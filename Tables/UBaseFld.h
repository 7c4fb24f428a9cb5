#pragma once
// The four basic field classes: integer (id 1, "I"), string (id 2, "S"),
// boolean (id 3, "L") and date-time (id 4, "D"). Record forms are
// little-endian; see the table file layout in docs/table-file-format.md.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Core/DateTime.h"
#include "Tables/UField.h"

namespace vk {

// Parses the run-time library's integer text: leading blanks, an optional
// sign, decimal digits or hexadecimal after "$", "x" or "0x"; signed 32-bit.
std::optional<int32_t> TryStrToInt(const std::string& text);
// The integer field's text rule: empty gives 0; otherwise TryStrToInt, and a
// failure raises "Неверно задано целое число: " with the text.
int32_t IntegerFieldTextToValue(const std::string& text);

class TIntegerField : public TField {
 public:
  TIntegerField() : TIntegerField(ClassInfo()) {}
  static const TFieldClass& ClassInfo();

  int32_t Value() const { return value_; }
  void SetValue(int32_t value);

  int32_t DataSize() const override { return 4; }
  const void* DataPtr() override { return &value_; }
  void SetData(const void* data) override;
  std::string GetAsString() const override;
  void SetAsString(const std::string& text) override;
  void InitKeyValue() override { value_ = NextKeyValue(); }
  int Compare(const void* a, const void* b) const override;
  void VariantToBuffer(const Variant& value, void* buffer) const override;
  void TextToBuffer(const std::string& text, void* buffer) const override;
  std::string BufferToText(const void* buffer) const override;

 protected:
  explicit TIntegerField(const TFieldClass& cls) : TField(cls) {}

 private:
  int32_t value_ = 0;
};

// Longest string field a table file may declare.
inline constexpr int32_t kMaxStringFieldSize = 4096;

class TStringField : public TField {
 public:
  explicit TStringField(int32_t size) : TStringField(ClassInfo(), size) {}
  static const TFieldClass& ClassInfo();

  int32_t Size() const { return size_; }
  const std::string& Value() const { return value_; }

  int32_t DataSize() const override { return size_; }
  const void* DataPtr() override;
  void SetData(const void* data) override;
  std::string GetAsString() const override { return value_; }
  void SetAsString(const std::string& text) override;
  int Compare(const void* a, const void* b) const override;
  void VariantToBuffer(const Variant& value, void* buffer) const override;
  void TextToBuffer(const std::string& text, void* buffer) const override;
  std::string BufferToText(const void* buffer) const override;

 protected:
  TStringField(const TFieldClass& cls, int32_t size);
  // The stored bytes of a record-form value: up to the first zero, at most Size.
  std::string StoredBytes(const void* buffer) const;

 private:
  int32_t size_;
  std::string value_;
  std::vector<char> buffer_;
};

class TBooleanField : public TField {
 public:
  TBooleanField() : TBooleanField(ClassInfo()) {}
  static const TFieldClass& ClassInfo();

  bool Value() const { return value_ != 0; }
  void SetValue(bool value);

  int32_t DataSize() const override { return 4; }
  const void* DataPtr() override { return &value_; }
  void SetData(const void* data) override;
  std::string GetAsString() const override;
  void SetAsString(const std::string& text) override;
  int Compare(const void* a, const void* b) const override;
  void VariantToBuffer(const Variant& value, void* buffer) const override;
  void TextToBuffer(const std::string& text, void* buffer) const override;
  std::string BufferToText(const void* buffer) const override;

 protected:
  explicit TBooleanField(const TFieldClass& cls) : TField(cls) {}
  static bool ParseTrue(const std::string& text);

 private:
  int32_t value_ = 0;
};

class TDateTimeField : public TField {
 public:
  TDateTimeField() : TDateTimeField(ClassInfo()) {}
  static const TFieldClass& ClassInfo();

  TDateTime Value() const { return value_; }
  void SetValue(TDateTime value);

  int32_t DataSize() const override { return 8; }
  const void* DataPtr() override { return &value_; }
  void SetData(const void* data) override;
  std::string GetAsString() const override { return FormatValue(value_); }
  void SetAsString(const std::string& text) override;
  int Compare(const void* a, const void* b) const override;
  void VariantToBuffer(const Variant& value, void* buffer) const override;
  void TextToBuffer(const std::string& text, void* buffer) const override;
  std::string BufferToText(const void* buffer) const override;

 protected:
  explicit TDateTimeField(const TFieldClass& cls) : TField(cls) {}
  // The display text of a value: empty for 0 and for a value that is not a
  // date at all (a damaged file must never make painting throw).
  virtual std::string FormatValue(TDateTime value) const;
  // The format settings the text forms use: the system's.
  virtual const TFormatSettings& Settings() const { return FormatSettings(); }

 private:
  TDateTime value_ = 0;
};

}  // namespace vk
