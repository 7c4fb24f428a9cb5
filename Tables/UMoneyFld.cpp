#include "Tables/UMoneyFld.h"

#include <cstring>

#include "Core/Checked.h"
#include "Core/SysUtils.h"

namespace vk {
namespace {

// The largest whole part a text may carry: 42'949'671.99 is the largest text.
constexpr uint32_t kMaxWholePart = 42949671;

uint32_t Load(const void* p) {
  uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

[[noreturn]] void BadMoneyText(const std::string& text) {
  throw Exception("Неверно задано положительное число с двумя знаками: [" + text + "]");
}

}  // namespace

const TFieldClass& TMoneyField::ClassInfo() {
  static const TFieldClass info{"TMoneyField", 5, 'M', &TField::ClassInfo(),
                                [](int32_t) -> std::unique_ptr<TField> { return std::make_unique<TMoneyField>(); }};
  return info;
}

std::string TMoneyField::MoneyToStr(uint32_t value) {
  std::string whole = std::to_string(value / 100);
  std::string out;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) out += '\'';
    out += whole[i];
  }
  uint32_t cents = value % 100;
  out += '.';
  out += static_cast<char>('0' + cents / 10);
  out += static_cast<char>('0' + cents % 10);
  return out;
}

uint32_t TMoneyField::StrToMoney(const std::string& text) {
  std::string s;
  for (char c : text) {
    if (c != '\'') s += c;
  }
  if (s.size() < 4) BadMoneyText(text);
  size_t dots = 0;
  for (char c : s) {
    if (c == '.')
      ++dots;
    else if (c < '0' || c > '9')
      BadMoneyText(text);
  }
  size_t dot = s.size() - 3;
  if (dots != 1 || s[dot] != '.') BadMoneyText(text);
  // The whole part: a run of any length, refused once it passes 2147483647.
  uint64_t whole = 0;
  for (size_t i = 0; i < dot; ++i) {
    whole = whole * 10 + static_cast<uint64_t>(s[i] - '0');
    if (whole > 2147483647u) BadMoneyText(text);
  }
  if (whole > kMaxWholePart) throw Exception("Слишком большое число: [" + text + "]");
  uint32_t cents = static_cast<uint32_t>((s[dot + 1] - '0') * 10 + (s[dot + 2] - '0'));
  return static_cast<uint32_t>(whole) * 100 + cents;
}

uint32_t TMoneyField::MulMoney(uint32_t a, uint32_t b) {
  uint32_t ai = a / 100, af = a % 100, bi = b / 100, bf = b % 100;
  uint32_t r = CheckedMul(CheckedMul(ai, bi), 100u);
  r = CheckedAdd(r, CheckedMul(ai, bf));
  r = CheckedAdd(r, CheckedMul(af, bi));
  r = CheckedAdd(r, af * bf / 100);
  if (af * bf % 100 >= 50) r = CheckedAdd(r, 1u);
  return r;
}

void TMoneyField::SetValue(uint32_t value) {
  CheckEditable();
  value_ = value;
}

void TMoneyField::SetData(const void* data) { value_ = Load(data); }

uint32_t TMoneyField::FieldTextToMoney(const std::string& text) {
  if (text.empty()) return 0;
  try {
    return StrToMoney(text);
  } catch (const Exception&) {
    // The field reports every failure, a too large amount included, alike.
    BadMoneyText(text);
  }
}

void TMoneyField::SetAsString(const std::string& text) {
  CheckEditable();
  value_ = FieldTextToMoney(text);
}

int TMoneyField::Compare(const void* a, const void* b) const {
  uint32_t x = Load(a), y = Load(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

void TMoneyField::VariantToBuffer(const Variant& value, void* buffer) const {
  if (value.VType != varLongWord) throw Exception("Тип варианта не является LongWord");
  uint32_t v = static_cast<uint32_t>(value.Int);
  std::memcpy(buffer, &v, sizeof v);
}

void TMoneyField::TextToBuffer(const std::string& text, void* buffer) const {
  uint32_t v = FieldTextToMoney(text);
  std::memcpy(buffer, &v, sizeof v);
}

std::string TMoneyField::BufferToText(const void* buffer) const { return MoneyToStr(Load(buffer)); }

}  // namespace vk
