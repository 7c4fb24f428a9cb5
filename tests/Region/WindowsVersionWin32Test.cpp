#include <gtest/gtest.h>

#include "Platform/SystemVersion.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {
namespace {

// Wine answers as the Windows it imitates: some NT version, never all zeros.
TEST(WindowsVersionWin32, SystemReportsAnNtVersion) {
  platform::OsVersion v = platform::QueryOsVersion();
  EXPECT_GE(v.Major, 5u);
  EXPECT_GT(v.Build, 0u);
}

}  // namespace
}  // namespace vk
