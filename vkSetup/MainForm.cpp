#include "vkSetup/MainForm.h"

#include <algorithm>

#include "Gui/Application.h"
#include "Gui/Picture.h"
#include "Platform/File.h"
#include "Platform/Registry.h"
#include "Platform/VersionResource.h"
#include "Platform/win32/Utf16.h"
#include "Tools/Service/NamSelDir.h"
#include "Tools/Service/RegionInfo.h"
#include "Tools/Service/Version.h"
#include "Tools/Service/WindowsVersion.h"
#include "vkSetup/Confirm.h"
#include "vkSetup/InstallPath.h"
#include "vkSetup/InstallSystemWin32.h"
#include "vkSetup/TextIntface.h"
#include "vkSetup/WizardRules.h"

namespace vk::setup {

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 392;
constexpr int kBottomBand = 48;

void PlaceLabel(gui::TLabel& label, const char* name, int left, int top) {
  label.SetName(name);
  label.SetBounds(left, top, label.Width(), label.Height());
  label.SetTransparent(true);
  label.SetShowAccelChar(false);
}

// A text over one of the pages' controls: as wide as the column, wrapped
// within it (PlaceColumnLabels puts it above its control).
constexpr int kColumnLeft = 260;
constexpr int kColumnWidth = 321;
void PlaceColumnLabel(gui::TLabel& label, const char* name) {
  PlaceLabel(label, name, kColumnLeft, 0);
  label.SetWordWrap(true);
  label.SetBounds(kColumnLeft, 0, kColumnWidth, label.Height());
}

void PlaceButton(gui::TButton& button, const char* name, int left, int top, int width = 75) {
  button.SetName(name);
  button.SetBounds(left, top, width, 25);
}

}  // namespace

std::string GetDefaultInstallDrive() {
  wchar_t folder[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length < 3 || length >= MAX_PATH || folder[1] != L':') return "C:\\";
  return platform::WideToUtf8(std::wstring(folder, 2)) + "\\";
}

TMainFormSetup::TMainFormSetup() : TBandForm(kBottomBand), system_(std::make_unique<TWin32InstallSystem>()) {
  SetName("MainFormSetup");
  SetBorderStyle(gui::TFormBorderStyle::bsSingle);
  SetClientSize(kClientWidth, kClientHeight);
  SetPosition(gui::TPosition::poScreenCenter);
  PlaceBand();
  LayOut();

  TOptionsEnvironment settings;
  installer_ = std::make_unique<TInstaller>(
      TInstallEnvironment{platform::DefaultFileSystem(), platform::DefaultRegistry(), settings, *system_, *this},
      CurrentSetupText());
  OnCreate = [this] { FormCreate(); };
  OnClose = [this](gui::TCloseAction&) { FormClose(); };
  BtnNext.OnClick = [this] { BtnNextClick(); };
  BtnBack.OnClick = [this] { BtnBackClick(); };
  BtnCancel.OnClick = [this] { Close(); };
  BtnBrowse.OnClick = [this] { BtnBrowseClick(); };
  ComboBoxLang.OnSelect = [this] { SetLanguage(ComboBoxLang.ItemIndex()); };
}

TMainFormSetup::~TMainFormSetup() = default;

void TMainFormSetup::CreateParams(TCreateParams& params) {
  TBandForm::CreateParams(params);
  params.Style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
}

bool TMainFormSetup::CloseQuery() {
  if (installer_ && installer_->Running()) return false;
  return TBandForm::CloseQuery();
}

void TMainFormSetup::LayOut() {
  ImageBack.SetName("Image");
  ImageBack.SetBounds(0, -6, 600, 350);
  PlaceLabel(LbVersion, "LbVersion", 260, 0);
  PlaceLabel(LbDescript, "LbDescript", 260, 14);
  LbDescript.SetAutoSize(false);
  LbDescript.SetWordWrap(true);
  LbDescript.SetBounds(260, 14, 321, 26);
  PlaceColumnLabel(LbLang, "LbLang");
  ComboBoxLang.SetName("ComboBoxLang");
  ComboBoxLang.SetBounds(260, 57, 224, 21);
  PlaceColumnLabel(LbLicense, "LbLicense");
  MemoLicense.SetName("MemoLicense");
  MemoLicense.SetBounds(260, 88, 321, 32);
  MemoLicense.SetReadOnly(true);
  PlaceColumnLabel(LbPath, "LbPath");
  EditPath.SetName("EditPath");
  EditPath.SetBounds(260, 170, 240, 21);
  PlaceButton(BtnBrowse, "BtnBrowse", 506, 168);
  for (auto [box, name, top] : {std::tuple{&CbExec, "CbExec", 195}, std::tuple{&CbMenu, "CbMenu", 213},
                                std::tuple{&CbDesktop, "CbDesktop", 230}}) {
    box->SetName(name);
    // Wider than designed: the option texts run longer in some fonts.
    box->SetBounds(260, top, 321, 17);
    box->SetChecked(true);
  }
  PlaceColumnLabel(LbProgress, "LbProgress");
  MemoProgress.SetName("MemoProgress");
  MemoProgress.SetBounds(260, 268, 321, 30);
  MemoProgress.SetReadOnly(true);
  MemoProgress.WordWrap = false;
  PlaceLabel(LbComplete, "LbComplete", 260, 306);
  LbComplete.SetAutoSize(false);
  // Wider than the other texts' column, and a third line down to the band:
  // the licence page's two lines need the room in some fonts.
  LbComplete.SetWordWrap(true);
  LbComplete.SetBounds(252, 303, 340, 39);
  PlaceButton(BtnBack, "BtnBack", 344, 356);
  PlaceButton(BtnNext, "BtnNext", 425, 356);
  PlaceButton(BtnCancel, "BtnCancel", 506, 356);
  for (gui::TButton* button : {&BtnBack, &BtnNext, &BtnCancel}) button->SetAnchors(gui::akRight | gui::akBottom);
  BtnNext.SetDefault(true);
  BuildEditMenu();
}

void TMainFormSetup::BuildEditMenu() {
  const std::pair<gui::TMenuItem*, gui::TAction*> entries[] = {
      {&MniUndo, &ActUndo},   {&MniLine1, nullptr},     {&MniCut, &ActCut},   {&MniCopy, &ActCopy},
      {&MniPaste, &ActPaste}, {&MniDelete, &ActDelete}, {&MniLine2, nullptr}, {&MniSelectAll, &ActSelectAll}};
  for (auto [item, action] : entries) {
    if (action) {
      item->SetAction(action);
    } else {
      item->SetCaption("-");
    }
    PopupMenuEdit.Items.Add(item);
  }
  if (SystemAnsiCodePage() == 65001) {
    // The system's menus lose their first entry's text under UTF-8: an
    // empty first entry takes the loss.
    PopupMenuEdit.Items.Insert(0, &MniUtf8Gap);
  }
  for (gui::TEdit* edit :
       {&EditPath, static_cast<gui::TEdit*>(&MemoLicense), static_cast<gui::TEdit*>(&MemoProgress)}) {
    edit->SetPopupMenu(&PopupMenuEdit);
  }
}

void TMainFormSetup::FormCreate() {
  std::string_view background = gui::ProgramResource(RT_RCDATA, L"BACKGROUND");
  gui::DrawPictureBytes(ImageBack, background);
  page_ = 0;
  installFolder_.clear();
  for (const char* item : kLanguageItems) ComboBoxLang.AddItem(item);
  ComboBoxLang.SetItemIndex(0);
  SetLanguage(0);
  // Without Cyrillic letters only the English texts can be shown.
  if (!CyrillicSystem()) {
    ComboBoxLang.DeleteItem(2);
    ComboBoxLang.DeleteItem(1);
    ComboBoxLang.SetItemIndex(0);
  }
  EditPath.SetText(GetDefaultInstallDrive() + kDefaultFolderName);
  ShowLanguagePage();
}

void TMainFormSetup::SetLanguage(int itemIndex) {
  UseSetupTextOf(LanguageOfItem(itemIndex));
  const TSetupText& texts = CurrentSetupText();
  std::string ownFile = platform::RunningProgramFile();
  SetCaption(texts.Caption);
  LbVersion.SetCaption(texts.VersionPrefix + " " + GetProductVersion(ownFile));
  LbDescript.SetCaption(texts.Description + "\r\n" + GetLegalCopyright(ownFile));
  LbLang.SetCaption(texts.LangLabel);
  LbLicense.SetCaption(texts.LicenseLabel);
  MemoLicense.SetLinesText(texts.LicenseText);
  LbPath.SetCaption(texts.PathLabel);
  CbDesktop.SetCaption(texts.DesktopOption);
  CbMenu.SetCaption(texts.MenuOption);
  CbExec.SetCaption(texts.ExecOption);
  BtnNext.SetCaption(texts.BtnNext);
  BtnBack.SetCaption(texts.BtnBack);
  BtnCancel.SetCaption(texts.BtnCancel);
  BtnBrowse.SetCaption(texts.BtnBrowse);
  LbComplete.SetCaption(texts.CompleteNext);
  ActCut.SetCaption(texts.ActCut);
  ActCopy.SetCaption(texts.ActCopy);
  ActPaste.SetCaption(texts.ActPaste);
  ActSelectAll.SetCaption(texts.ActSelectAll);
  ActUndo.SetCaption(texts.ActUndo);
  ActDelete.SetCaption(texts.ActDelete);
  if (confirm_) confirm_->ApplyTexts();
  gui::Application.SetTitle(texts.ApplicationTitle);
  PlaceColumnLabels();
}

// Each text ends just above its control: one that needs a second line (a
// language or a font that runs wider) grows upwards into the free room
// instead of past the window's right edge.
void TMainFormSetup::PlaceColumnLabels() {
  for (auto [label, control] : {std::pair<gui::TLabel*, gui::TControl*>{&LbLang, &ComboBoxLang},
                                {&LbLicense, &MemoLicense},
                                {&LbPath, &EditPath},
                                {&LbProgress, &MemoProgress}}) {
    label->SetTop(control->Top() - 2 - label->Height());
  }
}

void TMainFormSetup::ShowOnly(std::initializer_list<gui::TControl*> shown) {
  gui::TControl* pageControls[] = {&LbLang,    &ComboBoxLang, &LbLicense, &MemoLicense, &LbPath,     &EditPath,
                                   &BtnBrowse, &CbExec,       &CbMenu,    &CbDesktop,   &LbProgress, &MemoProgress};
  for (gui::TControl* control : pageControls) {
    control->SetVisible(std::find(shown.begin(), shown.end(), control) != shown.end());
  }
}

void TMainFormSetup::SetBackNext(bool backOn, bool nextOn) {
  bool byEnabling = ButtonsToggleByEnabling(WindowsVersionClass());
  for (auto [button, on] : {std::pair{&BtnBack, backOn}, std::pair{&BtnNext, nextOn}}) {
    if (byEnabling) {
      button->SetVisible(true);
      button->SetEnabled(on);
    } else {
      button->SetEnabled(true);
      button->SetVisible(on);
    }
  }
}

void TMainFormSetup::ShowLanguagePage() {
  const TSetupText& texts = CurrentSetupText();
  ShowOnly({&LbLang, &ComboBoxLang});
  LbVersion.SetTop(25);
  LbDescript.SetTop(38);
  ComboBoxLang.SetTop(135);
  PlaceColumnLabels();
  LbComplete.SetAlignment(gui::TAlignment::taCenter);
  LbComplete.SetCaption(texts.CompleteNext);
  BtnNext.SetCaption(texts.BtnNext);
  BtnCancel.SetCaption(texts.BtnCancel);
  SetBackNext(false, true);
  page_ = 1;
  SetActiveControl(&ComboBoxLang);
}

void TMainFormSetup::ShowLicensePage() {
  const TSetupText& texts = CurrentSetupText();
  ShowOnly({&LbLicense, &MemoLicense});
  MemoLicense.SetBounds(MemoLicense.Left(), 105, MemoLicense.Width(), 190);
  PlaceColumnLabels();
  LbComplete.SetAlignment(gui::TAlignment::taCenter);
  LbComplete.SetCaption(texts.CompleteLicense);
  BtnNext.SetCaption(texts.BtnAgree);
  SetBackNext(true, true);
  BtnCancel.Invalidate();
  page_ = 2;
  SetActiveControl(&BtnNext);
}

void TMainFormSetup::ShowFolderPage() {
  const TSetupText& texts = CurrentSetupText();
  ShowOnly({&LbPath, &EditPath, &BtnBrowse, &CbMenu, &CbDesktop});
  EditPath.SetTop(115);
  PlaceColumnLabels();
  BtnBrowse.SetTop(113);
  CbMenu.SetTop(180);
  CbDesktop.SetTop(205);
  LbComplete.SetAlignment(gui::TAlignment::taLeftJustify);
  LbComplete.SetCaption(texts.CompleteNext);
  BtnNext.SetCaption(texts.BtnNext);
  BtnCancel.SetCaption(texts.BtnCancel);
  SetBackNext(true, true);
  page_ = 3;
  SetActiveControl(&EditPath);
}

void TMainFormSetup::ShowSummaryPage() {
  const TSetupText& texts = CurrentSetupText();
  ShowOnly({&LbProgress, &MemoProgress, &CbExec});
  LbProgress.SetCaption(texts.ProgressPlan);
  MemoProgress.SetBounds(MemoProgress.Left(), 105, MemoProgress.Width(), 170);
  PlaceColumnLabels();
  CbExec.SetTop(280);
  LbComplete.SetAlignment(gui::TAlignment::taCenter);
  LbComplete.SetCaption(texts.CompleteInstall);
  BtnNext.SetCaption(texts.BtnInstall);
  SetBackNext(true, true);
  FillSummary();
  page_ = 4;
  SetActiveControl(&BtnNext);
}

std::string TMainFormSetup::ReadInstallPath() {
  installFolder_ = setup::ReadInstallPath(EditPath.Text(), ParentFolder(platform::RunningProgramFile()));
  return installFolder_;
}

void TMainFormSetup::FillSummary() {
  MemoProgress.Clear();
  std::string folder = ReadInstallPath();
  for (const std::string& line :
       SummaryLines(CurrentSetupText(), ComboBoxLang.Text(), folder, CbMenu.Checked(), CbDesktop.Checked())) {
    MemoProgress.AddLine(line);
  }
}

bool TMainFormSetup::FolderAccepted() {
  if (CheckInstallFolder(ReadInstallPath()) == TFolderVerdict::Ok) return true;
  LbComplete.SetCaption(CurrentSetupText().BadFolder);
  EditPath.SetFocus();
  EditPath.SelectAll();
  return false;
}

void TMainFormSetup::BtnNextClick() {
  switch (page_) {
    case 1: ShowLicensePage(); break;
    case 2: ShowFolderPage(); break;
    case 3:
      if (FolderAccepted()) ShowSummaryPage();
      break;
    case 4: Install(); break;
  }
}

void TMainFormSetup::BtnBackClick() {
  switch (page_) {
    case 2: ShowLanguagePage(); break;
    case 3: ShowLicensePage(); break;
    case 4: ShowFolderPage(); break;
  }
}

void TMainFormSetup::BtnBrowseClick() {
  const TSetupText& texts = CurrentSetupText();
  std::string path = BrowseStartFolder(EditPath.Text());
  if (SelectDirectory(kDefaultFolderName, path, texts.BrowseCaption, texts.BtnCancel, "OK", LbPath.Caption())) {
    EditPath.SetText(path);
  }
}

void TMainFormSetup::Install() {
  const TSetupText& texts = CurrentSetupText();
  LbProgress.SetCaption(texts.ProgressStatus);
  PlaceColumnLabels();
  LbComplete.SetAlignment(gui::TAlignment::taCenter);
  LbComplete.SetCaption(texts.CompleteInstalling);
  SetBackNext(false, false);
  BtnCancel.SetCaption(texts.BtnExit);
  FillSummary();
  Update();
  TInstallChoices choices{installFolder_, LanguageOfItem(ComboBoxLang.ItemIndex()), CbMenu.Checked(),
                          CbDesktop.Checked()};
  if (installer_->Install(choices)) {
    ShowSuccess();
  } else {
    ShowFailure();
  }
}

void TMainFormSetup::ShowSuccess() {
  const TSetupText& texts = CurrentSetupText();
  LbComplete.SetCaption(texts.CompleteSuccess);
  BtnCancel.SetCaption(texts.BtnExit);
  SetBackNext(false, false);
  launchArmed_ = true;
  SetActiveControl(&BtnCancel);
}

void TMainFormSetup::ShowFailure() {
  const TSetupText& texts = CurrentSetupText();
  LbComplete.SetCaption(texts.CompleteFailure);
  BtnCancel.SetCaption(texts.BtnExit);
  SetBackNext(true, true);
}

void TMainFormSetup::ShowError(const std::string& text) { LbComplete.SetCaption(text); }

void TMainFormSetup::FormClose() {
  if (launchArmed_ && CbExec.Checked()) {
    launch_ = TLaunchRequest{installFolder_ + kProgramFileName, ExcludeTrailingDelimiter(installFolder_)};
  }
}

int TMainFormSetup::AddLine(const std::string& text) { return MemoProgress.AddLine(text); }

void TMainFormSetup::SetLine(int index, const std::string& text) {
  MemoProgress.SetLine(index, text);
  MemoProgress.Update();
}

void TMainFormSetup::ProcessMessages() { gui::Application.ProcessMessages(); }

int TMainFormSetup::AskReplace(const std::string& fileName) { return confirm_ ? confirm_->AskReplace(fileName) : 0; }

}  // namespace vk::setup
