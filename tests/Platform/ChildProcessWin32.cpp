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

// Arguments here are paths and words without quotes, so plain quoting is enough.
std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

int RunTestProgram(const std::string& name, const std::vector<std::string>& arguments) {
  std::wstring program = TestFolder() + Utf8ToWide(name) + L".exe";
  std::wstring commandLine = Quoted(program);
  for (const auto& argument : arguments) commandLine += L" " + Quoted(Utf8ToWide(argument));

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), /*processSecurity=*/nullptr, /*threadSecurity=*/nullptr,
                      /*inheritHandles=*/FALSE, /*flags=*/0, /*environment=*/nullptr, /*directory=*/nullptr, &startup,
                      &info)) {
    return -1;
  }
  UniqueKernelHandle process(info.hProcess);
  UniqueKernelHandle thread(info.hThread);
  if (WaitForSingleObject(process.Get(), INFINITE) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  if (!GetExitCodeProcess(process.Get(), &code)) return -1;
  return static_cast<int>(code);
}

}  // namespace vk::platform::test
