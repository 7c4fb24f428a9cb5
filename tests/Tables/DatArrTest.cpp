#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "ItemTable.h"
#include "Platform/fake/FaultyFileSystem.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "TableFixture.h"

namespace vk {
namespace {

using testing::ItemTable;
using testing::MessageOf;

class DatArrTest : public ::testing::Test {
 protected:
  platform::MemoryFileSystem fs;
  ItemTable t{fs};
  void SetUp() override {
    t.SetFileName("items.dat");
    t.OpenAndRegister();
  }
};

TEST(DatArrCapacity, GrowsBySixteensThenQuarterPowers) {
  struct Case {
    int32_t n, capacity;
  } cases[] = {{1, 16}, {16, 16}, {17, 32}, {63, 64}, {64, 64}, {65, 80}, {100, 112}, {129, 160}, {1000, 1024}};
  for (const auto& c : cases) EXPECT_EQ(TDatArr::GrowCapacity(c.n), c.capacity) << c.n;
}

TEST_F(DatArrTest, SetCountFollowsTheCapacityRule) {
  EXPECT_EQ(t.ElemSize(), 24);  // 4 + 20 bytes of record
  t.SetCount(17);
  EXPECT_EQ(t.Capacity(), 32);
  t.SetCount(65);
  EXPECT_EQ(t.Capacity(), 80);
  t.SetCount(80);
  t.SetCount(79);  // shrinking to the same rule size keeps the block
  EXPECT_EQ(t.Capacity(), 80);
  t.SetCount(0);
  EXPECT_EQ(t.Capacity(), 0);
  EXPECT_EQ(MessageOf([&] { t.SetCount(-1); }), "Задано отрицательное количество элементов массива");
  EXPECT_EQ(MessageOf([&] { t.SetCount(2147483647 / 24 + 1); }),
            "Задано слишком большое количество элементов массива данных");
}

TEST_F(DatArrTest, OpenSkipsDeletedRecordsAndKeepsFileOrder) {
  t.Add("a");
  t.Add("b");
  t.Add("c");
  t.SetRecNo(1);
  t.Delete();
  t.Close();
  t.OpenAndRegister(false);
  EXPECT_EQ(t.Order(), "1,3");
  EXPECT_EQ(t.RecNo(), 0);
  EXPECT_EQ(t.Name.Value(), "a");
}

TEST_F(DatArrTest, SortsAreStableAndNilKeepsTheOrder) {
  t.Add("b", 2);
  t.Add("a", 1);
  t.Add("b", 1);
  t.Add("a", 2);
  t.SetIndex(&t.ByName);
  EXPECT_EQ(t.Order(), "2,4,1,3");  // equal names keep file order
  t.SetIndex(&t.ByGroup);
  EXPECT_EQ(t.Order(), "2,3,4,1");
  t.SetIndex(nullptr);
  EXPECT_EQ(t.Order(), "2,3,4,1");
  t.SetIndex(&t.ByName);
  EXPECT_EQ(t.Order(), "2,4,3,1");  // the order before the sort decides among equals
  t.SetIndex(&t.ByID);
  EXPECT_EQ(t.Order(), "1,2,3,4");
}

TEST_F(DatArrTest, SetIndexKeepsTheCurrentRecord) {
  for (const char* n : {"d", "c", "b", "a"}) t.Add(n);
  t.SetRecNo(1);  // "c", ID 2
  t.SetIndex(&t.ByName);
  EXPECT_EQ(t.RecNo(), 2);
  EXPECT_EQ(t.ID.Value(), 2);
}

TEST_F(DatArrTest, SearchFirstEqualFindsTheLowerBound) {
  for (const char* n : {"a", "c", "c", "c", "e"}) t.Add(n);
  t.SetIndex(&t.ByName);
  struct Case {
    const char* key;
    int32_t recNo;
  } cases[] = {{"c", 1}, {"b", 1}, {"d", 4}, {"z", 4}, {"", 0}};
  for (const auto& c : cases) {
    t.FindKey(std::string(c.key));
    EXPECT_EQ(t.RecNo(), c.recNo) << c.key;
    EXPECT_FALSE(t.Eof());
  }
}

TEST_F(DatArrTest, SearchPrimaryEndsOnTheLastProbe) {
  for (const char* n : {"a", "b", "c", "d", "e"}) t.Add(n);
  t.SetRecNo(2);
  t.Delete();  // keys 1, 2, 4, 5
  t.SetIndex(&t.ByID);
  t.FindKey(std::string("3"));
  EXPECT_EQ(t.ID.Value(), 4);
  t.FindKey(std::string("5"));
  EXPECT_EQ(t.ID.Value(), 5);
}

TEST_F(DatArrTest, AppendGoesAfterEqualKeysOrAtTheEnd) {
  t.Add("b");
  t.Add("a");
  t.SetIndex(&t.ByName);
  t.Add("a");
  EXPECT_EQ(t.Order(), "2,3,1");
  EXPECT_EQ(t.RecNo(), 1);
  t.SetIndex(nullptr);
  t.Add("a");
  EXPECT_EQ(t.Order(), "2,3,1,4");
  EXPECT_EQ(t.RecNo(), 3);
}

TEST_F(DatArrTest, RewriteWithANewKeyLandsAmongEqualsByID) {
  for (const char* n : {"b", "a", "b", "c", "b"}) t.Add(n);
  t.SetIndex(&t.ByName);
  EXPECT_EQ(t.Order(), "2,1,3,5,4");
  // Unchanged key: stays where it is.
  t.SetRecNo(3);
  t.Edit();
  t.Price.SetValue(7);
  t.Post();
  EXPECT_EQ(t.Order(), "2,1,3,5,4");
  // "c" (ID 4) becomes "b": it goes between 3 and 5.
  t.SetRecNo(4);
  t.Edit();
  t.Name.SetAsString("b");
  t.Post();
  EXPECT_EQ(t.Order(), "2,1,3,4,5");
  EXPECT_EQ(t.ID.Value(), 4);
  EXPECT_EQ(t.RecNo(), 3);
  // "a" (ID 2) becomes "b": it goes first among the b's.
  t.SetRecNo(0);
  t.Edit();
  t.Name.SetAsString("b");
  t.Post();
  EXPECT_EQ(t.Order(), "1,2,3,4,5");
  EXPECT_EQ(t.RecNo(), 1);
}

TEST_F(DatArrTest, DeletingTheLastElementLeavesTheIndexPastTheEnd) {
  t.Add("a");
  t.Add("b");
  t.SetRecNo(1);
  t.DeleteRecord();  // the array operation alone, before the table repositions
  EXPECT_EQ(t.ItemIndex(), 1);
  EXPECT_EQ(t.CurrentFileOffset(), 0);
}

TEST_F(DatArrTest, CellTextReadsStoredValuesAndNamesBadCells) {
  t.Add("a", 0, 150);
  EXPECT_EQ(t.CellText(0, 3), "1.50");
  EXPECT_EQ(MessageOf([&] { t.CellText(1, 0); }),
            "Неверный индекс для получения строки данных\r\nElem = 1\r\nFElemCount = 1\r\nField = 0\r\n"
            "Fields.Count = 4");
  EXPECT_EQ(MessageOf([&] { t.CellData(0, 4); }), "Неверный индекс для получения значения элемента массива");
  EXPECT_EQ(MessageOf([&] { t.GotoFileOffset(999); }), "Неверный физический номер записи");
  EXPECT_EQ(MessageOf([&] { t.SetItemIndex(1); }), "Неверный номер текущего элемента массива");
}

// A file whose header disagrees with its live records is refused.
TEST(DatArrOpen, LiveRecordsMustMatchTheHeader) {
  for (int32_t deletedInHeader : {0, 2}) {
    platform::MemoryFileSystem fs;
    {
      ItemTable t(fs);
      t.SetFileName("items.dat");
      t.OpenAndRegister();
      t.Add("a");
      t.Add("b");
      t.SetRecNo(0);
      t.Delete();
      t.Close();
    }
    auto bytes = *fs.Contents("items.dat");
    std::memcpy(bytes.data() + 24, &deletedInHeader, 4);
    fs.SetContents("items.dat", bytes);
    ItemTable t(fs);
    t.SetFileName("items.dat");
    EXPECT_EQ(MessageOf([&] { t.Open(false); }), "Неверное количество записей") << deletedInHeader;
    EXPECT_FALSE(t.Active());
  }
}

// Keys from another program: duplicates, zero, negative, above the counter.
TEST(DatArrOpen, ForeignKeysNeitherLoseRecordsNorRepeatKeys) {
  platform::MemoryFileSystem fs;
  {
    ItemTable t(fs);
    t.SetFileName("items.dat");
    t.OpenAndRegister();
    for (const char* n : {"a", "b", "c", "d"}) t.Add(n);
    t.Close();
  }
  auto bytes = *fs.Contents("items.dat");
  const int32_t dataOffset = 32 + 36 * 4, length = 28;
  const int32_t ids[] = {7, 7, 0, -3};  // the descriptor still says 5
  for (int i = 0; i < 4; ++i) std::memcpy(bytes.data() + dataOffset + i * length + 8, &ids[i], 4);
  fs.SetContents("items.dat", bytes);
  ItemTable t(fs);
  t.SetFileName("items.dat");
  t.OpenAndRegister(false);
  EXPECT_EQ(t.ID.NextKeyValue(), 8);
  t.SetIndex(&t.ByID);  // not unique: the merge sort serves
  EXPECT_EQ(t.Order(), "-3,0,7,7");
  t.Add("e");
  EXPECT_EQ(t.ID.Value(), 8);
  // The tie-break walk stops at unequal elements even with such IDs.
  t.SetIndex(&t.ByName);
  t.SetRecNo(4);  // "e"
  t.Edit();
  t.Name.SetAsString("a");
  t.Post();
  EXPECT_EQ(t.Order(), "7,8,7,0,-3");
  // ID 0 renamed "b": the walk must stop at the "a" records, not run past them.
  t.SetRecNo(3);
  t.Edit();
  t.Name.SetAsString("b");
  t.Post();
  EXPECT_EQ(t.Order(), "7,8,0,7,-3");
}

TEST(DatArrFaults, AFailedWriteLeavesMemoryAsItWas) {
  platform::MemoryFileSystem memory;
  platform::FaultyFileSystem faulty(memory);
  ItemTable t(faulty);
  t.SetFileName("items.dat");
  t.OpenAndRegister();
  for (const char* n : {"c", "a", "b"}) t.Add(n);
  t.SetIndex(&t.ByName);
  const std::string before = t.Order();

  faulty.Reset();
  faulty.FailNthMutation(1);
  t.Append();
  t.Name.SetAsString("aa");
  EXPECT_THROW(t.Post(), Exception);
  EXPECT_EQ(t.State(), tsInsert);
  EXPECT_EQ(t.Order(), before);
  t.Post();  // the retry adds exactly one element
  EXPECT_EQ(t.Order(), "2,4,3,1");

  faulty.Reset();
  faulty.FailNthMutation(1);
  t.SetRecNo(0);
  t.Edit();
  t.Name.SetAsString("z");
  EXPECT_THROW(t.Post(), Exception);
  EXPECT_EQ(t.Order(), "2,4,3,1");
  EXPECT_EQ(t.TDatArr::CellText(0, 1), "a");  // the stored value; the edit shows "z"
  t.Cancel();

  faulty.Reset();
  faulty.FailNthMutation(2);
  t.SetRecNo(1);
  EXPECT_THROW(t.Delete(), Exception);
  EXPECT_EQ(t.Order(), "2,4,3,1");
  t.Close();
  t.OpenAndRegister(false);
  EXPECT_EQ(t.RecordCount(), 4);
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

// An integer field whose comparison fails after a number of calls, as a
// locale comparison can fail on a code page the system lacks.
class FailingCompareField : public TIntegerField {
 public:
  FailingCompareField() : TIntegerField(Info()) {}
  static const TFieldClass& Info() {
    static const TFieldClass info{"FailingCompareField", 1, 'I', &TIntegerField::ClassInfo(), nullptr};
    return info;
  }
  void AllowComparisons(int n) { allowed_ = n; }
  int Compare(const void* a, const void* b) const override {
    if (--allowed_ < 0) throw Exception("comparison failed");
    return TIntegerField::Compare(a, b);
  }

 private:
  mutable int allowed_ = 1 << 30;
};

TEST(DatArrSort, AComparisonThatFailsPartWayLosesNoRecord) {
  for (int allowed : {0, 5, 40, 150, 300}) {
    platform::MemoryFileSystem fs;
    TIntegerField id;
    id.SetIsKey(true);
    FailingCompareField value;
    TFields set({&id, &value});
    TTable t(fs);
    t.SetFileName("t.dat");
    t.SetFields(&set);
    t.Open(true);
    TIndex byValue(&set, "ByValue", &value);
    t.AddIndex(&byValue);
    for (int i = 0; i < 60; ++i) {
      t.Append();
      value.SetValue((i * 37) % 60);
      t.Post();
    }
    t.SetRecNo(10);
    value.AllowComparisons(allowed);
    EXPECT_THROW(t.SetIndex(&byValue), Exception) << allowed;
    EXPECT_EQ(t.GetIndex(), nullptr);
    EXPECT_EQ(t.IndexName(), "");
    EXPECT_EQ(id.Value(), 11) << "the current record stays current";
    std::set<int32_t> ids;
    for (int32_t row = 0; row < t.RecordCount(); ++row) {
      int32_t v;
      std::memcpy(&v, t.CellData(row, 0), 4);
      ids.insert(v);
    }
    EXPECT_EQ(ids.size(), 60u) << allowed;
    value.AllowComparisons(1 << 30);
    t.SetIndex(&byValue);
    for (int32_t row = 1; row < t.RecordCount(); ++row)
      EXPECT_LE(byValue.CompareRecords(t.CellData(row - 1, 0), t.CellData(row, 0)), 0);
    t.Close();
  }
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

using testing::ItemTable;

// Every failure point of emptying a table: afterwards memory shows exactly
// what the file holds.
TEST(DatArrFaults, EmptyTableLeavesMemoryAndFileInStep) {
  for (int n = 1;; ++n) {
    platform::MemoryFileSystem memory;
    platform::FaultyFileSystem faulty(memory);
    ItemTable t(faulty);
    t.SetFileName("items.dat");
    t.OpenAndRegister();
    for (const char* name : {"a", "b", "c"}) t.Add(name);
    faulty.Reset();
    faulty.FailNthMutation(n);
    bool failed = false;
    try {
      t.EmptyTable();
    } catch (const Exception&) {
      failed = true;
    }
    platform::MemoryFileSystem copy;
    copy.SetContents("items.dat", *memory.Contents("items.dat"));
    ItemTable reopened(copy);
    reopened.SetFileName("items.dat");
    reopened.OpenAndRegister(false);
    EXPECT_EQ(t.Order(), reopened.Order()) << "n=" << n;
    EXPECT_EQ(t.Eof(), t.RecordCount() == 0) << "n=" << n;
    faulty.Reset();
    t.Add("d");  // the table goes on either way
    EXPECT_EQ(t.RecordCount(), reopened.RecordCount() + 1) << "n=" << n;
    if (!failed) break;
  }
}

TEST(DatArrKeys, AKeyWrittenAtOrAboveTheCounterLiftsIt) {
  platform::MemoryFileSystem fs;
  ItemTable t(fs);
  t.SetFileName("items.dat");
  t.OpenAndRegister();
  t.Add("a");
  t.Add("b");
  t.SetRecNo(0);
  t.Edit();
  t.ID.SetValue(3);  // the counter's own value
  t.Post();
  t.Add("c");
  EXPECT_EQ(t.ID.Value(), 4);
  t.Append();
  t.ID.SetValue(10);
  t.Post();
  t.Add("e");
  EXPECT_EQ(t.ID.Value(), 11);
  t.Close();
  t.OpenAndRegister(false);
  EXPECT_EQ(t.ID.NextKeyValue(), 12);
}

TEST(DatArrKeys, DeletedRecordsKeepTheirKeysFromReuse) {
  platform::MemoryFileSystem fs;
  {
    ItemTable t(fs);
    t.SetFileName("items.dat");
    t.OpenAndRegister();
    for (const char* name : {"a", "b", "c"}) t.Add(name);
    t.SetRecNo(2);
    t.Delete();
  }
  // A counter that went back (a descriptor write cut short) lifts above the
  // deleted record's key: its movements must never pass to a new product.
  auto bytes = *fs.Contents("items.dat");
  const int32_t behind = 2;
  std::memcpy(bytes.data() + 32 + 32, &behind, 4);
  fs.SetContents("items.dat", bytes);
  ItemTable t(fs);
  t.SetFileName("items.dat");
  t.OpenAndRegister(false);
  EXPECT_EQ(t.ID.NextKeyValue(), 4);
}

}  // namespace
}  // namespace vk
