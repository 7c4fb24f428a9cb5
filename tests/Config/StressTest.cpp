// Two threads write settings thousands of times while a third reads: the
// store's lock keeps the values and the file whole (run under
// ThreadSanitizer by hand, see tests/Config/CMakeLists.txt).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "CfgTestSupport.h"
#include "Platform/TextFile.h"
#include "Tools/CfgFile/MemIniFile.h"
#include "Tools/CfgFile/Options.h"

namespace vk {
namespace {

using testing::ScratchFolder;

uint32_t Writes() {
  const char* n = std::getenv("VK_STRESS_WRITES");
  return n ? static_cast<uint32_t>(std::atoi(n)) : 2000;
}

TEST(CfgStress, TwoWritingThreadsLeaveBothLastValues) {
  ScratchFolder folder;
  std::string path = folder.Path("vorkel.cfg");
  TOptionsEnvironment env;
  env.FileCodePage = 1252;
  TProgOptions options(path, "\\SOFTWARE\\VorkelTestNoSuchKey", env);
  const uint32_t n = Writes();
  std::atomic<bool> done{false};
  std::thread left([&] {
    for (uint32_t i = 1; i <= n; ++i) options.SetMainFormLeft(i);
  });
  std::thread version([&] {
    for (uint32_t i = 1; i <= n; ++i) options.SetLastVersion("1.0." + std::to_string(i));
  });
  std::thread reader([&] {
    while (!done) {
      EXPECT_EQ(options.GetStoreCodeWidth(), 55u);
      options.GetLastVersion();
      options.GetMainFormLeft();
    }
  });
  left.join();
  version.join();
  done = true;
  reader.join();

  auto file = platform::DefaultTextFiles().ReadWhole(path);
  ASSERT_EQ(file.Status, platform::WholeReadStatus::Ok);
  TMemIniFile ini(file.Bytes);
  EXPECT_EQ(ini.Text(), file.Bytes);  // every line parsed back to the same bytes
  EXPECT_EQ(ini.Value("MainForm", "Left"), ([&] {
              char hex[9];
              std::snprintf(hex, sizeof hex, "%08X", n);
              return std::string(hex);
            })());
  EXPECT_EQ(ini.Value("Updates", "LastVersion"), "1.0." + std::to_string(n));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"vorkel.cfg"});

  TProgOptions again(path, "\\SOFTWARE\\VorkelTestNoSuchKey", env);
  EXPECT_EQ(again.GetMainFormLeft(), n);
  EXPECT_EQ(again.GetLastVersion(), "1.0." + std::to_string(n));
}

}  // namespace
}  // namespace vk
