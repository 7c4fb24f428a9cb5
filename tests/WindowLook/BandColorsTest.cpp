#include <gtest/gtest.h>

#include "FakeLookSystem.h"
#include "Tools/Service/GlassGradienterColors.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk::test {
namespace {

TEST(BandColors, ColorAlphaIsTheTopByteFromThreeOn) {
  struct Case {
    uint32_t color;
    uint8_t alpha;
  } cases[] = {{0x00FFFFFF, 0}, {0x02FFFFFF, 0}, {0x03000000, 3}, {0x80123456, 0x80}, {0xFF000000, 0xFF}};
  for (const Case& c : cases) EXPECT_EQ(ColorAlpha(c.color), c.alpha) << std::hex << c.color;
}

TEST(BandColors, ArgbBecomesTheSystemOrderWithItsAlpha) {
  EXPECT_EQ(ArgbToColor(0xFF4080C0), 0xFFC08040u);
  EXPECT_EQ(ArgbToColor(0x02112233), 0x00332211u);
}

TEST(BandColors, BlendColorizationFollowsEachVersionsArithmetic) {
  struct Case {
    const char* name;
    uint8_t versionClass;
    bool active;
    TColorization record;
    uint32_t expected;
  } cases[] = {
      {"Windows 7 active, balances kept", kWin7, true, {0xFF4080C0, 0x80102030, 20, 30, 50}, 0xFFDFBF9F},
      {"Windows 7 inactive, balances kept", kWin7, false, {0xFF4080C0, 0x80102030, 20, 30, 50}, 0x80DDDAD8},
      // 10 + 10 + 10 is not 100: 25, 25, 50 are used, which gives the same as above.
      {"Windows 7 active, balances replaced", kWin7, true, {0xFF4080C0, 0x80102030, 10, 10, 10}, 0xFFDFBF9F},
      {"Windows 7 inactive, balances replaced", kWin7, false, {0xFF4080C0, 0x80102030, 10, 10, 10}, 0x80DDDAD8},
      {"Windows 7 full blur", kWin7, true, {0xFF4080C0, 0x80102030, 0, 0, 100}, 0xFFFFFFFF},
      {"Windows 7 full blur inactive", kWin7, false, {0xFF4080C0, 0x80102030, 0, 0, 100}, 0x80FFFFFF},
      {"Windows 8 active", kWin8, true, {0xC8204060, 0, 40, 0, 0}, 0xC8A89B8F},
      {"Windows 8 colour balance above 100", kWin8, true, {0xC8204060, 0, 150, 0, 0}, 0xC8BAB2AA},
      {"Windows 8.1 inactive", kWin81, false, {0, 0x02FF0010, 0, 60, 0}, 0x00BEBBED},
      {"Windows 8.1 afterglow balance above 100", kWin81, false, {0, 0x02FF0010, 0, 101, 0}, 0x00D7D6EA},
  };
  for (const Case& c : cases) EXPECT_EQ(BlendColorization(c.record, c.active, c.versionClass), c.expected) << c.name;
}

TEST(BandColors, SecondMovesAThirdTowardFirstTruncatingTowardZero) {
  struct Case {
    uint32_t second, first, expected;
  } cases[] = {
      {0xFFFFFF, 0x804020, 0xD5C0B5},
      {0xFFFFFF, 0xFF804020, 0xD5C0B5},  // the first's alpha does not reach the second
      {0x000000, 0x0A0B0C, 0x030304},
      {0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(ThirdTowardFirst(c.second, c.first), c.expected) << std::hex << c.first;
}

TEST(BandColors, SourceFollowsGlassAndThemes) {
  struct Case {
    bool glass, themes;
    TColorSource source;
  } cases[] = {{true, true, TColorSource::Glass},
               {true, false, TColorSource::Caption},
               {false, true, TColorSource::Theme},
               {false, false, TColorSource::Caption}};
  for (const Case& c : cases) EXPECT_EQ(ChooseColorSource(c.glass, c.themes), c.source);
}

TEST(BandColors, CaptionColoursUseTheGradientColoursOnlyWhenCaptionsAreGradients) {
  FakeLookSystem system;
  TBandColors gradient = LoadCaptionColors(system);
  EXPECT_EQ(gradient, (TBandColors{0x996633, 0xEECCAA, 0x808080, 0xC0C0C0, {kClInactiveCaptionText, kClCaptionText}}));
  system.Gradient = false;
  TBandColors flat = LoadCaptionColors(system);
  EXPECT_EQ(flat, (TBandColors{0x996633, 0x996633, 0x808080, 0x808080, {kClInactiveCaptionText, kClCaptionText}}));
}

TEST(BandColors, ThemeColoursAreTheDarkestAndLightestSampledPixels) {
  FakeLookSystem system;
  system.Themes = true;
  // 0x000010 and 0x100000 have different luminances; 0xF0F0F0 appears twice,
  // and only the first of equal pixels counts.
  system.ActiveColumn = {0x808080, 0x202020, 0xF0F0F0, 0x000010, 0xF0F0F0, 0x100000};
  system.InactiveColumn = {0x404040};
  TBandColors colors = LoadColors(system, /*glass=*/false, kWinXP);
  EXPECT_EQ(colors.ActiveSecond, 0xF0F0F0u);
  EXPECT_EQ(colors.ActiveFirst, 0x100000u);  // luminance 1.824 against 4.784 for 0x000010
  EXPECT_EQ(colors.InactiveSecond, 0x404040u);
  EXPECT_EQ(colors.InactiveFirst, 0x404040u);
  EXPECT_EQ(colors.TextColors, (std::array<uint32_t, 2>{kClInactiveCaptionText, kClCaptionText}));
}

TEST(BandColors, Windows10WithoutColourPrevalenceGivesAFlatWindowColouredBand) {
  FakeLookSystem system;
  system.Themes = true;
  system.SysColors[kColorWindow] = 0xF0F0F0;
  system.User = {{"ColorPrevalence", 0}, {"AccentColor", 0xFF0000FF}};
  TBandColors colors = LoadColors(system, /*glass=*/true, kWin10);
  EXPECT_EQ(colors, (TBandColors{0xF0F0F0, 0xF0F0F0, 0xF0F0F0, 0xF0F0F0, {0x6D6D6D, 0x000000}}));
}

TEST(BandColors, Windows10AccentColoursAndTheirTextColours) {
  FakeLookSystem system;
  system.Themes = true;
  // A dark accent (luminance below 128) and no inactive accent.
  system.User = {{"ColorPrevalence", 1}, {"AccentColor", 0xFF804020}};
  TBandColors colors = LoadColors(system, /*glass=*/true, kWin10);
  EXPECT_EQ(colors.ActiveFirst, 0xFF804020u);
  EXPECT_EQ(colors.ActiveSecond, 0xD5C0B5u);
  EXPECT_EQ(colors.InactiveFirst, 0xFFFFFFu);
  EXPECT_EQ(colors.TextColors, (std::array<uint32_t, 2>{0x6D6D6D, 0xFFFFFF}));
  EXPECT_TRUE(system.MachineAsked.empty());

  system.User["AccentColorInactive"] = 0x202020;
  colors = LoadColors(system, /*glass=*/true, kWin10);
  EXPECT_EQ(colors.InactiveFirst, 0x202020u);
  EXPECT_EQ(colors.TextColors[0], 0x9D9D9Du);
}

TEST(BandColors, Windows11TakesTheInactiveAccentFromTheMachineOnlyWhenNonZero) {
  struct Case {
    const char* name;
    uint32_t prevalence;
    std::map<std::string, uint32_t> machine;
    uint32_t inactiveFirst;
    size_t machineQuestions;
  } cases[] = {
      {"machine value used", 1, {{"AccentColorInactive", 0x112233}}, 0x112233, 1},
      {"machine value zero", 1, {{"AccentColorInactive", 0}}, 0xFFFFFF, 1},
      {"machine value missing", 1, {}, 0xFFFFFF, 1},
      {"no prevalence: machine not asked", 0, {{"AccentColorInactive", 0x112233}}, 0xFFFFFF, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeLookSystem system;
    system.Themes = true;
    // The user's inactive accent is not read on Windows 11.
    system.User = {{"ColorPrevalence", c.prevalence}, {"AccentColor", 0x445566}, {"AccentColorInactive", 0x778899}};
    system.Machine = c.machine;
    TBandColors colors = LoadColors(system, /*glass=*/true, kWin11);
    EXPECT_EQ(colors.InactiveFirst, c.inactiveFirst);
    EXPECT_EQ(colors.ActiveFirst, c.prevalence ? 0x445566u : 0xFFFFFFu);
    EXPECT_EQ(system.MachineAsked.size(), c.machineQuestions);
  }
}

TEST(BandColors, Windows7To81BlendTheColorizationAndMoveTheWindowColourTowardIt) {
  FakeLookSystem system;
  system.Themes = true;
  system.Record = {0xFF4080C0, 0x80102030, 20, 30, 50};
  TBandColors colors = LoadColors(system, /*glass=*/true, kWin7);
  EXPECT_EQ(colors.ActiveFirst, 0xFFDFBF9Fu);
  EXPECT_EQ(colors.InactiveFirst, 0x80DDDAD8u);
  // 0xFF + (0x9F - 0xFF) / 3 = 0xDF; 0xFF + (0xBF - 0xFF) / 3 = 0xEA; 0xFF + (0xDF - 0xFF) / 3 = 0xF5
  EXPECT_EQ(colors.ActiveSecond, 0xF5EADFu);
  EXPECT_EQ(colors.TextColors, (std::array<uint32_t, 2>{kClInactiveCaptionText, kClCaptionText}));
}

TEST(BandColors, FailingGlassSourcesFallBackToTheCaptionColours) {
  FakeLookSystem reference;
  TBandColors caption = LoadCaptionColors(reference);
  for (uint8_t versionClass : {kWin7, kWin81, kWin10, kWin11}) {
    FakeLookSystem system;
    system.Themes = true;
    system.ColorizationFails = true;
    system.RegistryFails = true;
    EXPECT_EQ(LoadColors(system, /*glass=*/true, versionClass), caption) << int(versionClass);
  }
}

TEST(BandColors, VerticesCarryTheColoursInSixteenBitsInactivePairFirst) {
  TBandColors colors{0x03010203, 0x00040506, 0x00070809, 0xFF0A0B0C, {}};
  TBandVertices v = MakeVertices(colors);
  // inactive second, inactive first, active second, active first
  EXPECT_EQ(v[0], (TGradientVertex{0, 0, 0x0C00, 0x0B00, 0x0A00, 0xFF00}));
  EXPECT_EQ(v[1], (TGradientVertex{0, 0, 0x0900, 0x0800, 0x0700, 0}));
  EXPECT_EQ(v[2], (TGradientVertex{0, 0, 0x0600, 0x0500, 0x0400, 0}));
  EXPECT_EQ(v[3], (TGradientVertex{0, 0, 0x0300, 0x0200, 0x0100, 0x0300}));
}

TEST(BandColors, ColorizationKeyFollowsTheAccentSettings) {
  struct Case {
    const char* name;
    uint8_t versionClass;
    std::map<std::string, uint32_t> user;
    uint32_t expected;
  } cases[] = {
      {"no prevalence", kWin10, {{"AccentColor", 5}}, 0},
      {"prevalence missing", kWin11, {}, 0},
      {"accent xor inactive",
       kWin10,
       {{"ColorPrevalence", 1}, {"AccentColor", 0xF0F0}, {"AccentColorInactive", 0xFF}},
       0xF00F},
      {"accent only", kWin11, {{"ColorPrevalence", 1}, {"AccentColor", 0xABC}}, 0xABC},
      {"prevalence value alone", kWin10, {{"ColorPrevalence", 2}}, 2},
      {"Windows 8 record colour", kWin8, {{"ColorPrevalence", 1}}, 0x11223344},
  };
  for (const Case& c : cases) {
    FakeLookSystem system;
    system.User = c.user;
    system.Record.Color = 0x11223344;
    EXPECT_EQ(ColorizationKey(system, c.versionClass), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace vk::test
