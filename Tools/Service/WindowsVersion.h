#pragma once
// The running Windows sorted into one of nine version classes, and whether
// the 32-bit program runs on a 64-bit Windows. Drawing, region and status-bar
// code choose their behaviour by the class; the version check reports both.

#include <array>
#include <cstdint>

namespace vk {

inline constexpr uint8_t kWin2000 = 0, kWinXP = 1, kWinVista = 2, kWin7 = 3, kWin8 = 4, kWin81 = 5, kWin10 = 6,
                         kWin11 = 7, kWinOther = 8;

inline constexpr std::array<const char*, 9> WindowsVersionNames = {"2000",  "XP",    "Vista", "Win7", "Win8",
                                                                   "Win81", "Win10", "Win11", "Other"};
// Indexed by RunsUnderWow64().
inline constexpr std::array<const char*, 2> BitnessNames = {"x32", "x64"};

// The class of a version: 5.0 2000, 5.1 XP, 6.0 Vista, 6.1 7, 6.2 8, 6.3 8.1,
// 10.0 below build 22000 10, 10.0 from build 22000 11; anything else Other.
uint8_t DetectWindowsVersion(uint32_t major, uint32_t minor, uint32_t build);
// The class of the running system.
uint8_t DetectWindowsVersion();
// The running process is a 32-bit one on 64-bit Windows; every failure gives false.
bool IsWow64();

// Computed once, at the first call (start-up makes that call before the
// region information needs it), and never changed afterwards.
uint8_t WindowsVersionClass();
bool RunsUnderWow64();

}  // namespace vk
