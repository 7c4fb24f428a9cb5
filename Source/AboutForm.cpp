#include "Source/AboutForm.h"

#include "Platform/Clock.h"
#include "Platform/VersionResource.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/Contacts.h"
#include "Tools/Service/ProductAddresses.h"
#include "Tools/Service/TextConst.h"
#include "Tools/Service/Version.h"
#include "Tools/Service/VersionTest.h"
#include "vkNames/MessageBoxForm.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

// Posted by the version check's worker when its outcome is ready.
constexpr UINT kVersionCheckDone = WM_APP + 0x142;

// "www.vorkel.example" of "http://www.vorkel.example/english/default.htm".
std::string HostOf(const std::string& address) {
  std::string host = address;
  if (auto scheme = host.find("://"); scheme != std::string::npos) host.erase(0, scheme + 3);
  if (auto path = host.find('/'); path != std::string::npos) host.erase(path);
  return host;
}

}  // namespace

TFormAbout::TFormAbout() {
  SetName("FormAbout");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetPosition(gui::TPosition::poMainFormCenter);
  SetClientSize(253, 180);
  SetColor(gui::clWhite);
  PlaceBand();

  LbVersion.SetName("LbVersion");
  LbVersion.SetBounds(20, 16, 65, 13);
  LbCopyright.SetName("LbCopyright");
  LbCopyright.SetBounds(20, 32, 65, 13);
  LbMail.SetName("LbMail");
  LbMail.SetBounds(20, 48, 65, 13);
  LbMail.OnClick = [this] { LbMailClick(); };
  LbAddr.SetName("LbAddr");
  LbAddr.SetBounds(20, 64, 65, 13);
  LbAddr.OnClick = [this] { LbAddrClick(); };
  LbNewVersion.SetName("LbNewVersion");
  LbNewVersion.SetAutoSize(false);
  LbNewVersion.SetAlignment(gui::TAlignment::taCenter);
  LbNewVersion.SetWordWrap(true);
  for (gui::TLabel* label : {&LbVersion, &LbCopyright, static_cast<gui::TLabel*>(&LbMail),
                             static_cast<gui::TLabel*>(&LbAddr), &LbNewVersion}) {
    label->SetTransparent(true);
  }

  BtnOK.SetName("BtnOK");
  BtnOK.SetCaption("OK");
  BtnOK.SetDefault(true);
  BtnOK.SetCancel(true);
  BtnOK.SetModalResult(gui::mrOk);
  BtnOK.SetBounds(170, 148, 75, 25);
  BtnOK.SetAnchors(gui::akRight | gui::akBottom);

  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  // The worker is cancelled while the window it reports to still exists.
  OnDestroy = [this] { versionTest_.reset(); };
}

TFormAbout::~TFormAbout() = default;

void TFormAbout::FormCreate() {
  ownVersion_ = GetProductVersion(platform::RunningProgramFile());
  LbAddr.SetCaption(HostOf(UnscrambleAddress(ProductPageAddress)));
  LbMail.SetCaption(UnscrambleAddress(kSupportMailAddress));
  LbCopyright.SetCaption(GetLegalCopyright(platform::RunningProgramFile()));
  int left = LbAddr.Left() + LbAddr.Width() + 2;
  LbNewVersion.SetBounds(left, LbAddr.Top(), ClientWidth() - left - 2, 28);
  ApplyLanguage();
  StartVersionCheck();
}

void TFormAbout::ApplyLanguage() {
  SetCaption(ProgTexts.AboutCaption);
  BtnOK.SetHint(ProgTexts.AboutCloseHint);
  LbAddr.SetHint(ProgTexts.VisitPageHint);
  LbVersion.SetCaption(ProgTexts.VersionPrefix + ownVersion_);
  LbMail.SetHint(ProgTexts.ContactSupportHint);
  if (Visible()) FormShow();
}

void TFormAbout::FormShow() { LbNewVersion.SetCaption(newVersion_ ? ProgTexts.NewVersionNote : ""); }

void TFormAbout::ShowVersionState() { newVersion_ = NewVersionKnown(ProgOptions().GetLastVersion(), ownVersion_); }

void TFormAbout::StartVersionCheck() {
  TProgOptions& options = ProgOptions();  // asserts that the settings exist
  ShowVersionState();
  if (versionTest_ || !VersionCheckDue(platform::Now(), options.GetTestDate())) return;
  std::string url = VersionCheckUrl(ConfiguredVersionServer(options), SystemVersionQuery());
  HWND window = Handle();
  versionTest_ = std::make_unique<TVersionTestThread>(platform::NewHttpGetter(), url, ownVersion_,
                                                      [window] { PostMessageW(window, kVersionCheckDone, 0, 0); });
}

void TFormAbout::VersionCheckFinished() {
  if (!versionTest_) return;
  std::optional<TVersionOutcome> outcome = versionTest_->TakeOutcome();
  if (!outcome) return;
  ApplyVersionOutcome(ProgOptions(), *outcome, platform::Now());
  ShowVersionState();
  checkDone_ = true;
  if (Visible()) FormShow();
}

LRESULT TFormAbout::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kVersionCheckDone) {
    VersionCheckFinished();
    return 0;
  }
  return TBandForm::WndProc(message, wParam, lParam);
}

void TFormAbout::LbAddrClick() { OpenWebAddress(ProductPageAddress, ""); }

void TFormAbout::LbMailClick() {
  std::string subject = ProgTexts.SupportMailSubject + ownVersion_;
  if (SendMail(kSupportMailAddress, subject, ProgTexts.SupportMailBody)) return;
  ShowMessageBox(ProgTexts.MailClientError, ProgTexts.SendingMessageCaption, kMbOneButton | kMbIconWarning, "OK",
                 ProgTexts.CloseMessageHint, "Cancel", "");
}

}  // namespace vk
