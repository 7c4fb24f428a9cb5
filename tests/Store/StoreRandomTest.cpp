// Thousands of random stock operations per seed, each asked of its validator
// first as the main window does: after every operation, and after every
// reopen from disk, the stock is consistent; a refused operation changes not
// one byte of either file.
#include <gtest/gtest.h>

#include "RandomWork.h"
#include "StoreFixture.h"

namespace vk {
namespace {

using testing::ExpectConsistent;
using testing::ExpectWhole;
using testing::FixedClock;
using testing::RandomWork;

TEST(StoreRandom, EveryOperationKeepsTheStockConsistent) {
  LoadRussianTexts();
  for (uint32_t seed : {1u, 7u, 2026u, 123456789u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    platform::MemoryFileSystem fs;
    FixedClock clock;
    TStore store(fs, clock.Clock());
    store.SetProgramFolder("/prog/");
    store.Open(true, "Data");
    RandomWork work(store, clock.now, seed);
    auto files = [&] {
      return std::make_pair(*fs.Contents("/prog/Data/store.dat"), *fs.Contents("/prog/Data/moves.dat"));
    };
    for (int step = 0; step < 2500; ++step) {
      const std::string where = "step " + std::to_string(step);
      const auto before = files();
      if (work.Step() == RandomWork::Did::Refused) {
        ASSERT_EQ(files(), before) << where << ": a refusal wrote";
      }
      // The full rules now and then: each look costs a walk over all records.
      if (step % 25 == 0)
        ExpectWhole(store, where);
      else
        ExpectConsistent(store, where);
      if (::testing::Test::HasFailure()) return;
    }
  }
  LoadEnglishTexts();
}

}  // namespace
}  // namespace vk
