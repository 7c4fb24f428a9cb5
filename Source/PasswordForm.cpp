#include "Source/PasswordForm.h"

#include "Platform/win32/Utf16.h"
#include "Source/AppSelect.h"
#include "Source/DialogRules.h"
#include "Tools/Security/Password.h"
#include "Tools/Service/GlassGradienter.h"
#include "Tools/Service/Keyboard.h"
#include "Tools/Service/TextConst.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {
namespace {

constexpr UINT kDwmColorizationChanged = 0x0320;  // WM_DWMCOLORIZATIONCOLORCHANGED
constexpr unsigned kLayoutTimerInterval = 250;

}  // namespace

TFormPass::TFormPass() {
  SetName("FormPass");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetPosition(gui::TPosition::poScreenCenter);
  SetClientSize(260, 110);
  SetColor(gui::clWindow);
  PlaceBand();

  LbPass.SetName("LbPass");
  LbPass.SetBounds(12, 8, 100, 13);
  LbPass.SetTransparent(true);
  EditPass.SetName("EditPass");
  EditPass.SetBounds(12, 24, 213, 21);
  EditPass.OnChange = [this] { EditPassChange(); };
  LbLang.SetName("LbLang");
  LbLang.SetAutoSize(false);
  LbLang.SetBounds(228, 24, 23, 21);
  LbLang.SetAlignment(gui::TAlignment::taCenter);
  LbLang.SetLayout(gui::TTextLayout::tlCenter);
  LbResult.SetName("LbResult");
  LbResult.SetAutoSize(false);
  LbResult.SetBounds(12, 49, 237, 13);
  LbResult.SetAlignment(gui::TAlignment::taCenter);
  LbResult.SetTransparent(true);

  BtnOK.SetName("BtnOK");
  BtnOK.SetCaption("OK");
  BtnOK.SetDefault(true);
  BtnOK.SetBounds(96, 78, 75, 25);
  BtnOK.SetAnchors(gui::akRight | gui::akBottom);
  BtnOK.OnClick = [this] { BtnOKClick(); };
  BtnCancel.SetName("BtnCancel");
  BtnCancel.SetCancel(true);
  BtnCancel.SetModalResult(gui::mrCancel);
  BtnCancel.SetBounds(177, 78, 75, 25);
  BtnCancel.SetAnchors(gui::akRight | gui::akBottom);
  SetActiveControl(&EditPass);

  ApplicationEvents.OnMessage = [this](MSG& message, bool& handled) { ApplicationEventsMessage(message, handled); };
  Timer.SetEnabled(false);
  Timer.SetInterval(kLayoutTimerInterval);
  Timer.OnTimer = [this] { TimerTimer(); };
  OnActivate = [this] { FormActivate(); };

  ApplyLanguage();
  ShowLayoutLanguage(GetCurrentThreadId());
}

void TFormPass::ApplyLanguage() {
  SetCaption(ProgTexts.LoginCaption);
  BtnCancel.SetCaption(ProgTexts.LoginCancelCaption);
  LbPass.SetCaption(ProgTexts.EnterPasswordLabel);
}

bool TFormPass::PasswordRejected() {
  if (ProgPass().IsEmpty()) return false;
  return ShowModal() != gui::mrOk;
}

void TFormPass::ShowLayoutLanguage(DWORD threadId) {
  HKL layout = GetKeyboardLayout(threadId);
  if (layout == lastLayout_) return;
  wchar_t name[9] = {};
  LCID locale = MAKELCID(LOWORD(reinterpret_cast<UINT_PTR>(layout)), SORT_DEFAULT);
  GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, name, 9);
  LbLang.SetCaption(LayoutIndicatorText(platform::WideToUtf8(name)));
  lastLayout_ = layout;
}

LRESULT TFormPass::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATEINSTANCE: return HandleActivateRequest();
    case WM_CLOSEINSTANCE: TerminateInstance(); return 0;
    case WM_NCACTIVATE:
      // The layout of another program's window shows while the prompt is inactive.
      if (WindowsVersionClass() > kWin7) {
        Timer.SetEnabled(wParam == 0);
        if (wParam != 0) PostMessageW(handle_, kShowLayoutMessage, 0, 0);
      }
      break;
    case WM_SYSCOLORCHANGE:
      // The band protocol reloads the colours of a shown window itself.
      if (!HandleAllocated() || !IsWindowVisible(handle_)) GlassGradienter().UpdateColors(&Image);
      break;
    case kDwmColorizationChanged: ReloadColors(); break;
  }
  return TBandForm::WndProc(message, wParam, lParam);
}

void TFormPass::ReloadColors() {
  GlassGradienter().UpdateColors(&Image);
  EditPass.Invalidate();
  Invalidate();
}

void TFormPass::ApplicationEventsMessage(MSG& message, bool& handled) {
  if (!Modal()) return;
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    SetModalResult(kPasswordEscResult);
    handled = true;  // not also the Cancel button's result
  }
  if (showLayoutPending_) {
    showLayoutPending_ = false;
    ShowLayoutLanguage(GetCurrentThreadId());
  } else if (IsLayoutChangeMessage(message.message, message.wParam, WindowsVersionClass())) {
    showLayoutPending_ = true;
  }
}

void TFormPass::FormActivate() {
  const std::string& layout = ProgTexts.KeyboardLayoutId;
  if (!layout.empty() && !IsKeyboardLayout(layout)) SelectKeyboardLayout(layout, /*activate=*/true);
}

void TFormPass::BtnOKClick() {
  if (ProgPass().Check(EditPass.Text())) {
    SetModalResult(gui::mrOk);
  } else {
    LbResult.SetCaption(ProgTexts.IncorrectPassword);
  }
}

void TFormPass::EditPassChange() {
  if (!LbResult.Caption().empty()) LbResult.SetCaption("");
}

void TFormPass::TimerTimer() { ShowLayoutLanguage(GetWindowThreadProcessId(GetForegroundWindow(), nullptr)); }

}  // namespace vk
