// A stock operation cut short in Data leaves its journal there. Whatever
// looks at the folder first (the start-up's check, daily copy and open, a
// save, a restore) rolls it back before the files are used, copied or
// replaced; no journal ever goes into a copy or comes into Data with one.

#include <gtest/gtest.h>

#include <functional>

#include "tests/Backup/BackupFixture.h"

namespace vk {
namespace {

using testing::BackupBench;
using testing::ExpectWhole;
using testing::Pair;

constexpr const char* kJournal = "/prog/Data/vorkel.jnl";
constexpr const char* kDay = "/prog/Hist/2026-12-08";  // the bench clock's day

bool HasJournal(const BackupBench& bench, const std::string& folder) {
  return !bench.memory.Contents(folder + "/vorkel.jnl").value_or(std::vector<uint8_t>{}).empty();
}

// Data with three products and a save of it in /prog/Save, then a delivery
// that the program was stopped in after its journal and part of its file
// writes. Returns the pair from before the delivery.
Pair StopInsideADelivery(BackupBench& bench) {
  bench.store.Open(true, "Data");
  for (const char* code : {"A", "B", "C"}) bench.AddProduct(code);
  bench.memory.CreateFolder("/prog/Save");
  EXPECT_TRUE(bench.store.SaveTo("/prog/Save"));
  bench.store.Close();
  const Pair before = bench.In(BackupBench::kData);
  for (int n = 1; n < 50; ++n) {
    bench.Put(BackupBench::kData, before);
    platform::FaultyFileSystem faulty(bench.memory);
    TStore store(faulty, bench.clock.Clock());
    store.SetProgramFolder(BackupBench::kProgram);
    store.Open(false, "Data");
    faulty.StopAtNthChange(n);
    try {
      store.AddIncoming("7.00", "2", "прервано");
    } catch (const Exception&) {
    }
    if (HasJournal(bench, BackupBench::kData) && bench.In(BackupBench::kData) != before) return before;
  }
  ADD_FAILURE() << "no stop left a journal and torn files";
  return before;
}

TEST(JournalRecovery, EveryLookAtDataRollsBackFirst) {
  struct Case {
    const char* name;
    std::function<void(BackupBench&)> look;
    const char* copy;  // the folder that must hold the rolled-back pair, if any
  };
  const Case cases[] = {
      {"CheckData",
       [](BackupBench& b) {
         std::string missing;
         EXPECT_TRUE(b.store.CheckData(missing, "Data"));
       },
       nullptr},
      {"daily copy", [](BackupBench& b) { EXPECT_TRUE(b.store.Backup(b.store.DailyCopyName(), false)); }, kDay},
      {"Open", [](BackupBench& b) { b.store.Open(false, "Data"); }, nullptr},
      {"restore",
       [](BackupBench& b) {
         b.store.Open(false, "Data");
         EXPECT_TRUE(b.store.RestoreFrom("/prog/Save"));
       },
       BackupBench::kSafety},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BackupBench bench;
    const Pair before = StopInsideADelivery(bench);
    const Pair saved = bench.In("/prog/Save");
    c.look(bench);
    EXPECT_FALSE(HasJournal(bench, BackupBench::kData));
    if (c.copy) {
      EXPECT_EQ(bench.In(c.copy), before) << "the copy is of the rolled-back files";
      EXPECT_FALSE(bench.memory.FileExists(std::string(c.copy) + "/vorkel.jnl"));
    }
    EXPECT_EQ(bench.In(BackupBench::kData), std::string(c.name) == "restore" ? saved : before);
    bench.store.Open(false, "Data");
    ExpectWhole(bench.store, c.name);
  }
}

// A failed write whose roll-back failed too leaves the journal as the only
// way back while the store stays open: no new operation may overwrite it,
// and a save settles it before copying.
TEST(JournalRecovery, AFailedRollBackBlocksOperationsUntilASaveSettlesIt) {
  BackupBench bench;
  bench.store.Open(true, "Data");
  for (const char* code : {"A", "B", "C"}) bench.AddProduct(code);
  const Pair before = bench.In(BackupBench::kData);
  bench.faulty.Reset();
  bench.faulty.FailNth(platform::FaultyFileSystem::Op::Write, 3);     // a table write fails,
  bench.faulty.FailNth(platform::FaultyFileSystem::Op::Truncate, 2);  // and so does putting it back
  EXPECT_THROW(bench.store.AddIncoming("7.00", "2", "сбой"), Exception);
  ASSERT_TRUE(HasJournal(bench, BackupBench::kData));
  ASSERT_NE(bench.In(BackupBench::kData), before);
  bench.faulty.Reset();
  EXPECT_THROW(bench.store.AddIncoming("1.00", "1", "ещё"), Exception);
  EXPECT_TRUE(HasJournal(bench, BackupBench::kData)) << "the journal must outlive a refused operation";

  bench.memory.CreateFolder("/prog/Save");
  ASSERT_TRUE(bench.store.SaveTo("/prog/Save"));
  EXPECT_EQ(bench.In("/prog/Save"), before);
  EXPECT_EQ(bench.In(BackupBench::kData), before);
  EXPECT_FALSE(HasJournal(bench, BackupBench::kData));
  bench.store.AddIncoming("1.00", "1", "ещё");
  ExpectWhole(bench.store, "after the save");
}

// A journal beside files that are not its own (a pair put into Data by hand
// after a stop left the journal whole) is never rolled into them: it is set
// aside under a dated name, and the files open as they are.
TEST(JournalRecovery, AJournalBesideFilesNotItsOwnIsSetAside) {
  struct Case {
    const char* name;
    std::vector<const char*> products;  // the pair put in: a store with these products
  } cases[] = {
      {"an earlier copy of this shop", {"A", "B"}},
      {"another shop's pair of the same size", {"Х-1", "Х-2", "Х-3"}},
      {"another shop's larger pair", {"Х-1", "Х-2", "Х-3", "Х-4", "Х-5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BackupBench other;
    other.store.Open(true, "Data");
    for (const char* code : c.products) other.AddProduct(code);
    other.store.Close();
    const Pair put = other.In(BackupBench::kData);
    BackupBench bench;
    StopInsideADelivery(bench);
    const std::vector<uint8_t> journal = *bench.memory.Contents(kJournal);
    bench.Put(BackupBench::kData, put);
    std::string missing;
    EXPECT_TRUE(bench.store.CheckData(missing, "Data"));
    EXPECT_TRUE(bench.store.Backup(bench.store.DailyCopyName(), false));
    EXPECT_NO_THROW(bench.store.Open(false, "Data"));
    EXPECT_EQ(bench.In(BackupBench::kData), put) << "the files as they were put in";
    EXPECT_EQ(bench.In(kDay), put);
    EXPECT_FALSE(bench.memory.FileExists(kJournal));
    EXPECT_EQ(bench.memory.Contents("/prog/Data/vorkel.jnl.2026-12-08_10-30-00"), journal);
    if (bench.store.IsOpen()) ExpectWhole(bench.store, c.name);
  }
}

TEST(JournalRecovery, ARestoreNeverBringsAJournalIn) {
  BackupBench bench;
  StopInsideADelivery(bench);
  // A folder saved from a Data that a stop had left a journal in.
  const std::vector<uint8_t> journal = *bench.memory.Contents(kJournal);
  bench.memory.SetContents("/prog/Save/vorkel.jnl", journal);
  const Pair saved = bench.In("/prog/Save");
  bench.store.Open(false, "Data");
  ASSERT_TRUE(bench.store.RestoreFrom("/prog/Save"));
  EXPECT_EQ(bench.In(BackupBench::kData), saved);
  EXPECT_FALSE(HasJournal(bench, BackupBench::kData));
  bench.store.Close();
  bench.store.Open(false, "Data");
  EXPECT_EQ(bench.In(BackupBench::kData), saved) << "nothing rolled back into the restored files";
  ExpectWhole(bench.store, "restored");
}

}  // namespace
}  // namespace vk
