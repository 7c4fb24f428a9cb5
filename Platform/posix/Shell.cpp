#include "Platform/Shell.h"

namespace vk::platform {

// The shell's "no application is associated" number.
int ShellOpen(const std::string&) { return 31; }

int ShellOpenWith(const std::string&, const std::string&) { return 31; }

}  // namespace vk::platform
