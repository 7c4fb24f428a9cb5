// The edit modes driven as a user drives them over the shop on the disk:
// keys, typed entries, answers to the boxes; the store's totals checked after
// every entry, and every write of each operation made to fail in turn.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "MainFormFixture.h"
#include "Platform/fake/FaultyFileSystem.h"
#include "vkNames/MessageBoxRules.h"

// The table rows leave out what their case does not need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vk {
namespace {

using testing::At;
using testing::C;
using testing::FakeMainForm;
using A = TModeAction;

// Goods 0137 selected, a movement row clicked (0: none), a work date set, a
// key, the typed texts (null: untouched), then Enter; the store's texts in
// the shop's 1251 unless a data code page is given (1252: an English system
// whose settings name none).
struct Entry {
  const char* what;
  int moveRow;
  bool workDate;
  TShortCut key;
  std::array<const char*, kEntryControlCount> typed;
  const char* refusal;           // the box's caption; null when posted
  std::array<int64_t, 4> delta;  // of goods, packs, quantity, value
  C focusAfter;                  // the grid after a post, the field the box names after a refusal
  uint32_t dataCodePage;
};

// clang-format off
const Entry kEntries[] = {
  {"new goods", 0, false, scIns, {"0301", " Кефир ", "3.40", "2.50", "", "н"}, nullptr, {1, 0, 250, 850}, C::GridStore},
  {"new goods too dear", 0, false, scIns, {"0301", "Кефир", "99'999.00", "999.00", "1", ""}, "Quantity of products", {},
   C::EditWeight},
  {"new goods, packs -1", 0, false, scIns, {"0301", "Кефир", "3.40", "2.50", "-1", ""}, "Quantity of products", {},
   C::EditPCount},
  {"new price", 0, false, scF2, {nullptr, "Кофе", "3.00"}, nullptr, {0, 0, 0, 600}, C::GridStore},
  {"price too high", 0, false, scF2, {nullptr, nullptr, "9'999'999.00"}, "Product price", {}, C::EditCost},
  {"incoming", 0, false, scF12, {nullptr, nullptr, nullptr, "5.00", "", "к"}, nullptr, {0, 0, 500, 1250}, C::GridStore},
  {"incoming from the moves", 2, false, scF12, {nullptr, nullptr, nullptr, "5.00", "2"}, nullptr, {0, 2, 500, 1250},
   C::GridMoves},
  {"incoming on a work date", 0, true, scF12, {nullptr, nullptr, nullptr, "0.40", ""}, nullptr, {0, 0, 40, 100},
   C::GridMoves},
  // Only the quantity typed: no packs are booked, whatever the goods hold.
  {"incoming, packs left empty", 0, false, scF12, {nullptr, nullptr, nullptr, "1.00"}, nullptr, {0, 0, 100, 250},
   C::GridStore},
  {"outgoing, packs left empty", 0, false, scF11, {nullptr, nullptr, nullptr, "1.00"}, nullptr, {0, 0, -100, -250},
   C::GridStore},
  {"incoming too big", 0, false, scF12, {nullptr, nullptr, nullptr, "99'999'999.00"}, "Quantity of products", {},
   C::EditWeight},
  {"outgoing of all", 0, false, scF11, {nullptr, nullptr, nullptr, "12.00", "3"}, nullptr, {0, -3, -1200, -3000},
   C::GridStore},
  {"outgoing beyond", 0, false, scF11, {nullptr, nullptr, nullptr, "12.01"}, "Rest of products", {}, C::EditWeight},
  {"outgoing, packs", 2, false, scF11, {nullptr, nullptr, nullptr, "1.00", "4"}, "Rest of products", {},
   C::EditPCount},
  {"note", 2, false, scF2, {nullptr, nullptr, nullptr, nullptr, nullptr, " возврат "}, nullptr, {}, C::GridMoves},
  {"delete goods", 0, false, scDel, {}, nullptr, {-1, -3, -1200, -3000}, C::GridStore},
  {"delete movement", 2, false, scDel, {}, nullptr, {0, 0, 300, 750}, C::GridMoves},
  {"new goods named in Cyrillic, Western data", 0, false, scIns, {"0301", "Молоко Ёж", "3.40", "2.50", "", ""},
   "Product name", {}, C::EditName, 1252},
  {"new goods named with é, Cyrillic data", 0, false, scIns, {"0301", "Café", "3.40", "2.50", "", ""}, "Product name",
   {}, C::EditName},
  {"new goods, Cyrillic code", 0, false, scIns, {"Ё301", "Milk", "3.40", "2.50", "", ""}, "Product code", {},
   C::EditCode, 1252},
  {"new goods, Cyrillic note", 0, false, scIns, {"0301", "Milk", "3.40", "2.50", "", "Ёж"}, "Movement note", {},
   C::EditNote, 1252},
  {"new code with é", 0, false, scF2, {"é137"}, "Product code", {}, C::EditCode},
  {"incoming, note with é", 0, false, scF12, {nullptr, nullptr, nullptr, "5.00", "", "café"}, "Movement note", {},
   C::EditNote},
  {"new goods, 40 letters, UTF-8 data", 0, false, scIns,
   {"0301", "Эмаль алкидная белая глянцевая по дереву", "3.40", "2.50", "", ""}, "Product name", {}, C::EditName, 65001},
  {"outgoing, Cyrillic note, Western data", 0, false, scF11, {nullptr, nullptr, nullptr, "1.00", "", "Ёж"},
   "Movement note", {}, C::EditNote, 1252},
  {"note with é", 2, false, scF2, {nullptr, nullptr, nullptr, nullptr, nullptr, "répété"}, "Movement note", {},
   C::EditNote},
};
// clang-format on

void Perform(FakeMainForm& form, const Entry& e) {
  if (e.dataCodePage) form.store.SetDataCodePage(e.dataCodePage);
  form.SelectGoods("0137");
  if (e.moveRow) form.SelectMove(e.moveRow);
  if (e.workDate) form.store.SetWorkDate(At(2026, 3, 2));
  form.answers = {1};
  form.Press(e.key);
  for (size_t i = 0; i < e.typed.size(); ++i) {
    if (e.typed[i]) form.Type(C(i), e.typed[i]);
  }
  form.Press(scEnter);
}

class EditModeFlow : public testing::MainFormTest {};

TEST_F(EditModeFlow, EntriesArePostedOrRefusedKeepingWhatWasTyped) {
  const std::map<std::string, std::string> texts{
      {"Quantity of products", ProgTexts.CostTooHigh}, {"Product price", ProgTexts.PriceTooHigh},
      {"Rest of products", ProgTexts.NotEnoughGoods},  {"Product code", ProgTexts.TextNotStorable},
      {"Product name", ProgTexts.TextNotStorable},     {"Movement note", ProgTexts.TextNotStorable}};
  for (const Entry& e : kEntries) {
    SCOPED_TRACE(e.what);
    ResetShop(platform::DefaultFileSystem());
    auto expected = testing::TotalsOf(*store);
    const auto files = DataFiles();
    Perform(*form, e);
    if (e.refusal) {
      ASSERT_EQ(form->boxes.size(), 1u);
      EXPECT_EQ(form->boxes[0].Caption + form->boxes[0].Text, e.refusal + texts.at(e.refusal));
      EXPECT_EQ(form->boxes[0].Flags, kMbOneButton | kMbIconInformation);
      EXPECT_EQ(form->focus, e.focusAfter);
      for (size_t i = 0; i < e.typed.size(); ++i) {
        if (e.typed[i]) {
          EXPECT_EQ(form->entries[i], e.typed[i]);
        }
      }
      EXPECT_EQ(DataFiles(), files);
      EXPECT_EQ(form->Press(scEsc), A::ActCancel);
      EXPECT_EQ(form->entries[0], "0137");
      continue;
    }
    EXPECT_EQ(form->boxes.size(), e.key == scDel ? 1u : 0u);
    if (e.key == scDel) {
      EXPECT_EQ(form->modeWhileBox, e.moveRow ? emDeleteMove : emDeleteGoods);
    }
    EXPECT_EQ(Mode(), emBrowse);
    EXPECT_EQ(form->focus, e.focusAfter);
    EXPECT_EQ(form->modes.GoodsSide(), e.focusAfter == C::GridStore);
    for (size_t i = 0; i < 4; ++i) expected[i] += e.delta[i];
    EXPECT_EQ(testing::TotalsOf(*store), expected);
    if (e.workDate) {
      EXPECT_EQ(std::trunc(store->Moves().MoveDate.Value()), At(2026, 3, 2));
    }
    ExpectPanelShowsDisk();
  }
}

TEST_F(EditModeFlow, DeletionsActOnWhatWasConfirmedAndNameAndRefusalTextsFollowTheData) {
  form->whileBoxOpen = [&] { store->Moves().SetRecNo(store->Moves().RecNo() + 1); };  // the grid moved on
  Perform(*form, {"delete 5 March", 2, false, scDel});
  EXPECT_EQ(form->boxes.at(0).Text, "Remove the movement of the product?\r\n" +
                                        FormatDateTime("", At(2026, 3, 5, 12), FormatSettings()) +
                                        "  (-3.00)\r\nпродажа");
  EXPECT_EQ(std::vector({form->movesGrid.GetCellText(1, 1), form->movesGrid.GetCellText(1, 2)}),
            std::vector<std::string>({"10.00", "5.00"}));
  EXPECT_EQ(std::trunc(store->Goods().LastDate.Value()), At(2026, 3, 9));
  form->whileBoxOpen = nullptr;
  Perform(*form, {"sell out", 0, false, scF11, {nullptr, nullptr, nullptr, "15.00", "3"}});
  const auto files = DataFiles();
  Perform(*form, {"delete the first delivery", 1, false, scDel});
  form->answers = {2};
  form->SelectGoods("0137");
  form->Press(scDel);
  EXPECT_EQ(form->boxes.at(1).Text, "Can't remove this movement.\r\n" + ProgTexts.NotEnoughGoods);
  EXPECT_EQ(form->boxes.at(2).Text,
            "Remove product\r\n(0137)  Кофе 0137\r\nfrom warehouse\r\nand it's movement information?");
  EXPECT_EQ(DataFiles(), files);
  // A name wider than the box's label is broken into pieces that fit it.
  form->SelectGoods("0042");
  form->answers = {1};
  form->Press(scDel);
  const std::string name = testing::kLongName;
  EXPECT_EQ(form->boxes.at(3).Text, ProgTexts.RemoveGoodsQuestionStart + "(0042)  " + name.substr(0, 70) + " " +
                                        name.substr(70) + ProgTexts.RemoveGoodsQuestionEnd);
  EXPECT_EQ(form->goodsGrid.RowCount(), 300);
  testing::ExpectConsistent(*store, "after the deletions");
}

TEST_F(EditModeFlow, ANoteIsEditedOnTheMovementChosenAndNeverWithoutOne) {
  form->SelectGoods("0137");
  form->SelectMove(2);
  form->Press(scF2);
  EXPECT_EQ(form->entries[5], "продажа");
  store->Moves().SetRecNo(0);  // a refresh moved the table meanwhile
  form->Type(C::EditNote, " возврат ");
  form->Press(scEnter);
  EXPECT_EQ(form->movesGrid.Row(), 2);
  EXPECT_EQ(store->Moves().Note.GetAsString() + " " + store->Moves().CellText(store->Moves().RecNo() - 1, 8),
            "возврат поставка");
  store->Goods().Append();  // a new goods cut short before its first movement
  store->Goods().Post();
  form->RefreshGoodsGrid(true);
  form->FocusControl(C::GridMoves);
  const auto files = DataFiles();
  EXPECT_EQ(form->Press(scF2), std::nullopt);
  form->modes.StartEditNote();  // the menu item, were it left on
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_EQ(DataFiles(), files);
}

// An action taken while searching ends the search first, and the grid losing
// the focus to the new mode does not throw the window back to browse.
TEST_F(EditModeFlow, SearchEndsBeforeAnActionAndTheKeypadTypesIntoANameSearch) {
  for (auto [key, mode] :
       {std::pair{scF12, emIncoming}, {scF11, emOutgoing}, {scF2, emEditGoods}, {scIns, emNewGoods}}) {
    ResetShop(platform::DefaultFileSystem());
    form->goodsGrid.SetCol(1);
    form->Press(scNone, U"0251");
    ASSERT_EQ(Mode(), emSearch);
    form->Press(key);
    EXPECT_EQ(form->ui.Mode, mode);
    EXPECT_EQ(form->maxApplyDepth, 1);
    EXPECT_EQ(form->entries[0], mode == emNewGoods ? "" : "0251");
    form->goodsGrid.StopSearch();  // reported by the grid, not searching
    EXPECT_EQ(Mode(), mode);
  }
  ResetShop(platform::DefaultFileSystem());
  form->enhanced = true;
  form->goodsGrid.SetCol(2);
  form->Press(scNone, U"чай");
  EXPECT_EQ(form->ui.StatusText, "Search product");
  EXPECT_EQ(form->Press(scKeypadPlus, U"+"), std::nullopt);
  EXPECT_EQ(form->goodsGrid.SearchText(), "чай+");
  EXPECT_EQ(form->Press(scEsc), A::ActSearchEnd);
  form->goodsGrid.SetCol(3);
  EXPECT_EQ(form->Press(scF3), A::ActSearch);
  form->Press(scNone, U"01");
  EXPECT_EQ(store->Goods().Code.GetAsString(), "0100");
  EXPECT_EQ(form->Press(scKeypadPlus, U"+"), A::ActAdd);
  EXPECT_EQ(Mode(), emIncoming);
}

// A name search that switches the order moves the table to another record
// under the same row: the panel and the moves grid follow the record, also
// once the search is left.
TEST_F(EditModeFlow, PanelFollowsTheRecordASearchFindsUnderTheSameRow) {
  const std::string first = form->entries[0];
  form->goodsGrid.SetCol(2);
  form->Press(scNone, U"Г");
  ASSERT_EQ(form->goodsGrid.Row(), 1);
  ASSERT_NE(store->Goods().Code.GetAsString(), first);
  for (bool esc : {false, true}) {
    if (esc) form->Press(scEsc);
    EXPECT_EQ(form->entries[1], store->Goods().Name.GetAsString()) << esc;
    EXPECT_EQ(store->Moves().IDStore.Value(), store->Goods().ID.Value()) << esc;
  }
}

TEST_F(EditModeFlow, BusyModeGivesTheFocusBackOrRebuildsAfterAChange) {
  form->SelectGoods("0137");
  form->SelectMove(3);
  form->modes.InOutBegin();
  EXPECT_TRUE(form->busyCursor && form->ui.EntriesLocked && Mode() == emBusy);
  form->modes.InOutEnd(false);
  EXPECT_EQ(ActionOfKey(form->ui, scDel), A::ActMovDel);
  EXPECT_TRUE(!form->busyCursor && form->focus == C::GridMoves);
  form->FocusControl(C::EditNote);
  form->modes.InOutBegin();
  EXPECT_FALSE(form->ui.EntriesLocked);
  store->AddGoods("0301", "Кефир", "1.00", "1.00", "0", "");  // an import added it
  form->modes.InOutEnd(true);
  EXPECT_TRUE(form->focus == C::GridStore && form->modes.GoodsSide());
  EXPECT_EQ(form->entries[0], "0301");
  EXPECT_EQ(form->goodsGrid.RowCount(), 302);
}

// A store operation that fails returns to browse showing what the files hold.
TEST_F(EditModeFlow, EveryFailedWriteOfAnOperationReturnsToBrowseShowingTheFiles) {
  platform::FaultyFileSystem faulty(platform::DefaultFileSystem());
  for (const Entry& op : kEntries) {
    for (int n = 1; !op.refusal && n < 40; ++n) {
      SCOPED_TRACE(std::string(op.what) + ", write " + std::to_string(n));
      ResetShop(faulty);
      faulty.Reset();
      faulty.FailNthMutation(n);
      bool raised = false;
      try {
        Perform(*form, op);
      } catch (const Exception&) {
        raised = true;
      }
      const bool injected = faulty.InjectedCount() > 0;
      faulty.Reset();
      // A fault in the journal's last step alone does not fail the
      // operation: its files already hold the result.
      EXPECT_TRUE(injected || !raised);
      EXPECT_TRUE(Mode() == emBrowse && form->ui.GridsEnabled);
      EXPECT_EQ(form->goodsGrid.RowCount(), store->Goods().RecordCount() + 1);
      testing::ExpectConsistent(*store, op.what);
      ExpectPanelShowsDisk();
      if (!injected) break;
    }
  }
}

}  // namespace
}  // namespace vk
