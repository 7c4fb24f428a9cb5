#pragma once
// The running main program on Windows: the instance search by class and
// title, the close request and the wait for its process. Windows only.

#include <windows.h>

#include "vkSetup/RunningProgram.h"

namespace vk::setup {

class TWin32RunningPrograms final : public TRunningPrograms {
 public:
  // pumpMessages: while it waits, the calling thread's windows handle their
  // messages (they repaint, and a press of a close box or a button reaches
  // them now, while they can still refuse it, instead of afterwards).
  explicit TWin32RunningPrograms(bool pumpMessages = false) : pumpMessages_(pumpMessages) {}

  std::optional<TRunningProgram> FindRunningProgram(const std::string& title) override;
  void RequestClose(const TRunningProgram& program) override;
  bool WaitForProcessEnd(std::uint32_t processId, int milliseconds) override;
  void Sleep(int milliseconds) override;

 private:
  // Waits for the handle (none: only the time) and handles the thread's
  // messages meanwhile; true when the handle was signalled.
  bool PumpingWait(HANDLE handle, DWORD milliseconds);

  bool pumpMessages_;
};

}  // namespace vk::setup
