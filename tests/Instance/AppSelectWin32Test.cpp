// Two processes: the test and a stand-in for a running main program
// (InstanceHost), which the test finds, activates and closes through the
// instance search and the instance messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"
#include "Source/AppSelect.h"

namespace vk::test {
namespace {

constexpr int kEndedByRequest = 7;
constexpr UINT kHang = WM_APP + 1;
const std::vector<std::string> kFormClasses = {"TMainFormStore", "TFormPass"};

std::wstring TestFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring full(path, n);
  return full.substr(0, full.find_last_of(L"\\/") + 1);
}

// A title of this test process's own, so that nothing else running is found.
std::string UniqueTitle(const std::string& folder = "Vorkel") {
  return MakeProgramTitle("C:\\InstanceTest" + std::to_string(GetCurrentProcessId()) + "\\" + folder);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

class Host {
 public:
  explicit Host(const std::string& title, bool modal = false) {
    std::wstring program = TestFolder() + L"InstanceHost.exe";
    std::wstring commandLine = L"\"" + program + L"\" \"" + platform::Utf8ToWide(title) + L"\"";
    if (modal) commandLine += L" modal";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
      process_.Reset(info.hProcess);
      CloseHandle(info.hThread);
      id_ = info.dwProcessId;
    }
  }
  ~Host() {
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.Get(), 1);
  }
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  bool Started() const { return process_.Valid(); }
  DWORD Id() const { return id_; }
  // The exit code once the process ended within the time; nothing otherwise.
  std::optional<DWORD> WaitForExit(DWORD milliseconds) {
    if (WaitForSingleObject(process_.Get(), milliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
  }

 private:
  platform::UniqueKernelHandle process_;
  DWORD id_ = 0;
};

// Searches until the program shows up (it needs a moment to start).
HWND WaitForInstance(const std::string& title) {
  for (int i = 0; i < 400; ++i) {
    if (HWND found = FindRunningInstance(title, "TApplication", kFormClasses)) return found;
    Sleep(50);
  }
  return nullptr;
}

std::optional<LRESULT> Answer(HWND window, UINT message) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return std::nullopt;
  return static_cast<LRESULT>(answer);
}

TEST(InstanceSearch, FindsTheOtherProgramsMainWindowByClassAndTitleAndClosesIt) {
  std::string title = UniqueTitle();
  Host host(title);
  ASSERT_TRUE(host.Started());
  HWND found = WaitForInstance(title);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(ClassOf(found), L"TMainFormStore");
  DWORD process = 0;
  GetWindowThreadProcessId(found, &process);
  EXPECT_EQ(process, host.Id());

  struct Case {
    std::string sought;
    HWND expected;
  } cases[] = {
      {title, found},
      {"VORKEL - c:\\INSTANCETEST" + std::to_string(GetCurrentProcessId()) + "\\vorkel", found},
      {title + "2", nullptr},
      {title.substr(0, title.size() - 1), nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindRunningInstance(c.sought, "TApplication", kFormClasses), c.expected) << c.sought;
  }
  EXPECT_EQ(FindRunningInstance(title, "TApplication", {"TFormStat"}), nullptr);

  // Without a dialog the main window itself is to come to the front.
  EXPECT_EQ(Answer(found, WM_ACTIVATEINSTANCE), reinterpret_cast<LRESULT>(found));
  EXPECT_TRUE(ActivateRunningInstance(found));

  EXPECT_EQ(RequestInstanceClose(found), LRESULT{0});
  EXPECT_EQ(host.WaitForExit(20000), DWORD{kEndedByRequest});
}

TEST(InstanceSearch, AnotherFoldersProgramIsNeverFound) {
  std::string title = UniqueTitle();
  Host other(UniqueTitle("Vorkel2"));
  ASSERT_TRUE(other.Started());
  HWND otherWindow = WaitForInstance(UniqueTitle("Vorkel2"));
  ASSERT_NE(otherWindow, nullptr);
  EXPECT_EQ(FindRunningInstance(title, "TApplication", kFormClasses), nullptr);
  EXPECT_EQ(RequestInstanceClose(otherWindow), LRESULT{0});
  EXPECT_EQ(other.WaitForExit(20000), DWORD{kEndedByRequest});
}

TEST(InstanceSearch, ActivationAnswersTheOpenModalDialog) {
  std::string title = UniqueTitle();
  Host host(title, /*modal=*/true);
  ASSERT_TRUE(host.Started());
  HWND found = WaitForInstance(title);
  ASSERT_NE(found, nullptr);
  // The dialog opens just after the main window.
  HWND dialog = nullptr;
  for (int i = 0; i < 200 && !dialog; ++i) {
    std::optional<LRESULT> answer = Answer(found, WM_ACTIVATEINSTANCE);
    ASSERT_TRUE(answer.has_value());
    if (*answer && ClassOf(reinterpret_cast<HWND>(*answer)) == L"TFormStat") dialog = reinterpret_cast<HWND>(*answer);
    if (!dialog) Sleep(50);
  }
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_FALSE(IsWindowEnabled(found));
  EXPECT_TRUE(ActivateRunningInstance(found));
  // Closing ends the dialog's loop and the program.
  EXPECT_EQ(RequestInstanceClose(found), LRESULT{0});
  EXPECT_EQ(host.WaitForExit(20000), DWORD{kEndedByRequest});
}

TEST(InstanceSearch, SenderGivesUpOnAHungWindow) {
  std::string title = UniqueTitle();
  Host host(title);
  ASSERT_TRUE(host.Started());
  HWND found = WaitForInstance(title);
  ASSERT_NE(found, nullptr);
  PostMessageW(found, kHang, 0, 0);
  Sleep(200);  // the other program is now inside its two seconds of sleep
  EXPECT_FALSE(ActivateRunningInstance(found, /*timeout=*/300));
  EXPECT_EQ(RequestInstanceClose(found, /*timeout=*/300), std::nullopt);
  // Awake again, it still answers (a late close request may already end it).
  std::optional<DWORD> code = host.WaitForExit(5000);
  if (!code) {
    EXPECT_EQ(RequestInstanceClose(found), LRESULT{0});
    code = host.WaitForExit(20000);
  }
  EXPECT_EQ(code, DWORD{kEndedByRequest});
}

}  // namespace
}  // namespace vk::test
