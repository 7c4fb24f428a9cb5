#include "vkSetup/Confirm.h"

#include "Gui/GdiHandles.h"
#include "Tools/Service/StringUtilsCanvas.h"
#include "vkSetup/ConfirmRules.h"
#include "vkSetup/TextIntface.h"

namespace vk::setup {

namespace {

void PlaceButton(gui::TButton& button, const char* name, int left, int width, int result) {
  button.SetName(name);
  button.SetBounds(left, 169, width, 25);
  button.SetModalResult(result);
}

}  // namespace

TConfirmForm::TConfirmForm() {
  SetName("ConfirmForm");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetClientSize(372, 202);
  SetColor(gui::clWhite);
  SetPosition(gui::TPosition::poMainFormCenter);
  PlaceBand();

  LbQuestion.SetName("LbQuestion");
  LbQuestion.SetAutoSize(false);
  LbQuestion.SetBounds(24, 24, 330, 41);
  LbQuestion.SetAlignment(gui::TAlignment::taCenter);
  LbQuestion.SetShowAccelChar(false);
  LbQuestion.SetTransparent(true);

  PlaceButton(BtnYes, "BtnYes", 16, 70, mrConfirmYes);
  PlaceButton(BtnYesToAll, "BtnYesToAll", 92, 90, mrConfirmYesToAll);
  PlaceButton(BtnNo, "BtnNo", 188, 70, mrConfirmNo);
  PlaceButton(BtnNoToAll, "BtnNoToAll", 264, 90, mrConfirmNoToAll);
  OnShow = [this] { ApplyTexts(); };
  ApplyTexts();
}

void TConfirmForm::ApplyTexts() {
  const TSetupText& texts = CurrentSetupText();
  SetCaption(texts.ConfirmCaption);
  BtnYes.SetCaption(texts.BtnYes);
  BtnYesToAll.SetCaption(texts.BtnYesToAll);
  BtnNo.SetCaption(texts.BtnNo);
  BtnNoToAll.SetCaption(texts.BtnNoToAll);
}

int TConfirmForm::AskReplace(const std::string& fileName) {
  const TSetupText& texts = CurrentSetupText();
  gui::WindowDc screen(nullptr);
  gui::TCanvas canvas(screen.Dc());
  canvas.Font = LbQuestion.Font();
  LbQuestion.SetCaption(texts.FileExists + "\r\n" + ShortenPathToWidth(fileName, canvas, LbQuestion.Width()) + "\r\n" +
                        texts.ReplaceQuestion);
  SetActiveControl(&BtnYes);
  return ShowModal();
}

}  // namespace vk::setup
