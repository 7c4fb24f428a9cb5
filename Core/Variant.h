#pragma once
// A small tagged value that carries one index key part with the exact kind
// it was made as. The kind codes are the run-time library's variant codes;
// the field classes accept only their own kind and refuse every other.

#include <cstdint>
#include <string>

namespace vk {

enum VarType : uint16_t {
  varEmpty = 0,
  varSmallint = 2,
  varInteger = 3,
  varDouble = 5,
  varDate = 7,
  varOleStr = 8,
  varBoolean = 11,
  varShortInt = 16,
  varByte = 17,
  varWord = 18,
  varLongWord = 19,
  varInt64 = 20,
  varString = 256,
  varUString = 258,
};

struct Variant {
  VarType VType = varEmpty;
  int64_t Int = 0;   // integer kinds and boolean (0 or 1)
  double Real = 0;   // double and date
  std::string Text;  // string kinds (bytes as given)

  static Variant Integer(int32_t v) { return {varInteger, v, 0, {}}; }
  static Variant SmallInt(int16_t v) { return {varSmallint, v, 0, {}}; }
  static Variant Byte(uint8_t v) { return {varByte, v, 0, {}}; }
  static Variant Int64(int64_t v) { return {varInt64, v, 0, {}}; }
  static Variant LongWord(uint32_t v) { return {varLongWord, v, 0, {}}; }
  static Variant Boolean(bool v) { return {varBoolean, v ? 1 : 0, 0, {}}; }
  static Variant Date(double v) { return {varDate, 0, v, {}}; }
  static Variant Double(double v) { return {varDouble, 0, v, {}}; }
  static Variant String(std::string v) { return {varString, 0, 0, std::move(v)}; }
  static Variant WideString(std::string v) { return {varOleStr, 0, 0, std::move(v)}; }
};

}  // namespace vk
