#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Tools/Service/GlassGradienterColors.h"
#include "Tools/Service/GlassGradienterDecisions.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk::test {
namespace {

TEST(BandDecisions, PaintPreparesOncePerWindowAndPaintsTheGradientOnlyWithoutGlass) {
  constexpr intptr_t kWindow = 0x1234, kOldWindow = 0x999;
  struct Case {
    const char* name;
    intptr_t tag;
    bool glass;
    TBandPaintSteps steps;
  } cases[] = {
      {"first paint, gradient", 0, false, {false, true, true, kWindow}},
      {"later paint, gradient", kWindow, false, {false, false, true, kWindow}},
      {"re-created window, gradient", kOldWindow, false, {false, true, true, kWindow}},
      {"first paint, glass", 0, true, {true, false, false, kWindow}},
      {"later paint, glass", kWindow, true, {false, false, false, kWindow}},
      {"re-created window, glass", kOldWindow, true, {true, false, false, kWindow}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlanBandPaint(c.tag, kWindow, c.glass), c.steps) << c.name;
}

TEST(BandDecisions, RenderingChangeRepaintsWhenTheMarkIsTheRememberedOne) {
  constexpr intptr_t kWindow = 0x50;
  intptr_t remembered = 0;
  // An unprepared band: the window is remembered, nothing is painted.
  intptr_t tag = 0;
  EXPECT_FALSE(RenderingChanged(tag, remembered, kWindow));
  EXPECT_EQ(remembered, kWindow);
  EXPECT_EQ(tag, 0);
  // The band prepared for that window: cleared and painted again.
  tag = kWindow;
  EXPECT_TRUE(RenderingChanged(tag, remembered, kWindow));
  EXPECT_EQ(tag, 0);
  // A band marked for another window: that mark is remembered instead.
  tag = 0x77;
  EXPECT_FALSE(RenderingChanged(tag, remembered, kWindow));
  EXPECT_EQ(remembered, 0x77);
  EXPECT_EQ(tag, 0x77);
  EXPECT_TRUE(RenderingChanged(tag, remembered, kWindow));
  EXPECT_EQ(tag, 0);
}

TEST(BandDecisions, GlassPreparationDependsOnTheWindowsVersion) {
  constexpr uint32_t kActive = 0x00FF0000, kInactive = 0x0000FF00;  // luminances 29.07 and 149.685
  TGlassPreparation win7 = PlanGlassPreparation(kWin7, kActive, kInactive);
  EXPECT_EQ(win7, (TGlassPreparation{0x197510, true, 0x197510, false, 0, 0, 0, false, 0, false, false}));
  for (uint8_t versionClass : {kWin8, kWin81, kWin10}) {
    EXPECT_EQ(PlanGlassPreparation(versionClass, kActive, kInactive),
              (TGlassPreparation{0, false, 0, true, 0x010101, 0, 0, true, 0x010101, true, false}))
        << int(versionClass);
  }
  for (uint8_t versionClass : {kWin11, kWinOther}) {
    EXPECT_EQ(PlanGlassPreparation(versionClass, kActive, kInactive),
              (TGlassPreparation{0, false, 0, true, kClBtnFace, 3, 0x959595, true, 0x197510, true, true}))
        << int(versionClass);
  }
  EXPECT_TRUE(ClearGlassOnForm(kWin7));
  EXPECT_FALSE(ClearGlassOnForm(kWin8));
}

TEST(BandDecisions, BandKeyGreyIsTheLuminanceOfTheBrighterFirstWithoutAlpha) {
  struct Case {
    uint32_t active, inactive, grey;
  } cases[] = {
      {0x00000000, 0x00000000, 0x000000},
      {0xFF0000FF, 0x00000000, 0x4C4C4C},  // 76.245 from red; the alpha byte is ignored
      {0x00000000, 0x00FFFFFF, 0xFFFFFF},
      {0x00806040, 0x00404040, 0x5A5A5A},  // 90.08 truncates to 90
  };
  for (const Case& c : cases) EXPECT_EQ(BandKeyGrey(c.active, c.inactive), c.grey) << std::hex << c.active;
}

TEST(BandDecisions, DwmIsSupportedFromWindows7On) {
  for (uint8_t versionClass = kWin2000; versionClass <= kWinOther; ++versionClass) {
    EXPECT_EQ(DwmSupported(versionClass), versionClass >= kWin7) << int(versionClass);
  }
}

TEST(BandDecisions, LibraryIsLoadedByTheFirstUseRetriedAfterAFailureAndFreedWithTheLast) {
  std::vector<std::string> calls;
  bool loadSucceeds = false;
  TLibraryUses uses(
      [&] {
        calls.push_back("load");
        return loadSucceeds;
      },
      [&] { calls.push_back("free"); });

  uses.Take(/*supported=*/false);
  EXPECT_EQ(uses.Count(), 0);
  uses.Take(true);  // fails, keeps the use
  EXPECT_EQ(uses.Count(), 1);
  EXPECT_FALSE(uses.Loaded());
  loadSucceeds = true;
  uses.Take(true);  // tried again
  uses.Take(true);  // already loaded
  EXPECT_EQ(uses.Count(), 3);
  EXPECT_TRUE(uses.Loaded());
  uses.Drop();
  uses.Drop();
  EXPECT_TRUE(uses.Loaded());
  uses.Drop();
  EXPECT_FALSE(uses.Loaded());
  uses.Drop();  // below zero stays zero
  EXPECT_EQ(uses.Count(), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"load", "load", "free"}));

  uses.Take(true);
  uses.Take(true);
  uses.DropAll();
  EXPECT_EQ(uses.Count(), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"load", "load", "free", "load", "free"}));
}

}  // namespace
}  // namespace vk::test
