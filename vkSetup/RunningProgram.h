#pragma once
// The main program running from an installation folder, as the setup and the
// uninstaller see it: found by the instance search, asked to end with window
// message 1889, and waited for until its process has ended, so that its files
// can be replaced or removed. Portable: the machine's side is an interface.

#include <cstdint>
#include <optional>
#include <string>

namespace vk::setup {

inline constexpr int kCloseRequests = 20;
inline constexpr int kCloseRequestPause = 100;  // ms
inline constexpr int kProcessEndWait = 10000;   // ms, after its window is gone

struct TRunningProgram {
  std::uintptr_t Window = 0;
  std::uint32_t ProcessId = 0;
};

class TRunningPrograms {
 public:
  virtual ~TRunningPrograms() = default;
  // The running main program whose title is the given one, if any.
  virtual std::optional<TRunningProgram> FindRunningProgram(const std::string& title) = 0;
  // Asks it to end (message 1889); a hung window is not waited for long.
  virtual void RequestClose(const TRunningProgram& program) = 0;
  // True when the process has ended (or no longer exists) within the time.
  virtual bool WaitForProcessEnd(std::uint32_t processId, int milliseconds) = 0;
  virtual void Sleep(int milliseconds) = 0;
};

// Asks the main program running from the folder to end, up to kCloseRequests
// times kCloseRequestPause apart, and then waits for its process. True when
// no main program of the folder runs any more (also when none ran).
bool CloseRunningProgram(TRunningPrograms& programs, const std::string& folder);

}  // namespace vk::setup
