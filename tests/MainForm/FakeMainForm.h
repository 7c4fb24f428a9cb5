#pragma once
// The main window without a window: the goods and moves grid models over the
// store's tables, the panel's six texts, the focus, message boxes answered
// from a script, and the action list's key dispatch. It moves the focus the
// way the window does: disabling the focused grid takes the focus from it
// (ending its search), locking the entries takes it from them, and every
// control that receives the focus runs its enter handler.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Source/MainFormEditModes.h"
#include "Tools/LocalDbCtrls/DataGridFiltered.h"

namespace vk::testing {

struct ShownBox {
  std::string Text, Caption;
  int Flags = 0;
  std::string FirstCaption, FirstHint, SecondCaption, SecondHint;
};

inline std::vector<TDataColumn> GoodsColumns(TTableStore& g) {
  return {MakeDataColumn(1, taLeftJustify, 55, "Code", &g.IndCode, 8),
          MakeDataColumn(2, taLeftJustify, 145, "Name", &g.IndName, 40),
          MakeDataColumn(5, taRightJustify, 60, "Price", &g.IndCost, 0),
          MakeDataColumn(7, taCenter, 70, "Date", &g.IndDate, 0),
          MakeDataColumn(4, taRightJustify, 60, "Qnt", &g.IndWeight, 0),
          MakeDataColumn(3, taRightJustify, 45, "Pks", &g.IndPock, 0),
          MakeDataColumn(6, taRightJustify, 85, "Cost", &g.IndSum, 0)};
}

inline std::vector<TDataColumn> MovesColumns() {
  return {MakeDataColumn(2, taCenter, 65, "Date", nullptr, 0), MakeDataColumn(3, taCenter, 38, "Mov", nullptr, 0),
          MakeDataColumn(5, taRightJustify, 42, "Qnt", nullptr, 0),
          MakeDataColumn(4, taRightJustify, 35, "Pks", nullptr, 0),
          MakeDataColumn(7, taRightJustify, 65, "Sum", nullptr, 0)};
}

inline bool IsEntry(TMainControl c) { return static_cast<int>(c) < kEntryControlCount; }

class FakeMainForm : public TMainFormView {
 public:
  explicit FakeMainForm(TStore& s) : store(s) {
    goodsGrid.OnBeginSearch = [this](std::string&) { modes.BeginSearch(); };
    goodsGrid.OnEndSearch = [this](std::string&) { modes.EndSearch(); };
    goodsGrid.OnSearch = [this](std::string& text) { GoodsSearch(text); };
    ready = true;
    RefreshGoods(true);
    movesGrid.SetRow(1);
    modes.SetEditMode(emBrowse, true);
    FocusControl(TMainControl::GridStore);
  }

  // --- the view ---
  void ApplyModeUi(const TModeUi& u) override {
    ++applies;
    maxApplyDepth = std::max(maxApplyDepth, ++applyDepth);
    ui = u;
    if (!u.GridsEnabled && (focus == TMainControl::GridStore || focus == TMainControl::GridMoves)) {
      const bool goods = focus == TMainControl::GridStore;
      focus = TMainControl::Other;
      if (goods) goodsGrid.Exit();
    }
    if (u.EntriesLocked && IsEntry(focus)) focus = TMainControl::Other;
    --applyDepth;
  }
  std::string EntryText(TMainControl edit) const override { return entries[static_cast<size_t>(edit)]; }
  void SetEntryText(TMainControl edit, const std::string& text) override { entries[static_cast<size_t>(edit)] = text; }
  TMainControl FocusedControl() const override { return focus; }
  void FocusControl(TMainControl c) override {
    if (!CanFocus(c)) return;
    focus = c;
    modes.ControlEntered(c);
  }
  void RefreshGoodsGrid(bool notify) override {
    notifyGoods = notify;
    goodsGrid.Refresh();
    notifyGoods = true;
  }
  void RefreshGoods(bool reposition) override {
    TTableStore& g = store.Goods();
    if (g.RecordCount() == 0) return ClearGoods();
    SetPanel(g.Code.GetAsString(), g.Name.GetAsString(), g.Cost.GetAsString(), g.Weight.GetAsString(),
             g.PCount.GetAsString());
    sumLabel = g.Sum.GetAsString();
    SetMovesFilter(g.ID.Value(), reposition);
  }
  void ClearGoods() override {
    SetPanel("", "", "0.00", "0.00", "0");
    sumLabel = "0.00";
    SetMovesFilter(0, true);
    entries[5].clear();
  }
  int GoodsGridColumn() const override { return goodsGrid.Col(); }
  void SetGoodsGridColumn(int column) override { goodsGrid.SetCol(column); }
  int MovesGridRowCount() const override { return movesGrid.RowCount(); }
  void StartGoodsSearch() override { goodsGrid.StartSearch(); }
  void StopGoodsSearch() override { goodsGrid.StopSearch(); }
  bool EnhancedKeyboard() const override { return enhanced; }
  std::optional<std::string> GeneratedGoodsCode() override { return autoCode; }
  int ShowMessageBox(const std::string& text, const std::string& caption, int flags, const std::string& firstCaption,
                     const std::string& firstHint, const std::string& secondCaption,
                     const std::string& secondHint) override {
    boxes.push_back({text, caption, flags, firstCaption, firstHint, secondCaption, secondHint});
    modeWhileBox = modes.Mode();
    if (whileBoxOpen) whileBoxOpen();
    if ((flags & 15) == 0) return 1;
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      return 2;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // Eight pixels a character, in a label as wide as the box's.
  int MessageBoxTextWidth(const std::string& text) override {
    int chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    return 8 * chars;
  }
  int MessageBoxLabelWidth() override { return 284; }
  void SetBusyCursor(bool busy) override { busyCursor = busy; }

  // --- what a user does ---
  // A key as the message loop hands it on: to the enabled action holding
  // it, otherwise as a character to the goods grid when it has the focus.
  std::optional<TModeAction> Press(TShortCut key, char32_t ch = 0) {
    if (const auto action = ActionOfKey(ui, key)) {
      modes.Execute(*action);
      return action;
    }
    if (ch != 0 && focus == TMainControl::GridStore) goodsGrid.KeyPress(ch);
    return std::nullopt;
  }
  void TypeInGoodsGrid(const std::u32string& text) {
    for (char32_t ch : text) {
      if (focus == TMainControl::GridStore) goodsGrid.KeyPress(ch);
    }
  }
  // Typing replaces the text of an editable control; a read-only one
  // refuses it.
  void Type(TMainControl edit, const std::string& text) {
    if (!ui.Editable(edit)) {
      ADD_FAILURE() << "typed into read-only control " << static_cast<int>(edit);
      return;
    }
    entries[static_cast<size_t>(edit)] = text;
  }
  // Clicks the goods grid's row of the goods with this code (the grid
  // sorted by code, as a search by code leaves it).
  void SelectGoods(const std::string& code) {
    ASSERT_TRUE(store.FindByCode(code)) << code;
    ASSERT_EQ(store.Goods().Code.GetAsString(), code);
    goodsGrid.Refresh();
    FocusControl(TMainControl::GridStore);
  }
  // Clicks the moves grid's n-th row (1 the first movement).
  void SelectMove(int row) {
    movesGrid.MoveTo(movesGrid.Col(), row);
    FocusControl(TMainControl::GridMoves);
  }
  std::string Panel(TMainControl edit) const { return entries[static_cast<size_t>(edit)]; }

  TStore& store;
  TModeUi ui;
  std::array<std::string, kEntryControlCount> entries;
  std::string sumLabel;
  TMainControl focus = TMainControl::Other;
  int applies = 0;
  int applyDepth = 0;
  int maxApplyDepth = 0;
  bool enhanced = false;
  std::optional<std::string> autoCode;
  std::vector<ShownBox> boxes;
  std::deque<int> answers;
  std::function<void()> whileBoxOpen;
  TEditMode modeWhileBox = emBrowse;
  bool busyCursor = false;

 private:
  // The grids tell their owner of every cell they select.
  struct GoodsGridEvents : TGridView {
    FakeMainForm* form;
    explicit GoodsGridEvents(FakeMainForm* f) : form(f) {}
    bool SelectCellEvent(int32_t, int32_t row) override {
      if (form->ready && form->notifyGoods && row != form->goodsGrid.Row()) form->RefreshGoods(true);
      return true;
    }
  };
  struct MovesGridEvents : TGridView {
    FakeMainForm* form;
    explicit MovesGridEvents(FakeMainForm* f) : form(f) {}
    bool SelectCellEvent(int32_t, int32_t) override {
      if (form->ready) form->ShowMoveNote();
      return true;
    }
  };

  bool CanFocus(TMainControl c) const {
    if (c == TMainControl::GridStore || c == TMainControl::GridMoves) return ui.GridsEnabled;
    return !IsEntry(c) || !ui.EntriesLocked;
  }
  void SetPanel(const std::string& code, const std::string& name, const std::string& cost, const std::string& weight,
                const std::string& packs) {
    entries[0] = code;
    entries[1] = name;
    entries[2] = cost;
    entries[3] = weight;
    entries[4] = packs;
  }
  void SetMovesFilter(int32_t goodsId, bool reposition) {
    TTableMoves& m = store.Moves();
    movesGrid.SetFilter(&m.IndSD, {Variant::Integer(goodsId), Variant::Date(kMinDateDay)},
                        {Variant::Integer(goodsId + 1), Variant::Date(kMinDateDay)}, !reposition);
    ShowMoveNote();
    modes.UpdateModeUi();
  }
  void ShowMoveNote() {
    TTableMoves& m = store.Moves();
    const bool ofGoods = movesGrid.FilterCount() > 0 && m.RecordCount() > 0 && store.Goods().RecordCount() > 0 &&
                         m.IDStore.Value() == store.Goods().ID.Value();
    std::string note = ofGoods ? m.Note.GetAsString() : "";
    while (!note.empty() && note.back() == ' ') note.pop_back();
    entries[5] = note;
  }
  void GoodsSearch(std::string& text) {
    const int column = goodsGrid.Col();
    const bool found = column == 2 ? store.FindByName(text) : column == 1 && store.FindByCode(text);
    if (!found) text.clear();
  }

  bool ready = false;  // the grids exist
  GoodsGridEvents goodsEvents{this};
  MovesGridEvents movesEvents{this};
  bool notifyGoods = true;

 public:
  TDataGridModel goodsGrid{&store.Goods(), GoodsColumns(store.Goods()), false, &goodsEvents};
  TFilteredDataGridModel movesGrid{&store.Moves(), MovesColumns(), true, &movesEvents};
  TEditModes modes{store, *this};
};

}  // namespace vk::testing
