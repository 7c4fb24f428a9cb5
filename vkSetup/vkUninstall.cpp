// The uninstaller's entry: one uninstaller at a time, its window, and the
// removal of its own file and folder once the window has closed after a
// complete uninstall.

#include <windows.h>

#include "Gui/Application.h"
#include "Platform/win32/UniqueHandle.h"
#include "Tools/Service/ShellFolders.h"
#include "vkSetup/FormUninstall.h"
#include "vkSetup/SelfRemovalWin32.h"

namespace {

using vk::gui::Application;

constexpr wchar_t kUninstallMutexName[] = L"vkUninstallStopSecondStart";

bool RunWindow() {
  // COM for the shell's folders and its file operations.
  vk::ComScope com;
  Application.Initialize();
  auto* form = Application.CreateForm<vk::setup::TMainUninstForm>();
  Application.Run();
  return form->SelfRemovalArmed();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  bool selfRemoval = false;
  {
    vk::platform::UniqueKernelHandle mutex(
        CreateMutexW(/*security=*/nullptr, /*initialOwner=*/FALSE, kUninstallMutexName));
    // Another uninstaller owns the mutex: this one shows nothing and ends.
    if (mutex && WaitForSingleObject(mutex.Get(), 0) == WAIT_TIMEOUT) return 0;
    try {
      selfRemoval = RunWindow();
    } catch (const std::exception& error) {
      Application.ShowException(error);
    }
  }
  if (selfRemoval) vk::setup::StartSelfRemoval(vk::setup::OwnSelfRemovalCommand());
  return 0;
}
