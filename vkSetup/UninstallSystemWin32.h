#pragma once
// The uninstaller's machine on Windows: the shell's folders, looked up
// without making them, and its Recycle Bin. Windows only.

#include "vkSetup/UninstallSteps.h"

namespace vk::setup {

class TWin32UninstallSystem final : public TUninstallSystem {
 public:
  std::string ProgramsFolder() override;
  std::string DesktopFolder() override;
  bool RecycleFolder(const std::string& path) override;
};

}  // namespace vk::setup
