#include <string>

#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"
#include "tests/Platform/ChildProcess.h"

namespace vk::platform::test {
namespace {

std::wstring TestFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(/*module=*/nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return L"";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// Arguments here are paths and words without quotes. Backslashes at the end
// are doubled, or the closing quote would count as an escaped one (a folder
// path such as "C:\data\").
std::wstring Quoted(const std::wstring& text) {
  const size_t kept = text.find_last_not_of(L'\\') + 1;
  return L"\"" + text + std::wstring(text.size() - kept, L'\\') + L"\"";
}

constexpr UINT kKilledExitCode = 137;

class Win32Program final : public TestProgram {
 public:
  Win32Program(HANDLE process, HANDLE thread) : process_(process), thread_(thread) {}
  ~Win32Program() override {
    if (!ended_) Kill();
  }

  int Wait() override {
    if (!ended_) {
      if (WaitForSingleObject(process_.Get(), INFINITE) != WAIT_OBJECT_0) return -1;
      ended_ = true;
      DWORD code = 0;
      code_ = GetExitCodeProcess(process_.Get(), &code) && !killed_ ? static_cast<int>(code) : -1;
    }
    return code_;
  }

  void Kill() override {
    if (ended_) return;
    killed_ = TerminateProcess(process_.Get(), kKilledExitCode) != 0;
    Wait();
  }

 private:
  UniqueKernelHandle process_;
  UniqueKernelHandle thread_;
  bool ended_ = false;
  bool killed_ = false;
  int code_ = -1;
};

}  // namespace

std::unique_ptr<TestProgram> TestProgram::Start(const std::string& name, const std::vector<std::string>& arguments) {
  std::wstring program = TestFolder() + Utf8ToWide(name) + L".exe";
  std::wstring commandLine = Quoted(program);
  for (const auto& argument : arguments) commandLine += L" " + Quoted(Utf8ToWide(argument));

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), /*processSecurity=*/nullptr, /*threadSecurity=*/nullptr,
                      /*inheritHandles=*/FALSE, /*flags=*/0, /*environment=*/nullptr, /*directory=*/nullptr, &startup,
                      &info)) {
    return nullptr;
  }
  return std::make_unique<Win32Program>(info.hProcess, info.hThread);
}

int RunTestProgram(const std::string& name, const std::vector<std::string>& arguments) {
  std::unique_ptr<TestProgram> program = TestProgram::Start(name, arguments);
  return program ? program->Wait() : -1;
}

}  // namespace vk::platform::test
