#pragma once
// Special folders and shell links (shortcuts) through COM. Windows only; COM
// must be initialized on the calling thread.

#include <string>

#include "vkSetup/InstallSteps.h"

namespace vk::setup {

// The special folder (a CSIDL) with a trailing delimiter, made when missing
// and create is set; empty when the system does not know it.
std::string GetSpecialFolder(int csidl, bool create = true);
std::string GetProgramsFolder(bool create = true);
std::string GetDesktopFolder(bool create = true);

// Writes the shortcut file; true only when every call of the shell link
// object succeeded.
bool CreateShellLink(const TShellLinkSpec& link);

// What a shortcut file holds, read back through the shell link object.
struct TShellLinkRead {
  std::string Target;
  std::string Arguments;
  std::string Description;
  std::string WorkingDirectory;
};
// Nothing when the file is no shortcut the shell can load.
bool ReadShellLink(const std::string& linkPath, TShellLinkRead& out);

}  // namespace vk::setup
