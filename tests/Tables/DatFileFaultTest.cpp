// Each change of a table file of 300 records (append, rewrite, delete,
// empty), with the disk failing at each of its writes, truncates and
// flushes in turn, or the program stopping at each change of the disk in
// turn (N = 1, 2, ... until the change gets through). The file must then
// hold its old or its new bytes exactly, and after a failure the file object
// must go on as if the change had never been asked for. A failing write may
// first write part of its bytes: 3 tears a record prefix, 33 a descriptor.
#include <gtest/gtest.h>

#include <set>

#include "Platform/fake/FaultyFileSystem.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "TableFixture.h"

namespace vk {
namespace {

using testing::TwoFieldLayout;
using Bytes = std::vector<uint8_t>;

constexpr int32_t kRecords = 300;
constexpr int32_t kTarget = 104 + 151 * 20;  // a live record in the middle

// t.dat of a disk, as a table file with the two-field layout.
struct Table {
  TwoFieldLayout layout;
  TDatFile file;
  explicit Table(platform::FileSystem& fs) : file(fs) {
    file.SetFileName("t.dat");
    file.SetFields(&layout.set);
  }
};

enum class Change { Append, Rewrite, Delete, Empty };

const char* NameOf(Change c) {
  static const char* names[] = {"Append", "Rewrite", "Delete", "Empty"};
  return names[static_cast<int>(c)];
}

// A table of kRecords records, every seventh deleted.
Bytes MakeTable() {
  platform::MemoryFileSystem disk;
  Table t(disk);
  t.file.CreateFile(false);
  for (int32_t i = 0; i < kRecords; ++i) {
    t.layout.Fill("r" + std::to_string(i));
    t.file.AppendRecord();
  }
  for (int32_t i = 3; i < kRecords; i += 7) {
    t.file.SetRecordOffset(104 + i * 20);
    t.file.DeleteRecord();
  }
  t.file.CloseFile();
  return *disk.Contents("t.dat");
}

const Bytes& OldTable() {
  static const Bytes table = MakeTable();
  return table;
}

void Make(Table& t, Change change) {
  TDatFile& file = t.file;
  TwoFieldLayout& layout = t.layout;
  switch (change) {
    case Change::Append:
      layout.Fill("new");
      file.AppendRecord();
      break;
    case Change::Rewrite:
      file.SetRecordOffset(kTarget);
      file.ReadRecord();
      layout.name.EnableEdit();
      layout.name.SetAsString("changed");
      file.RewriteRecord();
      break;
    case Change::Delete:
      file.SetRecordOffset(kTarget);
      file.DeleteRecord();
      break;
    case Change::Empty: file.EmptyTable(); break;
  }
}

// The bytes after the change made on a sound disk.
Bytes After(Change change) {
  platform::MemoryFileSystem disk;
  disk.SetContents("t.dat", OldTable());
  Table t(disk);
  t.file.OpenFile(false);
  Make(t, change);
  t.file.CloseFile();
  return *disk.Contents("t.dat");
}

std::string Describe(const Bytes& found, const Bytes& before, const Bytes& after) {
  if (found == before) return "before";
  if (found == after) return "after";
  return "neither (" + std::to_string(found.size()) + " bytes)";
}

class DatFileFaults : public ::testing::TestWithParam<std::tuple<Change, size_t>> {};

TEST_P(DatFileFaults, AFailedChangeLeavesTheOldBytesAndGoesOnAsBefore) {
  const auto [change, partial] = GetParam();
  const Bytes before = OldTable(), after = After(change);
  for (int n = 1;; ++n) {
    const std::string where = std::string(NameOf(change)) + " failing at write " + std::to_string(n);
    platform::MemoryFileSystem disk;
    disk.SetContents("t.dat", before);
    platform::FaultyFileSystem faulty(disk);
    Table t(faulty);
    t.file.OpenFile(false);
    faulty.Reset();
    faulty.FailNthMutation(n, partial);
    bool failed = false;
    try {
      Make(t, change);
    } catch (const Exception&) {
      failed = true;
    }
    const bool injected = faulty.InjectedCount() > 0;
    ASSERT_TRUE(injected || !failed) << where;
    EXPECT_EQ(Describe(*disk.Contents("t.dat"), before, after), failed ? "before" : "after") << where;
    // The header and key counters in memory agree with the file: the next
    // append writes what it writes on a fresh open of the same bytes.
    faulty.Reset();
    platform::MemoryFileSystem fresh;
    fresh.SetContents("t.dat", failed ? before : after);
    Table freshTable(fresh);
    freshTable.file.OpenFile(false);
    for (Table* table : {&t, &freshTable}) {
      table->layout.Fill("next");
      table->file.AppendRecord();
      table->file.CloseFile();
    }
    EXPECT_EQ(*disk.Contents("t.dat"), *fresh.Contents("t.dat")) << where;
    if (!injected) break;
    ASSERT_LT(n, 100) << "no end to the failure points";
  }
}

INSTANTIATE_TEST_SUITE_P(AllChanges, DatFileFaults,
                         ::testing::Combine(::testing::Values(Change::Append, Change::Rewrite, Change::Delete,
                                                              Change::Empty),
                                            ::testing::Values(size_t{0}, size_t{3}, size_t{33})));

// The program stops at change n; the next open settles the file. That open
// may be stopped too, at each change m of its roll-back; the one after it
// settles all the same.
class DatFileStops : public ::testing::TestWithParam<std::tuple<Change, size_t>> {};

bool OpenStoppingAt(platform::MemoryFileSystem& disk, int m) {
  platform::FaultyFileSystem faulty(disk);
  faulty.StopAtNthChange(m);
  Table t(faulty);
  try {
    t.file.OpenFile(false);
  } catch (const Exception&) {
  }
  return faulty.InjectedCount() > 0;
}

std::string SettledState(platform::MemoryFileSystem& disk, const Bytes& before, const Bytes& after) {
  Table t(disk);
  t.file.OpenFile(false);
  t.file.CloseFile();
  EXPECT_TRUE(disk.Contents("t.dat.jnl").value_or(Bytes{}).empty()) << "nothing left to roll back";
  return Describe(*disk.Contents("t.dat"), before, after);
}

TEST_P(DatFileStops, EveryStopLeavesTheOldOrTheNewBytes) {
  const auto [change, partial] = GetParam();
  const Bytes before = OldTable(), after = After(change);
  std::set<std::string> seen;
  for (int n = 1;; ++n) {
    const std::string where = std::string(NameOf(change)) + " stopped at change " + std::to_string(n);
    platform::MemoryFileSystem disk;
    disk.SetContents("t.dat", before);
    bool stopped = false;
    {
      platform::FaultyFileSystem faulty(disk);
      Table t(faulty);
      t.file.OpenFile(false);
      faulty.Reset();
      faulty.StopAtNthChange(n, partial);
      try {
        Make(t, change);
      } catch (const Exception&) {
      }
      stopped = faulty.InjectedCount() > 0;
    }
    for (int m = 1; stopped; ++m) {
      platform::MemoryFileSystem again;
      for (const std::string& path : disk.FilePaths()) again.SetContents(path, *disk.Contents(path));
      const bool stoppedAgain = OpenStoppingAt(again, m);
      const std::string state = SettledState(again, before, after);
      EXPECT_TRUE(state == "before" || state == "after") << where << ", next open stopped at " << m << ": " << state;
      if (!stoppedAgain) break;
      ASSERT_LT(m, 100) << "no end to the stop points";
    }
    const std::string state = SettledState(disk, before, after);
    EXPECT_TRUE(state == "before" || state == "after") << where << ": " << state;
    seen.insert(state);
    if (!stopped) break;
    ASSERT_LT(n, 100) << "no end to the stop points";
  }
  EXPECT_EQ(seen, (std::set<std::string>{"before", "after"})) << "stops on both sides of the commit";
}

INSTANTIATE_TEST_SUITE_P(AllChanges, DatFileStops,
                         ::testing::Combine(::testing::Values(Change::Append, Change::Rewrite, Change::Delete,
                                                              Change::Empty),
                                            ::testing::Values(size_t{0}, size_t{3})));

}  // namespace
}  // namespace vk
