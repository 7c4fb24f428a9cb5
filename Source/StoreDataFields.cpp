#include "Source/StoreDataFields.h"

#include <cstring>

#include "Platform/CodePage.h"
#include "Platform/Locale.h"
#include "Tools/Service/RegionInfo.h"
#include "Tools/Service/TextConst.h"

namespace vk {

// ---- TDataStringField ------------------------------------------------------

const TFieldClass& TDataStringField::ClassInfo() {
  static const TFieldClass info{"TDataStringField", TStringField::ClassInfo().TypeId,
                                TStringField::ClassInfo().TypeLetter, &TStringField::ClassInfo(), nullptr};
  return info;
}

std::string TDataStringField::GetAsString() const { return CodePageToUtf8(Value(), dataCodePage_); }

void TDataStringField::SetAsString(const std::string& text) {
  CheckEditable();
  TStringField::SetAsString(Utf8ToCodePage(text, dataCodePage_));
}

std::string TDataStringField::BufferToText(const void* buffer) const {
  return CodePageToUtf8(TStringField::BufferToText(buffer), dataCodePage_);
}

// ---- TCompareStringField ---------------------------------------------------

const TFieldClass& TCompareStringField::ClassInfo() {
  static const TFieldClass info{"TCompareStringField", TStringField::ClassInfo().TypeId,
                                TStringField::ClassInfo().TypeLetter, &TDataStringField::ClassInfo(), nullptr};
  return info;
}

int TCompareStringField::Compare(const void* a, const void* b) const {
  return platform::CompareTextIgnoreCase(CodePageToWide(StoredBytes(a), DataCodePage()),
                                         CodePageToWide(StoredBytes(b), DataCodePage()));
}

// A single-byte code page converts through its table, asked of the system
// once per code page instead of once per text.
void TCompareStringField::BeginSortKeys() const {
  const uint32_t codePage = DataCodePage();
  if (codePage != tableCodePage_) {
    singleByte_ = platform::SingleByteCodePageTable(codePage, units_);
    tableCodePage_ = codePage;
  }
}

void TCompareStringField::AppendSortKey(const void* value, std::string& keys, std::u16string& texts) const {
  const uint32_t codePage = DataCodePage();
  const size_t start = texts.size();
  const char* bytes = static_cast<const char*>(value);
  const size_t length = strnlen(bytes, static_cast<size_t>(Size()));
  if (singleByte_ && codePage == tableCodePage_) {
    for (size_t i = 0; i < length; ++i) texts.push_back(units_[static_cast<unsigned char>(bytes[i])]);
  } else {
    texts += CodePageToWide(std::string(bytes, length), codePage);
  }
  platform::AppendTextSortKey(std::u16string_view(texts).substr(start), keys);
}

int TCompareStringField::CompareSortTexts(std::u16string_view a, std::u16string_view b) const {
  return platform::CompareTextIgnoreCase(a, b);
}

bool TCompareStringField::StartsWith(const std::string& text) const {
  if (text.empty()) return true;
  // The search text goes into the data code page, as the stored bytes are.
  const std::string wanted = Utf8ToCodePage(text, DataCodePage());
  const std::string stored = Value().substr(0, wanted.size());
  return platform::CompareTextIgnoreCase(CodePageToWide(stored, DataCodePage()),
                                         CodePageToWide(wanted, DataCodePage())) == 0;
}

// ---- TShowDateTimeField ----------------------------------------------------

const TFieldClass& TShowDateTimeField::ClassInfo() {
  static const TFieldClass info{"TShowDateTimeField", TDateTimeField::ClassInfo().TypeId,
                                TDateTimeField::ClassInfo().TypeLetter, &TDateTimeField::ClassInfo(), nullptr};
  return info;
}

const TFormatSettings& TShowDateTimeField::Settings() const { return ProgFormatSettings; }

std::string TShowDateTimeField::BufferToText(const void* buffer) const {
  double v;
  std::memcpy(&v, buffer, sizeof v);
  if (v == 0 || !IsValidDateTime(v)) return {};
  return FormatDateTime(ProgFormatSettings.ShortDateFormat, v, ProgFormatSettings);
}

// ---- TDirectionBooleanField ------------------------------------------------

const TFieldClass& TDirectionBooleanField::ClassInfo() {
  static const TFieldClass info{"TDirectionBooleanField", TBooleanField::ClassInfo().TypeId,
                                TBooleanField::ClassInfo().TypeLetter, &TBooleanField::ClassInfo(), nullptr};
  return info;
}

std::string TDirectionBooleanField::BufferToText(const void* buffer) const {
  int32_t v;
  std::memcpy(&v, buffer, sizeof v);
  return v ? "+" : "-";
}

}  // namespace vk
