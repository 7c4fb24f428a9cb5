#pragma once
// TMainFormStore: the program's one main window. Its left side is the edit
// panel (270 pixels) with the current goods in six entry controls and its
// moves grid below them; its right side the goods grid; a five-panel status
// bar runs along the bottom. The panel carries the window look's gradient,
// which its labels (TNbLabel) continue behind their text.
//
// The window is the view (MainFormView.h) of its edit modes (TEditModes):
// its actions, grid searches and focus changes go there, and the modes come
// back through the view. Its decisions that need no window live in
// MainFormRules.h and MainFormCommands.h. Windows only.

// clang-format off
#include "Tools/LocalDbCtrls/DataGrid.h"
// clang-format on

#include <memory>
#include <optional>
#include <string>

#include "Gui/ActnList.h"
#include "Gui/AppEvents.h"
#include "Gui/ComCtrls.h"
#include "Gui/ExtCtrls.h"
#include "Gui/Forms.h"
#include "Gui/Menus.h"
#include "Gui/StdCtrls.h"
#include "Source/InOut.h"
#include "Source/MainFormEditModes.h"
#include "Source/MainFormModes.h"
#include "Source/MainFormRules.h"
#include "Source/MainFormView.h"
#include "Source/StoreData.h"
#include "Tools/LocalDbCtrls/IntEdit.h"
#include "Tools/LocalDbCtrls/MoneyEdit.h"

namespace vk {

class TMainFormStore;

// A label of the edit panel that paints the panel's gradient behind its text.
class TNbLabel : public gui::TLabel {
 public:
  TNbLabel(gui::TWinControl* parent, const TMainFormStore& form);
  bool Active = true;
  void Paint(gui::TCanvas& canvas) override;

 private:
  const TMainFormStore& form_;
};

class TMainFormStore : public gui::TForm, public TMainFormView {
 public:
  explicit TMainFormStore(TStore& store);
  ~TMainFormStore() override;

  std::string ClassName() const override { return "TMainFormStore"; }

  // Designed labels of the edit panel.
  gui::TLabel LbCode{this}, LbName{this}, LbCost{this}, LbWeight{this}, LbPCount{this}, LbMoves{this}, LbPlus{this},
      LbCostNote{this}, LbWeightNote{this}, LbPCountNote{this};
  gui::TStatusBar StatusBar{this};
  gui::TTimer Timer;
  gui::TApplicationEvents ApplicationEvents;

  // The menus' pictures (MainFormGlyphs.h), made before and gone after them.
  gui::TImageList ImageList;
  // The commands (MainFormCommands.h) and the menus that show them.
  gui::TActionList ActionList;
  gui::TMainMenu MainMenu;
  gui::TPopupMenu PopupMenu, PopupMenuMoves, PopupMenuEdit, PopupMenuNote;
  // The action or menu item of that name; asserts that it exists.
  gui::TAction& Action(const std::string& name);
  gui::TMenuItem& MenuItem(const std::string& name);

  // Made by InitForm.
  std::unique_ptr<TStrIntEdit> EditCode;
  std::unique_ptr<TStringEdit> EditName;
  std::unique_ptr<TMoneyEdit> EditCost, EditWeight;
  std::unique_ptr<TIntEdit> EditPCount;
  std::unique_ptr<TStringEdit> EditNote;
  std::unique_ptr<TNbLabel> NoteLabel, SumCaptionLabel, SumLabel;
  std::unique_ptr<gui::TDataGrid> GridStore;
  std::unique_ptr<gui::TFilteredDataGrid> GridMoves;

  TEditModes& EditModes() { return *editModes_; }

  // TMainFormView (MainFormViewWin32.cpp but for the panel's refreshes).
  void ApplyModeUi(const TModeUi& ui) override;
  std::string EntryText(TMainControl edit) const override;
  void SetEntryText(TMainControl edit, const std::string& text) override;
  TMainControl FocusedControl() const override;
  void FocusControl(TMainControl control) override;
  void RefreshGoodsGrid(bool notify) override;
  void RefreshGoods(bool reposition) override;
  void ClearGoods() override;
  int GoodsGridColumn() const override;
  void SetGoodsGridColumn(int column) override;
  int MovesGridRowCount() const override;
  void StartGoodsSearch() override;
  void StopGoodsSearch() override;
  bool EnhancedKeyboard() const override;
  std::optional<std::string> GeneratedGoodsCode() override;
  int ShowMessageBox(const std::string& text, const std::string& caption, int flags, const std::string& firstCaption,
                     const std::string& firstHint, const std::string& secondCaption,
                     const std::string& secondHint) override;
  int MessageBoxTextWidth(const std::string& text) override;
  int MessageBoxLabelWidth() override;
  void SetBusyCursor(bool busy) override;

  void SetMovesFilter(int32_t goodsId, bool reposition);
  void ShowMoveClock(bool longForm);
  void LayoutStatusBar();
  void ApplyTexts();
  void UpdateColors();
  void SaveOptions();

  // Status panel 2.
  void ShowModeName(const std::string& text);
  void SetGridsEnabled(bool enabled);

  bool WindowActive() const { return active_; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool EraseBackground(HDC dc) override;
  void Resize() override;

 private:
  void InitForm();
  void RestorePlacement();
  void CreateEditPanel();
  void CreateGrids();
  void RestoreSort();
  void TimerTimer();
  void ShowNumLock();
  void ShowKeyboardLayout(DWORD threadId);
  void ShowHint();
  void ApplicationEventsMessage(MSG& message, bool& handled);
  bool CollapseSelection();
  void GoodsSearch(std::string& searchText);
  void NumericEnter(gui::TWinControl* control);
  void TextEnter(gui::TWinControl* control);
  void TrackFocusSide(gui::TWinControl* control);
  TLocalDbEdit* Entry(TMainControl edit) const;
  gui::TWinControl* ControlOf(TMainControl control) const;
  void ColumnEnter(int column);
  void UpdateLabelColors();
  void UpdateReadOnlyColor();
  void ShowPanel(const struct TGoodsPanelTexts& texts);

  // Commands (MainFormMenus.cpp).
  void CreateCommands();
  void CreateMenu(gui::TMenuItem& parent, const std::string& menuName);
  void BindCommands();
  void ApplyCommandTexts();
  void ApplyKeypadShortcuts();
  void CheckLanguageAction();
  void SortByCurrentColumn();
  void ToggleLaptopMode();
  void ToggleAutogen();
  void SwitchLanguage(uint8_t language);
  void ApplyLanguage();
  void ShowDialog(const std::string& className);
  void RefreshOpenDialog();
  void ChangeWorkDate();
  void ShowStatistics();
  void RestoreNumLock();
  void ShowMenuHint(WPARAM wParam, LPARAM lParam);

  // Save, restore and printer set-up (MainFormFileCommands.cpp).
  void BindFileCommands();
  void DataCommandBegin();
  void DataCommandEnd(bool changed);

  LRESULT WmNcActivate(WPARAM wParam, LPARAM lParam);
  LRESULT WmSysColorChange(WPARAM wParam, LPARAM lParam);
  LRESULT WmDwmColorizationColorChanged(WPARAM wParam, LPARAM lParam);
  LRESULT WmEraseBkgnd(WPARAM wParam, LPARAM lParam);
  LRESULT WmMoving(WPARAM wParam, LPARAM lParam);

  TStore& store_;
  bool active_ = false;
  bool busy_ = false;
  bool layoutChangePending_ = true;
  bool busyCursor_ = false;
  bool blink_ = false;
  bool numLockAtStart_ = false;
  int shownMonth_ = -1;
  TShownGoods shownGoods_;
  HKL shownLayout_ = nullptr;
  uint32_t colorizationKey_ = 0;
  gui::TColor readOnlyColor_ = gui::clWindow;
  std::vector<std::unique_ptr<gui::TAction>> actions_;
  std::vector<std::unique_ptr<gui::TMenuItem>> menuItems_;
  std::unique_ptr<TInOutManager> inOutManager_;
  std::unique_ptr<TEditModes> editModes_;
};

// The window made at start-up; null before and after.
extern TMainFormStore* MainFormStore;

}  // namespace vk
