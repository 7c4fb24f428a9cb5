#include "vkSetup/FormUninstall.h"

#include "Gui/Application.h"
#include "Gui/GdiHandles.h"
#include "Platform/File.h"
#include "Platform/Registry.h"
#include "Platform/VersionResource.h"
#include "Tools/Service/RegionInfo.h"
#include "Tools/Service/StringUtilsCanvas.h"
#include "vkSetup/InstallPath.h"

namespace vk::setup {

namespace {

constexpr int kClientWidth = 298;
constexpr int kClientHeight = 154;

void PlaceLabel(gui::TLabel& label, const char* name, int left, int top, int width) {
  label.SetName(name);
  label.SetAutoSize(false);
  label.SetBounds(left, top, width, 13);
  label.SetAlignment(gui::TAlignment::taCenter);
  label.SetShowAccelChar(false);
}

}  // namespace

TMainUninstForm::TMainUninstForm() : texts_(&UninstallTextOf(2)) {
  SetName("MainUninstForm");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetClientSize(kClientWidth, kClientHeight);
  SetColor(gui::clWhite);
  SetPosition(gui::TPosition::poScreenCenter);
  PlaceBand();

  PlaceLabel(LbDescription, "LbDescription", 8, 8, 282);
  LbDescription.SetWordWrap(true);
  PlaceLabel(LbFolder, "LbFolder", 8, 23, 279);
  MemoErrors.SetName("MemoErrors");
  MemoErrors.SetBounds(8, 41, 282, 66);
  MemoErrors.SetReadOnly(true);
  MemoErrors.WordWrap = false;
  MemoErrors.SetVisible(false);
  CbDeleteData.SetName("CbDeleteData");
  CbDeleteData.SetBounds(64, 53, 201, 17);
  PlaceLabel(LbProgress, "LbProgress", 8, 80, 279);
  BtnDelete.SetName("BtnDelete");
  BtnDelete.SetBounds(134, 121, 75, 25);
  BtnCancel.SetName("BtnCancel");
  BtnCancel.SetBounds(215, 121, 75, 25);
  BtnCancel.SetCancel(true);

  OnCreate = [this] { FormCreate(); };
  BtnDelete.OnClick = [this] { BtnDeleteClick(); };
  BtnCancel.OnClick = [this] { Close(); };
}

TMainUninstForm::~TMainUninstForm() = default;

void TMainUninstForm::CreateParams(TCreateParams& params) {
  TBandForm::CreateParams(params);
  params.Style |= WS_MINIMIZEBOX;
}

bool TMainUninstForm::CloseQuery() {
  if (uninstaller_ && uninstaller_->Running()) return false;
  return TBandForm::CloseQuery();
}

void TMainUninstForm::SetLanguage(std::uint32_t language) {
  texts_ = &UninstallTextOf(language);
  SetCaption(texts_->Caption);
  LbDescription.SetCaption(texts_->Description);
  CbDeleteData.SetCaption(texts_->DeleteData);
  BtnDelete.SetCaption(texts_->BtnDelete);
  BtnCancel.SetCaption(texts_->BtnCancel);
  gui::Application.SetTitle(texts_->ApplicationTitle);
}

void TMainUninstForm::FormCreate() {
  ownFolder_ = IncludeTrailingDelimiter(ParentFolder(platform::RunningProgramFile()));
  LbProgress.SetVisible(false);
  {
    gui::WindowDc screen(nullptr);
    gui::TCanvas canvas(screen.Dc());
    canvas.Font = LbFolder.Font();
    LbFolder.SetCaption(ShortenPathToWidth(ownFolder_, canvas, LbFolder.Width()));
  }
  platform::FileSystem& files = platform::DefaultFileSystem();
  platform::Registry& registry = platform::DefaultRegistry();
  TRegistration registration = ReadRegistration(files, registry, ownFolder_, CyrillicSystem());
  SetLanguage(registration.Language);
  uninstaller_ = std::make_unique<TUninstaller>(TUninstallEnvironment{files, registry, programs_, system_, *this},
                                                *texts_, ownFolder_, registration.Registered);
  if (registration.Registered) {
    SetActiveControl(&CbDeleteData);
    return;
  }
  // Not this folder's installation: the user can only leave.
  BtnDelete.SetVisible(false);
  CbDeleteData.SetVisible(false);
  LbDescription.SetCaption(texts_->NotRegistered);
  LbProgress.SetCaption(texts_->EntryMissing);
  LbProgress.SetVisible(true);
  BtnCancel.SetCaption(texts_->BtnExit);
  SetActiveControl(&BtnCancel);
}

void TMainUninstForm::BtnDeleteClick() {
  if (!uninstaller_ || uninstaller_->Running()) return;
  LbProgress.SetCaption("");
  LbProgress.SetVisible(true);
  BtnDelete.SetEnabled(false);
  CbDeleteData.SetEnabled(false);
  std::optional<std::string> errors = uninstaller_->Uninstall(CbDeleteData.Checked());
  if (!errors) return;
  if (errors->empty()) {
    Close();
    return;
  }
  ShowErrors(*errors);
}

void TMainUninstForm::ShowErrors(const std::string& errors) {
  BtnDelete.SetVisible(false);
  CbDeleteData.SetVisible(false);
  LbProgress.SetVisible(false);
  BtnCancel.SetCaption(texts_->BtnExit);
  LbFolder.SetCaption(texts_->NotComplete);
  MemoErrors.SetLinesText(errors);
  MemoErrors.SetVisible(true);
  SetActiveControl(&BtnCancel);
}

void TMainUninstForm::ShowStep(const std::string& text) {
  LbProgress.SetCaption(text);
  Update();
  gui::Application.ProcessMessages();
}

}  // namespace vk::setup
