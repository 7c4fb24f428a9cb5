// The password prompt as start-up shows it, in a process of its own: another
// process finds it as a running instance, brings it to the front with 1888
// and ends the program with 1889.
#include <gtest/gtest.h>
#include <windows.h>

#include "DialogsTestSupport.h"
#include "Platform/win32/UniqueHandle.h"
#include "Source/AppSelect.h"
#include "Tools/Security/Password.h"

namespace vk::test {
namespace {

constexpr DWORD kRejected = 3;

TEST(PromptProcess, AnotherProcessFindsThePromptAndEndsIt) {
  ScratchDir dir;
  {
    SettingsScope settings(dir);
    TPass pass(&ProgOptions());
    ASSERT_TRUE(pass.SetPassword("secret"));
  }
  std::string title = "Vorkel - C:\\PromptTest" + std::to_string(GetCurrentProcessId());
  platform::UniqueKernelHandle process = StartDialogsHost("prompt", dir, title);
  ASSERT_TRUE(process);

  HWND prompt = nullptr;
  for (int i = 0; i < 200 && !(prompt && IsWindowVisible(prompt)); ++i) {
    prompt = FindRunningInstance(title, "TApplication", {"TMainFormStore", "TFormPass"});
    Sleep(50);
  }
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(gui::test::ClassNameOf(prompt), L"TFormPass");
  EXPECT_EQ(gui::test::TextOf(prompt), L"Warehouse log in");
  // 1888: the open prompt itself is the window to bring to the front.
  auto answer = SendMessageTimeoutW(prompt, WM_ACTIVATEINSTANCE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  EXPECT_NE(answer, 0);
  EXPECT_TRUE(ActivateRunningInstance(prompt));
  // 1889: the program ends, the password rejected.
  ASSERT_TRUE(RequestInstanceClose(prompt).has_value());
  DWORD wait = WaitForSingleObject(process.Get(), 5000);
  if (wait != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
  ASSERT_EQ(wait, WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  EXPECT_EQ(code, kRejected);
}

}  // namespace
}  // namespace vk::test
