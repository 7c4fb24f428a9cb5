#pragma once
// The folder of the running program file, where the program keeps its
// settings and data.

#include <string>

namespace vk::platform {

// The folder with its trailing delimiter ("\" on Windows, "/" on posix).
// Raises EOSError when the system cannot say.
std::string ProgramFolder();

}  // namespace vk::platform
