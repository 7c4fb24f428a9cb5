#include "vkSetup/RunningProgram.h"

#include "Source/AppSelectRules.h"
#include "vkSetup/InstallPath.h"

namespace vk::setup {

bool CloseRunningProgram(TRunningPrograms& programs, const std::string& folder) {
  std::string title = MakeProgramTitle(ExcludeTrailingDelimiter(folder));
  std::optional<TRunningProgram> running = programs.FindRunningProgram(title);
  if (!running) return true;
  std::uint32_t processId = running->ProcessId;
  for (int request = 0; running && request < kCloseRequests; ++request) {
    programs.RequestClose(*running);
    programs.Sleep(kCloseRequestPause);
    running = programs.FindRunningProgram(title);
  }
  // Its window gone, the program may still be closing its files: they can be
  // replaced or removed only once the process has ended.
  return !running && programs.WaitForProcessEnd(processId, kProcessEndWait);
}

}  // namespace vk::setup
