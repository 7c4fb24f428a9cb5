#pragma once
// The main window without a window, over a shop of 300 goods with Cyrillic
// names in a Data folder on the real disk. Goods 0137 (2.50) has movements of
// +10.00 (2 packs), -3.00 and +5.00 (1 pack) on 1, 5 and 9 March; goods 0042
// has a name of one long word. The stand-in keeps the grid models, the six
// panel texts and the focus, answers boxes from a script and dispatches keys
// as the action list does; disabling the focused grid takes the focus from it
// (ending its search), and a control taking the focus runs its enter handler.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "Source/MainFormEditModes.h"
#include "Source/MainFormRules.h"
#include "Tools/LocalDbCtrls/DataGridFiltered.h"
#include "tests/Platform/TempFolder.h"
#include "tests/Store/StoreFixture.h"

namespace vk::testing {

inline constexpr const char* kLongName = "Самоклеящийсяуплотнительдляоконидверей";
using C = TMainControl;

inline const std::vector<std::vector<uint8_t>>& ShopFiles() {
  static const auto files = [] {
    const char* kinds[] = {"Молоко", "Сыр", "Хлеб", "Гвозди", "Мука", "Сахар", "Чай", "Кофе", "Мыло", "Соль"};
    platform::MemoryFileSystem fs;
    FixedClock clock{At(2026, 3, 1, 9)};
    TStore store(fs, clock.Clock());
    OpenStore(store);
    for (int i = 1; i <= 300; ++i) {
      const std::string code = std::string(i < 10 ? "000" : i < 100 ? "00" : "0") + std::to_string(i);
      store.AddGoods(code, i == 42 ? kLongName : kinds[i % 10] + (" " + code), i == 137 ? "2.50" : "1.25", "10.00", "2",
                     "поставка");
    }
    store.FindByCode("0137");
    clock.now = At(2026, 3, 5, 12);
    store.AddOutgoing("3.00", "0", "продажа");
    clock.now = At(2026, 3, 9, 15);
    store.AddIncoming("5.00", "1", "вторая поставка");
    CloseStore(store);
    return std::vector{*fs.Contents("store.dat"), *fs.Contents("moves.dat")};
  }();
  return files;
}

struct ShownBox {
  std::string Text, Caption;
  int Flags;
};

class FakeMainForm : public TMainFormView {
 public:
  explicit FakeMainForm(TStore& s) : store(s) {
    goodsGrid.OnBeginSearch = [this](std::string&) { modes.BeginSearch(); };
    goodsGrid.OnEndSearch = [this](std::string&) { modes.EndSearch(); };
    goodsGrid.OnSearch = [this](std::string& text) {
      if (!(goodsGrid.Col() == 2 ? store.FindByName(text) : goodsGrid.Col() == 1 && store.FindByCode(text))) text = "";
    };
    ready = true;
    RefreshGoods(true);
    modes.SetEditMode(emBrowse, true);
    FocusControl(C::GridStore);
  }

  void ApplyModeUi(const TModeUi& u) override {
    maxApplyDepth = std::max(maxApplyDepth, ++applyDepth);
    ui = u;
    if (!u.GridsEnabled && (focus == C::GridStore || focus == C::GridMoves)) {
      if (std::exchange(focus, C::Other) == C::GridStore) goodsGrid.Exit();
    }
    if (u.EntriesLocked && int(focus) < kEntryControlCount) focus = C::Other;
    --applyDepth;
  }
  std::string EntryText(C edit) const override { return entries[size_t(edit)]; }
  void SetEntryText(C edit, const std::string& text) override { entries[size_t(edit)] = text; }
  C FocusedControl() const override { return focus; }
  void FocusControl(C c) override {
    if (c == C::GridStore || c == C::GridMoves ? ui.GridsEnabled : int(c) >= kEntryControlCount || !ui.EntriesLocked) {
      focus = c;
      modes.ControlEntered(c);
    }
  }
  void RefreshGoodsGrid(bool notify) override {
    notifyGoods = notify;
    goodsGrid.Refresh();
    notifyGoods = true;
  }
  void RefreshGoods(bool reposition) override {
    TTableStore& g = store.Goods();
    if (g.RecordCount() == 0) return ClearGoods();
    entries = {g.Code.GetAsString(),   g.Name.GetAsString(),   g.Cost.GetAsString(),
               g.Weight.GetAsString(), g.PCount.GetAsString(), ""};
    shown.Show(g);
    SetMovesFilter(g.ID.Value(), reposition);
  }
  void ClearGoods() override {
    entries = {"", "", "0.00", "0.00", "0", ""};
    shown.Clear();
    SetMovesFilter(0, true);
  }
  int GoodsGridColumn() const override { return goodsGrid.Col(); }
  void SetGoodsGridColumn(int column) override { goodsGrid.SetCol(column); }
  int MovesGridRowCount() const override { return movesGrid.RowCount(); }
  void StartGoodsSearch() override { goodsGrid.StartSearch(); }
  void StopGoodsSearch() override { goodsGrid.StopSearch(); }
  bool EnhancedKeyboard() const override { return enhanced; }
  std::optional<std::string> GeneratedGoodsCode() override { return std::nullopt; }
  int ShowMessageBox(const std::string& text, const std::string& caption, int flags, const std::string&,
                     const std::string&, const std::string&, const std::string&) override {
    boxes.push_back({text, caption, flags});
    modeWhileBox = modes.Mode();
    if (whileBoxOpen) whileBoxOpen();
    if ((flags & 15) == 0) return 1;
    EXPECT_FALSE(answers.empty()) << text;
    const int answer = answers.empty() ? 2 : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  // Eight pixels a character; the label is the box's.
  int MessageBoxTextWidth(const std::string& text) override {
    return 8 * int(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  }
  int MessageBoxLabelWidth() override { return 284; }
  void SetBusyCursor(bool busy) override { busyCursor = busy; }

  // A key goes to the enabled action holding it, else as characters to the
  // goods grid when that has the focus.
  std::optional<TModeAction> Press(TShortCut key, std::u32string chars = U"") {
    const auto action = ActionOfKey(ui, key);
    if (action) modes.Execute(*action);
    for (char32_t ch : chars) {
      if (!action && focus == C::GridStore) goodsGrid.KeyPress(ch);
    }
    return action;
  }
  void Type(C edit, const std::string& text) {
    EXPECT_TRUE(ui.Editable(edit)) << "typed into read-only control " << int(edit);
    if (ui.Editable(edit)) entries[size_t(edit)] = text;
  }
  // Clicks on the goods' row in the grid (sorted by code), and on the n-th
  // movement row.
  void SelectGoods(const std::string& code) {
    ASSERT_TRUE(store.FindByCode(code));
    goodsGrid.Refresh();
    FocusControl(C::GridStore);
  }
  void SelectMove(int row) {
    movesGrid.MoveTo(0, row);
    FocusControl(C::GridMoves);
  }

  TStore& store;
  TModeUi ui;
  std::array<std::string, kEntryControlCount> entries;
  C focus = C::Other;
  int applyDepth = 0, maxApplyDepth = 0;
  bool enhanced = false, busyCursor = false;
  std::vector<ShownBox> boxes;
  std::deque<int> answers;
  std::function<void()> whileBoxOpen;
  TEditMode modeWhileBox = emBrowse;

 private:
  // The goods grid standing on another record shows its goods, a new
  // movement row its note.
  struct Events : TGridView {
    FakeMainForm* form;
    bool goods;
    Events(FakeMainForm* f, bool g) : form(f), goods(g) {}
    bool SelectCellEvent(int32_t, int32_t) override {
      if (form->ready && !goods) form->ShowMoveNote();
      if (form->ready && goods && form->notifyGoods && form->shown.Differs(form->store.Goods())) {
        form->RefreshGoods(true);
      }
      return true;
    }
  };
  void SetMovesFilter(int32_t goodsId, bool reposition) {
    movesGrid.SetFilter(&store.Moves().IndSD, {Variant::Integer(goodsId), Variant::Date(kMinDateDay)},
                        {Variant::Integer(goodsId + 1), Variant::Date(kMinDateDay)}, !reposition);
    ShowMoveNote();
    modes.UpdateModeUi();
  }
  void ShowMoveNote() {
    const bool noteShown = movesGrid.FilterCount() > 0 && store.Moves().IDStore.Value() == store.Goods().ID.Value();
    entries[5] = noteShown ? store.Moves().Note.GetAsString() : "";
  }
  static TDataColumn Column(int32_t field, TIndex* index = nullptr, uint8_t search = 0) {
    return MakeDataColumn(field, taLeftJustify, 60, "", index, search);
  }

  bool ready = false, notifyGoods = true;
  TShownGoods shown;
  Events goodsEvents{this, true}, movesEvents{this, false};

 public:
  TDataGridModel goodsGrid{&store.Goods(),
                           {Column(1, &store.Goods().IndCode, 8), Column(2, &store.Goods().IndName, 40), Column(5)},
                           false,
                           &goodsEvents};
  TFilteredDataGridModel movesGrid{&store.Moves(), {Column(2), Column(5), Column(7)}, true, &movesEvents};
  TEditModes modes{store, *this};
};

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Goods, packs, quantity and value of the whole stock.
inline std::array<int64_t, 4> TotalsOf(TStore& store) {
  std::string count, weight, sum, goods;
  store.GetTotals(count, weight, sum, goods);
  return {std::stoll(goods), std::stoll(count), TMoneyField::StrToMoney(weight), TMoneyField::StrToMoney(sum)};
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadEnglishTexts();
    ResetShop(platform::DefaultFileSystem());
  }
  void TearDown() override { ResetShop(platform::DefaultFileSystem(), false); }

  // The shop as built, opened through the file system on 10 March.
  void ResetShop(platform::FileSystem& fs, bool open = true) {
    form.reset();
    if (store) store->Close();
    store.reset();
    if (!open) return;
    std::filesystem::create_directories(temp.Folder() / "Data");
    for (size_t i = 0; i < 2; ++i) {
      std::ofstream(temp.Folder() / "Data" / (i ? "moves.dat" : "store.dat"), std::ios::binary)
          .write(reinterpret_cast<const char*>(ShopFiles()[i].data()), std::streamsize(ShopFiles()[i].size()));
    }
    clock.now = At(2026, 3, 10, 10, 30);
    store = std::make_unique<TStore>(fs, clock.Clock());
    store->SetProgramFolder(platform::test::ToUtf8(temp.Folder()) + "/");
    store->Open(false, "Data");
    form = std::make_unique<FakeMainForm>(*store);
  }
  std::vector<std::vector<uint8_t>> DataFiles() {
    return {ReadBytes(temp.Folder() / "Data" / "store.dat"), ReadBytes(temp.Folder() / "Data" / "moves.dat")};
  }
  // The panel shows the goods the table stands on as the files hold it: the
  // tables are read again from them.
  void ExpectPanelShowsDisk() {
    const std::array<std::string, kEntryControlCount> shown = form->entries;
    const std::string id = std::to_string(store->Goods().ID.Value());
    store->Close();
    store->Open(false, "Data");
    TTableStore& g = store->Goods();
    ExpectConsistent(*store, "files");
    g.FindKey(id);  // a one-field index is found by text
    EXPECT_EQ((std::vector{shown[0], shown[1], shown[2], shown[3], shown[4]}),
              (std::vector{g.Code.GetAsString(), g.Name.GetAsString(), g.Cost.GetAsString(), g.Weight.GetAsString(),
                           g.PCount.GetAsString()}));
  }
  TEditMode Mode() const { return form->modes.Mode(); }

  platform::test::TempFolder temp;
  FixedClock clock;
  std::unique_ptr<TStore> store;
  std::unique_ptr<FakeMainForm> form;
};

}  // namespace vk::testing
