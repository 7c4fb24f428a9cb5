// The setup program's entry: one setup at a time, the wizard, and the start
// of the installed program once the wizard has closed.

#include <windows.h>

#include <optional>

#include "Core/SysUtils.h"
#include "Gui/Application.h"
#include "Platform/win32/UniqueHandle.h"
#include "Source/AppSelect.h"
#include "Tools/Service/ShellFolders.h"
#include "Tools/Service/WindowsVersion.h"
#include "vkSetup/Confirm.h"
#include "vkSetup/Exec.h"
#include "vkSetup/MainForm.h"

namespace {

using vk::gui::Application;

constexpr wchar_t kSetupMutexName[] = L"vkSetupStopSecondStart";
constexpr char kFirstStartParameter[] = "-first";
// The started program gets this long to show its window before it is asked
// to come to the front.
constexpr DWORD kActivationDelay = 500;

std::optional<vk::setup::TLaunchRequest> RunWizard() {
  // COM for the folder dialog, the shell links and the picture loader.
  vk::ComScope com;
  Application.Initialize();
  auto* wizard = Application.CreateForm<vk::setup::TMainFormSetup>();
  auto* confirm = Application.CreateForm<vk::setup::TConfirmForm>();
  wizard->SetConfirmForm(confirm);
  // Errors land in the wizard's bottom note; no box is shown.
  Application.OnException = [wizard](const std::exception& error) {
    const auto* own = dynamic_cast<const vk::Exception*>(&error);
    wizard->ShowError(std::string(error.what()) + " (" + (own ? own->ClassName() : "Exception") + ")");
  };
  Application.Run();
  return wizard->LaunchRequest();
}

void Launch(const vk::setup::TLaunchRequest& launch) {
  if (!vk::setup::ExecProgram(launch.ProgramPath, kFirstStartParameter, /*wait=*/false)) return;
  // Before Windows 8 a newly started program comes to the front by itself.
  if (vk::WindowsVersionClass() <= vk::kWin7) return;
  Sleep(kActivationDelay);
  HWND window = vk::FindRunningInstance(vk::MakeProgramTitle(launch.ProgramFolder), "TApplication",
                                        {"TMainFormStore", "TFormPass"});
  if (window) vk::ActivateRunningInstance(window);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  vk::platform::UniqueKernelHandle mutex(CreateMutexW(/*security=*/nullptr, /*initialOwner=*/FALSE, kSetupMutexName));
  // Another setup owns the mutex: this one shows nothing and ends.
  if (mutex && WaitForSingleObject(mutex.Get(), 0) == WAIT_TIMEOUT) return 0;
  std::optional<vk::setup::TLaunchRequest> launch;
  try {
    launch = RunWizard();
  } catch (const std::exception& error) {
    Application.ShowException(error);
  }
  if (launch) Launch(*launch);
  return 0;
}
