#pragma once
// TDateEdit: a masked entry field for a date ("__.__.____" until typed). The
// rules live in TDateEditModel, which decides every key and clipboard
// message; this class paints the text itself so that placeholders show as
// blanks.

#include <string>

#include "Tools/LocalDbCtrls/DateEditModel.h"
#include "Tools/LocalDbCtrls/ModelEdit.h"

namespace vk {

class TDateEdit : public TModelEdit<TDateEditModel> {
 public:
  // MaxLength 10, separator ".", day first, the empty mask shown.
  explicit TDateEdit(gui::TWinControl* parent);

  std::string EmptyMask() const { return ModelNow().EmptyMask(); }
  // An empty text shows the empty mask. Hides TEdit::SetText, which shows
  // any text as it is.
  void SetText(const std::string& text);
  std::string CompletedText() const { return ModelNow().CompletedText(); }
  std::string DateText() const { return ModelNow().DateText(); }
  // 0 ".", 1 "/", 2 "-": the shown separators change with it.
  void SetSeparatorKind(int kind);
  // 0 day first, 1 month first: rules Date, not the text shown.
  void SetDateOrder(int order) { model_.SetDateOrder(order); }
  // 0 for the empty mask; EConvertError for a text that is no date.
  TDateTime Date() const { return ModelNow().Date(); }
  void SetDate(TDateTime value);
  bool IsValidDate() const { return ModelNow().IsValidDate(); }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> CtlColorReflected(UINT message, HDC dc) override;
  void DoExit() override;
  // The separator and order.
  TDateEditModel Settings() const override { return model_; }

 private:
  bool HasPlaceholder() const;
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // Repaints when the caret or selection moved over a text with placeholders,
  // since the standard edit draws them when it moves the selection.
  void TrackSelection();
  void Paint(HDC dc);

  TDateEditModel model_;
  int lastSelStart_ = 0;
  int lastSelLength_ = 0;
  bool tracking_ = false;
};

}  // namespace vk
