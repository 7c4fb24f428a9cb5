// The program stopped (killed) after any step of a restore, or the power cut
// then: the next start finds Data holding a whole pair.

#include <gtest/gtest.h>

#include <iostream>

#include "Source/StoreDataFoldersCopy.h"
#include "tests/Backup/BackupFixture.h"
#include "tests/Backup/ForwardingFileSystem.h"

namespace vk {
namespace {

using testing::BackupBench;
using testing::Describe;
using testing::ExpectWhole;
using testing::FixedClock;
using testing::Pair;
using testing::Story;
using testing::TellStory;

// Passes through to a base until `limit` changes were made; from then on
// every change fails and changes nothing, as after a stop. Reads go on.
class StoppingFileSystem : public testing::ForwardingFileSystem {
 public:
  StoppingFileSystem(platform::FileSystem& base, int limit) : ForwardingFileSystem(base), limit_(limit) {}

  int Changes() const { return changes_; }
  bool Stopped() const { return changes_ >= limit_; }

  platform::OpenResult Open(const std::string& path, platform::OpenMode mode) override {
    if (mode != platform::OpenMode::ReadExisting && !Change()) return {};
    platform::OpenResult result = ForwardingFileSystem::Open(path, mode);
    if (result.Handle) result.Handle = std::make_unique<StoppingFile>(std::move(result.Handle), *this);
    return result;
  }
  bool DeleteFile(const std::string& path) override { return Change() && ForwardingFileSystem::DeleteFile(path); }
  bool CreateFolder(const std::string& path) override { return Change() && ForwardingFileSystem::CreateFolder(path); }
  bool RemoveFolder(const std::string& path) override { return Change() && ForwardingFileSystem::RemoveFolder(path); }
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override {
    return Change() && ForwardingFileSystem::CopyFile(from, to, overwrite);
  }
  bool RenameFile(const std::string& from, const std::string& to) override {
    return Change() && ForwardingFileSystem::RenameFile(from, to);
  }

 private:
  class StoppingFile : public testing::ForwardingFile {
   public:
    StoppingFile(std::unique_ptr<platform::File> base, StoppingFileSystem& fs)
        : ForwardingFile(std::move(base)), fs_(fs) {}
    size_t WriteAt(int64_t offset, const void* buffer, size_t n) override {
      return fs_.Change() ? ForwardingFile::WriteAt(offset, buffer, n) : 0;
    }
    bool Truncate(int64_t size) override { return fs_.Change() && ForwardingFile::Truncate(size); }
    bool Flush() override { return fs_.Change() && ForwardingFile::Flush(); }
    std::string LastError() const override { return fs_.Stopped() ? "stopped" : ForwardingFile::LastError(); }

   private:
    StoppingFileSystem& fs_;
  };

  // Counts a change; false once the program has stopped.
  bool Change() {
    if (Stopped()) return false;
    ++changes_;
    return true;
  }

  int limit_;
  int changes_ = 0;
};

// The next start on a disk finds Data holding a whole pair, before or after
// the restore, that opens whole, and the state before the restore kept.
void ExpectNextStartFindsAWholePair(platform::MemoryFileSystem& disk, const Story& story, const Pair& before,
                                    const Pair& restored, const std::string& where) {
  SCOPED_TRACE(where);
  FixedClock clock;
  TStore next{disk, clock.Clock()};
  next.SetProgramFolder(BackupBench::kProgram);
  std::string missing;
  EXPECT_TRUE(next.CheckData(missing, "Data"));
  EXPECT_EQ(missing, "");
  const Pair data = BackupBench::PairIn(disk, BackupBench::kData);
  EXPECT_TRUE(data == before || data == restored) << "Data holds " << Describe(data, story);
  EXPECT_NO_THROW(next.Open(false, "Data"));
  EXPECT_TRUE(next.IsOpen());
  if (next.IsOpen()) ExpectWhole(next, where);
  for (const std::string& path : disk.FilePaths()) {
    EXPECT_EQ(path.find("/prog/Data/vorkel.jnl."), std::string::npos) << "a journal set aside: " << path;
  }
  // The state before the restore is never lost either.
  bool kept = false;
  for (const char* folder : {BackupBench::kData, BackupBench::kSafety, BackupBench::kTmp}) {
    kept = kept || BackupBench::PairIn(disk, folder) == before;
  }
  EXPECT_TRUE(kept);
}

// With power cuts: the story's last operation leaves its journal emptied in
// the cache only, as every operation does, and an earlier restore what it
// left unflushed; a power cut after the restore, at any step of it, may bring
// back whatever was not flushed.
TEST(StopBetweenSteps, NextStartFindsAWholePairInData) {
  struct Case {
    const char* name;
    const char* from;
    const char* earlier;  // a restore from there first, not cut
  } cases[] = {
      {"restore from a folder", "/prog/Save", nullptr},
      {"undo from the safety folder", BackupBench::kSafety, nullptr},
      {"restore after an earlier undo", "/prog/Save", BackupBench::kSafety},
      {"undo after an earlier restore", BackupBench::kSafety, "/prog/Save"},
  };
  using Cut = platform::PowerCutFileSystem::Cut;
  for (const Case& c : cases) {
    bool finished = false;
    int images = 0;
    for (int limit = 0; !finished && limit < 200; ++limit) {
      const std::string where = std::string(c.name) + ", stop after change " + std::to_string(limit);
      BackupBench bench;
      const Story story = TellStory(bench);
      if (c.earlier) {
        ASSERT_TRUE(bench.store.RestoreFrom(c.earlier)) << where;
      }
      const Pair before = bench.In(BackupBench::kData), restored = bench.In(c.from);
      ASSERT_NE(before, restored);
      bench.store.Close();
      StoppingFileSystem stopping(bench.power, limit);
      {
        TStore store{stopping, bench.clock.Clock()};
        store.SetProgramFolder(BackupBench::kProgram);
        try {
          store.Open(false, "Data");
          store.RestoreFrom(c.from);
        } catch (const Exception&) {
          // stopped: the next start is what counts
        }
        finished = !stopping.Stopped();
      }
      for (uint32_t k = 0; k < 6; ++k) {
        platform::MemoryFileSystem cut{platform::MemoryFileSystem::Folders::Strict};
        bench.power.CutInto(cut, k == 0 ? Cut::AllLost : k == 1 ? Cut::AllKept : Cut::Drawn, k);
        ExpectNextStartFindsAWholePair(cut, story, before, restored, where + ", power cut " + std::to_string(k));
        ++images;
      }
      ExpectNextStartFindsAWholePair(bench.memory, story, before, restored, where);
    }
    EXPECT_TRUE(finished) << c.name << " never ran to its end";
    std::cout << c.name << ": " << images << " power-cut images\n";
  }
}

// Copies out of Data, stopped after any step: the folder they go to holds its
// old pair or the new one once its next use has finished what was begun.
TEST(StopBetweenSteps, CopyFolderHoldsAWholePairOnItsNextUse) {
  constexpr const char* kDay = "/prog/Hist/2026-12-08";  // the bench clock's day
  struct Case {
    const char* name;
    const char* target;
    bool daily;  // else a save
  } cases[] = {
      {"save", "/prog/Save", false},
      {"daily copy", kDay, true},
  };
  for (const Case& c : cases) {
    bool finished = false;
    for (int limit = 0; !finished && limit < 200; ++limit) {
      SCOPED_TRACE(std::string(c.name) + ", stop after change " + std::to_string(limit));
      BackupBench bench;
      const Story story = TellStory(bench);
      bench.store.Close();
      const Pair before = bench.In(c.target);
      StoppingFileSystem stopping(bench.memory, limit);
      {
        TStore store{stopping, bench.clock.Clock()};
        store.SetProgramFolder(BackupBench::kProgram);
        try {
          if (c.daily) {
            store.Backup(store.DailyCopyName(), false);
          } else {
            store.Open(false, "Data");
            store.SaveTo(c.target);
          }
        } catch (const Exception&) {
          // stopped: the next start is what counts
        }
        finished = !stopping.Stopped();
      }
      if (bench.memory.FolderExists(c.target)) {
        EXPECT_TRUE(FinishInterruptedCopy(bench.memory, c.target, {"store.dat", "moves.dat"}));
      }
      const Pair after = bench.In(c.target);
      EXPECT_TRUE(after == before || after == story.Current) << "the copy holds " << Describe(after, story);
      EXPECT_EQ(bench.In(BackupBench::kData), story.Current);
      if (finished) {
        EXPECT_EQ(after, story.Current);
      }
    }
    EXPECT_TRUE(finished) << c.name << " never ran to its end";
  }
}

}  // namespace
}  // namespace vk
