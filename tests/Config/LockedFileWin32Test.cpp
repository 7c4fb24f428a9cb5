// Another process holds vorkel.cfg without sharing for a while: the settings
// wait up to about 3 seconds.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <thread>

#include "CfgTestSupport.h"
#include "Core/SysUtils.h"
#include "Platform/TextFile.h"
#include "Tools/CfgFile/BaseOptions.h"
#include "Tools/CfgFile/CfgParams.h"

namespace vk {
namespace {

using testing::ScratchFolder;

class Holder {
 public:
  Holder(const std::string& path, int holdMs) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::filesystem::path helper = std::filesystem::path(self).parent_path() / L"HoldFileWin32.exe";
    std::filesystem::path marker = std::filesystem::path(path).concat(".held");
    std::wstring command = L"\"" + helper.wstring() + L"\" \"" + std::filesystem::path(path).wstring() + L"\" " +
                           std::to_wstring(holdMs) + L" \"" + marker.wstring() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
      return;
    }
    CloseHandle(process_.hThread);
    for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i) Sleep(10);
    held_ = std::filesystem::exists(marker);
  }
  ~Holder() {
    if (!process_.hProcess) return;
    WaitForSingleObject(process_.hProcess, 20000);
    CloseHandle(process_.hProcess);
  }
  bool Held() const { return held_; }
  DWORD ExitCode() {
    WaitForSingleObject(process_.hProcess, 20000);
    DWORD code = 99;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_ = {};
  bool held_ = false;
};

TEST(LockedFileWin32, HeldForTwoSecondsOpensAfterRetries) {
  ScratchFolder folder;
  std::string path = folder.Path("vorkel.cfg");
  platform::DefaultTextFiles().ReplaceWhole(path, "[S]\r\nV=00000003\r\n");
  int sleeps = 0;
  TOptionsEnvironment env;
  env.Sleep = [&](int ms) { ++sleeps, Sleep(static_cast<DWORD>(ms)); };
  Holder holder(path, 2000);
  ASSERT_TRUE(holder.Held());
  TCfgOptions store(path, env);
  EXPECT_EQ(TCardinalParam(&store, "S", "V").GetValue(), 3u);
  EXPECT_GE(sleeps, 10);
  EXPECT_LT(sleeps, 20);
  EXPECT_EQ(holder.ExitCode(), 0u);
}

TEST(LockedFileWin32, HeldForFourSecondsFailsWithTheFileName) {
  ScratchFolder folder;
  std::string path = folder.Path("vorkel.cfg");
  platform::DefaultTextFiles().ReplaceWhole(path, "[S]\r\nV=00000003\r\n");
  Holder holder(path, 4000);
  ASSERT_TRUE(holder.Held());
  try {
    TCfgOptions store(path);
    ADD_FAILURE() << "opened a held file";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Error while open " + path);
  }
  // A rewrite while the file is held fails too, and leaves the file alone.
  EXPECT_THROW(platform::DefaultTextFiles().ReplaceWhole(path, "x"), EOSError);
  EXPECT_EQ(holder.ExitCode(), 0u);
  EXPECT_EQ(platform::DefaultTextFiles().ReadWhole(path).Bytes, "[S]\r\nV=00000003\r\n");
  for (const std::string& name : folder.Names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

}  // namespace
}  // namespace vk
