#include "vkSetup/Exec.h"

#include <windows.h>

#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

namespace vk::setup {

bool ExecProgram(const std::string& path, const std::string& parameters, bool wait) {
  std::wstring application = platform::Utf8ToWide(path);
  std::wstring commandLine = L"\"" + application + L"\" " + platform::Utf8ToWide(parameters);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.c_str(), commandLine.data(), /*processSecurity=*/nullptr,
                      /*threadSecurity=*/nullptr, /*inheritHandles=*/FALSE, NORMAL_PRIORITY_CLASS,
                      /*environment=*/nullptr, /*currentDirectory=*/nullptr, &startup, &process)) {
    return false;
  }
  platform::UniqueKernelHandle processHandle(process.hProcess);
  platform::UniqueKernelHandle threadHandle(process.hThread);
  if (wait) {
    WaitForInputIdle(processHandle.Get(), INFINITE);
    WaitForSingleObject(processHandle.Get(), INFINITE);
  }
  return true;
}

}  // namespace vk::setup
