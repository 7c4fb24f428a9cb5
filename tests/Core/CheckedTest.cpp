#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "Core/Checked.h"

namespace vk {
namespace {

TEST(Checked, AddSubMulRaiseExactlyAtTheLimits) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(CheckedAdd<int32_t>(kMax - 1, 1), kMax);
  EXPECT_THROW(CheckedAdd<int32_t>(kMax, 1), EIntOverflow);
  EXPECT_EQ(CheckedSub<int32_t>(kMin + 1, 1), kMin);
  EXPECT_THROW(CheckedSub<int32_t>(kMin, 1), EIntOverflow);
  EXPECT_EQ(CheckedMul<uint32_t>(65535u, 65537u), 4294967295u);
  EXPECT_THROW(CheckedMul<uint32_t>(65536u, 65536u), EIntOverflow);
  EXPECT_THROW(CheckedSub<uint32_t>(0u, 1u), EIntOverflow);
  EXPECT_EQ(CheckedCast<int32_t>(int64_t{kMax}), kMax);
  EXPECT_THROW(CheckedCast<int32_t>(int64_t{kMax} + 1), EIntOverflow);
  EXPECT_THROW(CheckedCast<uint32_t>(-1), EIntOverflow);
}

TEST(Exceptions, CarryTextAndClassName) {
  try {
    throw EAssertionFailed("Bad column", "Tools\\LocalDbCtrls\\DataGrid");
  } catch (const Exception& e) {
    EXPECT_STREQ(e.ClassName(), "EAssertionFailed");
    EXPECT_EQ(e.Message(), "Bad column (Tools\\LocalDbCtrls\\DataGrid)");
  }
  EIntOverflow o;
  EXPECT_STREQ(o.ClassName(), "EIntOverflow");
  ERangeError r;
  EXPECT_STREQ(r.ClassName(), "ERangeError");
}

}  // namespace
}  // namespace vk
