#pragma once
// Starting a program the way the setup starts the installed one. Windows only.

#include <string>

namespace vk::setup {

// Starts the program with the command line "<path in quotes> <parameters>",
// in the setup's own environment and folder, shown normally. With wait set,
// waits until it has ended. False when it could not be started.
bool ExecProgram(const std::string& path, const std::string& parameters, bool wait);

}  // namespace vk::setup
