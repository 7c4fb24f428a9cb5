#pragma once
// TMainFormSetup: the setup program's one window, a wizard of four pages
// (language, licence, folder and options, summary) that runs the install
// steps on its last page and shows their progress. Windows only.

#include <memory>
#include <optional>
#include <string>

#include "Gui/ActnList.h"
#include "Gui/Edits.h"
#include "Gui/ExtCtrls.h"
#include "Gui/ListCtrls.h"
#include "Gui/Memo.h"
#include "Gui/Menus.h"
#include "Gui/StdActns.h"
#include "Gui/StdCtrls.h"
#include "Tools/LocalDbCtrls/TranspCheckBox.h"
#include "Tools/Service/GlassGradienterBand.h"
#include "vkSetup/InstallSteps.h"

namespace vk::setup {

class TConfirmForm;

// The installed program to start once the window has closed.
struct TLaunchRequest {
  std::string ProgramPath;    // the folder and Vorkel.exe
  std::string ProgramFolder;  // without its trailing delimiter
};

class TMainFormSetup : public TBandForm, private TInstallView {
 public:
  TMainFormSetup();
  ~TMainFormSetup() override;

  std::string ClassName() const override { return "TMainFormSetup"; }

  // The dialog that asks before a file is replaced (made after the wizard).
  void SetConfirmForm(TConfirmForm* confirm) { confirm_ = confirm; }
  // Set when the install succeeded, the window closed and the start option
  // was checked.
  const std::optional<TLaunchRequest>& LaunchRequest() const { return launch_; }
  int Page() const { return page_; }

  void SetLanguage(int itemIndex);
  void ShowLanguagePage();
  void ShowLicensePage();
  void ShowFolderPage();
  void ShowSummaryPage();
  void ShowSuccess();
  void ShowFailure();
  void FillSummary();
  // The folder from the folder page, with its trailing delimiter.
  std::string ReadInstallPath();
  void Install();
  // What the program's exception handler shows: in the bottom note.
  void ShowError(const std::string& text);

  gui::TImage ImageBack{this};
  gui::TLabel LbVersion{this};
  gui::TLabel LbDescript{this};
  gui::TLabel LbLang{this};
  gui::TComboBox ComboBoxLang{this};
  gui::TLabel LbLicense{this};
  gui::TMemo MemoLicense{this};
  gui::TLabel LbPath{this};
  gui::TEdit EditPath{this};
  gui::TButton BtnBrowse{this};
  TTranspCheckBox CbExec{this};
  TTranspCheckBox CbMenu{this};
  TTranspCheckBox CbDesktop{this};
  gui::TLabel LbProgress{this};
  gui::TMemo MemoProgress{this};
  gui::TLabel LbComplete{this};
  gui::TButton BtnBack{this};
  gui::TButton BtnNext{this};
  gui::TButton BtnCancel{this};
  // The edits' context menu, in the setup's language.
  gui::TActionList ActionList;
  gui::TEditUndo ActUndo{&ActionList};
  gui::TEditCut ActCut{&ActionList};
  gui::TEditCopy ActCopy{&ActionList};
  gui::TEditPaste ActPaste{&ActionList};
  gui::TEditDelete ActDelete{&ActionList};
  gui::TEditSelectAll ActSelectAll{&ActionList};
  gui::TPopupMenu PopupMenuEdit;
  gui::TMenuItem MniUndo, MniLine1, MniCut, MniCopy, MniPaste, MniDelete, MniLine2, MniSelectAll;
  // Empty, first in the menu on a UTF-8 system only.
  gui::TMenuItem MniUtf8Gap;

 protected:
  void CreateParams(TCreateParams& params) override;
  // Never while the install steps run: a half-done install would end
  // unreported, every later replacement question answered No.
  bool CloseQuery() override;

 private:
  // TInstallView: the progress memo and the replacement question.
  int AddLine(const std::string& text) override;
  void SetLine(int index, const std::string& text) override;
  void ProcessMessages() override;
  int AskReplace(const std::string& fileName) override;

  void FormCreate();
  void FormClose();
  void BtnNextClick();
  void BtnBackClick();
  void BtnBrowseClick();
  void LayOut();
  void BuildEditMenu();
  void ShowOnly(std::initializer_list<gui::TControl*> shown);
  void PlaceColumnLabels();
  void SetBackNext(bool backOn, bool nextOn);
  bool FolderAccepted();

  int page_ = 0;
  std::string installFolder_;
  bool launchArmed_ = false;
  std::optional<TLaunchRequest> launch_;
  TConfirmForm* confirm_ = nullptr;
  std::unique_ptr<TInstallSystem> system_;
  std::unique_ptr<TInstaller> installer_;
};

// The root of the drive of the system folder ("C:\" when it is unknown).
std::string GetDefaultInstallDrive();

}  // namespace vk::setup
