#include <gtest/gtest.h>

#include <string>

#include "Platform/SystemVersion.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {
namespace {

TEST(WindowsVersion, ClassesEveryVersionAndItsBoundaries) {
  struct Case {
    uint32_t major, minor, build;
    uint8_t want;
  } cases[] = {
      {5, 0, 2195, kWin2000},    {5, 1, 2600, kWinXP},      {5, 2, 3790, kWinOther}, {5, 3, 0, kWinOther},
      {4, 0, 1381, kWinOther},   {6, 0, 6002, kWinVista},   {6, 1, 7601, kWin7},     {6, 2, 9200, kWin8},
      {6, 3, 9600, kWin81},      {6, 4, 9841, kWinOther},   {10, 0, 10240, kWin10},  {10, 0, 19045, kWin10},
      {10, 0, 21999, kWin10},    {10, 0, 22000, kWin11},    {10, 0, 26100, kWin11},  {10, 1, 0, kWinOther},
      {10, 1, 22000, kWinOther}, {11, 0, 22000, kWinOther}, {7, 0, 0, kWinOther},    {0, 0, 0, kWinOther},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectWindowsVersion(c.major, c.minor, c.build), c.want) << c.major << "." << c.minor << "." << c.build;
  }
}

TEST(WindowsVersion, NamesFollowTheClasses) {
  const char* want[] = {"2000", "XP", "Vista", "Win7", "Win8", "Win81", "Win10", "Win11", "Other"};
  for (size_t i = 0; i < 9; ++i) EXPECT_STREQ(WindowsVersionNames[i], want[i]);
  EXPECT_STREQ(BitnessNames[false], "x32");
  EXPECT_STREQ(BitnessNames[true], "x64");
}

TEST(WindowsVersion, RunningSystemIsClassedFromItsOwnNumbers) {
  platform::OsVersion v = platform::QueryOsVersion();
  EXPECT_EQ(WindowsVersionClass(), DetectWindowsVersion(v.Major, v.Minor, v.Build));
  EXPECT_EQ(WindowsVersionClass(), WindowsVersionClass());
  // A 64-bit program never runs under WOW64.
  if (sizeof(void*) == 8) {
    EXPECT_FALSE(RunsUnderWow64());
  }
}

}  // namespace
}  // namespace vk
