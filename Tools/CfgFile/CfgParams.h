#pragma once
// The four parameter kinds: a 32-bit unsigned number and a text, each INI
// only (TCardinalParam, TStringParam) or INI plus registry mirror
// (TRegCardinalParam, TRegStringParam).
//
// Value forms:
// - cardinal in the INI file: exactly 8 upper-case hexadecimal digits
//   (1251 is 000004E3). Read back are 1 to 16 hexadecimal digits in either
//   case, of which the low 32 bits count; anything else is a failed read.
// - cardinal in the registry: REG_BINARY of 8 bytes, the number times 10000
//   as a signed 64-bit little-endian integer (a fixed-point number with four
//   decimals); read back rounded to the nearest whole number, ties to even.
// - text: the text itself, in the INI file and as REG_SZ.
//
// A non-empty value, once read, is kept in memory for the parameter's life;
// an empty one is looked up again at every get.

#include <cstdint>
#include <optional>
#include <string>

#include "Tools/CfgFile/BaseOptions.h"

namespace vk {

// Low 32 bits of 1 to 16 hexadecimal digits; nullopt for anything else.
std::optional<uint32_t> ParseIniCardinal(const std::string& text);
// The registry's 8 bytes turned back into the number.
uint32_t FixedPointToCardinal(int64_t fixedPoint);

// Blanks and control characters cut from both ends (the trimmed settings).
std::string TrimSettingText(const std::string& text);

class TCardinalParam;
class TStringParam;
// Writes only when the stored value differs, so an unchanged setting causes
// no file write; the store's lock is held across the read and the write.
void SetIfChanged(TCardinalParam& param, uint32_t value);
void SetIfChanged(TStringParam& param, const std::string& value);

class TCardinalParam : public TParam {
 public:
  TCardinalParam(TCfgOptions* owner, const std::string& scName, const std::string& prName);
  bool IsEmpty() const override { return value_ == 0; }
  void Clear() override { value_ = 0; }

  uint32_t GetValue();
  void SetValue(uint32_t value);

  void ReadIni(TMemIniFile& ini);
  void WriteIni(TMemIniFile& ini);

 protected:
  uint32_t value_ = 0;
};

class TStringParam : public TParam {
 public:
  TStringParam(TCfgOptions* owner, const std::string& scName, const std::string& prName);
  bool IsEmpty() const override { return value_.empty(); }
  void Clear() override { value_.clear(); }

  std::string GetValue();
  void SetValue(const std::string& value);

  void ReadIni(TMemIniFile& ini);
  void WriteIni(TMemIniFile& ini);

 protected:
  std::string value_;
};

class TRegCardinalParam : public TCardinalParam {
 public:
  TRegCardinalParam(TCfgOptions* owner, const std::string& scName, const std::string& prName);
  void ReadReg(platform::RegistryKey& key);
  void WriteReg(platform::RegistryKey& key);
};

class TRegStringParam : public TStringParam {
 public:
  TRegStringParam(TCfgOptions* owner, const std::string& scName, const std::string& prName);
  void ReadReg(platform::RegistryKey& key);
  void WriteReg(platform::RegistryKey& key);
};

class ICfgCardinalReader : public ICfgReader {
 public:
  explicit ICfgCardinalReader(TCardinalParam* parent);
};

class ICfgStringReader : public ICfgReader {
 public:
  explicit ICfgStringReader(TStringParam* parent);
};

class IRegCardinalReader : public IRegReader {
 public:
  explicit IRegCardinalReader(TRegCardinalParam* parent);
};

class IRegStringReader : public IRegReader {
 public:
  explicit IRegStringReader(TRegStringParam* parent);
};

}  // namespace vk
