#pragma once
// TMainUninstForm: the uninstaller's one window. It asks whether to remove
// the installation of its own folder (and the warehouse data), runs the
// steps while it shows each one, and lists what could not be removed; a
// folder that is not the registered installation it only reports. Windows
// only.

#include <memory>
#include <string>

#include "Gui/ListCtrls.h"
#include "Gui/Memo.h"
#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienterBand.h"
#include "vkSetup/RunningProgramWin32.h"
#include "vkSetup/UninstallSteps.h"
#include "vkSetup/UninstallSystemWin32.h"

namespace vk::setup {

class TMainUninstForm : public TBandForm, private TUninstallView {
 public:
  TMainUninstForm();
  ~TMainUninstForm() override;

  std::string ClassName() const override { return "TMainUninstForm"; }

  // 0 Russian, 1 Ukrainian, any other value English.
  void SetLanguage(std::uint32_t language);
  // Everything was removed: the uninstaller's file and folder go once it ends.
  bool SelfRemovalArmed() const { return uninstaller_ && uninstaller_->Completed(); }

  gui::TLabel LbDescription{this};
  gui::TLabel LbFolder{this};
  gui::TMemo MemoErrors{this};
  gui::TCheckBox CbDeleteData{this};
  gui::TLabel LbProgress{this};
  gui::TButton BtnDelete{this};
  gui::TButton BtnCancel{this};

 protected:
  void CreateParams(TCreateParams& params) override;
  // Never while the steps run.
  bool CloseQuery() override;

 private:
  void ShowStep(const std::string& text) override;

  void FormCreate();
  void BtnDeleteClick();
  void ShowErrors(const std::string& errors);

  std::string ownFolder_;
  const TUninstallText* texts_;
  TWin32RunningPrograms programs_{/*pumpMessages=*/true};
  TWin32UninstallSystem system_;
  std::unique_ptr<TUninstaller> uninstaller_;
};

}  // namespace vk::setup
