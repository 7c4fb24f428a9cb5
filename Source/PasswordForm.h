#pragma once
// TFormPass: the start-up password prompt, shown only when a password is set.
// Besides the main window it is the only window that answers the instance
// messages: 1888 brings it (the open prompt) to the front, 1889 ends the
// program. It shows the keyboard layout's language beside the edit and
// switches to the layout of the program's language when it is activated.

#include <windows.h>

#include <string>

#include "Gui/AppEvents.h"
#include "Gui/ExtCtrls.h"
#include "Gui/PasswordEdit.h"
#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienterBand.h"

namespace vk {

class TFormPass : public TBandForm {
 public:
  TFormPass();

  std::string ClassName() const override { return "TFormPass"; }

  // Captions and hints in the current language.
  void ApplyLanguage();
  // False at once when no password is set; otherwise shows the prompt
  // modally and is true unless it ended with OK (a matching password).
  bool PasswordRejected();
  // Shows the language of that thread's keyboard layout when it changed.
  void ShowLayoutLanguage(DWORD threadId);

  gui::TLabel LbPass{this};
  gui::TPasswordEdit EditPass{this};
  gui::TLabel LbLang{this};
  gui::TLabel LbResult{this};
  gui::TButton BtnOK{this};
  gui::TButton BtnCancel{this};
  gui::TApplicationEvents ApplicationEvents;
  gui::TTimer Timer;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplicationEventsMessage(MSG& message, bool& handled);
  void FormActivate();
  void BtnOKClick();
  void EditPassChange();
  void TimerTimer();
  void ReloadColors();

  HKL lastLayout_ = nullptr;
  bool showLayoutPending_ = false;
};

}  // namespace vk
