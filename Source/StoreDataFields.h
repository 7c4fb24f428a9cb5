#pragma once
// The three field classes that exist only for the stock tables. None is
// registered: each is accepted as a descendant of its registered base and
// keeps the base's type id and record form, so the table files stay plain
// table files.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "Tables/UBaseFld.h"

namespace vk {

// A string stored in the data code page and shown and typed as UTF-8; its
// order is the stored bytes'. The stock tables' codes use it as it is.
class TDataStringField : public TStringField {
 public:
  explicit TDataStringField(int32_t size) : TDataStringField(ClassInfo(), size) {}
  static const TFieldClass& ClassInfo();

  // The code page of the stored bytes (the BaseCodePage setting).
  uint32_t DataCodePage() const { return dataCodePage_; }
  void SetDataCodePage(uint32_t codePage) { dataCodePage_ = codePage; }

  std::string GetAsString() const override;
  void SetAsString(const std::string& text) override;
  std::string BufferToText(const void* buffer) const override;

 protected:
  TDataStringField(const TFieldClass& cls, int32_t size) : TStringField(cls, size) {}

 private:
  uint32_t dataCodePage_ = 1251;
};

// A data string ordered by the user's locale without regard to letter case:
// names and notes.
class TCompareStringField : public TDataStringField {
 public:
  explicit TCompareStringField(int32_t size) : TDataStringField(ClassInfo(), size) {}
  static const TFieldClass& ClassInfo();

  int Compare(const void* a, const void* b) const override;
  // The locale's sort keys of the texts, so that sorting the goods by name
  // converts each name once.
  bool HasSortKeys() const override { return true; }
  void BeginSortKeys() const override;
  void AppendSortKey(const void* value, std::string& keys, std::u16string& texts) const override;
  int CompareSortTexts(std::u16string_view a, std::u16string_view b) const override;

  // True when the stored text begins with the given UTF-8 text, ignoring
  // case; an empty text matches every value.
  bool StartsWith(const std::string& text) const;

 private:
  // The data code page's units of each byte, when its characters are one
  // byte each, kept for the next sort in the same code page.
  mutable uint32_t tableCodePage_ = 0;
  mutable bool singleByte_ = false;
  mutable std::array<char16_t, 256> units_{};
};

// A date-time shown with the program's own format settings of the current
// language; 0 shows as the empty text.
class TShowDateTimeField : public TDateTimeField {
 public:
  TShowDateTimeField() : TDateTimeField(ClassInfo()) {}
  static const TFieldClass& ClassInfo();

  // The date alone, as the grids show it.
  std::string BufferToText(const void* buffer) const override;

 protected:
  const TFormatSettings& Settings() const override;
};

// A movement's direction: "+" incoming, "-" outgoing in the grids.
class TDirectionBooleanField : public TBooleanField {
 public:
  TDirectionBooleanField() : TBooleanField(ClassInfo()) {}
  static const TFieldClass& ClassInfo();

  std::string BufferToText(const void* buffer) const override;
};

}  // namespace vk
