#include "vkSetup/UninstallSystemWin32.h"

#include "vkSetup/DeskLink.h"
#include "vkSetup/Recycle.h"

namespace vk::setup {

std::string TWin32UninstallSystem::ProgramsFolder() { return GetProgramsFolder(/*create=*/false); }

std::string TWin32UninstallSystem::DesktopFolder() { return GetDesktopFolder(/*create=*/false); }

bool TWin32UninstallSystem::RecycleFolder(const std::string& path) { return setup::RecycleFolder(path); }

}  // namespace vk::setup
