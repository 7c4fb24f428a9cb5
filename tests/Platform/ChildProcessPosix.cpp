#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "tests/Platform/ChildProcess.h"

namespace vk::platform::test {

int RunTestProgram(const std::string& name, const std::vector<std::string>& arguments) {
  std::string program = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
  std::vector<char*> argv;
  argv.push_back(program.data());
  std::vector<std::string> copies = arguments;
  for (auto& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) return -1;
  return WEXITSTATUS(status);
}

}  // namespace vk::platform::test
