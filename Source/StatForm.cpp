#include "Source/StatForm.h"

#include <algorithm>

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
constexpr int kClientWidth = 254;
// Where the texts end and the values end in the window's own width; a value
// box starts under the end of its text, which only short values leave free.
constexpr int kTextRight = 150;
constexpr int kValueRight = 246;
constexpr int kValueWidth = 128;
constexpr int kGap = 6;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;

}  // namespace

TFormStat::TFormStat(TStore* store) : store_(store) {
  SetName("FormStat");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetPosition(gui::TPosition::poMainFormCenter);
  SetClientSize(kClientWidth, 185);
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
    row.text.SetBounds(0, top, kTextRight, kValueHeight);
    row.value.SetName(row.valueName);
    row.value.SetFont(valueFont);
    row.value.SetBounds(kValueRight - kValueWidth, top, kValueWidth, kValueHeight);
    top += kRowStep;
  }

  BtnOK.SetName("BtnOK");
  BtnOK.SetCaption("OK");
  BtnOK.SetDefault(true);
  BtnOK.SetCancel(true);
  BtnOK.SetModalResult(gui::mrOk);
  BtnOK.SetBounds(kValueRight - kButtonWidth, 153, kButtonWidth, 25);
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
  ArrangeRows();
}

// A long text beside a value in the millions would run into it: the texts
// then end left of the widest value, and where they no longer fit the window
// grows by what is missing, the button and the band following its edge.
void TFormStat::ArrangeRows() {
  int textWidth = 0, valueWidth = 0;
  for (gui::TLabel* text : {&LbNamesText, &LbWeightText, &LbCountText, &LbSumText})
    textWidth = std::max(textWidth, gui::ScreenTextWidth(text->Font(), text->Caption()));
  for (gui::TLabel* value : {&LbNames, &LbWeight, &LbCount, &LbSum})
    valueWidth = std::max(valueWidth, gui::ScreenTextWidth(value->Font(), value->Caption()));
  int textRight = std::min(kTextRight, kValueRight - valueWidth - kGap);
  // The room left of the longest text: the margin, or what the designed
  // place leaves it when that is less.
  const int room = std::clamp(kTextRight - textWidth, 0, kMargin);
  const int grow = std::max(0, room + textWidth - textRight);
  textRight += grow;
  const int valueRight = kValueRight + grow;
  const int valueBox = std::max(kValueWidth, valueWidth);
  for (gui::TLabel* text : {&LbNamesText, &LbWeightText, &LbCountText, &LbSumText})
    text->SetBounds(0, text->Top(), textRight, kValueHeight);
  for (gui::TLabel* value : {&LbNames, &LbWeight, &LbCount, &LbSum})
    value->SetBounds(valueRight - valueBox, value->Top(), valueBox, kValueHeight);
  SetClientWidth(kClientWidth + grow);
  BtnOK.SetBounds(valueRight - kButtonWidth, BtnOK.Top(), kButtonWidth, BtnOK.Height());
  PlaceBand();
}

void TFormStat::SetValues(const std::string& count, const std::string& weight, const std::string& sum,
                          const std::string& goods) {
  LbCount.SetCaption(count);
  LbWeight.SetCaption(weight);
  LbSum.SetCaption(sum);
  LbNames.SetCaption(goods);
  ArrangeRows();
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
