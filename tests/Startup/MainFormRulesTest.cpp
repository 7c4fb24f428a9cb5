// The main window's decisions: its place on one or two monitors, the goods
// panel's texts and the moves range, and the search text in the status bar.

#include <gtest/gtest.h>

#include "Source/MainFormRules.h"
#include "tests/Backup/BackupFixture.h"

namespace vk::testing {
namespace {

// A primary 1024 x 768 monitor (taskbar below) and a second one to its left.
const std::vector<TScreenArea> kTwoMonitors{{0, 0, 1024, 738}, {-1280, -200, 0, 824}};

TEST(MainFormPlacement, StoredPlaceHoldsWhenReachableAndComesBackOtherwise) {
  struct Case {
    const char* what;
    TPlacement stored, expected;
  };
  const Case cases[] = {
      {"on the primary", {100, 50, 800, 600}, {100, 50, 800, 600}},
      {"on the left monitor", {-1200, -150, 900, 700}, {-1200, -150, 900, 700}},
      {"below the taskbar", {100, 740, 800, 600}, {100, 138, 800, 600}},
      {"far right", {5000, 100, 800, 600}, {224, 100, 800, 600}},
      {"minimized position", {-32000, -32000, 800, 600}, {-1280, -200, 800, 600}},
      {"title above the top", {100, -10, 800, 600}, {100, 0, 800, 600}},
      {"larger than any monitor", {3000, 3000, 2000, 1500}, {0, 0, 1024, 738}},
      {"below the minimum", {100, 50, 700, 600}, {122, 97, 780, 514}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RestoredPlacement(c.stored, 780, 514, 780, 574, 1024, 768, kTwoMonitors), c.expected) << c.what;
    EXPECT_TRUE(
        PlacementReachable(RestoredPlacement(c.stored, 780, 514, 780, 574, 1024, 768, kTwoMonitors), kTwoMonitors))
        << c.what;
  }
}

TEST(MainFormPlacement, AStripOfTheTitleIsEnough) {
  EXPECT_TRUE(PlacementReachable({1024 - 40, 100, 800, 600}, kTwoMonitors));
  EXPECT_FALSE(PlacementReachable({1024 - 39, 100, 800, 600}, {{0, 0, 1024, 738}}));
}

TEST(MainFormPlacement, DraggedEdgesSnapToTheWorkAreaWithinTenPixels) {
  const TScreenArea left = kTwoMonitors[1];
  struct Case {
    const char* what;
    TPlacement moving, expected;
    TScreenArea area;
  };
  const Case cases[] = {
      {"free in the middle", {100, 50, 800, 600}, {100, 50, 800, 600}, kTwoMonitors[0]},
      {"9 px from the left and top", {9, 9, 800, 600}, {0, 0, 800, 600}, kTwoMonitors[0]},
      {"10 px away stays", {10, 10, 800, 600}, {10, 10, 800, 600}, kTwoMonitors[0]},
      {"just outside the left and top", {-9, -9, 800, 600}, {0, 0, 800, 600}, kTwoMonitors[0]},
      {"right and bottom edges near", {215, 130, 800, 600}, {224, 138, 800, 600}, kTwoMonitors[0]},
      {"right and bottom just outside", {233, 147, 800, 600}, {224, 138, 800, 600}, kTwoMonitors[0]},
      {"as wide as the area: left wins", {5, 100, 1020, 600}, {0, 100, 1020, 600}, kTwoMonitors[0]},
      {"the monitor left of the primary", {-1275, 215, 900, 600}, {-1280, 224, 900, 600}, left},
  };
  for (const Case& c : cases) EXPECT_EQ(SnapToScreen(c.moving, c.area), c.expected) << c.what;
}

TEST(GoodsPanel, ShowsTheCurrentRecordNotTheFirst) {
  BackupBench bench;
  bench.store.Open(true, "Data");
  for (int i = 0; i < 300; ++i) {
    bench.store.AddGoods(std::to_string(500 + i), "Гвозди " + std::to_string(i), "1'234.50", "2.00", "3", "");
  }
  bench.store.AddIncoming("0.25", "1", "");
  bench.store.Goods().SetRecNo(120);
  const TGoodsPanelTexts texts = CurrentGoodsTexts(bench.store.Goods());
  EXPECT_EQ(texts, (TGoodsPanelTexts{"620", "Гвозди 120", "1'234.50", "2.00", "3", "2'469.00"}));
  bench.store.Goods().SetRecNo(bench.store.Goods().RecordCount() - 1);
  EXPECT_EQ(CurrentGoodsTexts(bench.store.Goods()).Weight, "2.25");
  EXPECT_EQ(EmptyGoodsTexts(), (TGoodsPanelTexts{"", "", "0.00", "0.00", "0", "0.00"}));
}

TEST(GoodsPanel, MovesRangeStopsAtTheLastGoodsNumber) {
  const TKeyRange range = MovesRangeOf(41);
  ASSERT_EQ(range.Low.size(), 2u);
  EXPECT_EQ(range.Low[0].Int, 41);
  EXPECT_EQ(range.High[0].Int, 42);
  EXPECT_EQ(range.Low[1].Real, kMinDateDay);
  EXPECT_EQ(range.High[1].Real, kMinDateDay);
  EXPECT_THROW(MovesRangeOf(2147483647), EIntOverflow);
}

TEST(StatusSearchText, QuotedTextAloneWhenBothDoNotFit) {
  const auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 6; };
  EXPECT_EQ(SearchStatusText("Search product", "", 300, width), "Search product");
  EXPECT_EQ(SearchStatusText("Search product", "nai", 300, width), "Search product  \"nai\"");
  const std::string longText(40, 'x');
  EXPECT_EQ(SearchStatusText("Search product", longText, 300, width), "\"" + longText + "\"");
  // Narrowed and widened again: the quoted part survives, the name comes back.
  const std::string narrow = RelaidSearchStatusText("Search product", "Search product  \"nai\"", 120, width);
  EXPECT_EQ(narrow, "\"nai\"");
  EXPECT_EQ(RelaidSearchStatusText("Search product", narrow, 300, width), "Search product  \"nai\"");
  EXPECT_EQ(RelaidSearchStatusText("Search product", "Search product", 300, width), "Search product");
}

}  // namespace
}  // namespace vk::testing
