#include "vkSetup/InstallSystemWin32.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdio>

#include "Gui/Picture.h"
#include "Platform/VersionResource.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"
#include "Source/AppSelect.h"
#include "Tools/Service/Version.h"
#include "vkSetup/DeskLink.h"

namespace vk::setup {

namespace {

// A main program busy with something else gets this long to take the request.
constexpr DWORD kCloseRequestTimeout = 2000;

}  // namespace

std::optional<TRunningProgram> TWin32InstallSystem::FindRunningProgram(const std::string& title) {
  HWND window = FindRunningInstance(title, "TApplication", {"TMainFormStore", "TFormPass"});
  if (!window) return std::nullopt;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return TRunningProgram{reinterpret_cast<std::uintptr_t>(window), processId};
}

void TWin32InstallSystem::RequestClose(const TRunningProgram& program) {
  RequestInstanceClose(reinterpret_cast<HWND>(program.Window), kCloseRequestTimeout);
}

bool TWin32InstallSystem::WaitForProcessEnd(std::uint32_t processId, int milliseconds) {
  platform::UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  // A process that cannot be opened any more has ended.
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
  return WaitForSingleObject(process.Get(), static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
}

std::int64_t TWin32InstallSystem::DiskFree(const std::string& drive) {
  ULARGE_INTEGER available{};
  std::wstring root = platform::Utf8ToWide(drive + "\\");
  if (!GetDiskFreeSpaceExW(root.c_str(), &available, /*total=*/nullptr, /*totalFree=*/nullptr)) return -1;
  return static_cast<std::int64_t>(available.QuadPart);
}

std::optional<std::string_view> TWin32InstallSystem::Resource(const std::string& type, const std::string& name) {
  std::wstring wideType = platform::Utf8ToWide(type);
  std::wstring wideName = platform::Utf8ToWide(name);
  HMODULE module = GetModuleHandleW(nullptr);
  if (!FindResourceW(module, wideName.c_str(), wideType.c_str())) return std::nullopt;
  return gui::ProgramResource(wideType.c_str(), wideName.c_str());
}

std::string TWin32InstallSystem::ProductVersion() { return GetProductVersion(platform::RunningProgramFile()); }

std::string TWin32InstallSystem::TodayText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[16];
  std::snprintf(text, sizeof text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
  return text;
}

bool TWin32InstallSystem::KeyboardEnhanced() { return GetKeyboardType(0) == 4; }

std::string TWin32InstallSystem::ProgramsFolder() { return GetProgramsFolder(); }

std::string TWin32InstallSystem::DesktopFolder() { return GetDesktopFolder(); }

bool TWin32InstallSystem::CreateShellLink(const TShellLinkSpec& link) { return setup::CreateShellLink(link); }

void TWin32InstallSystem::NotifyAssociationsChanged() {
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void TWin32InstallSystem::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

}  // namespace vk::setup
