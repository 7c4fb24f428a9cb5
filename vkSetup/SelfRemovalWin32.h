#pragma once
// Starting the command that removes the uninstaller's file and folder once
// the uninstaller has ended. Windows only.

#include "vkSetup/SelfRemoval.h"

namespace vk::setup {

// The command for the running program's own file; its work folder is the
// system's temporary folder, else the Windows folder, outside the program's.
TSelfRemovalCommand OwnSelfRemovalCommand();

// Starts the command without a window and does not wait for it; false when
// it could not be started.
bool StartSelfRemoval(const TSelfRemovalCommand& command);

}  // namespace vk::setup
