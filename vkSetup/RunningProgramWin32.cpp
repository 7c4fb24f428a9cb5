#include "vkSetup/RunningProgramWin32.h"

#include <windows.h>

#include "Gui/Application.h"
#include "Platform/win32/UniqueHandle.h"
#include "Source/AppSelect.h"

namespace vk::setup {

namespace {

// A main program busy with something else gets this long to take the request.
constexpr DWORD kCloseRequestTimeout = 2000;

}  // namespace

std::optional<TRunningProgram> TWin32RunningPrograms::FindRunningProgram(const std::string& title) {
  HWND window = FindRunningInstance(title, "TApplication", {"TMainFormStore", "TFormPass"});
  if (!window) return std::nullopt;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return TRunningProgram{reinterpret_cast<std::uintptr_t>(window), processId};
}

void TWin32RunningPrograms::RequestClose(const TRunningProgram& program) {
  RequestInstanceClose(reinterpret_cast<HWND>(program.Window), kCloseRequestTimeout);
}

bool TWin32RunningPrograms::WaitForProcessEnd(std::uint32_t processId, int milliseconds) {
  platform::UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  // A process that cannot be opened any more has ended.
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
  if (pumpMessages_) return PumpingWait(process.Get(), static_cast<DWORD>(milliseconds));
  return WaitForSingleObject(process.Get(), static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
}

void TWin32RunningPrograms::Sleep(int milliseconds) {
  if (pumpMessages_) {
    PumpingWait(nullptr, static_cast<DWORD>(milliseconds));
  } else {
    ::Sleep(static_cast<DWORD>(milliseconds));
  }
}

bool TWin32RunningPrograms::PumpingWait(HANDLE handle, DWORD milliseconds) {
  DWORD start = GetTickCount();
  DWORD handles = handle ? 1 : 0;
  for (;;) {
    gui::Application.ProcessMessages();
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    DWORD result = MsgWaitForMultipleObjects(handles, &handle, /*waitAll=*/FALSE, milliseconds - elapsed, QS_ALLINPUT);
    if (handle && result == WAIT_OBJECT_0) return true;
  }
}

}  // namespace vk::setup
