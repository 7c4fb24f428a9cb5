// A stand-in for the main program's start-up in the dialog tests, run as a
// process of its own over a folder's vorkel.cfg:
//
// DialogsHost prompt <folder> <title>: the password prompt as start-up shows
//   it; ends with 3 when the password was rejected, 0 when accepted.
// DialogsHost about <folder> <title>: a main window (answering 1889) and the
//   about window, whose making starts the version check; the message loop
//   runs until the main window is asked to close; ends with 0.

#include <windows.h>

#include <string>

#include "Gui/Application.h"
#include "Platform/win32/Utf16.h"
#include "Source/AboutForm.h"
#include "Source/AppSelect.h"
#include "Source/PasswordForm.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxForm.h"

namespace {

constexpr int kRejected = 3;

class TMainFormStore : public vk::gui::TForm {
 public:
  std::string ClassName() const override { return "TMainFormStore"; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case vk::WM_ACTIVATEINSTANCE: return vk::HandleActivateRequest();
      case vk::WM_CLOSEINSTANCE: vk::TerminateInstance(); return 0;
    }
    return TForm::WndProc(message, wParam, lParam);
  }
};

int Prompt() {
  using vk::gui::Application;
  auto* prompt = Application.CreateForm<vk::TFormPass>();
  Application.CreateForm<vk::TFormMessageBox>();
  bool rejected = prompt->PasswordRejected();
  Application.FreeForm(prompt);
  return rejected ? kRejected : 0;
}

int About() {
  using vk::gui::Application;
  auto* main = Application.CreateForm<TMainFormStore>();
  main->SetCaption(vk::ProgramTitle);
  auto* about = Application.CreateForm<vk::TFormAbout>();
  Application.Run();
  // As start-up ends: the windows go before the settings they use.
  Application.FreeForm(about);
  Application.FreeForm(main);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  std::wstring mode = argv[1];
  std::string folder = vk::platform::WideToUtf8(argv[2]);
  vk::ProgramTitle = vk::platform::WideToUtf8(argv[3]);
  vk::CreateProgOptions(std::make_unique<vk::TProgOptions>(folder + "\\vorkel.cfg", vk::kUninstallKeyName));
  vk::CreateProgPass();
  vk::LoadEnglishTexts();
  vk::gui::Application.Initialize();
  vk::gui::Application.SetTitle(vk::ProgramTitle);
  int result = mode == L"prompt" ? Prompt() : About();
  return result;
}
