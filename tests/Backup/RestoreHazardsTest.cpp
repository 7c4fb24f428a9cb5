// Restores under conditions a user meets: files that may only be read, a
// copy that fails at an awkward moment, files of another program.

#include <gtest/gtest.h>

#include "tests/Backup/BackupFixture.h"
#include "tests/Backup/ForwardingFileSystem.h"

namespace vk {
namespace {

using testing::BackupBench;
using testing::Describe;
using testing::Pair;
using testing::Story;
using testing::TellStory;
using Op = platform::FaultyFileSystem::Op;

// Files under a prefix open only for reading (a CD, a read-only share, files
// marked read-only); the system's whole-file copy still reads them.
class ReadOnlyUnder : public testing::ForwardingFileSystem {
 public:
  ReadOnlyUnder(platform::FileSystem& base, std::string prefix)
      : ForwardingFileSystem(base), prefix_(std::move(prefix)) {}
  platform::OpenResult Open(const std::string& path, platform::OpenMode mode) override {
    if (Under(path) && mode != platform::OpenMode::ReadExisting) return {};
    return ForwardingFileSystem::Open(path, mode);
  }
  bool DeleteFile(const std::string& path) override { return !Under(path) && ForwardingFileSystem::DeleteFile(path); }
  bool CreateFolder(const std::string& path) override {
    return !Under(path) && ForwardingFileSystem::CreateFolder(path);
  }
  bool RemoveFolder(const std::string& path) override {
    return !Under(path) && ForwardingFileSystem::RemoveFolder(path);
  }
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override {
    return !Under(to) && ForwardingFileSystem::CopyFile(from, to, overwrite);
  }
  bool RenameFile(const std::string& from, const std::string& to) override {
    return !Under(from) && !Under(to) && ForwardingFileSystem::RenameFile(from, to);
  }

 private:
  bool Under(const std::string& path) const { return path.rfind(prefix_, 0) == 0; }
  std::string prefix_;
};

TEST(RestoreHazards, RestoreFromReadOnlyFilesSucceeds) {
  BackupBench bench;
  const Story story = TellStory(bench);
  bench.store.Close();
  ReadOnlyUnder readOnly(bench.memory, "/prog/Save");
  testing::FixedClock clock;
  TStore store{readOnly, clock.Clock()};
  store.SetProgramFolder(BackupBench::kProgram);
  store.Open(false, "Data");
  EXPECT_TRUE(store.RestoreFrom("/prog/Save"));
  EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), "the saved pair");
  EXPECT_EQ(Describe(bench.In(BackupBench::kSafety), story), "the current pair");
  EXPECT_EQ(Describe(bench.In("/prog/Save"), story), "the saved pair");
  EXPECT_TRUE(store.IsOpen());
}

// Without both files in Data no safety copy can be whole, so the restore
// must not begin: a later undo would bring back half a pair.
TEST(RestoreHazards, RestoreIntoIncompleteDataTouchesNothing) {
  for (const char* lost : {"/prog/Data/store.dat", "/prog/Data/moves.dat"}) {
    SCOPED_TRACE(lost);
    BackupBench bench;
    TellStory(bench);
    bench.store.Close();
    ASSERT_TRUE(bench.memory.DeleteFile(lost));
    const std::vector<std::string> before = bench.Tree();
    const Pair data = bench.In(BackupBench::kData), safety = bench.In(BackupBench::kSafety);
    for (const char* from : {"/prog/Save", BackupBench::kSafety}) {
      SCOPED_TRACE(from);
      EXPECT_FALSE(bench.store.RestoreFrom(from));
      EXPECT_EQ(bench.Tree(), before);
      EXPECT_EQ(bench.In(BackupBench::kData), data);
      EXPECT_EQ(bench.In(BackupBench::kSafety), safety);
    }
  }
}

// Files of another program (here: each file under the other's name) must not
// enter Data, whichever copy and rename fail on the way: the restore answers
// false, Data keeps the current pair, and the store works on it again.
TEST(RestoreHazards, ForeignFilesNeverEnterDataWhateverStepsFail) {
  for (int copy = 0; copy <= 10; ++copy) {
    for (int rename = 0; rename <= 14; ++rename) {
      SCOPED_TRACE("copy " + std::to_string(copy) + ", rename " + std::to_string(rename));
      BackupBench bench;
      const Story story = TellStory(bench);
      bench.memory.CreateFolder("/prog/Foreign");
      bench.Put("/prog/Foreign", {story.Saved.Moves, story.Saved.Goods});
      bench.faulty.Reset();
      bench.faulty.FailNth(Op::Copy, copy);
      bench.faulty.FailNth(Op::Rename, rename);
      bool answer = true;
      EXPECT_NO_THROW(answer = bench.store.RestoreFrom("/prog/Foreign"));
      EXPECT_FALSE(answer);
      EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), "the current pair");
      EXPECT_TRUE(bench.store.IsOpen());
    }
  }
}

// Undoing a restore (restoring from the safety folder) swaps Data and the
// safety copy through tmp. Whatever copy and rename fail, the state from
// before the undo is never lost, not even when the user tries again; an
// answer of false means Data did not change, and a Data that changed and
// could not be put back is reported by an error.
TEST(RestoreHazards, FailedUndoNeverLosesTheStateBeforeIt) {
  for (int copy = 0; copy <= 9; ++copy) {
    for (int rename = 0; rename <= 12; ++rename) {
      SCOPED_TRACE("copy " + std::to_string(copy) + ", rename " + std::to_string(rename));
      BackupBench bench;
      const Story story = TellStory(bench);
      bench.faulty.Reset();
      bench.faulty.FailNth(Op::Copy, copy);
      bench.faulty.FailNth(Op::Rename, rename);
      bool answer = false, raised = false;
      try {
        answer = bench.store.RestoreFrom(BackupBench::kSafety);
      } catch (const Exception& e) {
        raised = true;
        EXPECT_NE(std::string(e.what()).find(ProgTexts.RestoreFailed), std::string::npos) << e.what();
      }
      const Pair data = bench.In(BackupBench::kData);
      auto kept = [&] {
        for (const char* folder : {BackupBench::kData, BackupBench::kSafety, BackupBench::kTmp}) {
          if (bench.In(folder) == story.Current) return true;
        }
        return false;
      };
      EXPECT_TRUE(kept()) << "the state before the undo is gone";
      if (answer) {
        EXPECT_EQ(Describe(data, story), "the safety pair");
        EXPECT_EQ(Describe(bench.In(BackupBench::kSafety), story), "the current pair");
      } else if (!raised) {
        EXPECT_EQ(Describe(data, story), "the current pair") << "answered false but Data changed";
      } else {
        EXPECT_TRUE(data == story.Safety || data == story.Current) << Describe(data, story);
      }
      EXPECT_TRUE(bench.store.IsOpen());
      // The user tries the undo again, now without faults.
      bench.faulty.Reset();
      if (!answer) {
        EXPECT_TRUE(bench.store.RestoreFrom(BackupBench::kSafety));
      }
      EXPECT_TRUE(kept()) << "the retry lost the state before the first undo";
      EXPECT_FALSE(bench.memory.FolderExists(BackupBench::kTmp));
    }
  }
}

// The opens, writes and flushes of the byte check, the table check and the
// replacement marker fail in turn: Data holds the current pair after a false
// answer and the restored one after a true answer, and stays so on the next
// use of the folder.
TEST(RestoreHazards, FailedOpenWriteFlushOrDeleteLeavesAWholePair) {
  struct Case {
    const char* name;
    Op op;
  } cases[] = {{"open", Op::Open}, {"write", Op::Write}, {"flush", Op::Flush}, {"delete", Op::Delete}};
  for (const Case& c : cases) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(c.name) + " " + std::to_string(n));
      BackupBench bench;
      const Story story = TellStory(bench);
      bench.faulty.Reset();
      bench.faulty.FailNth(c.op, n);
      bool answer = false, raised = false;
      try {
        answer = bench.store.RestoreFrom("/prog/Save");
      } catch (const Exception&) {
        raised = true;  // the reopen after the restore failed: Data is whole either way
      }
      if (bench.faulty.InjectedCount() == 0) break;
      const Pair data = bench.In(BackupBench::kData);
      const Pair expected = raised ? data : answer ? story.Saved : story.Current;
      EXPECT_TRUE(data == story.Saved || data == story.Current) << Describe(data, story);
      EXPECT_EQ(Describe(data, story), Describe(expected, story));
      bench.faulty.Reset();
      bench.store.Close();
      std::string missing;
      EXPECT_TRUE(bench.store.CheckData(missing, "Data"));
      EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), Describe(expected, story)) << "on the next use";
    }
  }
}

}  // namespace
}  // namespace vk
