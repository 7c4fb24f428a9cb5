#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "tests/Platform/ChildProcess.h"

namespace vk::platform::test {
namespace {

class PosixProgram final : public TestProgram {
 public:
  explicit PosixProgram(pid_t pid) : pid_(pid) {}
  ~PosixProgram() override {
    if (pid_ > 0) Kill();
  }

  int Wait() override {
    if (pid_ <= 0) return status_;
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0) {
      if (errno != EINTR) {
        pid_ = 0;
        return status_ = -1;
      }
    }
    pid_ = 0;
    status_ = WIFEXITED(status) && WEXITSTATUS(status) != 127 ? WEXITSTATUS(status) : -1;
    return status_;
  }

  void Kill() override {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    Wait();
  }

 private:
  pid_t pid_;
  int status_ = -1;
};

}  // namespace

std::unique_ptr<TestProgram> TestProgram::Start(const std::string& name, const std::vector<std::string>& arguments) {
  std::string program = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
  std::vector<char*> argv;
  argv.push_back(program.data());
  std::vector<std::string> copies = arguments;
  for (auto& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_t child = ::fork();
  if (child < 0) return nullptr;
  if (child == 0) {
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  return std::make_unique<PosixProgram>(child);
}

int RunTestProgram(const std::string& name, const std::vector<std::string>& arguments) {
  std::unique_ptr<TestProgram> program = TestProgram::Start(name, arguments);
  return program ? program->Wait() : -1;
}

}  // namespace vk::platform::test
