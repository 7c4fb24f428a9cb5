#pragma once
// TFormDateChange: sets or clears the work date under which new movements
// are booked. Accepting a date other than today keeps it in the store; every
// other end of the dialog (Cancel, Esc, the close box) clears it.

#include <memory>
#include <string>

#include "Gui/ExtCtrls.h"
#include "Gui/StdCtrls.h"
#include "Tools/LocalDbCtrls/DateEdit.h"
#include "Tools/Service/GlassGradienterBand.h"

namespace vk {

class TStore;

class TFormDateChange : public TBandForm {
 public:
  // store: not owned, must outlive the window; the program's one by default.
  explicit TFormDateChange(TStore* store = nullptr);

  std::string ClassName() const override { return "TFormDateChange"; }

  // Captions, hints and the date order of the current language.
  void ApplyLanguage();

  gui::TImage ImageIcon{this};
  gui::TLabel LbQuery{this};
  gui::TLabel LbUserDate{this};
  // Made in code, as the form's first tab stop.
  std::unique_ptr<TDateEdit> EditUserDate;
  gui::TLabel LbError{this};
  gui::TButton BtnOK{this};
  gui::TButton BtnCancel{this};

 private:
  TStore& Store();
  void FormShow();
  void FormHide();
  void BtnOKClick();
  void EditUserDateChange();
  void FocusDate();

  TStore* store_;
};

}  // namespace vk
