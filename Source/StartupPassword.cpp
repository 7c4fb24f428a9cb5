// A plain prompt for the start-up password, under the password window's
// class name so that another start finds it and brings it to the front.

#include "Source/StartupPassword.h"

#include "Gui/Application.h"
#include "Gui/Edits.h"
#include "Gui/StdCtrls.h"
#include "Source/AppSelect.h"
#include "Tools/Security/Password.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxForm.h"

namespace vk {
namespace {

class TFormPass : public gui::TForm {
 public:
  TFormPass() {
    SetBorderStyle(gui::TFormBorderStyle::bsDialog);
    SetPosition(gui::TPosition::poScreenCenter);
    SetClientSize(260, 110);
    SetCaption(ProgTexts.LoginCaption);
    Label.SetBounds(12, 12, 200, 13);
    Label.SetCaption(ProgTexts.EnterPasswordLabel);
    Edit.SetBounds(12, 30, 236, 21);
    Edit.SetPasswordChar(L'*');
    Ok.SetBounds(92, 72, 75, 25);
    Ok.SetCaption("OK");
    Ok.SetDefault(true);
    Ok.OnClick = [this] { Accept(); };
    Cancel.SetBounds(173, 72, 75, 25);
    Cancel.SetCaption(ProgTexts.LoginCancelCaption);
    Cancel.SetCancel(true);
    Cancel.SetModalResult(gui::mrCancel);
    SetActiveControl(&Edit);
  }
  std::string ClassName() const override { return "TFormPass"; }

  gui::TLabel Label{this};
  gui::TEdit Edit{this};
  gui::TButton Ok{this};
  gui::TButton Cancel{this};

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_ACTIVATEINSTANCE: return HandleActivateRequest();
      case WM_CLOSEINSTANCE: TerminateInstance(); return 0;
    }
    return TForm::WndProc(message, wParam, lParam);
  }

 private:
  void Accept() {
    if (ProgPass().Check(Edit.Text())) {
      SetModalResult(gui::mrOk);
      return;
    }
    ShowMessageBox(ProgTexts.IncorrectPassword, ProgTexts.LoginCaption, 48, "OK", ProgTexts.CloseMessageHint, "Cancel",
                   "");
    Edit.SetText("");
    Edit.SetFocus();
  }
};

}  // namespace

bool StartupPasswordRejected() {
  if (ProgPass().IsEmpty()) return false;
  auto* form = gui::Application.CreateForm<TFormPass>();
  int result = gui::mrCancel;
  try {
    result = form->ShowModal();
  } catch (...) {
    gui::Application.FreeForm(form);
    throw;
  }
  gui::Application.FreeForm(form);
  return result != gui::mrOk;
}

}  // namespace vk
