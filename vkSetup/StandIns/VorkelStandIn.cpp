// A TEST STAND-IN for the main program, carried by the setup program until
// the real Vorkel.exe is built: it looks like a running main program to the
// instance search (an application window titled "Vorkel - <folder>" and a
// main window of class TMainFormStore on its thread), answers the two
// instance messages, and shows a window of class TFormPass instead when its
// settings hold a password. Everything it sees goes to standin.log in its
// folder: "start <command line>", "password", "activate", "close". A file
// standin.hang in its folder makes it ignore the request to close.

#include <windows.h>

#include <cstdio>
#include <string>

#include "Gui/Application.h"
#include "Gui/StdCtrls.h"
#include "Platform/VersionResource.h"
#include "Platform/win32/Utf16.h"
#include "Source/AppSelect.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"

namespace {

using vk::gui::Application;

std::string Folder() {
  std::string file = vk::platform::RunningProgramFile();
  return file.substr(0, file.rfind('\\') + 1);
}

void Log(const std::string& line) {
  FILE* log = _wfopen(vk::platform::Utf8ToWide(Folder() + "standin.log").c_str(), L"ab");
  if (!log) return;
  std::string text = line + "\r\n";
  fwrite(text.data(), 1, text.size(), log);
  fclose(log);
}

bool Hangs() {
  return GetFileAttributesW(vk::platform::Utf8ToWide(Folder() + "standin.hang").c_str()) != INVALID_FILE_ATTRIBUTES;
}

class TStandInForm : public vk::gui::TForm {
 public:
  explicit TStandInForm(std::string className) : className_(std::move(className)) {
    SetClientSize(360, 120);
    SetPosition(vk::gui::TPosition::poScreenCenter);
    Note.SetBounds(16, 16, 320, 40);
    Note.SetCaption("Test stand-in of the main program");
  }
  std::string ClassName() const override { return className_; }

  vk::gui::TLabel Note{this};

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case vk::WM_ACTIVATEINSTANCE: Log("activate"); return vk::HandleActivateRequest();
      case vk::WM_CLOSEINSTANCE:
        if (Hangs()) {
          Log("close ignored");
          return 0;
        }
        Log("close");
        vk::TerminateInstance();
        return 0;
    }
    return TForm::WndProc(message, wParam, lParam);
  }

 private:
  std::string className_;
};

bool PasswordSet() {
  try {
    vk::TSecurityOptions options(Folder() + vk::kCfgFileName, vk::kUninstallKeyName);
    return options.GetPassword() != vk::kNoPasswordMarker;
  } catch (...) {
    return true;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  vk::ProgramTitle = vk::MakeProgramTitle(Folder());
  Log("start " + vk::platform::WideToUtf8(commandLine));
  Application.Initialize();
  Application.SetTitle(vk::ProgramTitle);
  bool password = PasswordSet();
  if (password) Log("password");
  auto* main = Application.CreateForm<TStandInForm>(password ? "TFormPass" : "TMainFormStore");
  main->SetCaption(password ? "Password" : vk::ProgramTitle);
  Application.Run();
  return 0;
}
