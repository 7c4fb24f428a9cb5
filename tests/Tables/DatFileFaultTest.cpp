// Fails every write, truncate and flush of each change in turn (N = 1, 2, ...
// until the change succeeds) and checks that the file always reopens with
// either its old or its new contents, and that no key is handed out twice.
// A failing write may first write part of its bytes: 3 tears a record
// prefix, 33 a key descriptor just before its counter.
#include <gtest/gtest.h>

#include <set>

#include "Platform/fake/FaultyFileSystem.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "TableFixture.h"

namespace vk {
namespace {

using testing::TwoFieldLayout;

struct Row {
  bool live;
  int32_t id;
  std::string name;
  bool operator==(const Row&) const = default;
};

struct Snapshot {
  std::vector<Row> rows;
  int32_t nextKey = 0;
  bool operator==(const Snapshot&) const = default;
};

// Opens a copy of the bytes in a scratch file system: the file must reopen.
Snapshot Reopen(const std::vector<uint8_t>& bytes) {
  platform::MemoryFileSystem scratch;
  scratch.SetContents("t.dat", bytes);
  TwoFieldLayout layout;
  TDatFile file(scratch);
  file.SetFileName("t.dat");
  file.SetFields(&layout.set);
  file.OpenFile(false);
  Snapshot s;
  for (int32_t i = 0; i < file.Header().RecordCount; ++i) {
    file.SetRecordOffset(file.Header().DataOffset + i * file.Header().RecordLength);
    bool live = file.ReadRecord();
    s.rows.push_back({live, layout.id.Value(), layout.name.Value()});
  }
  s.nextKey = layout.id.NextKeyValue();
  return s;
}

enum class Change { Append, Rewrite, Delete, Empty };

class DatFileFaults : public ::testing::TestWithParam<std::tuple<Change, size_t>> {};

TEST_P(DatFileFaults, EveryFailurePointLeavesAWholeFile) {
  const auto [change, partial] = GetParam();
  for (int n = 1;; ++n) {
    platform::MemoryFileSystem memory;
    platform::FaultyFileSystem faulty(memory);
    TwoFieldLayout layout;
    TDatFile file(faulty);
    file.SetFileName("t.dat");
    file.SetFields(&layout.set);
    file.CreateFile(false);
    for (const char* name : {"a", "b", "c"}) {
      layout.Fill(name);
      file.AppendRecord();
    }
    const Snapshot before = Reopen(*memory.Contents("t.dat"));
    faulty.Reset();
    faulty.FailNthMutation(n, partial);
    bool failed = false;
    try {
      switch (change) {
        case Change::Append:
          layout.Fill("new");
          file.AppendRecord();
          break;
        case Change::Rewrite:
          file.SetRecordOffset(124);
          file.ReadRecord();
          layout.name.EnableEdit();
          layout.name.SetAsString("changed");
          file.RewriteRecord();
          break;
        case Change::Delete:
          file.SetRecordOffset(124);
          file.DeleteRecord();
          break;
        case Change::Empty: file.EmptyTable(); break;
      }
    } catch (const Exception&) {
      failed = true;
    }
    ASSERT_EQ(failed, faulty.InjectedCount() > 0) << "n=" << n;
    Snapshot after;
    ASSERT_NO_THROW(after = Reopen(*memory.Contents("t.dat"))) << "n=" << n;
    if (failed) {
      // Old contents; a key counter may have moved ahead, never back. Emptying
      // cannot be undone once the records are cut off: then the table is
      // whole and empty.
      if (change == Change::Empty && after.rows.empty()) {
        EXPECT_TRUE(after.nextKey == 1 || after.nextKey == before.nextKey) << "n=" << n;
      } else {
        EXPECT_EQ(after.rows, before.rows) << "n=" << n;
        EXPECT_GE(after.nextKey, before.nextKey) << "n=" << n;
      }
      // The table goes on: the next append takes a key nobody has.
      faulty.Reset();
      layout.Fill("retry");
      file.AppendRecord();
      Snapshot retried = Reopen(*memory.Contents("t.dat"));
      std::set<int32_t> keys;
      for (const Row& r : retried.rows) {
        if (change != Change::Empty) {
          EXPECT_TRUE(keys.insert(r.id).second) << "key " << r.id << " twice, n=" << n;
        }
        EXPECT_LT(r.id, retried.nextKey);
      }
      continue;
    }
    // Success: the new contents, and no further failure points exist.
    switch (change) {
      case Change::Append:
        EXPECT_EQ(after.rows.size(), 4u);
        EXPECT_EQ(after.rows.back().id, 4);
        break;
      case Change::Rewrite: EXPECT_EQ(after.rows[1].name, "changed"); break;
      case Change::Delete: EXPECT_FALSE(after.rows[1].live); break;
      case Change::Empty:
        EXPECT_TRUE(after.rows.empty());
        EXPECT_EQ(after.nextKey, 1);
        break;
    }
    EXPECT_GT(n, 1);
    break;
  }
}

INSTANTIATE_TEST_SUITE_P(AllChanges, DatFileFaults,
                         ::testing::Combine(::testing::Values(Change::Append, Change::Rewrite, Change::Delete,
                                                              Change::Empty),
                                            ::testing::Values(size_t{0}, size_t{3}, size_t{33})));

}  // namespace
}  // namespace vk
