// What every field class promises alike: its record form, the one variant
// kind it takes for index keys, and that nothing changes outside edit mode.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Tables/UBaseFld.h"
#include "Tables/UMoneyFld.h"
#include "tests/Fields/FieldTestSupport.h"

namespace vk {
namespace {

using testing::BytesOf;
using testing::BytesOfValue;
using testing::RefusalOf;

std::unique_ptr<TField> Make(int32_t typeId) { return CreateFieldOfType(typeId, 8); }

TEST(FieldRecord, ValuesHaveTheirLittleEndianRecordForm) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<TField>()> make;
    std::vector<uint8_t> record;
  } cases[] = {
      {"integer -2",
       [] {
         auto f = std::make_unique<TIntegerField>();
         f->EnableEdit();
         f->SetValue(-2);
         return f;
       },
       {0xFE, 0xFF, 0xFF, 0xFF}},
      {"integer 0x01020304",
       [] {
         auto f = std::make_unique<TIntegerField>();
         f->EnableEdit();
         f->SetValue(0x01020304);
         return f;
       },
       {0x04, 0x03, 0x02, 0x01}},
      {"boolean true",
       [] {
         auto f = std::make_unique<TBooleanField>();
         f->EnableEdit();
         f->SetValue(true);
         return f;
       },
       {0xFF, 0xFF, 0xFF, 0xFF}},
      {"boolean new", [] { return std::make_unique<TBooleanField>(); }, {0, 0, 0, 0}},
      {"date 1.5",
       [] {
         auto f = std::make_unique<TDateTimeField>();
         f->EnableEdit();
         f->SetValue(1.5);
         return f;
       },
       {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}},
      {"date new", [] { return std::make_unique<TDateTimeField>(); }, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"money 1'234'567.89",
       [] {
         auto f = std::make_unique<TMoneyField>();
         f->EnableEdit();
         f->SetValue(123456789);
         return f;
       },
       {0x15, 0xCD, 0x5B, 0x07}},
      {"money top",
       [] {
         auto f = std::make_unique<TMoneyField>();
         f->EnableEdit();
         f->SetValue(4294967295u);
         return f;
       },
       {0xFF, 0xFF, 0xFF, 0xFF}},
      {"string AB of 3",
       [] {
         auto f = std::make_unique<TStringField>(3);
         f->EnableEdit();
         f->SetAsString("AB");
         return f;
       },
       {'A', 'B', 0}},
  };
  for (const auto& c : cases) {
    auto f = c.make();
    ASSERT_EQ(f->DataSize(), static_cast<int32_t>(c.record.size())) << c.name;
    EXPECT_EQ(BytesOf(f->DataPtr(), c.record.size()), c.record) << c.name;
    // The same bytes read into a fresh field give the same record and text.
    auto copy = CreateFieldOfType(f->TypeId(), f->DataSize());
    copy->SetData(c.record.data());
    EXPECT_EQ(BytesOf(copy->DataPtr(), c.record.size()), c.record) << c.name;
    EXPECT_EQ(copy->GetAsString(), f->GetAsString()) << c.name;
    EXPECT_EQ(f->BufferToText(c.record.data()), f->GetAsString()) << c.name;
    EXPECT_EQ(f->Compare(c.record.data(), copy->DataPtr()), 0) << c.name;
  }
}

// Every class against every kind of variant: only its own kind passes, any
// other is refused with the class's text and leaves the buffer as it was.
TEST(FieldVariant, EachClassTakesExactlyItsOwnKind) {
  const Variant kinds[] = {
      Variant::Integer(-5),
      Variant::SmallInt(-5),
      Variant::Byte(5),
      Variant::Int64(-5),
      Variant::LongWord(4294967295u),
      Variant::Boolean(true),
      Variant::Boolean(false),
      Variant::Date(1.5),
      Variant::Double(1.5),
      Variant::String("ABCDEFGHIJ"),
      Variant::String("AB"),
      Variant::WideString("AB"),
      Variant{varUString, 0, 0, "AB"},
      Variant{},
  };
  struct Case {
    int32_t typeId;
    VarType accepted;
    const char* refusal;
  } cases[] = {
      {1, varInteger, "Тип варианта не является Integer"},   {2, varString, "Тип варианта не является String"},
      {3, varBoolean, "Тип варианта не является Boolean"},   {4, varDate, "Тип варианта не является TDateTime"},
      {5, varLongWord, "Тип варианта не является LongWord"},
  };
  for (const auto& c : cases) {
    auto f = Make(c.typeId);
    for (const Variant& v : kinds) {
      std::vector<uint8_t> buffer(static_cast<size_t>(f->DataSize()), 0xEE);
      std::string refusal = RefusalOf([&] { f->VariantToBuffer(v, buffer.data()); });
      if (v.VType == c.accepted) {
        EXPECT_EQ(refusal, "<no exception>") << c.typeId << " kind " << v.VType;
      } else {
        EXPECT_EQ(refusal, c.refusal) << c.typeId << " kind " << v.VType;
        EXPECT_EQ(buffer, std::vector<uint8_t>(buffer.size(), 0xEE)) << c.typeId << " kind " << v.VType;
      }
    }
  }
}

TEST(FieldVariant, AcceptedKindsAreWrittenInRecordForm) {
  struct Case {
    int32_t typeId;
    Variant value;
    std::vector<uint8_t> record;
  } cases[] = {
      {1, Variant::Integer(-5), {0xFB, 0xFF, 0xFF, 0xFF}},
      {2, Variant::String("ABCDEFGHIJ"), {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
      {2, Variant::String("AB"), {'A', 'B', 0, 0, 0, 0, 0, 0}},
      {3, Variant::Boolean(true), {1, 0, 0, 0}},
      {3, Variant::Boolean(false), {0, 0, 0, 0}},
      {4, Variant::Date(1.5), {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}},
      {5, Variant::LongWord(4294967295u), {0xFF, 0xFF, 0xFF, 0xFF}},
      {5, Variant::LongWord(5), {5, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    auto f = Make(c.typeId);
    std::vector<uint8_t> buffer(c.record.size(), 0xEE);
    f->VariantToBuffer(c.value, buffer.data());
    EXPECT_EQ(buffer, c.record) << c.typeId;
  }
}

// With edit mode off, every setter is refused before the text is even looked
// at, and the value stays.
TEST(FieldEditable, SettersAreRefusedOutsideEditMode) {
  struct Case {
    const char* name;
    int32_t typeId;
    std::function<void(TField&)> change;
  } cases[] = {
      {"integer value", 1, [](TField& f) { static_cast<TIntegerField&>(f).SetValue(5); }},
      {"integer text", 1, [](TField& f) { f.SetAsString("5"); }},
      {"integer bad text", 1, [](TField& f) { f.SetAsString("abc"); }},
      {"string text", 2, [](TField& f) { f.SetAsString("X"); }},
      {"boolean value", 3, [](TField& f) { static_cast<TBooleanField&>(f).SetValue(true); }},
      {"boolean text", 3, [](TField& f) { f.SetAsString("True"); }},
      {"date value", 4, [](TField& f) { static_cast<TDateTimeField&>(f).SetValue(2.0); }},
      {"date text", 4, [](TField& f) { f.SetAsString("bad"); }},
      {"date empty text", 4, [](TField& f) { f.SetAsString(""); }},
      {"money value", 5, [](TField& f) { static_cast<TMoneyField&>(f).SetValue(5); }},
      {"money text", 5, [](TField& f) { f.SetAsString("1.00"); }},
      {"money too large text", 5, [](TField& f) { f.SetAsString("42'949'672.00"); }},
  };
  for (const auto& c : cases) {
    auto f = Make(c.typeId);
    // A distinct non-zero record so that any change shows.
    std::vector<uint8_t> record(static_cast<size_t>(f->DataSize()), 0x41);
    f->SetData(record.data());
    EXPECT_EQ(RefusalOf([&] { c.change(*f); }), "Поле нельзя редактировать") << c.name;
    EXPECT_EQ(BytesOf(f->DataPtr(), record.size()), record) << c.name;
    f->EnableEdit();
    f->DisableEdit();
    EXPECT_EQ(RefusalOf([&] { c.change(*f); }), "Поле нельзя редактировать") << c.name;
  }
}

TEST(FieldEditable, BufferOperationsNeedNoEditMode) {
  for (int32_t id = 1; id <= 5; ++id) {
    auto f = Make(id);
    std::vector<uint8_t> buffer(static_cast<size_t>(f->DataSize()), 0);
    const char* text = id == 4 ? "12/7/2026" : (id == 5 ? "1.00" : "1");
    testing::ScopedFormatSettings en(EnglishFormatSettings());
    EXPECT_EQ(RefusalOf([&] { f->TextToBuffer(text, buffer.data()); }), "<no exception>") << id;
    EXPECT_FALSE(f->BufferToText(buffer.data()).empty()) << id;
  }
}

}  // namespace
}  // namespace vk
