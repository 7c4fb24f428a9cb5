#pragma once
// TFormPassChange: the change of the user's password: the old password, the
// new one and the new one again; each refusal stays in the window.

#include <string>

#include "Gui/PasswordEdit.h"
#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienterBand.h"

namespace vk {

class TPass;

class TFormPassChange : public TBandForm {
 public:
  // pass: not owned, must outlive the window; the program's one by default.
  explicit TFormPassChange(TPass* pass = nullptr);

  std::string ClassName() const override { return "TFormPassChange"; }

  void ApplyLanguage();

  gui::TLabel LbPass{this};
  gui::TPasswordEdit EditPass{this};
  gui::TLabel LbNewPass{this};
  gui::TPasswordEdit EditNewPass{this};
  gui::TLabel LbNewPassConfirm{this};
  gui::TPasswordEdit EditNewPassConfirm{this};
  gui::TLabel LbResult{this};
  gui::TButton BtnOK{this};
  gui::TButton BtnCancel{this};

 private:
  TPass& Pass();
  void FormShow();
  void BtnOKClick();
  void EditChange();

  TPass* pass_;
};

}  // namespace vk
