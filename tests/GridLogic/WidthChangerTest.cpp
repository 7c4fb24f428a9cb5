#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "Core/SysUtils.h"
#include "Tools/LocalDbCtrls/GridWidthChanger.h"

namespace vk {
namespace {

TGridSections MakeSections(const std::vector<int32_t>& widths, int32_t minWidth = 12) {
  TGridSections sections;
  for (int32_t w : widths) sections.push_back(TGridSection{w, minWidth, "", taLeftJustify});
  return sections;
}

std::vector<int32_t> Shown(const TWidthChanger& changer, size_t count) {
  std::vector<int32_t> widths;
  for (size_t i = 0; i < count; ++i) widths.push_back(changer.SectionWidth(static_cast<int32_t>(i)));
  return widths;
}

std::string AssertionOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EAssertionFailed& e) {
    return e.Message();
  }
  return "<none>";
}

TEST(WidthChanger, GrowsRoundRobinInProportionToTheWeights) {
  TGridSections sections = MakeSections({100, 300});
  TWidthChanger changer(&sections);
  struct Case {
    int32_t total;
    std::vector<int32_t> widths;
  } cases[] = {
      {401, {100, 301}},  // section 1 first
      {402, {100, 302}},  // section 1 again
      {403, {101, 302}},  // then section 0
      {404, {101, 303}},  // then section 1
      {400, {100, 300}},  // shrinking back restores both
  };
  for (const Case& c : cases) {
    changer.SetTotal(c.total);
    EXPECT_EQ(Shown(changer, 2), c.widths) << "total " << c.total;
    EXPECT_EQ(changer.Total(), c.total);
  }
}

TEST(WidthChanger, AnyPathBackToTheFormerTotalRestoresEveryWidth) {
  const std::vector<int32_t> start = {50, 120, 13, 77, 240};
  const uint32_t seed = 20261208;
  std::mt19937 random(seed);
  std::uniform_int_distribution<int32_t> totals(0, 1500);
  TGridSections sections = MakeSections(start);
  TWidthChanger changer(&sections);
  for (int round = 0; round < 200; ++round) {
    for (int step = 0; step < 5; ++step) changer.SetTotal(totals(random));
    changer.SetTotal(500);
    ASSERT_EQ(Shown(changer, start.size()), start) << "seed " << seed << " round " << round;
  }
}

TEST(WidthChanger, NarrowedBelowTheMinimumShowsTheMinimumAndWidensBackExactly) {
  TGridSections sections = MakeSections({20, 200});
  TWidthChanger changer(&sections);
  changer.SetTotal(120);  // section 0's share would fall below 12
  EXPECT_EQ(changer.SectionWidth(0), 12);
  EXPECT_EQ(changer.SectionWidth(0) + changer.SectionWidth(1), 120);
  changer.SetTotal(220);
  EXPECT_EQ(Shown(changer, 2), (std::vector<int32_t>{20, 200}));
}

TEST(WidthChanger, TotalBelowEveryMinimumStopsAtTheMinimumsInsteadOfLooping) {
  TGridSections sections = MakeSections({40, 60, 100});
  TWidthChanger changer(&sections);
  changer.SetTotal(5);
  EXPECT_EQ(Shown(changer, 3), (std::vector<int32_t>{12, 12, 12}));
  EXPECT_EQ(changer.Total(), 36);
  changer.SetTotal(200);
  EXPECT_EQ(Shown(changer, 3), (std::vector<int32_t>{40, 60, 100}));
}

TEST(WidthChanger, ResetTakesTheCurrentWidthsAsNewProportions) {
  TGridSections sections = MakeSections({100, 100});
  TWidthChanger changer(&sections);
  sections[0].Width = 50;
  sections[1].Width = 150;
  changer.Reset();
  changer.SetTotal(204);
  EXPECT_EQ(Shown(changer, 2), (std::vector<int32_t>{51, 153}));
}

TEST(WidthChanger, SectionsWithoutWidthStillShareGrowth) {
  TGridSections sections = MakeSections({0, 0}, 0);
  TWidthChanger changer(&sections);
  changer.SetTotal(10);
  EXPECT_EQ(Shown(changer, 2), (std::vector<int32_t>{5, 5}));
  changer.SetTotal(0);
  EXPECT_EQ(Shown(changer, 2), (std::vector<int32_t>{0, 0}));
}

TEST(WidthChanger, MisuseFailsWithTheUnitsAssertions) {
  TGridSections none;
  TGridSections two = MakeSections({30, 30});
  struct Case {
    std::function<void()> call;
    std::string text;
  } cases[] = {
      {[] { TWidthChanger c(nullptr); }, "OwnerSections param must be assigned"},
      {[&] { TWidthChanger c(&none); }, "OwnerSections param must have Sections"},
      {[&] { TWidthChanger(&two).SectionWidth(2); }, "Invalid section index"},
      {[&] { TWidthChanger(&two).SectionWidth(-1); }, "Invalid section index"},
      {[&] {
         TWidthChanger c(&two);
         two.clear();
         c.Reset();
       },
       "Sections must be assigned"},
  };
  for (const Case& c : cases) EXPECT_EQ(AssertionOf(c.call), c.text + " (Tools\\LocalDbCtrls\\DataGrid)");
}

}  // namespace
}  // namespace vk
