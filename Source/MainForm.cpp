#include "Source/MainForm.h"

#include <algorithm>

#include "Gui/Application.h"
#include "Gui/ExceptionBarrier.h"
#include "Source/AppSelect.h"
#include "Source/MainFormRules.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"
#include "Tools/Service/GlassGradienter.h"
#include "Tools/Service/GlassGradienterDwm.h"
#include "Tools/Service/Keyboard.h"
#include "Tools/Service/TextConst.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {

TMainFormStore* MainFormStore = nullptr;

namespace {

using gui::akBottom;
using gui::akLeft;
using gui::akRight;
using gui::akTop;

constexpr int kDesignClientWidth = 794;
constexpr int kDesignClientHeight = 708;
constexpr int kPanelWidth = 270;
constexpr int kEditHeight = 21;
enum StatusPanel { kHintPanel, kNumPanel, kModePanel, kLayoutPanel, kClockPanel };

void PlaceBelow(gui::TControl& control, const gui::TLabel& label, int width) {
  control.SetBounds(label.Left() - 1, label.Top() + label.Height() + 1, width, kEditHeight);
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int32_t FieldIndex(const TTable& table, const TField& field) { return table.Fields()->IndexOf(&field); }

BOOL CALLBACK AddMonitorArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  return gui::Guarded<BOOL>(FALSE, [&] {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
      const RECT& r = info.rcWork;
      reinterpret_cast<std::vector<TScreenArea>*>(list)->push_back({r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
  });
}

// The work areas of every monitor, the taskbars left out.
std::vector<TScreenArea> MonitorWorkAreas() {
  std::vector<TScreenArea> areas;
  EnumDisplayMonitors(/*dc=*/nullptr, /*clip=*/nullptr, AddMonitorArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace

// ---- TNbLabel ----

TNbLabel::TNbLabel(gui::TWinControl* parent, const TMainFormStore& form) : TLabel(parent), form_(form) {
  SetTransparent(true);
  SetAnchors(akLeft | akBottom);
  SetAutoSize(false);
  SetAlignment(gui::TAlignment::taRightJustify);
}

void TNbLabel::Paint(gui::TCanvas& canvas) {
  // The gradient over the whole panel's width, so this part of it lines up
  // with what the window painted around the label.
  const int right = form_.GridStore ? form_.GridStore->Left() : kPanelWidth;
  const RECT band{0, Top(), right, Top() + Height() + 1};
  GlassGradienter().FillRect(canvas.Handle(), Active, band);
  TLabel::Paint(canvas);
}

// ---- TMainFormStore ----

TMainFormStore::TMainFormStore(TStore& store) : store_(store) {
  SetClientSize(kDesignClientWidth, kDesignClientHeight);
  Constraints.MinWidth = 780;
  Constraints.MinHeight = 514;
  SetPosition(gui::TPosition::poDesigned);

  struct Designed {
    gui::TLabel& label;
    int left, top;
  };
  for (const Designed& d : {Designed{LbCode, 12, 12}, Designed{LbName, 12, 49}, Designed{LbCost, 12, 86},
                            Designed{LbWeight, 12, 124}, Designed{LbPCount, 12, 162}, Designed{LbCostNote, 96, 103},
                            Designed{LbWeightNote, 96, 142}, Designed{LbPCountNote, 95, 179}}) {
    d.label.SetTransparent(true);
    d.label.SetBounds(d.left, d.top, d.label.Width(), d.label.Height());
  }
  for (gui::TLabel* note : {&LbCostNote, &LbWeightNote, &LbPCountNote}) note->Hide();
  LbMoves.SetTransparent(true);
  LbMoves.SetAutoSize(false);
  LbMoves.SetAlignment(gui::TAlignment::taRightJustify);
  LbMoves.SetBounds(12, 208, 247, 13);
  LbPlus.SetTransparent(true);
  LbPlus.SetAutoSize(false);
  LbPlus.SetAlignment(gui::TAlignment::taRightJustify);
  LbPlus.SetFont(gui::TFont("Tahoma", -17, gui::fsBold));
  // Wider to the left than the marks need, so that "( - )" keeps its left
  // bracket in any font; the right edge stays in line with the name entry.
  LbPlus.SetBounds(199, 137, 60, 21);

  StatusBar.SetBounds(0, ClientHeight() - StatusBar.Height(), ClientWidth(), StatusBar.Height());
  StatusBar.SetAnchors(akLeft | akRight | akBottom);
  StatusBar.SetEnabled(false);
  StatusBar.SetPanels({{280, gui::TAlignment::taLeftJustify, " "},
                       {40, gui::TAlignment::taCenter, ""},
                       {300, gui::TAlignment::taCenter, ""},
                       {30, gui::TAlignment::taCenter, ""},
                       {20, gui::TAlignment::taRightJustify, ""}});
  Timer.SetInterval(500);
  Timer.OnTimer = [this] { TimerTimer(); };

  CreateCommands();
  ApplicationEvents.OnMessage = [this](MSG& message, bool& handled) { ApplicationEventsMessage(message, handled); };
  OnCreate = [this] { InitForm(); };
  OnActivate = [this] {
    // Only in browse: during an entry the window comes back after every box
    // and dialog, and moving the grid would refill the note being typed.
    if (GridMoves && (!editModes_ || editModes_->Mode() == emBrowse)) {
      GridMoves->Model().SetRow(GridMoves->Model().RowCount() - 1);
    }
    if (ProgPass().IsEmpty() && !IsKeyboardLayout(ProgTexts.KeyboardLayoutId)) {
      SelectKeyboardLayout(ProgTexts.KeyboardLayoutId, /*activate=*/true);
    }
  };
  OnClose = [this](gui::TCloseAction&) { SaveOptions(); };
  MainFormStore = this;
}

TMainFormStore::~TMainFormStore() {
  if (MainFormStore == this) MainFormStore = nullptr;
}

void TMainFormStore::InitForm() {
  active_ = false;
  busy_ = false;
  layoutChangePending_ = true;
  RestorePlacement();
  CreateEditPanel();
  TimerTimer();
  LayoutStatusBar();
  CreateGrids();
  editModes_ = std::make_unique<TEditModes>(store_, *this);
  BindCommands();
  RestoreSort();
  RefreshGoods(true);
  GridMoves->Model().SetRow(1);
  busy_ = false;
  editModes_->SetEditMode(emBrowse, /*goodsSide=*/true);
  numLockAtStart_ = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  ShowNumLock();
  CheckLanguageAction();
  ApplyKeypadShortcuts();
  Action("ActAutogen").SetChecked(ProgOptions().GetAutogenEnabled());
  ApplyTexts();
  GlassGradienter().UpdateColors(nullptr);
  CreateChildHandles();
}

void TMainFormStore::RestorePlacement() {
  TProgOptions& options = ProgOptions();
  const TPlacement stored{
      static_cast<int32_t>(options.GetMainFormLeft()), static_cast<int32_t>(options.GetMainFormTop()),
      static_cast<int32_t>(options.GetMainFormWidth()), static_cast<int32_t>(options.GetMainFormHeight())};
  const TPlacement place =
      RestoredPlacement(stored, Constraints.MinWidth, Constraints.MinHeight, Width(), Height(),
                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), MonitorWorkAreas());
  SetBounds(place.Left, place.Top, place.Width, place.Height);
}

void TMainFormStore::SaveOptions() {
  TProgOptions& options = ProgOptions();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (HandleAllocated() && GetWindowPlacement(Handle(), &placement)) {
    const RECT& r = placement.rcNormalPosition;
    const TPlacement p = BringOntoMonitor({r.left, r.top, r.right - r.left, r.bottom - r.top}, MonitorWorkAreas());
    options.SetMainFormLeft(static_cast<uint32_t>(p.Left));
    options.SetMainFormTop(static_cast<uint32_t>(p.Top));
    options.SetMainFormWidth(static_cast<uint32_t>(p.Width));
    options.SetMainFormHeight(static_cast<uint32_t>(p.Height));
  }
  if (GridStore) {
    const int f = GridStore->Model().FixedCols();
    auto width = [&](int column) { return static_cast<uint32_t>(GridStore->ColWidth(f + column)); };
    options.SetStoreCodeWidth(width(0));
    options.SetStoreNameWidth(width(1));
    options.SetStoreCostWidth(width(2));
    options.SetStoreDateWidth(width(3));
    options.SetStoreWeightWidth(width(4));
    options.SetStoreCountPWidth(width(5));
    options.SetStoreSumWidth(width(6));
    options.SetStoreSortedColumn(static_cast<uint32_t>(GridStore->SortedColumn() + 1));
  }
  if (GridMoves) {
    const int f = GridMoves->Model().FixedCols();
    auto width = [&](int column) { return static_cast<uint32_t>(GridMoves->ColWidth(f + column)); };
    options.SetMovesDateWidth(width(0));
    options.SetMovesMoveWidth(width(1));
    options.SetMovesWeightWidth(width(2));
    options.SetMovesCountPWidth(width(3));
    options.SetMovesSumWidth(width(4));
  }
  RestoreNumLock();
}

void TMainFormStore::UpdateReadOnlyColor() { readOnlyColor_ = gui::TDataGrid::SelectionColor(); }

void TMainFormStore::CreateEditPanel() {
  UpdateReadOnlyColor();
  EditCode = std::make_unique<TStrIntEdit>(this);
  PlaceBelow(*EditCode, LbCode, 80);
  EditCode->SetMaxLength(8);
  EditName = std::make_unique<TStringEdit>(this);
  PlaceBelow(*EditName, LbName, 248);
  EditName->SetMaxLength(40);
  EditCost = std::make_unique<TMoneyEdit>(this);
  PlaceBelow(*EditCost, LbCost, 80);
  EditCost->SetMaxLength(13);
  EditWeight = std::make_unique<TMoneyEdit>(this);
  PlaceBelow(*EditWeight, LbWeight, 80);
  EditWeight->SetMaxLength(13);
  EditPCount = std::make_unique<TIntEdit>(this);
  PlaceBelow(*EditPCount, LbPCount, 80);
  EditPCount->SetMaxLength(10);
  EditNote = std::make_unique<TStringEdit>(this);
  EditNote->SetBounds(LbPCount.Left() - 1, ClientHeight() - 86, 248, kEditHeight);
  EditNote->SetAnchors(akLeft | akBottom);
  EditNote->SetMaxLength(40);

  for (gui::TEdit* e : {static_cast<gui::TEdit*>(EditCode.get()), static_cast<gui::TEdit*>(EditCost.get()),
                        static_cast<gui::TEdit*>(EditWeight.get()), static_cast<gui::TEdit*>(EditPCount.get())}) {
    e->OnEnter = [this, e] { NumericEnter(e); };
  }
  for (gui::TEdit* e : {static_cast<gui::TEdit*>(EditName.get()), static_cast<gui::TEdit*>(EditNote.get())}) {
    e->OnEnter = [this, e] { TextEnter(e); };
  }

  auto nbLabel = [this](int top, int height) {
    auto label = std::make_unique<TNbLabel>(this, *this);
    label->SetBounds(113, top, 146, height);
    return label;
  };
  NoteLabel = nbLabel(ClientHeight() - 100, 13);
  SumCaptionLabel = nbLabel(ClientHeight() - 55, 13);
  SumLabel = nbLabel(ClientHeight() - 42, 19);
  SumLabel->SetFont(gui::TFont("Tahoma", -16, gui::fsBold));
}

void TMainFormStore::CreateGrids() {
  TProgOptions& options = ProgOptions();
  TTableStore& goods = store_.Goods();
  TTableMoves& moves = store_.Moves();
  auto column = [](const TTable& table, const TField& field, TColumnAlignment alignment, uint32_t width,
                   TIndex* sortIndex, uint8_t searchLength) {
    return MakeDataColumn(FieldIndex(table, field), alignment, static_cast<int32_t>(width), "", sortIndex,
                          searchLength);
  };
  const std::vector<TDataColumn> storeColumns{
      column(goods, goods.Code, taLeftJustify, options.GetStoreCodeWidth(), &goods.IndCode, 8),
      column(goods, goods.Name, taLeftJustify, options.GetStoreNameWidth(), &goods.IndName, 40),
      column(goods, goods.Cost, taRightJustify, options.GetStoreCostWidth(), &goods.IndCost, 0),
      column(goods, goods.LastDate, taCenter, options.GetStoreDateWidth(), &goods.IndDate, 0),
      column(goods, goods.Weight, taRightJustify, options.GetStoreWeightWidth(), &goods.IndWeight, 0),
      column(goods, goods.PCount, taRightJustify, options.GetStoreCountPWidth(), &goods.IndPock, 0),
      column(goods, goods.Sum, taRightJustify, options.GetStoreSumWidth(), &goods.IndSum, 0)};
  GridStore = std::make_unique<gui::TDataGrid>(this, &goods, storeColumns, /*centredCaptions=*/false);
  GridStore->SetBounds(kPanelWidth, 0, ClientWidth() - kPanelWidth, ClientHeight() - StatusBar.Height());
  GridStore->SetAnchors(akLeft | akTop | akRight | akBottom);

  const std::vector<TDataColumn> movesColumns{
      column(moves, moves.MoveDate, taCenter, options.GetMovesDateWidth(), nullptr, 0),
      column(moves, moves.Direction, taCenter, options.GetMovesMoveWidth(), nullptr, 0),
      column(moves, moves.Weight, taRightJustify, options.GetMovesWeightWidth(), nullptr, 0),
      column(moves, moves.PCount, taRightJustify, options.GetMovesCountPWidth(), nullptr, 0),
      column(moves, moves.Sum, taRightJustify, options.GetMovesSumWidth(), nullptr, 0)};
  GridMoves = std::make_unique<gui::TFilteredDataGrid>(this, &moves, movesColumns, /*centredCaptions=*/false);
  const int movesTop = LbMoves.Top() + LbMoves.Height() + 1;
  GridMoves->SetBounds(LbMoves.Left() - 1, movesTop, 248, NoteLabel->Top() - (LbMoves.Top() + LbMoves.Height()) - 2);
  GridMoves->SetAnchors(akLeft | akTop | akBottom);

  GridStore->SetTabOrder(0);
  int order = 1;
  for (gui::TWinControl* c :
       std::initializer_list<gui::TWinControl*>{EditCode.get(), EditName.get(), EditCost.get(), EditWeight.get(),
                                                EditPCount.get(), GridMoves.get(), EditNote.get()}) {
    c->SetTabOrder(order++);
  }

  GridStore->OnSelectCell = [this](int col, int /*row*/) {
    if (col != GridStore->Model().Col()) ColumnEnter(col);
    // The table has moved already; a search that switched the order may
    // have moved it to another record under the same row.
    if (shownGoods_.Differs(store_.Goods())) RefreshGoods(true);
    return true;
  };
  GridStore->OnEnter = [this] { ColumnEnter(GridStore->Model().Col()); };
  TDataGridModel& model = GridStore->Model();
  // The code column searches by digits only.
  model.OnKeyPress = [this](char32_t& key) {
    const bool codeColumn = GridStore->Model().Col() - GridStore->Model().FixedCols() == 0;
    if (codeColumn && key != 8 && (key < '0' || key > '9')) key = 0;
  };
  model.OnBeginSearch = [this](std::string&) { editModes_->BeginSearch(); };
  model.OnEndSearch = [this](std::string&) { editModes_->EndSearch(); };
  model.OnSearch = [this](std::string& text) { GoodsSearch(text); };
  GridMoves->OnSelectCell = [this](int, int) {
    // An entry's note is the user's until it is posted or cancelled.
    const bool entry = editModes_ && IsEntryMode(editModes_->Mode());
    if (store_.Moves().RecordCount() > 0 && EditNote && !entry) {
      EditNote->SetText(Trim(store_.Moves().Note.GetAsString()));
    }
    // The moves actions follow the current movement.
    if (editModes_) editModes_->UpdateModeUi();
    return true;
  };
  GridMoves->OnEnter = [this] { NumericEnter(GridMoves.get()); };
}

void TMainFormStore::RestoreSort() {
  const uint32_t sorted = ProgOptions().GetStoreSortedColumn();
  if (sorted < 1 || sorted > 7) return;
  GridStore->SortByColumn(static_cast<int>(sorted) - 1);
  store_.Goods().First();
  GridStore->Model().SetRow(1);
}

void TMainFormStore::ShowPanel(const TGoodsPanelTexts& texts) {
  EditCode->SetText(texts.Code);
  EditName->SetText(texts.Name);
  EditCost->SetText(texts.Cost);
  EditWeight->SetText(texts.Weight);
  EditPCount->SetText(texts.PCount);
  SumLabel->SetCaption(texts.Sum);
}

void TMainFormStore::RefreshGoods(bool reposition) {
  TTableStore& goods = store_.Goods();
  if (goods.RecordCount() == 0) {
    ClearGoods();
    return;
  }
  ShowPanel(CurrentGoodsTexts(goods));
  shownGoods_.Show(goods);
  SetMovesFilter(goods.ID.Value(), reposition);
  if (editModes_) editModes_->UpdateModeUi();
}

void TMainFormStore::RefreshGoodsGrid(bool notify) {
  if (notify) {
    GridStore->Refresh();
  } else {
    auto handler = std::move(GridStore->OnSelectCell);
    GridStore->OnSelectCell = nullptr;
    try {
      GridStore->Refresh();
    } catch (...) {
      GridStore->OnSelectCell = std::move(handler);
      throw;
    }
    GridStore->OnSelectCell = std::move(handler);
  }
  if (editModes_) editModes_->UpdateModeUi();
}

void TMainFormStore::SetMovesFilter(int32_t goodsId, bool reposition) {
  const TKeyRange range = MovesRangeOf(goodsId);
  GridMoves->SetFilter(&store_.Moves().IndSD, range.Low, range.High, /*keep=*/!reposition);
}

void TMainFormStore::ClearGoods() {
  ShowPanel(EmptyGoodsTexts());
  shownGoods_.Clear();
  SetMovesFilter(0, true);
  EditNote->SetText("");
  if (editModes_) editModes_->UpdateModeUi();
}

void TMainFormStore::ShowModeName(const std::string& text) { StatusBar.SetPanelText(kModePanel, text); }

void TMainFormStore::SetGridsEnabled(bool enabled) {
  GridStore->SetEnabled(enabled);
  GridMoves->SetEnabled(enabled);
}

}  // namespace vk
