#include <gtest/gtest.h>

#include <cstring>

#include "Core/DateTime.h"
#include "Core/SysUtils.h"
#include "Tables/UBaseFld.h"
#include "Tables/UFields.h"
#include "Tables/UIndex.h"
#include "Tables/UMoneyFld.h"

namespace vk {
namespace {

std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<no exception>";
}

struct FourFields {
  TIntegerField id;
  TStringField name{8};
  TMoneyField price;
  TDateTimeField date;
  TFields set{{&id, &name, &price, &date}};
};

TEST(FieldSet, OffsetsFollowTheDataSizes) {
  FourFields f;
  EXPECT_EQ(f.set.Count(), 4);
  const int32_t offsets[] = {0, 4, 12, 16};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.set.Offsets(i), offsets[i]);
  EXPECT_EQ(f.set.RecordSize(), 24);
  TBooleanField flag;
  f.set.Add(&flag);
  EXPECT_EQ(f.set.Offsets(4), 24);
  EXPECT_EQ(f.set.RecordSize(), 28);
  EXPECT_THROW(f.set.Items(5), ERangeError);
  EXPECT_THROW(f.set.Offsets(-1), ERangeError);
}

TEST(FieldSet, PacksUnpacksAndClearsReadOnlyFields) {
  FourFields f;
  f.set.EnableEdit();
  f.id.SetValue(-7);
  f.name.SetAsString("Hammer");
  f.price.SetValue(12345);
  f.date.SetValue(*TryEncodeDate(2026, 3, 1));
  f.set.DisableEdit();
  std::vector<uint8_t> copy(f.set.GetRecord(), f.set.GetRecord() + f.set.RecordSize());
  EXPECT_EQ(std::memcmp(copy.data() + 4, "Hammer\0\0", 8), 0);

  f.set.ClearValues();  // read-only fields are cleared all the same
  EXPECT_EQ(f.id.Value(), 0);
  EXPECT_EQ(f.name.Value(), "");
  EXPECT_EQ(f.price.Value(), 0u);
  EXPECT_EQ(f.date.Value(), 0);

  f.set.SetRecord(copy.data());
  EXPECT_EQ(f.id.Value(), -7);
  EXPECT_EQ(f.name.Value(), "Hammer");
  EXPECT_EQ(f.price.Value(), 12345u);
  EXPECT_EQ(f.date.Value(), *TryEncodeDate(2026, 3, 1));
}

TEST(FieldSet, InitKeyValuesTouchesOnlyKeyFields) {
  FourFields f;
  f.id.SetIsKey(true);
  f.id.SetNextKeyValue(17);
  f.set.EnableEdit();
  f.price.SetValue(5);
  f.set.InitKeyValues();
  EXPECT_EQ(f.id.Value(), 17);
  EXPECT_EQ(f.price.Value(), 5u);
  f.set.IncKeyValues();
  EXPECT_EQ(f.id.NextKeyValue(), 18);
}

struct IntDate {
  TDateTimeField date;
  TIntegerField number;
  TFields set{{&date, &number}};
  std::vector<uint8_t> Record(int32_t n, TDateTime d) {
    set.EnableEdit();
    number.SetValue(n);
    date.SetValue(d);
    return {set.GetRecord(), set.GetRecord() + set.RecordSize()};
  }
};

TEST(Index, SeveralFieldKeyFollowsIndexOrderNotRecordOrder) {
  IntDate t;
  TIndex index(&t.set, {&t.number, &t.date});
  EXPECT_EQ(index.KeySize(), 12);
  auto rec = t.Record(5, *TryEncodeDate(2026, 3, 1));
  index.ExtractKey(rec.data());
  int32_t n;
  double d;
  std::memcpy(&n, index.KeyBuffer(), 4);
  std::memcpy(&d, index.KeyBuffer() + 4, 8);
  EXPECT_EQ(n, 5);
  EXPECT_EQ(d, *TryEncodeDate(2026, 3, 1));

  struct Case {
    int32_t number;
    int day, month;
    int want;
  } cases[] = {{5, 2, 3, -1}, {4, 9, 3, 1}, {5, 1, 3, 0}, {6, 1, 1, -1}};
  for (const auto& c : cases) {
    auto other = t.Record(c.number, *TryEncodeDate(2026, c.month, c.day));
    EXPECT_EQ(index.CompareKey(other.data()), c.want) << c.number << " " << c.day;
    EXPECT_EQ(index.CompareRecords(rec.data(), other.data()), c.want);
  }
}

TEST(Index, ConstructionRefusals) {
  IntDate t;
  TIntegerField stranger;
  stranger.SetName("number");
  struct Case {
    std::function<void()> make;
    std::string message;
  } cases[] = {
      {[&] { TIndex i(nullptr, &t.number); }, "Не определен объект полей"},
      {[&] { TIndex i(&t.set, static_cast<TField*>(nullptr)); }, "Не определено индексное поле"},
      {[&] { TIndex i(&t.set, std::vector<TField*>{}); }, "Массив индексных полей пустой"},
      {[&] {
         TIndex i(&t.set, std::vector<TField*>{&t.number, nullptr});
       },
       "Не определено индексное поле"},
      {[&] { TIndex i(&t.set, &stranger); }, "В наборе полей не найдено индексное поле: number"},
      {[&] {
         TIndex i(&t.set, std::vector<TField*>{&t.date, &stranger});
       },
       "В наборе полей не найдено индексное поле: number"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageOf(c.make), c.message);
}

TEST(Index, IsPrimaryOnlyForAOneFieldIndexOverTheKey) {
  IntDate t;
  t.number.SetIsKey(true);
  EXPECT_TRUE(TIndex(&t.set, &t.number).IsPrimary());
  EXPECT_FALSE(TIndex(&t.set, &t.date).IsPrimary());
  EXPECT_FALSE(TIndex(&t.set, std::vector<TField*>{&t.number}).IsPrimary());
  EXPECT_EQ(TIndex(&t.set, "ByNumber", &t.number).Name(), "ByNumber");
  EXPECT_EQ(TIndex(&t.set, "Both", {&t.number, &t.date}).Name(), "Both");
}

TEST(Index, SetKeyValuesFillsPartsInOrderAndFailsWhenShort) {
  IntDate t;
  TIndex index(&t.set, {&t.number, &t.date});
  index.SetKeyValues({Variant::Integer(9), Variant::Date(3.0)});
  int32_t n;
  double d;
  std::memcpy(&n, index.KeyBuffer(), 4);
  std::memcpy(&d, index.KeyBuffer() + 4, 8);
  EXPECT_EQ(n, 9);
  EXPECT_EQ(d, 3.0);

  EXPECT_THROW(index.SetKeyValues({Variant::Integer(4)}), ERangeError);
  std::memcpy(&n, index.KeyBuffer(), 4);
  EXPECT_EQ(n, 4);  // the first part was written before the failure
  EXPECT_EQ(MessageOf([&] {
              index.SetKeyValues({Variant::LongWord(1), Variant::Date(1)});
            }),
            "Тип варианта не является Integer");

  TIndex single(&t.set, &t.number);
  single.SetKeyText("12");
  single.SetKeyValues({Variant::Integer(99)});  // ignored by a one-field index
  std::memcpy(&n, single.KeyBuffer(), 4);
  EXPECT_EQ(n, 12);
  EXPECT_EQ(MessageOf([&] { single.SetKeyText("x"); }), "Неверно задано целое число: x");
  EXPECT_THROW(index.SetKeyText("1"), Exception);
}

}  // namespace
}  // namespace vk
