#pragma once
// TMainFormStore: the program's one main window. Its left side is the edit
// panel (270 pixels) with the current goods in six entry controls and its
// moves grid below them; its right side the goods grid; a five-panel status
// bar runs along the bottom. The panel carries the window look's gradient,
// which its labels (TNbLabel) continue behind their text.
//
// The window applies the edit modes' policy (MainFormModes.h) for browse and
// search; the entry modes come when the window implements TMainFormView
// (MainFormView.h) for TEditModes. Its decisions that need no window live in
// MainFormRules.h and MainFormCommands.h. Windows only.

// clang-format off
#include "Tools/LocalDbCtrls/DataGrid.h"
// clang-format on

#include <memory>
#include <string>

#include "Gui/ActnList.h"
#include "Gui/AppEvents.h"
#include "Gui/ComCtrls.h"
#include "Gui/ExtCtrls.h"
#include "Gui/Forms.h"
#include "Gui/Menus.h"
#include "Gui/StdCtrls.h"
#include "Source/InOut.h"
#include "Source/MainFormModes.h"
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

class TMainFormStore : public gui::TForm {
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

  void RefreshGoods(bool reposition);
  void RefreshGoodsGrid(bool notify);
  void SetMovesFilter(int32_t goodsId, bool reposition);
  void ClearGoods();
  void ShowMoveClock(bool longForm);
  void LayoutStatusBar();
  void ApplyTexts();
  void UpdateColors();
  void SaveOptions();

  // Del and F2 act on the moves (true) or on the goods.
  void SetSideShortcuts(bool movesSide);
  // Status panel 2.
  void ShowModeName(const std::string& text);
  void SetGridsEnabled(bool enabled);
  // Shows what a mode allows (ModeUi of MainFormModes.h): the actions'
  // state and keys, the grids, the entry controls, LbPlus, status panel 2.
  void ApplyModeUi(const TModeUi& ui);
  // A modal file or printer operation runs.
  void SetBusy(bool busy) { busy_ = busy; }
  bool HasGoods();
  // Rows of the moves grid, its header row included.
  int MovesRowCount();

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
  void EnterBrowseMode();
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
  TModeFacts ModeFacts() const;
  void ApplyCurrentMode();
  void StartGoodsSearch();
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

  LRESULT WmNcActivate(WPARAM wParam, LPARAM lParam);
  LRESULT WmSysColorChange(WPARAM wParam, LPARAM lParam);
  LRESULT WmDwmColorizationColorChanged(WPARAM wParam, LPARAM lParam);
  LRESULT WmEraseBkgnd(WPARAM wParam, LPARAM lParam);

  TStore& store_;
  bool active_ = false;
  bool busy_ = false;
  bool layoutChangePending_ = true;
  bool movesSide_ = false;
  bool blink_ = false;
  bool numLockAtStart_ = false;
  int shownMonth_ = -1;
  HKL shownLayout_ = nullptr;
  uint32_t colorizationKey_ = 0;
  gui::TColor readOnlyColor_ = gui::clWindow;
  std::vector<std::unique_ptr<gui::TAction>> actions_;
  std::vector<std::unique_ptr<gui::TMenuItem>> menuItems_;
  std::unique_ptr<TInOutManager> inOutManager_;
};

// The window made at start-up; null before and after.
extern TMainFormStore* MainFormStore;

}  // namespace vk
