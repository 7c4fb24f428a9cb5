#pragma once
// TConfirmForm: the question whether an existing file may be replaced, with
// answers for this file and for all the files that follow. Windows only.

#include <string>

#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienterBand.h"

namespace vk::setup {

class TConfirmForm : public TBandForm {
 public:
  TConfirmForm();

  std::string ClassName() const override { return "TConfirmForm"; }

  // The caption and the buttons in the current texts.
  void ApplyTexts();
  // Shows the question for the file; the button's modal result (mrYes,
  // mrYesToAll, mrNo, mrNoToAll), anything else when closed otherwise.
  int AskReplace(const std::string& fileName);

  gui::TLabel LbQuestion{this};
  gui::TButton BtnYes{this};
  gui::TButton BtnYesToAll{this};
  gui::TButton BtnNo{this};
  gui::TButton BtnNoToAll{this};
};

}  // namespace vk::setup
