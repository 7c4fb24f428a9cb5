// The main window as the view of its edit modes: the panel's entry controls,
// the focus, the grids' search, the message box and the busy cursor.

#include "Core/SysUtils.h"
#include "Gui/GdiHandles.h"
#include "Source/GoodsCode.h"
#include "Source/MainForm.h"
#include "Source/MainFormCommands.h"
#include "Source/MainFormRules.h"
#include "Tools/CfgFile/Options.h"
#include "vkNames/MessageBoxForm.h"

namespace vk {
namespace {

constexpr char kUnit[] = "Source\\MainForm";

}  // namespace

TLocalDbEdit* TMainFormStore::Entry(TMainControl edit) const {
  switch (edit) {
    case TMainControl::EditCode: return EditCode.get();
    case TMainControl::EditName: return EditName.get();
    case TMainControl::EditCost: return EditCost.get();
    case TMainControl::EditWeight: return EditWeight.get();
    case TMainControl::EditPCount: return EditPCount.get();
    case TMainControl::EditNote: return EditNote.get();
    default: return nullptr;
  }
}

gui::TWinControl* TMainFormStore::ControlOf(TMainControl control) const {
  if (control == TMainControl::GridStore) return GridStore.get();
  if (control == TMainControl::GridMoves) return GridMoves.get();
  return Entry(control);
}

// What the edit modes decide for the actions, the grids and the entry
// controls; the commands not built yet stay disabled whatever the mode says.
void TMainFormStore::ApplyModeUi(const TModeUi& ui) {
  for (int i = 0; i < kModeActionCount; ++i) {
    const auto which = static_cast<TModeAction>(i);
    const TActionSpec* spec = FindMainFormAction(ModeActionName(which));
    gui::TAction& action = Action(spec->Name);
    const TActionUi& state = ui[which];
    action.SetEnabled(state.Enabled && spec->Available);
    action.SetVisible(state.Visible);
    action.SetShortCut(state.ShortCut);
    action.SetSecondaryShortCuts(state.SecondaryShortCut == scNone
                                     ? std::vector<gui::TShortCut>{}
                                     : std::vector<gui::TShortCut>{state.SecondaryShortCut});
  }
  if (inOutManager_) {
    if (ui.InOutEnabled) {
      inOutManager_->EnableAll();
    } else {
      inOutManager_->DisableAll();
    }
  }
  SetGridsEnabled(ui.GridsEnabled);
  for (int i = 0; i < kEntryControlCount; ++i) {
    const auto which = static_cast<TMainControl>(i);
    TLocalDbEdit* edit = Entry(which);
    const bool editable = ui.Editable(which);
    if (ui.EnableEntries) edit->SetEnabled(true);
    edit->SetReadOnly(!editable);
    edit->SetColor(editable ? gui::clWindow : readOnlyColor_);
    edit->SetSkipFocus(ui.EntriesLocked);
  }
  LbPlus.SetCaption(ui.PlusMark);
  if (ui.Busy) busy_ = *ui.Busy;
  ShowModeName(ui.StatusText);
}

std::string TMainFormStore::EntryText(TMainControl edit) const {
  const TLocalDbEdit* control = Entry(edit);
  return control ? control->Text() : std::string();
}

void TMainFormStore::SetEntryText(TMainControl edit, const std::string& text) {
  if (TLocalDbEdit* control = Entry(edit)) control->SetText(text);
}

TMainControl TMainFormStore::FocusedControl() const {
  const gui::TWinControl* focused = ActiveControl();
  for (int i = 0; i <= static_cast<int>(TMainControl::GridMoves); ++i) {
    const auto which = static_cast<TMainControl>(i);
    if (focused && ControlOf(which) == focused) return which;
  }
  return TMainControl::Other;
}

void TMainFormStore::FocusControl(TMainControl control) {
  gui::TWinControl* target = ControlOf(control);
  if (!target || !target->CanFocus()) return;
  if (const TLocalDbEdit* edit = Entry(control); edit && edit->SkipFocus()) return;
  target->SetFocus();
}

int TMainFormStore::GoodsGridColumn() const { return GridStore->Model().Col() - GridStore->Model().FixedCols() + 1; }

void TMainFormStore::SetGoodsGridColumn(int column) {
  GridStore->Model().SetCol(GridStore->Model().FixedCols() + column - 1);
}

int TMainFormStore::MovesGridRowCount() const { return GridMoves ? GridMoves->Model().RowCount() : 2; }

void TMainFormStore::StartGoodsSearch() { GridStore->StartSearch(); }

void TMainFormStore::StopGoodsSearch() { GridStore->StopSearch(); }

bool TMainFormStore::EnhancedKeyboard() const { return ProgOptions().GetKeyboardEnhanced(); }

std::optional<std::string> TMainFormStore::GeneratedGoodsCode() {
  TProgOptions& options = ProgOptions();
  if (!options.GetAutogenEnabled()) return std::nullopt;
  return NextGoodsCode(store_.Goods().ID.NextKeyValue(), options.GetAutogenNuls(), options.GetAutogenDelta());
}

int TMainFormStore::ShowMessageBox(const std::string& text, const std::string& caption, int flags,
                                   const std::string& firstCaption, const std::string& firstHint,
                                   const std::string& secondCaption, const std::string& secondHint) {
  return vk::ShowMessageBox(text, caption, flags, firstCaption, firstHint, secondCaption, secondHint);
}

int TMainFormStore::MessageBoxTextWidth(const std::string& text) { return MessageTextWidth(text); }

int TMainFormStore::MessageBoxLabelWidth() {
  Assert(FormMessageBox != nullptr, "Not Assigned Message Box", kUnit);
  return FormMessageBox->LbQuery.Width();
}

void TMainFormStore::SetBusyCursor(bool busy) {
  busyCursor_ = busy;
  ::SetCursor(LoadCursorW(/*instance=*/nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
}

}  // namespace vk
