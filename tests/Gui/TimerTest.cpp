#include "Gui/ExtCtrls.h"
#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

using TimerTest = GuiTest;

TEST_F(TimerTest, FiresRepeatedlyUntilDisabled) {
  TTimer timer;
  timer.SetInterval(10);
  int ticks = 0;
  timer.OnTimer = [&] {
    if (++ticks == 3) timer.SetEnabled(false);
  };
  ASSERT_TRUE(PumpUntil([&] { return ticks == 3; }));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, 3);
}

TEST_F(TimerTest, ExceptionInOnTimerReachesHandler) {
  TTimer timer;
  timer.SetInterval(10);
  timer.OnTimer = [&] {
    timer.SetEnabled(false);
    throw EIntOverflow();
  };
  ASSERT_TRUE(PumpUntil([&] { return !errors.empty(); }));
  EXPECT_EQ(errors, (std::vector<std::string>{"EIntOverflow: Integer overflow"}));
}

TEST_F(TimerTest, DestroyedTimerNoLongerFires) {
  int ticks = 0;
  {
    TTimer timer;
    timer.SetInterval(1);
    timer.OnTimer = [&] { ++ticks; };
  }
  PumpUntil([] { return false; }, 50);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace vk::gui::test
