#include "vkSetup/InstallSystemWin32.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdio>

#include "Gui/Picture.h"
#include "Platform/VersionResource.h"
#include "Platform/win32/Utf16.h"
#include "Tools/Service/Version.h"
#include "vkSetup/DeskLink.h"

namespace vk::setup {

std::optional<TRunningProgram> TWin32InstallSystem::FindRunningProgram(const std::string& title) {
  return programs_.FindRunningProgram(title);
}

void TWin32InstallSystem::RequestClose(const TRunningProgram& program) { programs_.RequestClose(program); }

bool TWin32InstallSystem::WaitForProcessEnd(std::uint32_t processId, int milliseconds) {
  return programs_.WaitForProcessEnd(processId, milliseconds);
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

void TWin32InstallSystem::Sleep(int milliseconds) { programs_.Sleep(milliseconds); }

}  // namespace vk::setup
