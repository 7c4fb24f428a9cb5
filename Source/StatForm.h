#pragma once
// TFormStat: the stock totals: number of products, quantity, packs and stock
// value. The labels show whole totals or nothing: a total that overflows
// leaves them empty and the window is not shown.

#include <string>

#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienterBand.h"

namespace vk {

class TStore;

class TFormStat : public TBandForm {
 public:
  // store: not owned, must outlive the window; the program's one by default.
  explicit TFormStat(TStore* store = nullptr);

  std::string ClassName() const override { return "TFormStat"; }

  void ApplyLanguage();
  // Fills the four values from the store's totals; on an overflow shows the
  // error box, empties the values and gives false (the caller then does not
  // show the window). Other errors pass to the caller.
  bool ShowTotals();

  gui::TLabel LbNamesText{this};
  gui::TLabel LbNames{this};
  gui::TLabel LbWeightText{this};
  gui::TLabel LbWeight{this};
  gui::TLabel LbCountText{this};
  gui::TLabel LbCount{this};
  gui::TLabel LbSumText{this};
  gui::TLabel LbSum{this};
  gui::TButton BtnOK{this};

 private:
  TStore& Store();
  void ArrangeRows();
  void SetValues(const std::string& count, const std::string& weight, const std::string& sum, const std::string& goods);

  TStore* store_;
};

}  // namespace vk
