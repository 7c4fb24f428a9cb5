#pragma once
// Starts another program of the test folder and waits for it, so a test can
// see how a second process meets a file this one holds.

#include <string>
#include <vector>

namespace vk::platform::test {

// Runs the program `name` (no extension) that lies beside the running test
// with the given arguments; returns its exit code, or -1 when it did not run.
int RunTestProgram(const std::string& name, const std::vector<std::string>& arguments);

}  // namespace vk::platform::test
