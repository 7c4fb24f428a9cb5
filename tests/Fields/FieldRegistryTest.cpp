#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "Tables/UBaseFld.h"
#include "Tables/UField.h"
#include "Tables/UMoneyFld.h"
#include "tests/Fields/FieldTestSupport.h"

namespace vk {
namespace {

using testing::RefusalOf;

// A field that names the abstract base as its class, as a plain TField would.
class TPlainField : public TField {
 public:
  TPlainField() : TField(TField::ClassInfo()) {}
  explicit TPlainField(const TFieldClass& cls) : TField(cls) {}
  int32_t DataSize() const override { return 0; }
  const void* DataPtr() override { return nullptr; }
  void SetData(const void*) override {}
  std::string GetAsString() const override { return {}; }
  void SetAsString(const std::string&) override {}
  int Compare(const void*, const void*) const override { return 0; }
  void VariantToBuffer(const Variant&, void*) const override {}
  void TextToBuffer(const std::string&, void*) const override {}
  std::string BufferToText(const void*) const override { return {}; }
};

// A class of its own straight under the base, never registered.
const TFieldClass& LooseClass() {
  static const TFieldClass info{"TLooseField", 9, 'X', &TField::ClassInfo(), nullptr};
  return info;
}

// Derived from the string field and keeping its type id, like the table
// layouts' own field classes.
class TTestStringField : public TStringField {
 public:
  explicit TTestStringField(int32_t size) : TStringField(ClassInfo(), size) {}
  static const TFieldClass& ClassInfo() {
    static const TFieldClass info{
        "TTestStringField", 2, 'S', &TStringField::ClassInfo(),
        [](int32_t size) -> std::unique_ptr<TField> { return std::make_unique<TTestStringField>(size); }};
    return info;
  }
};

class TCodeField : public TIntegerField {
 public:
  TCodeField() : TIntegerField(ClassInfo()) {}
  static const TFieldClass& ClassInfo() {
    static const TFieldClass info{"TCodeField", 1, 'I', &TIntegerField::ClassInfo(), nullptr};
    return info;
  }

 protected:
  explicit TCodeField(const TFieldClass& cls) : TIntegerField(cls) {}
};

class TGoodsCodeField : public TCodeField {
 public:
  TGoodsCodeField() : TCodeField(ClassInfo()) {}
  static const TFieldClass& ClassInfo() {
    static const TFieldClass info{"TGoodsCodeField", 1, 'I', &TCodeField::ClassInfo(), nullptr};
    return info;
  }
};

// A class with an id nobody else has, for local registries.
const TFieldClass& NineClass() {
  static const TFieldClass info{"TNineField", 9, 'N', &TIntegerField::ClassInfo(), nullptr};
  return info;
}

TEST(FieldRegistry, HoldsTheFiveClassesInStartOrder) {
  struct Case {
    int32_t id;
    const TFieldClass* cls;
    const char* name;
    char letter;
  } cases[] = {
      {1, &TIntegerField::ClassInfo(), "TIntegerField", 'I'}, {2, &TStringField::ClassInfo(), "TStringField", 'S'},
      {3, &TBooleanField::ClassInfo(), "TBooleanField", 'L'}, {4, &TDateTimeField::ClassInfo(), "TDateTimeField", 'D'},
      {5, &TMoneyField::ClassInfo(), "TMoneyField", 'M'},
  };
  EXPECT_EQ(FieldClasses().Count(), 5u);
  for (const auto& c : cases) {
    const TFieldClass& found = FindFieldClass(c.id);
    EXPECT_EQ(&found, c.cls) << c.id;
    EXPECT_STREQ(found.Name, c.name);
    EXPECT_EQ(found.TypeId, c.id);
    EXPECT_EQ(found.TypeLetter, c.letter);
  }
}

TEST(FieldRegistry, FindRefusesIdsNoClassHas) {
  for (int32_t id : {0, 6, -1, INT_MAX, INT_MIN}) {
    EXPECT_EQ(RefusalOf([&] { FindFieldClass(id); }), "Класс поля не зарегистрирован") << id;
    EXPECT_EQ(RefusalOf([&] { CreateFieldOfType(id, 8); }), "Класс поля не зарегистрирован") << id;
  }
}

TEST(FieldRegistry, RegisterRefusesTakenClassesAndIds) {
  struct Case {
    const TFieldClass* cls;
    const char* message;
  } cases[] = {
      {&TIntegerField::ClassInfo(), "Класс поля уже зарегистрирован: TIntegerField"},
      {&TMoneyField::ClassInfo(), "Класс поля уже зарегистрирован: TMoneyField"},
      {&TTestStringField::ClassInfo(),
       "Тип поля с таким идентификатором уже зарегистрирован: TTestStringField = [2] = TStringField"},
      {&TCodeField::ClassInfo(),
       "Тип поля с таким идентификатором уже зарегистрирован: TCodeField = [1] = TIntegerField"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RefusalOf([&] { RegisterFieldClass(*c.cls); }), c.message);
    EXPECT_EQ(FieldClasses().Count(), 5u) << c.cls->Name;
  }
  EXPECT_EQ(&FindFieldClass(2), &TStringField::ClassInfo());
}

TEST(FieldRegistry, EmptyRegistryRefusesEveryLookup) {
  TFieldClassRegistry empty;
  for (int32_t id : {0, 1, 5, 6}) {
    EXPECT_EQ(RefusalOf([&] { empty.FindFieldClass(id); }), "Не зарегистрировано ни одного класса поля") << id;
    EXPECT_EQ(RefusalOf([&] { empty.CreateFieldOfType(id, 4); }), "Не зарегистрировано ни одного класса поля");
  }
  EXPECT_FALSE(empty.Knows(TIntegerField::ClassInfo()));
}

TEST(FieldRegistry, LocalRegistryChecksEachEntryInOrder) {
  TFieldClassRegistry reg;
  reg.RegisterFieldClass(TIntegerField::ClassInfo());
  reg.RegisterFieldClass(TTestStringField::ClassInfo());
  reg.RegisterFieldClass(NineClass());
  // The derived class came first here, so the parent is the one refused.
  EXPECT_EQ(RefusalOf([&] { reg.RegisterFieldClass(TStringField::ClassInfo()); }),
            "Тип поля с таким идентификатором уже зарегистрирован: TStringField = [2] = TTestStringField");
  EXPECT_EQ(RefusalOf([&] { reg.RegisterFieldClass(NineClass()); }), "Класс поля уже зарегистрирован: TNineField");
  EXPECT_EQ(reg.Count(), 3u);
  EXPECT_EQ(&reg.FindFieldClass(2), &TTestStringField::ClassInfo());
  EXPECT_EQ(&reg.FindFieldClass(9), &NineClass());
  EXPECT_EQ(RefusalOf([&] { reg.FindFieldClass(5); }), "Класс поля не зарегистрирован");
  EXPECT_TRUE(reg.Knows(TGoodsCodeField::ClassInfo()));
  EXPECT_FALSE(reg.Knows(TMoneyField::ClassInfo()));
  auto made = reg.CreateFieldOfType(2, 12);
  EXPECT_STREQ(made->ClassName(), "TTestStringField");
  EXPECT_EQ(made->DataSize(), 12);
}

TEST(FieldRegistry, CreatesFieldsOfTypeWithTheirSize) {
  struct Case {
    int32_t id, size;
    const char* name;
    int32_t dataSize;
    char letter;
  } cases[] = {
      {1, 99, "TIntegerField", 4, 'I'},   {2, 8, "TStringField", 8, 'S'},  {2, 1, "TStringField", 1, 'S'},
      {2, 255, "TStringField", 255, 'S'}, {3, 0, "TBooleanField", 4, 'L'}, {4, 1, "TDateTimeField", 8, 'D'},
      {5, 40, "TMoneyField", 4, 'M'},
  };
  for (const auto& c : cases) {
    auto f = CreateFieldOfType(c.id, c.size);
    ASSERT_TRUE(f);
    EXPECT_STREQ(f->ClassName(), c.name);
    EXPECT_EQ(f->TypeId(), c.id);
    EXPECT_EQ(f->TypeLetter(), c.letter);
    EXPECT_EQ(f->DataSize(), c.dataSize) << c.name << " " << c.size;
    EXPECT_FALSE(f->Editable());
  }
}

TEST(FieldRegistry, ConstructionRefusesClassesOutsideTheRegistry) {
  EXPECT_EQ(RefusalOf([] { TPlainField f; }), "Класс поля не зарегистрирован: TField");
  EXPECT_EQ(RefusalOf([] { TPlainField f(LooseClass()); }), "Класс поля не зарегистрирован: TLooseField");
}

TEST(FieldRegistry, ConstructionAcceptsUnregisteredDescendants) {
  TCodeField code;
  TGoodsCodeField goods;
  TTestStringField text(6);
  EXPECT_STREQ(code.ClassName(), "TCodeField");
  EXPECT_STREQ(goods.ClassName(), "TGoodsCodeField");
  EXPECT_EQ(goods.TypeId(), 1);
  EXPECT_EQ(text.TypeLetter(), 'S');
  EXPECT_EQ(text.DataSize(), 6);
  EXPECT_TRUE(goods.ClassType().InheritsFrom(TIntegerField::ClassInfo()));
  EXPECT_FALSE(goods.ClassType().InheritsFrom(TStringField::ClassInfo()));
}

// ---- the field base ------------------------------------------------------

TEST(FieldBase, NewFieldIsReadOnlyAndNoKey) {
  TIntegerField f;
  EXPECT_FALSE(f.Editable());
  EXPECT_FALSE(f.IsKey());
  EXPECT_EQ(f.NextKeyValue(), 0);
  EXPECT_EQ(f.Name(), "");
  f.EnableEdit();
  EXPECT_TRUE(f.Editable());
  f.DisableEdit();
  EXPECT_EQ(RefusalOf([&] { f.CheckEditable(); }), "Поле нельзя редактировать");
}

TEST(FieldBase, NameKeepsItsFirstTwentyCharacters) {
  struct Case {
    std::string given, kept;
  } cases[] = {
      {"", ""},
      {"ID", "ID"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"},
      {"ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRST"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
  };
  TMoneyField f;
  for (const auto& c : cases) {
    f.SetName(c.given);
    EXPECT_EQ(f.Name(), c.kept) << c.given;
  }
}

// Steps applied to a new field, then the key flag and counter expected.
TEST(FieldBase, KeyFlagLiftsAZeroCounterToOne) {
  enum Op { SetKey, ClearKey, SetCounter, Inc };
  struct Step {
    Op op;
    int32_t arg = 0;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool isKey;
    int32_t counter;
  } cases[] = {
      {"key set", {{SetKey}}, true, 1},
      {"key cleared on a new field", {{ClearKey}}, false, 1},
      {"counter 7 kept", {{SetKey}, {SetCounter, 7}, {ClearKey}, {SetKey}}, true, 7},
      {"counter 7 kept on clearing", {{SetKey}, {SetCounter, 7}, {ClearKey}}, false, 7},
      {"zero counter lifted again", {{SetKey}, {SetCounter, 0}, {SetKey}}, true, 1},
      {"zero accepted on a key", {{SetKey}, {SetCounter, 0}}, true, 0},
      {"negative accepted on a key", {{SetKey}, {SetCounter, -5}}, true, -5},
      {"negative kept on clearing", {{SetKey}, {SetCounter, INT_MIN}, {ClearKey}}, false, INT_MIN},
      {"inc on a key", {{SetKey}, {Inc}}, true, 2},
      {"inc on a non-key", {{ClearKey}, {Inc}}, false, 1},
      {"inc on a new field", {{Inc}}, false, 0},
      {"inc from minus one", {{SetKey}, {SetCounter, -1}, {Inc}}, true, 0},
      {"inc to the top", {{SetKey}, {SetCounter, INT_MAX - 1}, {Inc}}, true, INT_MAX},
  };
  for (const auto& c : cases) {
    TIntegerField f;
    for (const Step& s : c.steps) {
      switch (s.op) {
        case SetKey: f.SetIsKey(true); break;
        case ClearKey: f.SetIsKey(false); break;
        case SetCounter: f.SetNextKeyValue(s.arg); break;
        case Inc: f.IncKeyValue(); break;
      }
    }
    EXPECT_EQ(f.IsKey(), c.isKey) << c.name;
    EXPECT_EQ(f.NextKeyValue(), c.counter) << c.name;
  }
}

TEST(FieldBase, CounterOfANonKeyFieldCannotBeWritten) {
  TStringField f(4);
  EXPECT_EQ(RefusalOf([&] { f.SetNextKeyValue(5); }), "Поле не является первичным ключем");
  EXPECT_EQ(f.NextKeyValue(), 0);
  f.SetIsKey(true);
  f.SetNextKeyValue(9);
  f.SetIsKey(false);
  EXPECT_EQ(RefusalOf([&] { f.SetNextKeyValue(1); }), "Поле не является первичным ключем");
  EXPECT_EQ(f.NextKeyValue(), 9);
}

TEST(FieldBase, CounterAtTheTopRefusesToGrowAndNeverWraps) {
  TIntegerField f;
  f.SetIsKey(true);
  f.SetNextKeyValue(INT_MAX);
  for (int attempt = 0; attempt < 3; ++attempt) {
    EXPECT_EQ(RefusalOf([&] { f.IncKeyValue(); }), "EIntOverflow: Integer overflow");
    EXPECT_EQ(f.NextKeyValue(), INT_MAX);
  }
}

TEST(FieldBase, InitKeyValueGivesTheIntegerFieldItsCounter) {
  TIntegerField key;
  key.SetIsKey(true);
  key.SetNextKeyValue(17);
  key.InitKeyValue();  // no edit mode needed: the table numbers the record itself
  EXPECT_EQ(key.Value(), 17);
  key.IncKeyValue();
  key.InitKeyValue();
  EXPECT_EQ(key.Value(), 18);

  // Other classes keep their value.
  TMoneyField money;
  money.SetIsKey(true);
  money.SetNextKeyValue(17);
  money.InitKeyValue();
  EXPECT_EQ(money.Value(), 0u);
  TStringField text(4);
  text.SetIsKey(true);
  text.InitKeyValue();
  EXPECT_EQ(text.GetAsString(), "");
}

}  // namespace
}  // namespace vk
