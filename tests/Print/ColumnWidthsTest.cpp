// Column widths from weights: whole rounds, then a part round from the first
// column, and a sum that is always the table width.

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "Core/SysUtils.h"
#include "Source/PrintLayout.h"
#include "tests/Print/PrintReportFixture.h"

namespace vk {
namespace {

using test::kListWeights;

TEST(ColumnWidths, PartRoundWidensTheFirstColumnsAndTheOvershootIsGivenBack) {
  struct Case {
    std::vector<int> weights;
    int available;
    std::vector<int> widths;
  } cases[] = {
      // Two rounds of 44, then 12 more: 4 to the code, 8 of 16 to the name.
      {kListWeights, 100, {12, 40, 10, 10, 10, 6, 12}},
      {kListWeights, 88, {8, 32, 10, 10, 10, 6, 12}},
      {kListWeights, 89, {9, 32, 10, 10, 10, 6, 12}},
      {kListWeights, 3, {3, 0, 0, 0, 0, 0, 0}},
      {kListWeights, 0, {0, 0, 0, 0, 0, 0, 0}},
      {kListWeights, -5, {0, 0, 0, 0, 0, 0, 0}},
      // A zero weight takes nothing, also in the part round.
      {{0, 3, 0, 2}, 11, {0, 7, 0, 4}},
      {{0, 3, 0, 2}, 13, {0, 9, 0, 4}},
      {{1}, 2423, {2423}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.available);
    EXPECT_EQ(SpreadColumnWidths(c.weights, c.available), c.widths);
  }
}

TEST(ColumnWidths, AddUpToTheTableWidthAndKeepTheProportions) {
  for (int available = 1; available <= 5000; ++available) {
    std::vector<int> widths = SpreadColumnWidths(kListWeights, available);
    ASSERT_EQ(std::accumulate(widths.begin(), widths.end(), 0), available);
    int rounds = available / 44;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      ASSERT_GE(widths[i], kListWeights[i] * rounds) << available;
      ASSERT_LE(widths[i], kListWeights[i] * (rounds + 1)) << available;
    }
  }
}

TEST(ColumnWidths, WeightsThatCannotFillTheWidthAreRefused) {
  for (const std::vector<int>& weights : {std::vector<int>{0, 0, 0, 0, 0, 0, 0}, std::vector<int>{},
                                          std::vector<int>{4, -1, 5}, std::vector<int>{-3, 3}}) {
    EXPECT_THROW(SpreadColumnWidths(weights, 2400), EAssertionFailed);
  }
}

}  // namespace
}  // namespace vk
