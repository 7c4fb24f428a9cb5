#pragma once
// The running system's version numbers and bitness, as the program sees them.
//
// win32: GetVersionExW, which reports the true version only to programs whose
// manifest declares the Windows versions they support (ours do); older
// answers (6.2 for every later Windows) come from programs without one.
// posix: there is no Windows; the version is 0.0 build 0 and never WOW64.

#include <cstdint>

namespace vk::platform {

struct OsVersion {
  uint32_t Major = 0;
  uint32_t Minor = 0;
  uint32_t Build = 0;
};

// The version numbers; all zero when the system does not answer.
OsVersion QueryOsVersion();

// True when this 32-bit process runs on 64-bit Windows. "IsWow64Process" is
// looked up by name at run time (Windows 2000 lacks it); a missing function,
// a failed call and any other failure give false.
bool QueryIsWow64();

}  // namespace vk::platform
