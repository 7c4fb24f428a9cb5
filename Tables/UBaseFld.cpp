#include "Tables/UBaseFld.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "Core/AsciiCase.h"
#include "Core/SysUtils.h"

namespace vk {
static_assert(std::endian::native == std::endian::little, "record forms are little-endian");

namespace {

template <typename T>
T Load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void Store(void* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

template <typename T>
int Sign(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

[[noreturn]] void BadVariant(const char* kind) { throw Exception(std::string("Тип варианта не является ") + kind); }

TDateTime ParseDateText(const std::string& text, const TFormatSettings& fs) {
  auto v = TryStrToDateTime(text, fs);
  if (!v) throw Exception("Неверно задана дата(время): " + text);
  return *v;
}

template <typename Field>
std::unique_ptr<TField> Make(int32_t) {
  return std::make_unique<Field>();
}

}  // namespace

std::optional<int32_t> TryStrToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  // Accumulate in 64 bits and stop as soon as the run leaves the range, so a
  // digit run of any length is handled.
  uint64_t acc = 0;
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
  for (; i < text.size(); ++i) {
    char c = text[i];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return std::nullopt;
    acc = acc * (hex ? 16 : 10) + d;
    if (acc > limit) return std::nullopt;
  }
  // A hexadecimal text names the 32 bits themselves ($FFFFFFFF is -1).
  uint32_t bits = static_cast<uint32_t>(acc);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

int32_t IntegerFieldTextToValue(const std::string& text) {
  if (text.empty()) return 0;
  auto v = TryStrToInt(text);
  if (!v) throw Exception("Неверно задано целое число: " + text);
  return *v;
}

// ---- TIntegerField ---------------------------------------------------------

const TFieldClass& TIntegerField::ClassInfo() {
  static const TFieldClass info{"TIntegerField", 1, 'I', &TField::ClassInfo(), &Make<TIntegerField>};
  return info;
}

void TIntegerField::SetValue(int32_t value) {
  CheckEditable();
  value_ = value;
}

void TIntegerField::SetData(const void* data) { value_ = Load<int32_t>(data); }

std::string TIntegerField::GetAsString() const { return std::to_string(value_); }

void TIntegerField::SetAsString(const std::string& text) {
  CheckEditable();
  value_ = IntegerFieldTextToValue(text);
}

int TIntegerField::Compare(const void* a, const void* b) const { return Sign(Load<int32_t>(a), Load<int32_t>(b)); }

void TIntegerField::VariantToBuffer(const Variant& value, void* buffer) const {
  if (value.VType != varInteger) BadVariant("Integer");
  Store(buffer, static_cast<int32_t>(value.Int));
}

void TIntegerField::TextToBuffer(const std::string& text, void* buffer) const {
  Store(buffer, IntegerFieldTextToValue(text));
}

std::string TIntegerField::BufferToText(const void* buffer) const { return std::to_string(Load<int32_t>(buffer)); }

// ---- TStringField ----------------------------------------------------------

const TFieldClass& TStringField::ClassInfo() {
  static const TFieldClass info{
      "TStringField", 2, 'S', &TField::ClassInfo(),
      [](int32_t size) -> std::unique_ptr<TField> { return std::make_unique<TStringField>(size); }};
  return info;
}

TStringField::TStringField(const TFieldClass& cls, int32_t size) : TField(cls), size_(size) {
  Assert(size >= 1 && size <= kMaxStringFieldSize, "String field size out of range", "Tables\\UBaseFld");
  buffer_.resize(static_cast<size_t>(size));
}

const void* TStringField::DataPtr() {
  std::memset(buffer_.data(), 0, buffer_.size());
  std::memcpy(buffer_.data(), value_.data(), std::min(value_.size(), buffer_.size()));
  return buffer_.data();
}

std::string TStringField::StoredBytes(const void* buffer) const {
  const char* p = static_cast<const char*>(buffer);
  return std::string(p, strnlen(p, static_cast<size_t>(size_)));
}

void TStringField::SetData(const void* data) { value_ = StoredBytes(data); }

void TStringField::SetAsString(const std::string& text) {
  CheckEditable();
  value_ = text.substr(0, static_cast<size_t>(size_));
}

int TStringField::Compare(const void* a, const void* b) const {
  return Sign(strncmp(static_cast<const char*>(a), static_cast<const char*>(b), static_cast<size_t>(size_)), 0);
}

void TStringField::VariantToBuffer(const Variant& value, void* buffer) const {
  if (value.VType != varString) BadVariant("String");
  std::memset(buffer, 0, static_cast<size_t>(size_));
  std::memcpy(buffer, value.Text.data(), std::min(value.Text.size(), static_cast<size_t>(size_)));
}

void TStringField::TextToBuffer(const std::string& text, void* buffer) const {
  VariantToBuffer(Variant::String(text), buffer);
}

std::string TStringField::BufferToText(const void* buffer) const { return StoredBytes(buffer); }

// ---- TBooleanField ---------------------------------------------------------

const TFieldClass& TBooleanField::ClassInfo() {
  static const TFieldClass info{"TBooleanField", 3, 'L', &TField::ClassInfo(), &Make<TBooleanField>};
  return info;
}

void TBooleanField::SetValue(bool value) {
  CheckEditable();
  // Only a change of the truth value is stored: a stored 1 stays 1.
  if (value != (value_ != 0)) value_ = value ? -1 : 0;
}

void TBooleanField::SetData(const void* data) { value_ = Load<int32_t>(data); }

std::string TBooleanField::GetAsString() const { return value_ ? "True" : "False"; }

bool TBooleanField::ParseTrue(const std::string& text) { return SameTextAscii(text, "TRUE"); }

void TBooleanField::SetAsString(const std::string& text) {
  CheckEditable();
  value_ = ParseTrue(text) ? -1 : 0;
}

int TBooleanField::Compare(const void* a, const void* b) const {
  return Sign(Load<int32_t>(a) != 0, Load<int32_t>(b) != 0);
}

void TBooleanField::VariantToBuffer(const Variant& value, void* buffer) const {
  if (value.VType != varBoolean) BadVariant("Boolean");
  Store<int32_t>(buffer, value.Int ? 1 : 0);
}

void TBooleanField::TextToBuffer(const std::string& text, void* buffer) const {
  Store<int32_t>(buffer, ParseTrue(text) ? -1 : 0);
}

std::string TBooleanField::BufferToText(const void* buffer) const { return Load<int32_t>(buffer) ? "True" : "False"; }

// ---- TDateTimeField --------------------------------------------------------

const TFieldClass& TDateTimeField::ClassInfo() {
  static const TFieldClass info{"TDateTimeField", 4, 'D', &TField::ClassInfo(), &Make<TDateTimeField>};
  return info;
}

void TDateTimeField::SetValue(TDateTime value) {
  CheckEditable();
  if (std::memcmp(&value, &value_, sizeof value) != 0) value_ = value;
}

void TDateTimeField::SetData(const void* data) { value_ = Load<double>(data); }

std::string TDateTimeField::FormatValue(TDateTime value) const {
  if (value == 0 || !IsValidDateTime(value)) return {};
  return DateTimeToStr(value, Settings());
}

void TDateTimeField::SetAsString(const std::string& text) {
  CheckEditable();
  value_ = text.empty() ? 0 : ParseDateText(text, Settings());
}

int TDateTimeField::Compare(const void* a, const void* b) const {
  double x = Load<double>(a), y = Load<double>(b);
  // A total order even over values no program wrote: NaN sorts first.
  bool nx = std::isnan(x), ny = std::isnan(y);
  if (nx || ny) return nx && ny ? 0 : (nx ? -1 : 1);
  return Sign(x, y);
}

void TDateTimeField::VariantToBuffer(const Variant& value, void* buffer) const {
  if (value.VType != varDate) BadVariant("TDateTime");
  Store<double>(buffer, value.Real);
}

void TDateTimeField::TextToBuffer(const std::string& text, void* buffer) const {
  Store<double>(buffer, ParseDateText(text, Settings()));
}

std::string TDateTimeField::BufferToText(const void* buffer) const { return FormatValue(Load<double>(buffer)); }

}  // namespace vk
