#pragma once
// Starts another program of the test folder, so a test can see how a second
// process meets a file this one holds, or stop it dead at a moment of its
// choosing as a crash would.

#include <memory>
#include <string>
#include <vector>

namespace vk::platform::test {

// A program of the test folder, running.
class TestProgram {
 public:
  // Starts the program `name` (no extension) that lies beside the running
  // test with the given arguments; nothing when it did not start.
  static std::unique_ptr<TestProgram> Start(const std::string& name, const std::vector<std::string>& arguments);

  virtual ~TestProgram() = default;
  // Waits for its end: its exit code, or -1 when it did not end normally.
  virtual int Wait() = 0;
  // Ends it at once, wherever it is, as a crash does (posix SIGKILL, win32
  // TerminateProcess: no clean-up of its own runs; what it wrote stays in
  // the system's cache), and waits until it is gone.
  virtual void Kill() = 0;
};

// Runs the program to its end; its exit code, or -1 when it did not run.
int RunTestProgram(const std::string& name, const std::vector<std::string>& arguments);

}  // namespace vk::platform::test
