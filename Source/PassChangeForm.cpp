#include "Source/PassChangeForm.h"

#include "Source/DialogRules.h"
#include "Tools/Security/Password.h"
#include "Tools/Service/TextConst.h"

namespace vk {

TFormPassChange::TFormPassChange(TPass* pass) : pass_(pass) {
  SetName("FormPassChange");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetPosition(gui::TPosition::poMainFormCenter);
  SetClientSize(264, 207);
  SetColor(gui::clWindow);
  PlaceBand();

  struct Row {
    gui::TLabel& label;
    const char* labelName;
    gui::TPasswordEdit& edit;
    const char* editName;
    int editTop;
  };
  for (const Row& row :
       {Row{LbPass, "LbPass", EditPass, "EditPass", 24}, Row{LbNewPass, "LbNewPass", EditNewPass, "EditNewPass", 73},
        Row{LbNewPassConfirm, "LbNewPassConfirm", EditNewPassConfirm, "EditNewPassConfirm", 111}}) {
    row.label.SetName(row.labelName);
    row.label.SetBounds(12, row.editTop - 16, 100, 13);
    row.label.SetTransparent(true);
    row.edit.SetName(row.editName);
    row.edit.SetBounds(12, row.editTop, 237, 21);
    row.edit.OnChange = [this] { EditChange(); };
  }
  LbResult.SetName("LbResult");
  LbResult.SetAutoSize(false);
  LbResult.SetBounds(12, 141, 237, 13);
  LbResult.SetAlignment(gui::TAlignment::taCenter);
  LbResult.SetTransparent(true);

  BtnOK.SetName("BtnOK");
  BtnOK.SetCaption("OK");
  BtnOK.SetDefault(true);
  BtnOK.SetBounds(100, 175, 75, 25);
  BtnOK.SetAnchors(gui::akRight | gui::akBottom);
  BtnOK.SetTabOrder(3);
  BtnOK.OnClick = [this] { BtnOKClick(); };
  BtnCancel.SetName("BtnCancel");
  BtnCancel.SetCancel(true);
  BtnCancel.SetModalResult(gui::mrCancel);
  BtnCancel.SetBounds(181, 175, 75, 25);
  BtnCancel.SetAnchors(gui::akRight | gui::akBottom);

  OnShow = [this] { FormShow(); };
  ApplyLanguage();
}

TPass& TFormPassChange::Pass() { return pass_ ? *pass_ : ProgPass(); }

void TFormPassChange::ApplyLanguage() {
  SetCaption(ProgTexts.PassChangeCaption);
  BtnCancel.SetCaption(ProgTexts.PassChangeCancelCaption);
  BtnCancel.SetHint(ProgTexts.PassChangeCancelHint);
  BtnOK.SetHint(ProgTexts.PassChangeOkHint);
  LbPass.SetCaption(ProgTexts.OldPasswordLabel);
  LbNewPass.SetCaption(ProgTexts.NewPasswordLabel);
  LbNewPassConfirm.SetCaption(ProgTexts.NewPasswordAgainLabel);
}

void TFormPassChange::FormShow() {
  EditPass.SetText("");
  EditNewPass.SetText("");
  EditNewPassConfirm.SetText("");
  LbResult.SetCaption("");
  if (EditPass.Visible() && EditPass.Enabled()) SetActiveControl(&EditPass);
}

void TFormPassChange::BtnOKClick() {
  switch (ChangePassword(Pass(), EditPass.Text(), EditNewPass.Text(), EditNewPassConfirm.Text())) {
    case TPassChangeResult::Changed: SetModalResult(gui::mrOk); return;
    case TPassChangeResult::IncorrectOld: LbResult.SetCaption(ProgTexts.IncorrectOldPassword); return;
    case TPassChangeResult::Mismatch: LbResult.SetCaption(ProgTexts.NewPasswordMismatch); return;
    case TPassChangeResult::NotSaved: LbResult.SetCaption(ProgTexts.NewPasswordNotSaved); return;
  }
}

void TFormPassChange::EditChange() {
  if (!LbResult.Caption().empty()) LbResult.SetCaption("");
}

}  // namespace vk
