#pragma once
// The install steps' machine on Windows: the instance search and messages,
// the disk, the setup program's own resources and version, the shell's
// folders and links. Windows only.

#include "vkSetup/InstallSteps.h"
#include "vkSetup/RunningProgramWin32.h"

namespace vk::setup {

class TWin32InstallSystem final : public TInstallSystem {
 public:
  std::optional<TRunningProgram> FindRunningProgram(const std::string& title) override;
  void RequestClose(const TRunningProgram& program) override;
  bool WaitForProcessEnd(std::uint32_t processId, int milliseconds) override;
  std::int64_t DiskFree(const std::string& drive) override;
  std::optional<std::string_view> Resource(const std::string& type, const std::string& name) override;
  std::string ProductVersion() override;
  std::string TodayText() override;
  bool KeyboardEnhanced() override;
  std::string ProgramsFolder() override;
  std::string DesktopFolder() override;
  bool CreateShellLink(const TShellLinkSpec& link) override;
  void NotifyAssociationsChanged() override;
  void Sleep(int milliseconds) override;

 private:
  TWin32RunningPrograms programs_;
};

}  // namespace vk::setup
