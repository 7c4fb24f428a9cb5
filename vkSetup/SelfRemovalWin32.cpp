#include "vkSetup/SelfRemovalWin32.h"

#include <windows.h>

#include "Platform/VersionResource.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

namespace vk::setup {

namespace {

// Takes any callable, so the system's own functions (their calling
// convention differs on 32-bit Windows) and local ones both fit.
template <typename Query>
std::string SystemText(Query query) {
  wchar_t text[MAX_PATH + 1] = {};
  UINT length = query(text, MAX_PATH + 1);
  return length == 0 || length > MAX_PATH ? std::string() : platform::WideToUtf8(text);
}

UINT TempFolder(wchar_t* buffer, UINT size) { return GetTempPathW(size, buffer); }

std::string Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH + 1] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
  return length == 0 || length > MAX_PATH ? std::string() : platform::WideToUtf8(value);
}

}  // namespace

TSelfRemovalCommand OwnSelfRemovalCommand() {
  return SelfRemovalCommand(platform::RunningProgramFile(), Variable(L"ComSpec"), SystemText(GetSystemDirectoryW),
                            {SystemText(TempFolder), SystemText(GetWindowsDirectoryW)});
}

bool StartSelfRemoval(const TSelfRemovalCommand& command) {
  // The command reads the paths from its environment, inherited from ours.
  for (const auto& [name, value] : command.Environment) {
    if (!SetEnvironmentVariableW(platform::Utf8ToWide(name).c_str(), platform::Utf8ToWide(value).c_str())) {
      return false;
    }
  }
  std::wstring program = platform::Utf8ToWide(command.Program);
  std::wstring commandLine = L"\"" + program + L"\" " + platform::Utf8ToWide(command.Parameters);
  std::wstring workFolder = platform::Utf8ToWide(command.WorkFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), /*processSecurity=*/nullptr, /*threadSecurity=*/nullptr,
                      /*inheritHandles=*/FALSE, CREATE_NO_WINDOW, /*environment=*/nullptr, workFolder.c_str(), &startup,
                      &process)) {
    return false;
  }
  platform::UniqueKernelHandle processHandle(process.hProcess);
  platform::UniqueKernelHandle threadHandle(process.hThread);
  return true;
}

}  // namespace vk::setup
