#include "Tools/CfgFile/CfgParams.h"

#include <cstdio>
#include <cstring>

#include "Platform/Registry.h"
#include "Tools/CfgFile/MemIniFile.h"

namespace vk {
namespace {

constexpr const char* kUnit = "Tools\\CfgFile\\CfgParams";
constexpr int64_t kFixedPointScale = 10000;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Hex8(uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return text;
}

template <typename Reader, typename Parent>
std::unique_ptr<ICfgReader> Make(Parent* parent) {
  return std::make_unique<Reader>(parent);
}

}  // namespace

std::optional<uint32_t> ParseIniCardinal(const std::string& text) {
  if (text.empty() || text.size() > 16) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<uint64_t>(digit);
  }
  return static_cast<uint32_t>(value);
}

std::string TrimSettingText(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

void SetIfChanged(TCardinalParam& param, uint32_t value) {
  auto lock = param.Owner().Lock();
  if (param.GetValue() != value) param.SetValue(value);
}

void SetIfChanged(TStringParam& param, const std::string& value) {
  auto lock = param.Owner().Lock();
  if (param.GetValue() != value) param.SetValue(value);
}

uint32_t FixedPointToCardinal(int64_t fixedPoint) {
  int64_t whole = fixedPoint / kFixedPointScale;
  int64_t rest = fixedPoint % kFixedPointScale;  // same sign as fixedPoint
  constexpr int64_t half = kFixedPointScale / 2;
  bool odd = (whole & 1) != 0;
  if (rest > half || (rest == half && odd)) ++whole;
  if (rest < -half || (rest == -half && odd)) --whole;
  return static_cast<uint32_t>(static_cast<uint64_t>(whole));
}

// --- Cardinal -------------------------------------------------------------

TCardinalParam::TCardinalParam(TCfgOptions* owner, const std::string& scName, const std::string& prName)
    : TParam(owner, scName, prName) {
  FReader = Make<ICfgCardinalReader>(this);
}

uint32_t TCardinalParam::GetValue() {
  auto lock = Owner().Lock();
  ReadValue();
  return value_;
}

void TCardinalParam::SetValue(uint32_t value) {
  auto lock = Owner().Lock();
  value_ = value;
  WriteValue();
}

void TCardinalParam::ReadIni(TMemIniFile& ini) {
  std::string text = ini.ReadString(SectionName(), KeyName(), "0");
  auto value = ParseIniCardinal(text);
  if (!value) throw Exception("'" + text + "' is not a valid integer value");
  value_ = *value;
}

void TCardinalParam::WriteIni(TMemIniFile& ini) { ini.WriteString(SectionName(), KeyName(), Hex8(value_)); }

// --- String ---------------------------------------------------------------

TStringParam::TStringParam(TCfgOptions* owner, const std::string& scName, const std::string& prName)
    : TParam(owner, scName, prName) {
  FReader = Make<ICfgStringReader>(this);
}

std::string TStringParam::GetValue() {
  auto lock = Owner().Lock();
  ReadValue();
  return value_;
}

void TStringParam::SetValue(const std::string& value) {
  auto lock = Owner().Lock();
  value_ = value;
  WriteValue();
}

void TStringParam::ReadIni(TMemIniFile& ini) { value_ = ini.ReadString(SectionName(), KeyName(), ""); }

void TStringParam::WriteIni(TMemIniFile& ini) { ini.WriteString(SectionName(), KeyName(), value_); }

// --- Registry kinds -------------------------------------------------------

TRegCardinalParam::TRegCardinalParam(TCfgOptions* owner, const std::string& scName, const std::string& prName)
    : TCardinalParam(owner, scName, prName) {
  Assert(FReader != nullptr, "Not assigned FReader field", kUnit);
  FReader = Make<IRegCardinalReader>(this);
}

void TRegCardinalParam::ReadReg(platform::RegistryKey& key) {
  auto value = key.ReadValue(KeyName());
  if (!value) throw ERegistryException("Failed to get data for '" + KeyName() + "'");
  if (value->Type != platform::RegValueType::Binary || value->Data.size() != sizeof(int64_t)) {
    throw ERegistryException("Invalid data type for '" + KeyName() + "'");
  }
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | value->Data[static_cast<size_t>(i)];
  value_ = FixedPointToCardinal(static_cast<int64_t>(bits));
}

void TRegCardinalParam::WriteReg(platform::RegistryKey& key) {
  uint64_t bits = static_cast<uint64_t>(static_cast<int64_t>(value_) * kFixedPointScale);
  std::vector<uint8_t> data(sizeof bits);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(bits >> (8 * i));
  key.WriteBinary(KeyName(), data);
}

TRegStringParam::TRegStringParam(TCfgOptions* owner, const std::string& scName, const std::string& prName)
    : TStringParam(owner, scName, prName) {
  Assert(FReader != nullptr, "Not assigned FReader field", kUnit);
  FReader = Make<IRegStringReader>(this);
}

void TRegStringParam::ReadReg(platform::RegistryKey& key) {
  auto value = key.ReadValue(KeyName());
  if (!value) {
    value_.clear();
    return;
  }
  if (value->Type != platform::RegValueType::String && value->Type != platform::RegValueType::ExpandString) {
    throw ERegistryException("Invalid data type for '" + KeyName() + "'");
  }
  value_ = value->Text;
}

void TRegStringParam::WriteReg(platform::RegistryKey& key) { key.WriteString(KeyName(), value_); }

// --- Readers --------------------------------------------------------------

ICfgCardinalReader::ICfgCardinalReader(TCardinalParam* parent)
    : ICfgReader((Assert(parent != nullptr, "Not Assigned parent param", kUnit),
                  [parent](TMemIniFile& ini) { parent->ReadIni(ini); }),
                 [parent](TMemIniFile& ini) { parent->WriteIni(ini); }) {}

ICfgStringReader::ICfgStringReader(TStringParam* parent)
    : ICfgReader((Assert(parent != nullptr, "Not Assigned parent param", kUnit),
                  [parent](TMemIniFile& ini) { parent->ReadIni(ini); }),
                 [parent](TMemIniFile& ini) { parent->WriteIni(ini); }) {}

IRegCardinalReader::IRegCardinalReader(TRegCardinalParam* parent)
    : IRegReader((Assert(parent != nullptr, "Not assigned parent param", kUnit),
                  [parent](TMemIniFile& ini) { parent->ReadIni(ini); }),
                 [parent](TMemIniFile& ini) { parent->WriteIni(ini); },
                 [parent](platform::RegistryKey& key) { parent->ReadReg(key); },
                 [parent](platform::RegistryKey& key) { parent->WriteReg(key); }) {}

IRegStringReader::IRegStringReader(TRegStringParam* parent)
    : IRegReader((Assert(parent != nullptr, "Not assigned parent param", kUnit),
                  [parent](TMemIniFile& ini) { parent->ReadIni(ini); }),
                 [parent](TMemIniFile& ini) { parent->WriteIni(ini); },
                 [parent](platform::RegistryKey& key) { parent->ReadReg(key); },
                 [parent](platform::RegistryKey& key) { parent->WriteReg(key); }) {}

}  // namespace vk
