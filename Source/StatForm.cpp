#include "Source/StatForm.h"

#include "Core/SysUtils.h"
#include "Source/StoreData.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxForm.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

constexpr int kRowTop = 14;
constexpr int kRowStep = 30;
constexpr int kValueHeight = 20;

}  // namespace

TFormStat::TFormStat(TStore* store) : store_(store) {
  SetName("FormStat");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetPosition(gui::TPosition::poMainFormCenter);
  SetClientSize(254, 185);
  SetColor(gui::clWindow);
  PlaceBand();

  gui::TFont valueFont("Tahoma", -16, gui::fsBold);
  struct Row {
    gui::TLabel& text;
    const char* textName;
    gui::TLabel& value;
    const char* valueName;
  };
  int top = kRowTop;
  for (const Row& row :
       {Row{LbNamesText, "LbNamesText", LbNames, "LbNames"}, Row{LbWeightText, "LbWeightText", LbWeight, "LbWeight"},
        Row{LbCountText, "LbCountText", LbCount, "LbCount"}, Row{LbSumText, "LbSumText", LbSum, "LbSum"}}) {
    for (gui::TLabel* label : {&row.text, &row.value}) {
      label->SetAutoSize(false);
      label->SetAlignment(gui::TAlignment::taRightJustify);
      label->SetLayout(gui::TTextLayout::tlCenter);
      label->SetTransparent(true);
    }
    row.text.SetName(row.textName);
    row.text.SetBounds(0, top, 150, kValueHeight);
    row.value.SetName(row.valueName);
    row.value.SetFont(valueFont);
    row.value.SetBounds(118, top, 128, kValueHeight);
    top += kRowStep;
  }

  BtnOK.SetName("BtnOK");
  BtnOK.SetCaption("OK");
  BtnOK.SetDefault(true);
  BtnOK.SetCancel(true);
  BtnOK.SetModalResult(gui::mrOk);
  BtnOK.SetBounds(171, 153, 75, 25);
  BtnOK.SetAnchors(gui::akRight | gui::akBottom);
  ApplyLanguage();
}

TStore& TFormStat::Store() { return store_ ? *store_ : vk::Store(); }

void TFormStat::ApplyLanguage() {
  SetCaption(ProgTexts.StatCaption);
  BtnOK.SetHint(ProgTexts.StatCloseHint);
  LbNamesText.SetCaption(ProgTexts.StatNamesLabel);
  LbWeightText.SetCaption(ProgTexts.StatQuantityLabel);
  LbCountText.SetCaption(ProgTexts.StatPacksLabel);
  LbSumText.SetCaption(ProgTexts.StatCostLabel);
}

void TFormStat::SetValues(const std::string& count, const std::string& weight, const std::string& sum,
                          const std::string& goods) {
  LbCount.SetCaption(count);
  LbWeight.SetCaption(weight);
  LbSum.SetCaption(sum);
  LbNames.SetCaption(goods);
}

bool TFormStat::ShowTotals() {
  SetValues("", "", "", "");
  std::string count, weight, sum, goods;
  try {
    Store().GetTotals(count, weight, sum, goods);
  } catch (const EIntOverflow&) {
    ShowMessageBox(ProgTexts.TotalTooHigh, ProgTexts.SumCalculationCaption, kMbOneButton | kMbIconError, "OK",
                   ProgTexts.CloseMessageHint, "Cancel", "");
    return false;
  }
  SetValues(count, weight, sum, goods);
  return true;
}

}  // namespace vk
