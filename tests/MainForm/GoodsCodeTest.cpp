#include <gtest/gtest.h>

#include <limits>

#include "Core/SysUtils.h"
#include "Source/GoodsCode.h"

namespace vk {
namespace {

struct CodeCase {
  int32_t NextKey;
  uint32_t Nuls;
  int32_t Delta;
  const char* Code;
};

TEST(GoodsCode, PadsShiftsAndLeavesEmptyWhatWouldNotFitTheCodeField) {
  const CodeCase cases[] = {
      {7, 4, 0, "0007"},
      {7, 1, 1000, "7"},               // one digit: no delta
      {7, 4, -7, "0007"},              // sum zero: the plain key
      {7, 4, -100, "0007"},            // sum negative: the plain key
      {12345, 4, 0, "12345"},          // longer than the padding, still fits
      {5, 8, 99999994, "99999999"},    // the largest code of eight digits
      {6, 8, 99999994, ""},            // the next would have nine
      {99999999, 1, 0, "99999999"},    // plain key at the limit
      {100000000, 1, 0, ""},           // plain key past it
      {100000000, 8, -1, "99999999"},  // a negative delta brings it back
      {1, 8, 0, "00000001"},
  };
  for (const CodeCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.NextKey << " nuls " << c.Nuls << " delta " << c.Delta);
    const std::string code = NextGoodsCode(c.NextKey, c.Nuls, c.Delta);
    EXPECT_EQ(code, c.Code);
    EXPECT_LE(code.size(), kGoodsCodeLength);
  }
}

TEST(GoodsCode, EveryKeyNearTheLimitGivesACodeThatFitsOrNone) {
  for (int32_t key = 99999000; key <= 100001000; ++key) {
    const std::string code = NextGoodsCode(key, 8, 0);
    if (key <= 99999999) {
      ASSERT_EQ(code, std::to_string(key));
    } else {
      ASSERT_EQ(code, "") << key;
    }
  }
}

TEST(GoodsCode, DeltaThatOverflowsRaises) {
  EXPECT_THROW(NextGoodsCode(2, 4, std::numeric_limits<int32_t>::max()), EIntOverflow);
  EXPECT_NO_THROW(NextGoodsCode(2, 1, std::numeric_limits<int32_t>::max()));
}

}  // namespace
}  // namespace vk
