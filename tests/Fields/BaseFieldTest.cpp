#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "Tables/UBaseFld.h"
#include "tests/Fields/FieldTestSupport.h"

namespace vk {
namespace {

using testing::BytesOf;
using testing::BytesOfValue;
using testing::RefusalOf;

const std::string kNoException = "<no exception>";

// ---- integer ---------------------------------------------------------------

TEST(IntegerField, ParsesTheRunTimeLibraryIntegerText) {
  struct Case {
    std::string text;
    int32_t value;
  } cases[] = {
      {"", 0},
      {"42", 42},
      {"   42", 42},
      {"+42", 42},
      {"-42", -42},
      {"-0", 0},
      {"$1F", 31},
      {"$1f", 31},
      {"x1F", 31},
      {"X1f", 31},
      {"0x1F", 31},
      {"0X1F", 31},
      {"-$1F", -31},
      {"$7FFFFFFF", INT_MAX},
      {"$80000000", INT_MIN},
      {"$FFFFFFFF", -1},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"000000000000000000000000000042", 42},
      {"$000000000000000000000000000001", 1},
      {"0", 0},
  };
  for (const auto& c : cases) {
    TIntegerField f;
    f.EnableEdit();
    f.SetValue(77);
    EXPECT_EQ(RefusalOf([&] { f.SetAsString(c.text); }), kNoException) << c.text;
    EXPECT_EQ(f.Value(), c.value) << c.text;
    int32_t buffer = 77;
    f.TextToBuffer(c.text, &buffer);
    EXPECT_EQ(buffer, c.value) << c.text;
  }
}

TEST(IntegerField, RefusesBadTextNamingItAndKeepsTheValue) {
  const std::string cases[] = {
      "42 ",
      "4.2",
      "2147483648",
      "-2147483649",
      "$100000000",
      "123456789012345678901234567890",
      "1000000000000000000000000000000",
      "-999999999999999999999999999999",
      "$FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
      " ",
      "-",
      "+",
      "$",
      "0x",
      "x",
      "$G",
      "1e3",
      "\t42",
      "42abc",
      "--1",
      "+-1",
      "- 1",
      "$-1",
      "1 2",
      std::string("4\0"
                  "2",
                  3),
  };
  for (const std::string& text : cases) {
    TIntegerField f;
    f.EnableEdit();
    f.SetValue(77);
    EXPECT_EQ(RefusalOf([&] { f.SetAsString(text); }), "Неверно задано целое число: " + text) << text;
    EXPECT_EQ(f.Value(), 77);
    int32_t buffer = 77;
    EXPECT_EQ(RefusalOf([&] { f.TextToBuffer(text, &buffer); }), "Неверно задано целое число: " + text);
    EXPECT_EQ(buffer, 77);
  }
}

TEST(IntegerField, ShowsDecimalWithMinusSign) {
  struct Case {
    int32_t value;
    const char* text;
  } cases[] = {{0, "0"}, {7, "7"}, {-1, "-1"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
  for (const auto& c : cases) {
    TIntegerField f;
    f.SetData(&c.value);
    EXPECT_EQ(f.GetAsString(), c.text);
    EXPECT_EQ(f.BufferToText(&c.value), c.text);
  }
}

TEST(IntegerField, ComparesSigned) {
  struct Case {
    int32_t a, b;
    int want;
  } cases[] = {{INT_MIN, INT_MAX, -1}, {-1, 1, -1}, {-1, 0, -1}, {5, 5, 0}, {1, -1, 1}, {INT_MAX, INT_MIN, 1}};
  TIntegerField f;
  for (const auto& c : cases) {
    EXPECT_EQ(f.Compare(&c.a, &c.b), c.want) << c.a << " " << c.b;
    EXPECT_EQ(f.Compare(&c.b, &c.a), -c.want) << c.a << " " << c.b;
  }
}

// ---- string ----------------------------------------------------------------

TEST(StringField, CutsTextToItsSizeAndPadsTheRecordWithZeros) {
  struct Case {
    std::string text;
    std::string kept;
    std::vector<uint8_t> record;
  } cases[] = {
      {"ABCDEFGHIJ", "ABCDEFGH", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
      {"ABCDEFGH", "ABCDEFGH", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
      {"AB", "AB", {'A', 'B', 0, 0, 0, 0, 0, 0}},
      {"", "", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"\xC0\xE1\xE2", "\xC0\xE1\xE2", {0xC0, 0xE1, 0xE2, 0, 0, 0, 0, 0}},
  };
  TStringField f(8);
  f.EnableEdit();
  for (const auto& c : cases) {
    // A long value first, so stale bytes in the record would show.
    f.SetAsString("ZZZZZZZZZZ");
    f.SetAsString(c.text);
    EXPECT_EQ(f.GetAsString(), c.kept) << c.text;
    EXPECT_EQ(BytesOf(f.DataPtr(), 8), c.record) << c.text;

    std::vector<uint8_t> buffer(8, 0xEE);
    f.TextToBuffer(c.text, buffer.data());
    EXPECT_EQ(buffer, c.record) << c.text;
  }
}

TEST(StringField, ReadsRecordBytesUpToTheFirstZeroWithinItsSize) {
  struct Case {
    std::vector<char> record;
    std::string text;
  } cases[] = {
      {{'A', 'B', 0, 'C', 'D', 0, 0, 0}, "AB"},
      {{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}, "ABCDEFGH"},
      {{0, 'B', 'C', 'D', 'E', 'F', 'G', 'H'}, ""},
      {{'\xFF', '\x01', 0, 0, 0, 0, 0, 0}, "\xFF\x01"},
  };
  TStringField f(8);
  for (const auto& c : cases) {
    // Exactly Size bytes on the heap: reading past them is an ASan error.
    std::vector<char> record = c.record;
    f.SetData(record.data());
    EXPECT_EQ(f.GetAsString(), c.text);
    EXPECT_EQ(f.BufferToText(record.data()), c.text);
  }
}

TEST(StringField, ComparesBytesUnsignedUpToSizeAndFirstZero) {
  struct Case {
    std::string a, b;
    int want;
  } cases[] = {
      {"AB", "ABC", -1},
      {"ABC", "B", -1},
      {"Z", "a", -1},
      {"z", "\xE0", -1},  // a Cyrillic letter of the single-byte code page sorts after ASCII
      {"\x7F", "\x80", -1},
      {"", "A", -1},
      {"ABC", "ABC", 0},
      {std::string("AB\0X", 4), std::string("AB\0Y", 4), 0},
      {"ABCDEFGHX", "ABCDEFGHY", 0},  // the ninth byte lies outside a field of 8
      {"ABCDEFGH", "ABCDEFG", 1},
  };
  TStringField f(8);
  for (const auto& c : cases) {
    std::vector<char> a(9, 0), b(9, 0);
    std::memcpy(a.data(), c.a.data(), std::min<size_t>(c.a.size(), 9));
    std::memcpy(b.data(), c.b.data(), std::min<size_t>(c.b.size(), 9));
    EXPECT_EQ(f.Compare(a.data(), b.data()), c.want) << c.a << " / " << c.b;
    EXPECT_EQ(f.Compare(b.data(), a.data()), -c.want) << c.a << " / " << c.b;
  }
}

// ---- boolean ---------------------------------------------------------------

TEST(BooleanField, ParsesOnlyTrueInAnyCaseAndNeverFails) {
  struct Case {
    std::string text;
    int32_t stored;
  } cases[] = {
      {"true", -1}, {"True", -1}, {"TRUE", -1}, {"tRuE", -1}, {"yes", 0},   {"1", 0},  {"", 0},
      {" true", 0}, {"true ", 0}, {"False", 0}, {"T", 0},     {"truee", 0}, {"-1", 0}, {"\xD0\xB4\xD0\xB0", 0},
  };
  for (const auto& c : cases) {
    TBooleanField f;
    f.EnableEdit();
    int32_t seven = 7;
    f.SetData(&seven);
    EXPECT_EQ(RefusalOf([&] { f.SetAsString(c.text); }), kNoException) << c.text;
    EXPECT_EQ(BytesOf(f.DataPtr(), 4), BytesOfValue<int32_t>(c.stored)) << c.text;
    int32_t buffer = 7;
    f.TextToBuffer(c.text, &buffer);
    EXPECT_EQ(buffer, c.stored) << c.text;
  }
}

TEST(BooleanField, ValueWriteStoresOnlyAChangeOfTruth) {
  struct Case {
    int32_t before;
    bool written;
    int32_t after;
  } cases[] = {
      {1, true, 1}, {5, true, 5}, {-1, true, -1}, {0, true, -1}, {1, false, 0}, {0, false, 0}, {INT_MIN, true, INT_MIN},
  };
  for (const auto& c : cases) {
    TBooleanField f;
    f.SetData(&c.before);
    f.EnableEdit();
    f.SetValue(c.written);
    EXPECT_EQ(BytesOf(f.DataPtr(), 4), BytesOfValue<int32_t>(c.after)) << c.before << " " << c.written;
    EXPECT_EQ(f.Value(), c.written);
  }
}

TEST(BooleanField, ShowsTrueForEveryNonZeroAndComparesTruthOnly) {
  struct Case {
    int32_t stored;
    const char* text;
  } shows[] = {{1, "True"}, {-1, "True"}, {5, "True"}, {INT_MIN, "True"}, {0, "False"}};
  TBooleanField f;
  for (const auto& c : shows) {
    f.SetData(&c.stored);
    EXPECT_EQ(f.GetAsString(), c.text);
    EXPECT_EQ(f.BufferToText(&c.stored), c.text);
  }
  struct Order {
    int32_t a, b;
    int want;
  } order[] = {{1, -1, 0}, {0, 1, -1}, {0, -1, -1}, {1, 0, 1}, {0, 0, 0}, {INT_MIN, 7, 0}};
  for (const auto& c : order) EXPECT_EQ(f.Compare(&c.a, &c.b), c.want) << c.a << " " << c.b;
}

}  // namespace
}  // namespace vk
