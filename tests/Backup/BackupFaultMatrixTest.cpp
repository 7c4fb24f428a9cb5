// The fault matrix: every whole-file copy, rename, delete, folder creation and
// folder removal of the daily copy, a save and a restore fails in turn
// (n = 1, 2, ... until a run reaches no n-th operation), and each time:
// - Data holds the whole old pair, or the whole new pair after a success;
// - the state before a restore survives whole in Data or the safety folder,
//   and the safety state it replaces survives too until the restore is done;
// - the operation answers false, unless the failure only hit the clearing
//   of a temporary file or folder, and then everything new is in place.

#include <gtest/gtest.h>

#include <iostream>
#include <map>

#include "tests/Backup/BackupFixture.h"

namespace vk {
namespace {

using testing::BackupBench;
using testing::Describe;
using testing::ExpectConsistent;
using testing::Pair;
using testing::Story;
using testing::TellStory;
using Op = platform::FaultyFileSystem::Op;

enum class Action { DailyCopy, DailyCopyTakenAgain, Save, Restore, RestoreFromSafety };

const char* NameOf(Action action) {
  switch (action) {
    case Action::DailyCopy: return "daily copy";
    case Action::DailyCopyTakenAgain: return "daily copy taken again";
    case Action::Save: return "save";
    case Action::Restore: return "restore";
    case Action::RestoreFromSafety: return "restore from the safety folder";
  }
  return "?";
}

const char* NameOf(Op op) {
  switch (op) {
    case Op::Copy: return "copy";
    case Op::Rename: return "rename";
    case Op::Delete: return "delete";
    case Op::CreateFolder: return "create folder";
    case Op::RemoveFolder: return "remove folder";
    default: return "?";
  }
}

constexpr const char* kDay = "/prog/Hist/2026-12-08";  // the bench clock's day

// The scene before the action: the story, and for the daily copies the
// store closed (as at start-up) and the day's folder as an earlier start
// left it.
void SetScene(BackupBench& bench, Action action, const Story& story) {
  if (action != Action::DailyCopy && action != Action::DailyCopyTakenAgain) return;
  bench.store.Close();
  if (action == Action::DailyCopyTakenAgain) {
    bench.memory.CreateFolder(kDay);
    bench.Put(kDay, {story.Saved.Goods, std::nullopt});
  }
}

bool Act(BackupBench& bench, Action action) {
  switch (action) {
    case Action::DailyCopy:
    case Action::DailyCopyTakenAgain: return bench.store.Backup(bench.store.DailyCopyName(), false);
    case Action::Save: return bench.store.SaveTo("/prog/Save");
    case Action::Restore: return bench.store.RestoreFrom("/prog/Save");
    case Action::RestoreFromSafety: return bench.store.RestoreFrom(BackupBench::kSafety);
  }
  return false;
}

// Whether the whole pair lies in one of the folders.
bool Kept(const BackupBench& bench, const Pair& pair, std::initializer_list<const char*> folders) {
  for (const char* folder : folders) {
    if (bench.In(folder) == pair) return true;
  }
  return false;
}

// The states one run must leave, by its answer.
void CheckRun(BackupBench& bench, Action action, const Story& story, bool answer) {
  const Pair data = bench.In(BackupBench::kData), safety = bench.In(BackupBench::kSafety);
  SCOPED_TRACE(::testing::Message() << "answer " << answer << ", Data holds " << Describe(data, story)
                                    << ", the safety folder " << Describe(safety, story));
  switch (action) {
    case Action::DailyCopy:
    case Action::DailyCopyTakenAgain: {
      const Pair before = action == Action::DailyCopy ? Pair{} : Pair{story.Saved.Goods, std::nullopt};
      EXPECT_EQ(data, story.Current);
      EXPECT_EQ(bench.In(kDay), answer ? story.Current : before);
      break;
    }
    case Action::Save:
      EXPECT_EQ(data, story.Current);
      EXPECT_EQ(bench.In("/prog/Save"), answer ? story.Current : story.Saved);
      break;
    case Action::Restore:
      EXPECT_EQ(data, answer ? story.Saved : story.Current);
      EXPECT_TRUE(answer ? safety == story.Current : safety == story.Safety || safety == story.Current);
      EXPECT_EQ(bench.In("/prog/Save"), story.Saved);
      break;
    case Action::RestoreFromSafety:
      EXPECT_EQ(data, answer ? story.Safety : story.Current);
      EXPECT_EQ(safety, answer ? story.Current : story.Safety);
      EXPECT_TRUE(Kept(bench, story.Current, {BackupBench::kData, BackupBench::kSafety, BackupBench::kTmp}));
      EXPECT_TRUE(Kept(bench, story.Safety, {BackupBench::kData, BackupBench::kSafety, BackupBench::kTmp}));
      break;
  }
  if (action == Action::Save || action == Action::Restore || action == Action::RestoreFromSafety) {
    EXPECT_TRUE(bench.store.IsOpen());
    ExpectConsistent(bench.store, "after the run");
  }
}

TEST(BackupFaultMatrix, EveryFailingStepKeepsWholePairsAndAnswersFalse) {
  const Action actions[] = {Action::DailyCopy, Action::DailyCopyTakenAgain, Action::Save, Action::Restore,
                            Action::RestoreFromSafety};
  const Op ops[] = {Op::Copy, Op::Rename, Op::Delete, Op::CreateFolder, Op::RemoveFolder};
  int faultedRuns = 0;
  for (Action action : actions) {
    std::map<Op, int> injected;
    for (Op op : ops) {
      for (int n = 1;; ++n) {
        SCOPED_TRACE(::testing::Message() << NameOf(action) << ": " << NameOf(op) << " number " << n << " fails");
        BackupBench bench;
        const Story story = TellStory(bench);
        SetScene(bench, action, story);
        bench.faulty.Reset();
        bench.faulty.FailNth(op, n);
        const bool answer = Act(bench, action);
        CheckRun(bench, action, story, answer);
        if (bench.faulty.InjectedCount() == 0) {
          EXPECT_TRUE(answer) << "the run without a fault";
          break;
        }
        ++injected[op];
        ++faultedRuns;
        if (answer) {
          EXPECT_TRUE(op == Op::Delete || op == Op::RemoveFolder) << "a failure that counts answered true";
        }
        ASSERT_LT(n, 100) << "the operation does not end";
      }
    }
    EXPECT_GT(injected[Op::Copy], 0) << NameOf(action);
    EXPECT_GT(injected[Op::Rename], 0) << NameOf(action);
    if (action != Action::Save) {  // a save goes to a folder that exists
      EXPECT_GT(injected[Op::CreateFolder], 0) << NameOf(action);
    }
    std::cout << NameOf(action) << ": failed copies " << injected[Op::Copy] << ", renames " << injected[Op::Rename]
              << ", deletes " << injected[Op::Delete] << ", folder creations " << injected[Op::CreateFolder]
              << ", folder removals " << injected[Op::RemoveFolder] << "\n";
  }
  std::cout << "faulted runs: " << faultedRuns << "\n";
}

// Two failures in a row: the restore's own steps and then the way back.
// Data must still never hold a mix.
TEST(BackupFaultMatrix, SecondFailureOnTheWayBackStillLeavesNoMix) {
  int runs = 0;
  for (Op first : {Op::Copy, Op::Rename}) {
    for (int n = 1; n < 12; ++n) {
      for (Op second : {Op::Copy, Op::Rename, Op::Delete}) {
        SCOPED_TRACE(::testing::Message() << NameOf(first) << " " << n << " then " << NameOf(second));
        BackupBench bench;
        const Story story = TellStory(bench);
        bench.faulty.Reset();
        bench.faulty.FailNth(first, n);
        if (second != first) bench.faulty.FailNth(second, bench.faulty.Count(second) + 3);
        const bool answer = bench.store.RestoreFrom("/prog/Save");
        if (bench.faulty.InjectedCount() == 0) continue;
        ++runs;
        const Pair data = bench.In(BackupBench::kData);
        EXPECT_TRUE(data == story.Current || data == story.Saved) << Describe(data, story);
        EXPECT_TRUE(Kept(bench, story.Current, {BackupBench::kData, BackupBench::kSafety}));
        if (answer) {
          EXPECT_EQ(data, story.Saved);
        }
      }
    }
  }
  EXPECT_GT(runs, 0);
}

}  // namespace
}  // namespace vk
