#include "Source/MainFormEditModes.h"

#include "Core/SysUtils.h"

namespace vk {
namespace {

using C = TMainControl;
using A = TModeAction;

constexpr int kCodeColumn = 1;
constexpr int kNameColumn = 2;

bool IsMovesControl(TMainControl c) { return c == C::GridMoves || c == C::EditNote; }

}  // namespace

TEditModes::TEditModes(TStore& store, TMainFormView& view) : store_(store), view_(view) {}

void TEditModes::SetEditMode(TEditMode mode, bool goodsSide, bool lockEntries) {
  if (applying_) return;
  if (mode == emBrowse) movesSide_ = !goodsSide;
  if (mode == emBusy) lockEntries_ = lockEntries;
  if (mode != emSearch) nameSearch_ = false;
  // The mode is stored before the window changes: a search that the window
  // ends on the way (the grid losing the focus) then finds the new mode and
  // leaves it alone.
  store_.Mode = mode;
  applying_ = true;
  try {
    ui_ = ModeUi(mode, Facts());
    view_.ApplyModeUi(ui_);
  } catch (...) {
    applying_ = false;
    throw;
  }
  applying_ = false;
}

void TEditModes::UpdateModeUi() {
  if (applying_) return;
  const TModeUi ui = ModeUi(Mode(), Facts());
  if (ui == ui_) return;
  applying_ = true;
  try {
    ui_ = ui;
    view_.ApplyModeUi(ui_);
  } catch (...) {
    applying_ = false;
    throw;
  }
  applying_ = false;
}

TModeFacts TEditModes::Facts() const {
  TModeFacts f;
  const TTableStore& goods = store_.Goods();
  f.HasGoods = goods.State() != tsClosed && goods.RecordCount() > 0;
  f.HasCurrentMove = HasCurrentMove();
  f.MovesRowCount = view_.MovesGridRowCount();
  f.MovesSide = movesSide_;
  f.Enhanced = view_.EnhancedKeyboard();
  f.NameSearch = nameSearch_;
  f.LockEntries = lockEntries_;
  return f;
}

bool TEditModes::HasCurrentMove() const {
  const TTableStore& goods = store_.Goods();
  const TTableMoves& moves = store_.Moves();
  if (goods.State() == tsClosed || moves.State() == tsClosed) return false;
  if (goods.RecordCount() == 0 || moves.RecordCount() == 0) return false;
  return moves.RecNo() >= 0 && moves.IDStore.Value() == goods.ID.Value();
}

bool TEditModes::Enabled(TModeAction action) const { return ModeUi(Mode(), Facts())[action].Enabled; }

void TEditModes::EndSearchFirst() {
  if (Mode() != emSearch) return;
  view_.StopGoodsSearch();
  if (Mode() == emSearch) SetEditMode(emBrowse, true);
}

TEditModes::TPlace TEditModes::CurrentPlace(bool withMove) const {
  TPlace place;
  const TTableStore& goods = store_.Goods();
  if (goods.State() != tsClosed && goods.RecordCount() > 0) place.Goods = goods.CurrentFileOffset();
  if (withMove && HasCurrentMove()) place.Move = store_.Moves().CurrentFileOffset();
  return place;
}

// The movement is found in the date order of its goods, which the store's
// deletion of a movement reads its neighbours in.
void TEditModes::ReturnTo(const TPlace& place) {
  TTableStore& goods = store_.Goods();
  if (place.Goods != 0 && goods.CurrentFileOffset() != place.Goods) goods.GotoFileOffset(place.Goods);
  if (place.Move == 0) return;
  TTableMoves& moves = store_.Moves();
  if (moves.GetIndex() != &moves.IndSD) moves.SetIndex(&moves.IndSD);
  if (moves.CurrentFileOffset() != place.Move) moves.GotoFileOffset(place.Move);
}

void TEditModes::ShowBrowse(bool goodsSide, bool reposition) {
  SetEditMode(emBrowse, goodsSide);
  view_.RefreshGoods(reposition);
  view_.FocusControl(goodsSide ? C::GridStore : C::GridMoves);
}

void TEditModes::RecoverToBrowse(bool goodsSide) noexcept {
  BestEffort([&] { view_.RefreshGoodsGrid(true); });
  BestEffort([&] { SetEditMode(emBrowse, goodsSide); });
  BestEffort([&] { view_.RefreshGoods(true); });
  BestEffort([&] { view_.FocusControl(goodsSide ? C::GridStore : C::GridMoves); });
}

void TEditModes::StartGoodsSearch() {
  if (!Enabled(A::ActSearch)) return;
  const int column = view_.GoodsGridColumn();
  if (column != kCodeColumn && column != kNameColumn) view_.SetGoodsGridColumn(kCodeColumn);
  view_.FocusControl(C::GridStore);
  view_.StartGoodsSearch();
}

void TEditModes::EndGoodsSearch() {
  if (Enabled(A::ActSearchEnd)) view_.StopGoodsSearch();
}

void TEditModes::BeginSearch() {
  if (applying_ || Mode() != emBrowse) return;
  nameSearch_ = view_.GoodsGridColumn() != kCodeColumn;
  SetEditMode(emSearch);
}

// The grid reports the end of every stop, searching or not; only a search
// still going on returns to browse.
void TEditModes::EndSearch() {
  if (applying_ || Mode() != emSearch) return;
  SetEditMode(emBrowse, true);
}

void TEditModes::InOutBegin() {
  EndSearchFirst();
  busyControl_ = view_.FocusedControl();
  view_.SetBusyCursor(true);
  SetEditMode(emBusy, !IsMovesControl(busyControl_), busyControl_ == C::GridStore || busyControl_ == C::GridMoves);
}

void TEditModes::InOutEnd(bool changed) {
  struct CursorBack {
    TMainFormView& view;
    ~CursorBack() {
      BestEffort([&] { view.SetBusyCursor(false); });
    }
  } cursorBack{view_};
  if (changed) {
    view_.RefreshGoodsGrid(true);
    ShowBrowse(true, true);
    return;
  }
  SetEditMode(emBrowse, !IsMovesControl(busyControl_));
  view_.FocusControl(busyControl_);
}

void TEditModes::ControlEntered(TMainControl control) {
  if (applying_ || Mode() != emBrowse || control == C::Other) return;
  const bool movesSide = IsMovesControl(control);
  if (movesSide == movesSide_) return;
  movesSide_ = movesSide;
  UpdateModeUi();
}

bool TEditModes::Execute(TModeAction action) {
  switch (action) {
    case A::ActInsert: StartNewGoods(); return true;
    case A::ActEdit: StartEditGoods(); return true;
    case A::ActDelete: DeleteGoods(); return true;
    case A::ActAdd: StartIncoming(); return true;
    case A::ActDed: StartOutgoing(); return true;
    case A::ActSearch: StartGoodsSearch(); return true;
    case A::ActPost: PostEntry(); return true;
    case A::ActCancel: CancelEntry(); return true;
    case A::ActSearchEnd: EndGoodsSearch(); return true;
    case A::ActMovEdit: StartEditNote(); return true;
    case A::ActMovDel: DeleteMove(); return true;
    default: return false;
  }
}

}  // namespace vk
