// Random operations against a plain model of the table: after every step the
// table holds exactly the model's records, in the order of its index, with
// the current record loaded into the fields; after every reopen the file
// holds the same records.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "ItemTable.h"
#include "Platform/fake/MemoryFileSystem.h"

namespace vk {
namespace {

using testing::ItemTable;

struct Row {
  std::string name;
  int32_t grp;
  uint32_t price;
  bool operator==(const Row&) const = default;
};

class TableModel {
 public:
  explicit TableModel(uint32_t seed) : rng_(seed) {
    t_.SetFileName("items.dat");
    t_.OpenAndRegister();
  }

  void Step() {
    const int op = Pick(100);
    if (op < 30)
      AppendAndPost();
    else if (op < 34)
      AppendAndCancel();
    else if (op < 52)
      EditAndPost();
    else if (op < 56)
      EditAndCancel();
    else if (op < 66)
      Delete();
    else if (op < 75)
      ChooseIndex();
    else if (op < 84)
      FindKey();
    else if (op < 96)
      Move();
    else if (op < 99)
      Reopen();
    else if (Pick(4) == 0)
      Empty();
    Verify();
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  Row RandomRow() {
    static const char* names[] = {"", "a", "b", "ab", "ba", "abc", "zz", "longname"};
    return {names[Pick(8)], Pick(4), static_cast<uint32_t>(Pick(100000))};
  }

  void Put(const Row& r) {
    t_.Name.SetAsString(r.name);
    t_.Grp.SetValue(r.grp);
    t_.Price.SetValue(r.price);
  }

  Row Stored(int32_t row) const {
    int32_t grp;
    uint32_t price;
    std::memcpy(&grp, t_.CellData(row, 2), 4);
    std::memcpy(&price, t_.CellData(row, 3), 4);
    return {t_.CellText(row, 1), grp, price};
  }

  int32_t CurrentId() const { return rows_.empty() ? 0 : t_.ID.Value(); }

  void AppendAndPost() {
    Row r = RandomRow();
    t_.Append();
    ASSERT_EQ(t_.ID.Value(), nextId_);
    Put(r);
    t_.Post();
    rows_[nextId_] = r;
    ASSERT_EQ(t_.ID.Value(), nextId_);
    ASSERT_EQ(t_.IdAt(t_.RecNo()), nextId_);
    ++nextId_;
  }

  void AppendAndCancel() {
    const int32_t before = CurrentId();
    t_.Append();
    Put(RandomRow());
    t_.Cancel();
    ASSERT_EQ(CurrentId(), before);
  }

  void EditAndPost() {
    if (rows_.empty()) return;
    const int32_t id = t_.ID.Value();
    Row r = RandomRow();
    t_.Edit();
    Put(r);
    t_.Post();
    rows_[id] = r;
    ASSERT_EQ(t_.ID.Value(), id);
    ASSERT_EQ(t_.IdAt(t_.RecNo()), id);
  }

  void EditAndCancel() {
    if (rows_.empty()) return;
    const int32_t id = t_.ID.Value();
    t_.Edit();
    Put(RandomRow());
    t_.Cancel();
    ASSERT_EQ(t_.ID.Value(), id);
  }

  void Delete() {
    if (rows_.empty()) return;
    const int32_t recNo = t_.RecNo(), count = t_.RecordCount();
    rows_.erase(t_.ID.Value());
    t_.Delete();
    if (count == 1) {
      ASSERT_TRUE(t_.Eof());
    } else if (recNo == count - 1) {
      ASSERT_EQ(t_.RecNo(), count - 2);
      ASSERT_TRUE(t_.Eof());
    } else {
      ASSERT_EQ(t_.RecNo(), recNo);
    }
  }

  void ChooseIndex() {
    TIndex* choices[] = {nullptr, &t_.ByID, &t_.ByName, &t_.ByGroup};
    TIndex* index = choices[Pick(4)];
    const int32_t before = CurrentId();
    if (index && Pick(2))
      t_.SetIndexName(index->Name());
    else
      t_.SetIndex(index);
    ASSERT_EQ(t_.GetIndex(), index);
    ASSERT_EQ(CurrentId(), before);
  }

  void FindKey() {
    TIndex* index = t_.GetIndex();
    if (!index || rows_.empty()) return;
    auto target = rows_.begin();
    std::advance(target, Pick(static_cast<int>(rows_.size())));
    if (index == &t_.ByID) {
      t_.FindKey(std::to_string(target->first));
      ASSERT_EQ(t_.ID.Value(), target->first);
      return;
    }
    if (index == &t_.ByName)
      t_.FindKey(target->second.name);
    else
      t_.FindKey(std::vector<Variant>{Variant::Integer(target->second.grp), Variant::String(target->second.name)});
    // The first record whose key is not below the sought one.
    const int32_t at = t_.RecNo();
    ASSERT_EQ(index->CompareKey(t_.CellData(at, 0)), 0);
    if (at > 0) {
      ASSERT_GT(index->CompareKey(t_.CellData(at - 1, 0)), 0);
    }
  }

  void Move() {
    const int32_t count = t_.RecordCount();
    switch (Pick(4)) {
      case 0:
        t_.First();
        if (count) {
          ASSERT_EQ(t_.RecNo(), 0);
        }
        break;
      case 1: {
        const int32_t before = t_.RecNo();
        t_.Next();
        if (count) {
          ASSERT_EQ(t_.RecNo(), before + 1 < count ? before + 1 : before);
        }
        break;
      }
      case 2: {
        const int32_t before = t_.RecNo();
        t_.Prior();
        if (count) {
          ASSERT_EQ(t_.RecNo(), before > 0 ? before - 1 : 0);
        }
        break;
      }
      default:
        if (count) {
          const int32_t n = Pick(count);
          t_.SetRecNo(n);
          ASSERT_EQ(t_.RecNo(), n);
        }
    }
  }

  void Reopen() {
    t_.Close();
    t_.OpenAndRegister(false);
    ASSERT_EQ(t_.ID.NextKeyValue(), nextId_);
    ASSERT_EQ(t_.GetIndex(), nullptr);
    // File order is the order of appending: ascending IDs.
    for (int32_t i = 1; i < t_.RecordCount(); ++i) ASSERT_LT(t_.IdAt(i - 1), t_.IdAt(i));
  }

  void Empty() {
    t_.EmptyTable();
    rows_.clear();
    nextId_ = 1;
  }

  void Verify() {
    ASSERT_EQ(t_.State(), tsBrowse);
    ASSERT_EQ(t_.RecordCount(), static_cast<int32_t>(rows_.size()));
    std::map<int32_t, Row> seen;
    for (int32_t i = 0; i < t_.RecordCount(); ++i) {
      const int32_t id = t_.IdAt(i);
      ASSERT_TRUE(seen.emplace(id, Stored(i)).second) << "ID " << id << " twice";
    }
    ASSERT_EQ(seen, rows_);
    if (TIndex* index = t_.GetIndex()) {
      for (int32_t i = 1; i < t_.RecordCount(); ++i)
        ASSERT_LE(index->CompareRecords(t_.CellData(i - 1, 0), t_.CellData(i, 0)), 0) << "row " << i;
    }
    if (!rows_.empty()) {
      const int32_t at = t_.RecNo();
      ASSERT_TRUE(at >= 0 && at < t_.RecordCount());
      ASSERT_EQ(t_.ID.Value(), t_.IdAt(at));
      ASSERT_EQ((Row{t_.Name.Value(), t_.Grp.Value(), t_.Price.Value()}), rows_.at(t_.ID.Value()));
    }
  }

  std::mt19937 rng_;
  platform::MemoryFileSystem fs_;
  ItemTable t_{fs_};
  std::map<int32_t, Row> rows_;
  int32_t nextId_ = 1;
};

TEST(TableModel, RandomOperationsAgreeWithTheModel) {
  for (uint32_t seed : {1u, 2u, 3u, 20261208u, 987654321u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TableModel model(seed);
    for (int step = 0; step < 4000; ++step) {
      SCOPED_TRACE("step " + std::to_string(step));
      model.Step();
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace vk
