#include "Source/DateChangeForm.h"

#include "Platform/Clock.h"
#include "Source/StoreData.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/Keyboard.h"
#include "Tools/Service/TextConst.h"

namespace vk {

TFormDateChange::TFormDateChange(TStore* store) : store_(store) {
  SetName("FormDateChange");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetPosition(gui::TPosition::poMainFormCenter);
  SetClientSize(264, 164);
  SetColor(gui::clWindow);
  PlaceBand();

  ImageIcon.SetName("ImageIcon");
  ImageIcon.SetBounds(7, 4, 48, 48);
  ImageIcon.SetCenter(true);
  ImageIcon.SetIcon(LoadIconW(/*module=*/nullptr, IDI_EXCLAMATION));
  LbQuery.SetName("LbQuery");
  LbQuery.SetAutoSize(false);
  LbQuery.SetBounds(64, 6, 196, 48);
  LbQuery.SetWordWrap(true);
  LbQuery.SetLayout(gui::TTextLayout::tlCenter);
  LbQuery.SetTransparent(true);
  LbUserDate.SetName("LbUserDate");
  LbUserDate.SetBounds(64, 60, 100, 13);
  LbUserDate.SetTransparent(true);
  LbError.SetName("LbError");
  LbError.SetAutoSize(false);
  // Two lines between the date entry and the band: the Esc line runs longer
  // than the column in some languages and fonts.
  LbError.SetWordWrap(true);
  LbError.SetBounds(64, 96, 196, 26);
  LbError.SetTransparent(true);

  BtnOK.SetName("BtnOK");
  BtnOK.SetCaption("OK");
  BtnOK.SetDefault(true);
  BtnOK.SetBounds(100, 132, 75, 25);
  BtnOK.SetAnchors(gui::akRight | gui::akBottom);
  BtnOK.OnClick = [this] { BtnOKClick(); };
  BtnCancel.SetName("BtnCancel");
  BtnCancel.SetCancel(true);
  BtnCancel.SetModalResult(gui::mrCancel);
  BtnCancel.SetBounds(181, 132, 75, 25);
  BtnCancel.SetAnchors(gui::akRight | gui::akBottom);

  ApplyLanguage();  // the label's height places the date entry below it
  EditUserDate = std::make_unique<TDateEdit>(this);
  EditUserDate->SetName("EditUserDate");
  EditUserDate->SetBounds(LbUserDate.Left() - 1, LbUserDate.Top() + LbUserDate.Height() + 1, 80, 21);
  EditUserDate->SetTabOrder(0);
  EditUserDate->OnChange = [this] { EditUserDateChange(); };
  ApplyLanguage();

  OnShow = [this] { FormShow(); };
  OnHide = [this] { FormHide(); };
}

TStore& TFormDateChange::Store() { return store_ ? *store_ : vk::Store(); }

void TFormDateChange::ApplyLanguage() {
  SetCaption(ProgTexts.DateChangeCaption);
  BtnCancel.SetCaption(ProgTexts.DateChangeCancelCaption);
  BtnCancel.SetHint(ProgTexts.DateChangeCancelHint);
  BtnOK.SetHint(ProgTexts.DateChangeOkHint);
  LbQuery.SetCaption(ProgTexts.DateChangeWarning);
  LbUserDate.SetCaption(ProgTexts.WorkDateLabel);
  if (!EditUserDate) return;
  // Day, month and year with "." in Russian and Ukrainian; month first with "/" in English.
  bool dayFirst = ProgOptions().GetProgLang() < kLangEnglish;
  EditUserDate->SetDateOrder(dayFirst ? 0 : 1);
  EditUserDate->SetSeparatorKind(dayFirst ? 0 : 1);
}

void TFormDateChange::FormShow() {
  EditUserDate->SetDate(Store().MoveDateTime());
  LbError.SetCaption(Store().WorkDate() != 0 ? ProgTexts.EscRestoresSystemDate : "");
  FocusDate();
  if (!ProgOptions().GetKeyboardEnhanced()) NumLockOn();
}

void TFormDateChange::FocusDate() {
  // While the form is being shown only the entry itself can say no.
  if (!EditUserDate->Visible() || !EditUserDate->Enabled()) return;
  SetActiveControl(EditUserDate.get());
  EditUserDate->SelectAll();
}

// No message is handled here: the form is between its modal loop and its
// caller, and a message handled now could reach it again.
void TFormDateChange::FormHide() {
  if (ModalResult() == gui::mrOk) return;
  EditUserDate->SetDate(platform::Now());
  Store().SetWorkDate(0);
  if (ActiveControl() == EditUserDate.get()) SetActiveControl(nullptr);
}

void TFormDateChange::BtnOKClick() {
  EditUserDate->SetText(EditUserDate->CompletedText());
  if (EditUserDate->IsValidDate()) {
    Store().SetWorkDate(EditUserDate->Date());
    SetModalResult(gui::mrOk);
    return;
  }
  LbError.SetCaption(ProgTexts.InvalidDate);
  FocusDate();
}

void TFormDateChange::EditUserDateChange() {
  if (!LbError.Caption().empty()) LbError.SetCaption("");
}

}  // namespace vk
