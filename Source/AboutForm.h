#pragma once
// TFormAbout: the program's version and copyright, a link to the product's
// web page, a link that opens a support mail, and a note when a newer version
// is known. Making it starts the monthly version check: a worker fetches the
// newest version text and posts the outcome back; this window (on the GUI
// thread) writes the settings and its own note. Destroying the window ends a
// running check (see TVersionTestThread).

#include <windows.h>

#include <memory>
#include <string>

#include "Gui/ExtCtrls.h"
#include "Gui/LinkLabel.h"
#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienterBand.h"
#include "Tools/Service/VersionTestThread.h"

namespace vk {

class TFormAbout : public TBandForm {
 public:
  TFormAbout();
  ~TFormAbout() override;

  std::string ClassName() const override { return "TFormAbout"; }

  // Captions and hints in the current language.
  void ApplyLanguage();
  // Shows what the settings know, then starts the check when it is due.
  void StartVersionCheck();
  // The new-version flag from the settings: a version is known that is not ours.
  void ShowVersionState();
  bool NewVersionFlag() const { return newVersion_; }
  // A check was started and has reported its outcome to this window.
  bool VersionCheckStarted() const { return versionTest_ != nullptr; }
  bool VersionCheckDone() const { return checkDone_; }

  gui::TLabel LbVersion{this};
  gui::TLabel LbCopyright{this};
  gui::TLinkLabel LbMail{this};
  gui::TLinkLabel LbAddr{this};
  gui::TLabel LbNewVersion{this};
  gui::TButton BtnOK{this};

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate();
  void FormShow();
  void VersionCheckFinished();
  void LbAddrClick();
  void LbMailClick();

  std::string ownVersion_;
  bool newVersion_ = false;
  bool checkDone_ = false;
  std::unique_ptr<TVersionTestThread> versionTest_;
};

}  // namespace vk
