// A stand-in for a running main program in the instance tests: the
// application window titled as asked, a main window of class TMainFormStore
// that answers the instance messages, and, when asked, a modal dialog open
// over it. It ends with kEndedByRequest when WM_CLOSEINSTANCE ended it.
//
// InstanceHost <title> [modal]
// WM_APP + 1 to the main window makes it hang for two seconds.

#include <windows.h>

#include <string>

#include "Gui/Application.h"
#include "Gui/StdCtrls.h"
#include "Platform/win32/Utf16.h"
#include "Source/AppSelect.h"

namespace {

constexpr int kEndedByRequest = 7;
constexpr UINT kHang = WM_APP + 1;

class TMainFormStore : public vk::gui::TForm {
 public:
  std::string ClassName() const override { return "TMainFormStore"; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case vk::WM_ACTIVATEINSTANCE: return vk::HandleActivateRequest();
      case vk::WM_CLOSEINSTANCE: vk::TerminateInstance(); return 0;
      case kHang: Sleep(2000); return 0;
    }
    return TForm::WndProc(message, wParam, lParam);
  }
};

class TFormStat : public vk::gui::TForm {
 public:
  std::string ClassName() const override { return "TFormStat"; }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using vk::gui::Application;
  if (argc < 2) return 2;
  bool modal = argc > 2 && std::wstring(argv[2]) == L"modal";
  vk::ProgramTitle = vk::platform::WideToUtf8(argv[1]);
  Application.Initialize();
  Application.SetTitle(vk::ProgramTitle);
  auto* main = Application.CreateForm<TMainFormStore>();
  main->SetCaption(vk::ProgramTitle);
  if (modal) {
    auto* dialog = Application.CreateForm<TFormStat>();
    main->Show();
    dialog->ShowModal();
  }
  Application.Run();
  return Application.Terminated() ? kEndedByRequest : 0;
}
