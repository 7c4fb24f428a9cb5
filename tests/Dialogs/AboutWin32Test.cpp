// The about window and the monthly version check against a real HTTP server
// on 127.0.0.1 (Debian's python3, started and stopped here): what a reply
// writes into vorkel.cfg, what the window shows, when nothing is asked, and
// how long a server that never answers can hold the program's end.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <psapi.h>

#include <algorithm>
#include <cmath>

#include "DialogsTestSupport.h"
#include "Platform/Clock.h"
#include "Platform/win32/UniqueHandle.h"
#include "Source/AboutForm.h"
#include "Source/AppSelect.h"
#include "Tools/Service/CardinalDate.h"
#include "Tools/Service/TextConst.h"
#include "Tools/Service/VersionTest.h"

namespace vk::test {
namespace {

using gui::MakeForm;
using gui::test::PostKey;
using gui::test::PumpUntil;

std::string Hex8(uint32_t value) {
  char text[9];
  snprintf(text, sizeof text, "%08X", value);
  return text;
}

// The process's private memory (Wine leaves PrivateUsage at 0).
SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;
}

std::string ServerCfg(const VersionServer& server, const std::string& more = "") {
  return "[Updates]\r\nVersionServer=" + server.Address() + "\r\n" + more;
}

class AboutTest : public ModalTest {
 protected:
  void SetUp() override {
    ModalTest::SetUp();
    LoadEnglishTexts();
  }
  // Makes the about window over the folder's settings and waits for the
  // check it starts (if any) to report.
  gui::FormPtr<TFormAbout> MakeAbout(const std::function<void()>& whileWaiting = [] {}) {
    auto about = MakeForm<TFormAbout>();
    about->HandleNeeded();
    if (about->VersionCheckStarted()) {
      EXPECT_TRUE(PumpUntil(
          [&] {
            whileWaiting();
            return about->VersionCheckDone();
          },
          20000));
    }
    return about;
  }
  ScratchDir dir;
};

TEST_F(AboutTest, ANewerVersionIsStoredAndNotedInTheWindow) {
  VersionServer server(dir, "newer");
  ASSERT_TRUE(server.Started());
  dir.Write("vorkel.cfg", ServerCfg(server));
  SettingsScope settings(dir);
  auto about = MakeAbout();
  EXPECT_EQ(server.Requests().rfind("/download/store.ver?ver=1.43&win=", 0), 0u) << server.Requests();
  EXPECT_NE(server.Requests().find("&acp="), std::string::npos);
  EXPECT_EQ(ProgOptions().GetLastVersion(), "9.9.9");
  EXPECT_EQ(std::trunc(ProgOptions().GetTestDate()), std::trunc(platform::Now()));
  EXPECT_NE(dir.Read("vorkel.cfg").find("LastVersion=9.9.9"), std::string::npos);
  EXPECT_TRUE(about->NewVersionFlag());
  WhenShowing([&] {
    EXPECT_EQ(about->LbNewVersion.Caption(), "<< new version");
    EXPECT_EQ(about->LbVersion.Caption(), "Version 1.43");
    EXPECT_EQ(about->LbCopyright.Caption(), "Copyright (C) 2026 Halvern");
    EXPECT_EQ(about->LbMail.Caption(), "support@vorkel.example");
    EXPECT_TRUE(SaveWindowScreenshot(about->Handle(), ArtifactPath("FormAbout-new-version-en.bmp")));
    PostKey(about->BtnOK.Handle(), VK_ESCAPE);
  });
  EXPECT_EQ(about->ShowModal(), gui::mrOk);
  EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(AboutTest, OurOwnVersionUpdatesTheDateOnly) {
  VersionServer server(dir, "same");
  ASSERT_TRUE(server.Started());
  dir.Write("vorkel.cfg", ServerCfg(server, "TestDate=" + Hex8(DateToCardinal(45000)) + "\r\n"));
  SettingsScope settings(dir);
  auto about = MakeAbout();
  EXPECT_EQ(std::trunc(ProgOptions().GetTestDate()), std::trunc(platform::Now()));
  EXPECT_EQ(dir.Read("vorkel.cfg").find("LastVersion"), std::string::npos);
  EXPECT_FALSE(about->NewVersionFlag());
}

// The held replies (endless header lines, silence, a byte every three
// seconds, an endless chunked body, a redirect) end within the check's ten
// seconds and few KiB: the memory stays where it was and the server sees the
// connection closed.
TEST_F(AboutTest, EveryHostileReplyLeavesTheSettingsFileAsItWas) {
  for (const std::string mode :
       {"notfound", "html", "twolines", "megabyte", "empty", "headers", "silence", "trickle", "chunked", "redirect"}) {
    SCOPED_TRACE(mode);
    ScratchDir run;
    VersionServer server(run, mode);
    ASSERT_TRUE(server.Started());
    const std::string cfg = ServerCfg(server, "LastVersion=1.43\r\n");
    run.Write("vorkel.cfg", cfg);
    const SIZE_T before = PrivateBytes();
    SIZE_T most = before;
    const ULONGLONG started = GetTickCount64();
    {
      SettingsScope settings(run);
      auto about = MakeAbout([&] { most = std::max(most, PrivateBytes()); });
      EXPECT_TRUE(about->VersionCheckDone());
      EXPECT_FALSE(about->NewVersionFlag());
    }
    const ULONGLONG took = GetTickCount64() - started;
    EXPECT_LT(took, kVersionCheckTimeoutMs + 1500);
    EXPECT_LT(most - before, SIZE_T{4} << 20);
    const bool held = server.Holds();
    if (held) {
      EXPECT_TRUE(PumpUntil([&] { return !server.Connections().empty(); }, 3000));
    }
    std::printf("%-9s %5llu ms, %+6lld KiB, %s", mode.c_str(), took,
                (static_cast<long long>(most) - static_cast<long long>(before)) / 1024,
                held ? server.Connections().c_str() : "answered\n");
    if (held) {
      EXPECT_EQ(server.Connections().rfind(mode + " closed after ", 0), 0u) << server.Connections();
    }
    EXPECT_NE(server.Requests().find("/download/store.ver?"), std::string::npos);
    EXPECT_EQ(run.Read("vorkel.cfg"), cfg);
  }
}

TEST_F(AboutTest, ARecentCheckAsksNothing) {
  VersionServer server(dir, "newer");
  ASSERT_TRUE(server.Started());
  TDateTime lastWeek = std::trunc(platform::Now()) - 7;
  const std::string cfg = ServerCfg(server, "TestDate=" + Hex8(DateToCardinal(lastWeek)) + "\r\n");
  dir.Write("vorkel.cfg", cfg);
  SettingsScope settings(dir);
  auto about = MakeAbout();
  EXPECT_FALSE(about->VersionCheckStarted());
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(server.Requests(), "");
  EXPECT_EQ(dir.Read("vorkel.cfg"), cfg);
}

// The program's end while the server holds the request unanswered.
TEST(AboutExit, AStalledCheckDelaysTheEndByLessThanTwoSeconds) {
  ScratchDir dir;
  VersionServer server(dir, "stall");
  ASSERT_TRUE(server.Started());
  const std::string cfg = ServerCfg(server);
  dir.Write("vorkel.cfg", cfg);
  std::string title = "Vorkel - C:\\AboutExit" + std::to_string(GetCurrentProcessId());
  platform::UniqueKernelHandle process = StartDialogsHost("about", dir, title);
  ASSERT_TRUE(process);
  for (int i = 0; i < 200 && server.Requests().empty(); ++i) Sleep(50);
  ASSERT_FALSE(server.Requests().empty()) << "the check never reached the server";
  HWND main = nullptr;
  for (int i = 0; i < 100 && !main; ++i) {
    main = FindRunningInstance(title, "TApplication", {"TMainFormStore"});
    if (!main) Sleep(50);
  }
  ASSERT_NE(main, nullptr);
  Sleep(300);  // the request is well inside the network calls now
  ULONGLONG asked = GetTickCount64();
  ASSERT_TRUE(RequestInstanceClose(main).has_value());
  DWORD wait = WaitForSingleObject(process.Get(), 10000);
  ULONGLONG took = GetTickCount64() - asked;
  if (wait != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
  ASSERT_EQ(wait, WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.Get(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_LT(took, 2200u);
  RecordProperty("ExitMilliseconds", static_cast<int>(took));
  std::printf("exit took %llu ms with the check stalled\n", took);
  EXPECT_EQ(dir.Read("vorkel.cfg"), cfg);
}

}  // namespace
}  // namespace vk::test
