#pragma once
// The running main program on Windows: the instance search by class and
// title, the close request and the wait for its process. Windows only.

#include "vkSetup/RunningProgram.h"

namespace vk::setup {

class TWin32RunningPrograms final : public TRunningPrograms {
 public:
  std::optional<TRunningProgram> FindRunningProgram(const std::string& title) override;
  void RequestClose(const TRunningProgram& program) override;
  bool WaitForProcessEnd(std::uint32_t processId, int milliseconds) override;
  void Sleep(int milliseconds) override;
};

}  // namespace vk::setup
