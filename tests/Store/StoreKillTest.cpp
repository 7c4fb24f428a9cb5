// A real process doing random stock work on a real data folder, each
// operation asked of its validator first, is killed at random moments
// (SIGKILL natively, TerminateProcess under Wine), round after round on the
// same folder. After each kill a fresh start must find the stock whole, with
// every step that had returned and the step in progress either complete or
// not begun: both files must equal, byte for byte, those of a replay of the
// same steps in memory. The counts are printed and kept as test properties.
//
// VK_KILL_ROUNDS and VK_KILL_SECONDS (set by the build) bound the run.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "RandomWork.h"
#include "ShopFixture.h"
#include "tests/Platform/ChildProcess.h"
#include "tests/Platform/TempFolder.h"

namespace vk {
namespace {

using platform::test::TempFolder;
using platform::test::TestProgram;
using testing::DataOf;
using testing::ExpectWhole;
using testing::PutData;
using testing::RandomWork;
using testing::ShopFiles;
using Clock = std::chrono::steady_clock;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(platform::test::FromUtf8(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ShopFiles DataIn(const std::string& program) {
  return {ReadFile(program + "Data/store.dat"), ReadFile(program + "Data/moves.dat")};
}

// The last step the log says began and the last it says returned.
struct Steps {
  int Begun = 0, Ended = 0;
};

Steps ReadLog(const std::string& path) {
  std::ifstream in(platform::test::FromUtf8(path), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Steps steps;
  std::istringstream lines(text.substr(0, text.rfind('\n') + 1));  // a torn last line does not count
  char kind;
  int step;
  while (lines >> kind >> step) (kind == 'b' ? steps.Begun : steps.Ended) = step;
  return steps;
}

// The files after each step of the same work replayed from `before`.
struct Replay {
  ShopFiles Ended, Begun;
};

Replay ReplayWork(const ShopFiles& before, uint32_t seed, TDateTime start, const Steps& steps) {
  platform::MemoryFileSystem disk(platform::MemoryFileSystem::Folders::Strict);
  PutData(disk, before);
  TDateTime now = start;
  TStore store(disk, [&now] { return now; });
  store.SetProgramFolder(testing::kProgram);
  std::string missing;
  store.CheckData(missing, "Data");
  store.Open(false, "Data");
  RandomWork work(store, now, seed);
  Replay replay{before, before};
  for (int step = 1; step <= steps.Begun; ++step) {
    work.Step();
    if (step == steps.Ended) replay.Ended = DataOf(disk);
    if (step == steps.Begun) replay.Begun = DataOf(disk);
  }
  return replay;
}

TEST(StoreKill, KilledAtRandomMomentsTheStockStaysWholeAndKeepsEveryReturnedStep) {
  LoadRussianTexts();
  TempFolder temp;
  const std::string program = temp.Path("");
  const uint32_t timingSeed = 20261208;
  std::mt19937 rng(timingSeed);
  {
    TDateTime now = 46000;
    TStore store(platform::DefaultFileSystem(), [&now] { return now; });
    store.SetProgramFolder(program);
    store.Open(true, "Data");
    RandomWork work(store, now, 1);
    for (int step = 0; step < 200; ++step) work.Step();
  }
  struct {
    int rounds = 0, insideWrites = 0, rolledBack = 0, completed = 0, journals = 0, elsewhere = 0;
  } count;
  const auto deadline = Clock::now() + std::chrono::seconds(VK_KILL_SECONDS);
  for (int round = 1; round <= VK_KILL_ROUNDS && Clock::now() < deadline; ++round) {
    const std::string where = "round " + std::to_string(round) + " (timing seed " + std::to_string(timingSeed) + ")";
    const ShopFiles before = DataIn(program);
    const uint32_t seed = static_cast<uint32_t>(round);
    const TDateTime start = 47000 + round * 100;
    const int target = 1 + static_cast<int>(rng() % 12);
    const auto delay = std::chrono::microseconds(rng() % 4000);
    std::filesystem::remove(platform::test::FromUtf8(program + "steps.log"));  // the last round's
    std::unique_ptr<TestProgram> child =
        TestProgram::Start("StoreKillChild", {program, std::to_string(seed), std::to_string(start), "100000"});
    ASSERT_TRUE(child) << where;
    // Kill it a little after it began its target step.
    const auto giveUp = Clock::now() + std::chrono::seconds(60);
    while (ReadLog(program + "steps.log").Begun < target && Clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    std::this_thread::sleep_for(delay);
    child->Kill();
    ++count.rounds;

    const Steps steps = ReadLog(program + "steps.log");
    ASSERT_GE(steps.Begun, target) << where << ": the child did not get going";
    count.journals += !ReadFile(program + "Data/vorkel.jnl").empty();
    {
      TStore store(platform::DefaultFileSystem());
      store.SetProgramFolder(program);
      std::string missing;
      ASSERT_TRUE(store.CheckData(missing, "Data")) << where;
      ASSERT_NO_THROW(store.Open(false, "Data")) << where;
      ExpectWhole(store, where);
    }
    const ShopFiles after = DataIn(program);
    const Replay replay = ReplayWork(before, seed, start, steps);
    const bool inside = steps.Begun > steps.Ended && replay.Begun != replay.Ended;
    if (after == replay.Ended) {
      ++(inside ? count.rolledBack : count.elsewhere);
    } else if (inside && after == replay.Begun) {
      ++count.completed;
    } else {
      ADD_FAILURE() << where << ": killed after step " << steps.Ended << " of " << steps.Begun
                    << "; the data are neither the state after the returned steps nor after the next";
    }
    count.insideWrites += inside;
    if (::testing::Test::HasFailure()) break;
  }
  std::printf(
      "kill test: %d kills; %d inside an operation that writes: %d rolled back, %d complete; %d left a journal; "
      "%d elsewhere\n",
      count.rounds, count.insideWrites, count.rolledBack, count.completed, count.journals, count.elsewhere);
  ::testing::Test::RecordProperty("kills", count.rounds);
  ::testing::Test::RecordProperty("inside_operation", count.insideWrites);
  ::testing::Test::RecordProperty("rolled_back", count.rolledBack);
  ::testing::Test::RecordProperty("complete", count.completed);
  ::testing::Test::RecordProperty("journals_found", count.journals);
  EXPECT_GT(count.insideWrites, 0) << "no kill fell inside an operation";
}

}  // namespace
}  // namespace vk
