#include "Tools/Service/WindowsVersion.h"

#include "Platform/SystemVersion.h"

namespace vk {

uint8_t DetectWindowsVersion(uint32_t major, uint32_t minor, uint32_t build) {
  if (major == 5 && minor <= 1) return minor == 0 ? kWin2000 : kWinXP;
  if (major == 6 && minor <= 3) return static_cast<uint8_t>(kWinVista + minor);
  if (major == 10 && minor == 0) return build < 22000 ? kWin10 : kWin11;
  return kWinOther;
}

uint8_t DetectWindowsVersion() {
  platform::OsVersion v = platform::QueryOsVersion();
  return DetectWindowsVersion(v.Major, v.Minor, v.Build);
}

bool IsWow64() {
  try {
    return platform::QueryIsWow64();
  } catch (...) {
    return false;
  }
}

uint8_t WindowsVersionClass() {
  static const uint8_t versionClass = DetectWindowsVersion();
  return versionClass;
}

bool RunsUnderWow64() {
  static const bool wow64 = IsWow64();
  return wow64;
}

}  // namespace vk
