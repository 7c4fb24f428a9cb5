// The edit modes driven as a user drives them, over the shop on the disk:
// keys, typed entries and answers to the boxes, with the store's totals
// checked after every entry.

#include <gtest/gtest.h>

#include <cmath>

#include "MainFormFixture.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

using testing::MainFormTest;
using testing::ReadBytes;
using testing::StockTotals;
using testing::TotalsOf;
using C = TMainControl;
using A = TModeAction;

class EditModeFlow : public MainFormTest {
 protected:
  std::pair<std::vector<uint8_t>, std::vector<uint8_t>> DataFiles() {
    return {ReadBytes(temp.Folder() / "Data" / "store.dat"), ReadBytes(temp.Folder() / "Data" / "moves.dat")};
  }
  // The record number of the movement booked last (the highest ID).
  int32_t NewestMove() {
    int32_t newest = 0;
    for (int32_t row = 1; row < Moves().RecordCount(); ++row) {
      if (testing::Cell<int32_t>(Moves(), row, 0) > testing::Cell<int32_t>(Moves(), newest, 0)) newest = row;
    }
    return newest;
  }
  void ExpectRefusedBox(const std::string& caption, const std::string& text) {
    ASSERT_EQ(form->boxes.size(), 1u);
    EXPECT_EQ(form->boxes[0].Caption, caption);
    EXPECT_EQ(form->boxes[0].Text, text);
    EXPECT_EQ(form->boxes[0].Flags, kMbOneButton | kMbIconInformation);
    EXPECT_EQ(form->boxes[0].FirstHint, "Close message window");
  }
};

TEST_F(EditModeFlow, NewGoodsIsPostedOrRefusedWithTheTypedValuesKept) {
  struct Case {
    const char *price, *weight, *packs;
    bool accepted;
    int64_t packsAdded;
  } cases[] = {
      {"3.40", "2.50", "", true, 0},  // no packs typed: 0
      {"3.40", "2.50", "7", true, 7},
      {"99'999.00", "999.00", "1", false, 0},  // value beyond the totals' range
      {"3.40", "2.50", "-1", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.price) + " x " + c.weight + ", packs " + c.packs);
    ResetShop(platform::DefaultFileSystem());
    form->SelectGoods("0137");
    const StockTotals before = TotalsOf(*store);
    const auto files = DataFiles();
    EXPECT_EQ(form->Press(scIns), A::ActInsert);
    EXPECT_EQ(Mode(), emNewGoods);
    EXPECT_EQ(form->focus, C::EditCode);
    EXPECT_EQ(form->Panel(C::EditName), "");
    EXPECT_EQ(form->ui.PlusMark, "(+)");
    form->Type(C::EditCode, "0301");
    form->Type(C::EditName, "  Кефир  ");
    form->Type(C::EditCost, c.price);
    form->Type(C::EditWeight, c.weight);
    form->Type(C::EditPCount, c.packs);
    form->Type(C::EditNote, "первая");
    EXPECT_EQ(form->Press(scEnter), A::ActPost);
    if (!c.accepted) {
      ExpectRefusedBox("Quantity of products", ProgTexts.CostTooHigh);
      EXPECT_EQ(Mode(), emNewGoods);
      EXPECT_EQ(form->Panel(C::EditCost), c.price);
      EXPECT_EQ(TotalsOf(*store), before);
      EXPECT_EQ(DataFiles(), files);
      EXPECT_EQ(form->Press(scEsc), A::ActCancel);
      EXPECT_EQ(form->Panel(C::EditCode), "0137");
      continue;
    }
    EXPECT_TRUE(form->boxes.empty());
    EXPECT_EQ(Mode(), emBrowse);
    EXPECT_EQ(form->focus, C::GridStore);
    EXPECT_EQ(form->Panel(C::EditName), "Кефир");
    EXPECT_EQ(form->Panel(C::EditPCount), std::to_string(c.packsAdded));
    EXPECT_EQ(form->goodsGrid.GetCellText(1, form->goodsGrid.Row()), "0301");
    const StockTotals after{before.Goods + 1, before.Packs + c.packsAdded, before.Weight + 250, before.Sum + 850};
    EXPECT_EQ(TotalsOf(*store), after);
    testing::ExpectConsistent(*store, "after a new goods");
  }
}

TEST_F(EditModeFlow, GeneratedCodeIsFilledInAndTheNameTypedFirst) {
  form->autoCode = "0301";
  form->Press(scIns);
  EXPECT_EQ(form->Panel(C::EditCode), "0301");
  EXPECT_EQ(form->focus, C::EditName);
}

TEST_F(EditModeFlow, NewPriceRepricesEveryMovementAndATooHighOneIsRefused) {
  form->SelectGoods("0137");
  form->goodsGrid.SetCol(3);
  const StockTotals before = TotalsOf(*store);
  EXPECT_EQ(form->Press(scF2), A::ActEdit);
  EXPECT_EQ(Mode(), emEditGoods);
  EXPECT_EQ(form->focus, C::EditCost);  // from the price column
  form->Type(C::EditCost, "9'999'999.00");
  form->Press(scEnter);
  ExpectRefusedBox("Product price", "The product price is too high. Decrease the product price.");
  EXPECT_EQ(Mode(), emEditGoods);
  form->boxes.clear();
  form->Type(C::EditCost, "3.00");
  form->Type(C::EditName, "Мука ржаная");
  form->Press(scEnter);
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_EQ(form->focus, C::GridStore);
  EXPECT_EQ(Goods().Sum.Value(), 3600u);  // 12.00 at 3.00
  EXPECT_EQ(form->Panel(C::EditName), "Мука ржаная");
  EXPECT_EQ(form->movesGrid.FilterCount(), 3);
  EXPECT_EQ(form->movesGrid.GetCellText(4, 1), "30.00");
  EXPECT_EQ(form->movesGrid.GetCellText(4, 2), "9.00");
  EXPECT_EQ(form->movesGrid.GetCellText(4, 3), "15.00");
  EXPECT_EQ(TotalsOf(*store), (StockTotals{before.Goods, before.Packs, before.Weight, before.Sum + 600}));
  testing::ExpectConsistent(*store, "after re-pricing");
}

// Goods 0137 holds 12.00 (3 packs) worth 30.00 at 2.50.
TEST_F(EditModeFlow, MovementsAreBookedOrRefusedAndTheFocusReturnsToItsSide) {
  struct Case {
    const char* what;
    TShortCut key;
    const char *weight, *packs;
    C from;
    bool workDate;
    const char* refusal;  // caption, or null when booked
    int64_t weightDelta, packsDelta;
    C focusAfter;
  } cases[] = {
      {"incoming from the goods", scF12, "5.00", "", C::GridStore, false, nullptr, 500, 0, C::GridStore},
      {"incoming from the moves", scF12, "5.00", "2", C::GridMoves, false, nullptr, 500, 2, C::GridMoves},
      {"incoming under a work date", scF12, "0.40", "", C::GridStore, true, nullptr, 40, 0, C::GridMoves},
      {"outgoing of all", scF11, "12.00", "3", C::GridStore, false, nullptr, -1200, -3, C::GridStore},
      {"outgoing beyond the stock", scF11, "12.01", "", C::GridStore, false, "Rest of products", 0, 0, C::Other},
      {"outgoing of more packs", scF11, "1.00", "4", C::GridMoves, false, "Rest of products", 0, 0, C::Other},
      {"incoming beyond the totals", scF12, "99'999'999.00", "", C::GridStore, false, "Quantity of products", 0, 0,
       C::Other},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetShop(platform::DefaultFileSystem());
    form->SelectGoods("0137");
    if (c.from == C::GridMoves) form->SelectMove(2);
    if (c.workDate) store->SetWorkDate(testing::At(2026, 3, 2));
    const StockTotals before = TotalsOf(*store);
    const auto files = DataFiles();
    form->Press(c.key);
    const TEditMode mode = c.key == scF12 ? emIncoming : emOutgoing;
    ASSERT_EQ(Mode(), mode);
    EXPECT_EQ(form->focus, C::EditWeight);
    EXPECT_EQ(form->Panel(C::EditNote), "");
    EXPECT_EQ(form->Panel(C::EditCode), "0137");
    form->Type(C::EditWeight, c.weight);
    form->Type(C::EditPCount, c.packs);
    form->Type(C::EditNote, "касса 2");
    form->Press(scEnter);
    if (c.refusal) {
      ExpectRefusedBox(c.refusal, mode == emIncoming ? ProgTexts.CostTooHigh : ProgTexts.NotEnoughGoods);
      EXPECT_EQ(Mode(), mode);
      EXPECT_EQ(form->Panel(C::EditWeight), c.weight);
      EXPECT_EQ(DataFiles(), files);
      EXPECT_EQ(TotalsOf(*store), before);
      continue;
    }
    EXPECT_EQ(Mode(), emBrowse);
    EXPECT_EQ(form->focus, c.focusAfter);
    EXPECT_EQ(form->modes.GoodsSide(), c.focusAfter == C::GridStore);
    EXPECT_EQ(TotalsOf(*store), (StockTotals{before.Goods, before.Packs + c.packsDelta,
                                             static_cast<uint32_t>(before.Weight + c.weightDelta),
                                             static_cast<uint32_t>(before.Sum + c.weightDelta * 250 / 100)}));
    EXPECT_EQ(form->movesGrid.FilterCount(), 4);
    // The new movement carries the work date and stands among its goods' movements by date.
    const TDateTime day = c.workDate ? testing::At(2026, 3, 2) : testing::At(2026, 3, 10);
    EXPECT_EQ(std::trunc(testing::Cell<double>(Moves(), NewestMove(), 2)), day);
    EXPECT_EQ(Moves().CellText(NewestMove(), 8), "касса 2");
    testing::ExpectConsistent(*store, c.what);
  }
}

TEST_F(EditModeFlow, NoteIsEditedOnTheMovementTheUserChoseEvenWhenTheTableMovedMeanwhile) {
  form->SelectGoods("0137");
  form->SelectMove(2);
  EXPECT_EQ(form->Press(scF2), A::ActMovEdit);
  ASSERT_EQ(Mode(), emEditNote);
  EXPECT_EQ(form->focus, C::EditNote);
  EXPECT_EQ(form->Panel(C::EditNote), "продажа");
  EXPECT_TRUE(form->ui.Editable(C::EditNote));
  Moves().SetRecNo(0);  // a refresh moved the movements meanwhile
  form->Type(C::EditNote, "возврат поставщику");
  form->Press(scEnter);
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_EQ(form->focus, C::GridMoves);
  auto disk = DiskStore();
  ASSERT_TRUE(disk->FindByCode("0137"));
  std::vector<std::string> notes;
  for (int32_t i = 0; i < disk->Moves().RecordCount(); ++i) {
    if (testing::Cell<int32_t>(disk->Moves(), i, 1) == disk->Goods().ID.Value()) {
      disk->Moves().SetRecNo(i);
      notes.push_back(disk->Moves().Note.GetAsString());
    }
  }
  EXPECT_EQ(notes, (std::vector<std::string>{"поставка", "возврат поставщику", "вторая поставка"}));
}

TEST_F(EditModeFlow, NoNoteIsEditedForGoodsWithoutAMovement) {
  // A new goods cut short before its first movement: a record with no move.
  Goods().Append();
  Goods().Code.SetAsString("0999");
  Goods().Name.SetAsString("Пустой");
  Goods().Post();
  form->RefreshGoodsGrid(true);
  form->RefreshGoods(true);
  form->FocusControl(C::GridMoves);
  const auto files = DataFiles();
  EXPECT_FALSE(form->ui[A::ActMovEdit].Enabled);
  EXPECT_EQ(form->Press(scF2), std::nullopt);
  form->modes.StartEditNote();  // the menu item, were it left on
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_EQ(DataFiles(), files);
}

TEST_F(EditModeFlow, DeletingGoodsAsksAndYesRemovesItWithItsMovements) {
  for (int answer : {2, 1}) {
    SCOPED_TRACE(answer == 1 ? "Yes" : "No");
    ResetShop(platform::DefaultFileSystem());
    form->SelectGoods("0137");
    const StockTotals before = TotalsOf(*store);
    const auto files = DataFiles();
    form->answers = {answer};
    EXPECT_EQ(form->Press(scDel), A::ActDelete);
    ASSERT_EQ(form->boxes.size(), 1u);
    EXPECT_EQ(form->modeWhileBox, emDeleteGoods);
    const testing::ShownBox& box = form->boxes[0];
    EXPECT_EQ(box.Text, "Remove product\r\n(0137)  Сахар 137\r\nfrom warehouse\r\nand it's movement information?");
    EXPECT_EQ(box.Flags, kMbTwoButtons | kMbIconQuestion);
    EXPECT_EQ(box.FirstHint, "Remove product");
    EXPECT_EQ(box.SecondHint, "Do not remove product");
    EXPECT_EQ(Mode(), emBrowse);
    EXPECT_EQ(form->focus, C::GridStore);
    if (answer == 2) {
      EXPECT_EQ(DataFiles(), files);
      continue;
    }
    EXPECT_EQ(form->Panel(C::EditCode), Goods().Code.GetAsString());
    EXPECT_EQ(TotalsOf(*store),
              (StockTotals{before.Goods - 1, before.Packs - 3, before.Weight - 1200, before.Sum - 3000}));
    EXPECT_EQ(Moves().RecordCount(), 299);
    EXPECT_EQ(form->goodsGrid.RowCount(), 300);
    EXPECT_FALSE(store->FindByCode("0137") && Goods().Code.GetAsString() == "0137");
    testing::ExpectConsistent(*store, "after deleting goods");
  }
}

TEST_F(EditModeFlow, LongGoodsNameIsBrokenToFitTheBoxLabel) {
  form->SelectGoods("0042");
  form->answers = {2};
  form->Press(scDel);
  ASSERT_EQ(form->boxes.size(), 1u);
  const std::string& text = form->boxes[0].Text;
  const std::string start = "Remove product\r\n", end = "\r\nfrom warehouse\r\nand it's movement information?";
  ASSERT_EQ(text.substr(0, start.size()), start);
  ASSERT_GT(text.size(), start.size() + end.size());
  const std::string line = text.substr(start.size(), text.size() - start.size() - end.size());
  std::string joined;
  size_t wordStart = 0;
  int pieces = 0;
  for (size_t at = 0; at <= line.size(); ++at) {
    if (at < line.size() && line[at] != ' ') continue;
    const std::string word = line.substr(wordStart, at - wordStart);
    EXPECT_LT(form->MessageBoxTextWidth(word), form->MessageBoxLabelWidth()) << word;
    if (!word.empty()) ++pieces;
    joined += word;
    wordStart = at + 1;
  }
  EXPECT_EQ(pieces, 3);  // the code and the name in two
  EXPECT_EQ(joined, std::string("(0042)") + testing::kLongName);
}

TEST_F(EditModeFlow, DeletingAMovementRemovesTheOneConfirmedAndARefusedOneStays) {
  form->SelectGoods("0137");
  form->SelectMove(2);
  const StockTotals before = TotalsOf(*store);
  const std::string date = FormatDateTime("", Moves().MoveDate.Value(), FormatSettings());
  form->answers = {1};
  form->whileBoxOpen = [&] { Moves().SetRecNo(Moves().RecNo() + 1); };  // the grid moved on meanwhile
  EXPECT_EQ(form->Press(scDel), A::ActMovDel);
  ASSERT_EQ(form->boxes.size(), 1u);
  EXPECT_EQ(form->modeWhileBox, emDeleteMove);
  EXPECT_EQ(form->boxes[0].Text, "Remove the movement of the product?\r\n" + date + "  (-3.00)\r\nпродажа");
  EXPECT_EQ(form->boxes[0].FirstHint, "Remove the movement");
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_EQ(form->focus, C::GridMoves);
  EXPECT_FALSE(form->modes.GoodsSide());
  ASSERT_EQ(form->movesGrid.FilterCount(), 2);
  EXPECT_EQ(form->movesGrid.GetCellText(2, 1), "10.00");
  EXPECT_EQ(form->movesGrid.GetCellText(2, 2), "5.00");
  EXPECT_EQ(std::trunc(Goods().LastDate.Value()), testing::At(2026, 3, 9));
  EXPECT_EQ(TotalsOf(*store), (StockTotals{before.Goods, before.Packs, before.Weight + 300, before.Sum + 750}));
  testing::ExpectConsistent(*store, "after deleting a movement");

  // Sold out, the first delivery can no longer be taken back.
  form->whileBoxOpen = nullptr;
  form->boxes.clear();
  form->SelectGoods("0137");
  form->Press(scF11);
  form->Type(C::EditWeight, "15.00");
  form->Type(C::EditPCount, "3");
  form->Press(scEnter);
  ASSERT_EQ(Mode(), emBrowse);
  form->SelectMove(1);
  const auto files = DataFiles();
  form->Press(scDel);
  ExpectRefusedBox("Remove", "Can't remove this movement.\r\n" + ProgTexts.NotEnoughGoods);
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_EQ(DataFiles(), files);
}

TEST_F(EditModeFlow, TypedSearchRunsInItsModeAndEscEndsIt) {
  form->goodsGrid.SetCol(2);
  form->TypeInGoodsGrid(U"сах");
  EXPECT_EQ(Mode(), emSearch);
  EXPECT_EQ(form->ui.StatusText, "Search product");
  EXPECT_TRUE(form->ui[A::ActSearchEnd].Visible && !form->ui[A::ActSearch].Visible);
  EXPECT_EQ(Goods().Name.GetAsString().substr(0, 10), "Сахар");
  EXPECT_EQ(form->Press(scEsc), A::ActSearchEnd);
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_FALSE(form->goodsGrid.Searching());
  // F3 moves the search to the codes from a column that has none.
  form->goodsGrid.SetCol(5);
  EXPECT_EQ(form->Press(scF3), A::ActSearch);
  EXPECT_EQ(Mode(), emSearch);
  EXPECT_EQ(form->goodsGrid.Col(), 1);
}

// An action taken while searching ends the search first; the grid losing the
// focus to the new mode then does not throw the window back to browse.
TEST_F(EditModeFlow, ActionsTakenWhileSearchingEndTheSearchFirst) {
  struct Case {
    TShortCut key;
    TEditMode mode;
  } cases[] = {{scF12, emIncoming}, {scF11, emOutgoing}, {scF2, emEditGoods}, {scIns, emNewGoods}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    ResetShop(platform::DefaultFileSystem());
    form->goodsGrid.SetCol(1);
    form->TypeInGoodsGrid(U"0251");
    ASSERT_EQ(Mode(), emSearch);
    ASSERT_EQ(Goods().Code.GetAsString(), "0251");
    form->maxApplyDepth = 0;
    form->Press(c.key);
    EXPECT_EQ(Mode(), c.mode);
    EXPECT_EQ(form->ui.Mode, c.mode);
    EXPECT_FALSE(form->ui.GridsEnabled);
    EXPECT_FALSE(form->goodsGrid.Searching());
    EXPECT_EQ(form->maxApplyDepth, 1);
    EXPECT_EQ(form->Panel(C::EditCode), c.mode == emNewGoods ? "" : "0251");
    // A stop reported by the grid now changes nothing.
    form->goodsGrid.StopSearch();
    EXPECT_EQ(Mode(), c.mode);
  }
}

TEST_F(EditModeFlow, KeypadKeysAreTypedIntoANameSearchAndBookInACodeSearch) {
  form->enhanced = true;
  form->modes.UpdateModeUi();
  form->goodsGrid.SetCol(2);
  form->TypeInGoodsGrid(U"Чай");
  ASSERT_EQ(Mode(), emSearch);
  const StockTotals before = TotalsOf(*store);
  EXPECT_EQ(form->Press(scKeypadPlus, U'+'), std::nullopt);
  EXPECT_EQ(Mode(), emSearch);
  EXPECT_EQ(form->goodsGrid.SearchText(), "Чай+");
  EXPECT_EQ(form->Press(scKeypadMinus, U'-'), std::nullopt);
  EXPECT_EQ(TotalsOf(*store), before);
  form->Press(scEsc);
  form->goodsGrid.SetCol(1);
  form->TypeInGoodsGrid(U"01");
  ASSERT_EQ(Mode(), emSearch);
  EXPECT_EQ(form->Press(scKeypadPlus, U'+'), A::ActAdd);
  EXPECT_EQ(Mode(), emIncoming);
  EXPECT_EQ(form->Press(scKeypadPlus, U'+'), std::nullopt);  // typed into the quantity
}

TEST_F(EditModeFlow, BusyModeRemembersTheFocusedControlAndRebuildsAfterAChange) {
  form->SelectGoods("0137");
  form->SelectMove(3);
  form->modes.InOutBegin();
  EXPECT_EQ(Mode(), emBusy);
  EXPECT_TRUE(form->busyCursor);
  EXPECT_TRUE(form->ui.EntriesLocked);  // started from a grid
  EXPECT_EQ(form->ui.Busy, std::optional<bool>(true));
  form->modes.InOutEnd(false);
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_FALSE(form->busyCursor);
  EXPECT_EQ(form->focus, C::GridMoves);
  EXPECT_EQ(ActionOfKey(form->ui, scDel), A::ActMovDel);

  form->FocusControl(C::EditNote);
  form->modes.InOutBegin();
  EXPECT_FALSE(form->ui.EntriesLocked);
  store->AddGoods("0301", "Кефир", "1.00", "1.00", "0", "");  // an import added to the data
  form->modes.InOutEnd(true);
  EXPECT_EQ(Mode(), emBrowse);
  EXPECT_EQ(form->focus, C::GridStore);
  EXPECT_TRUE(form->modes.GoodsSide());
  EXPECT_EQ(form->goodsGrid.RowCount(), 302);
  EXPECT_EQ(form->Panel(C::EditCode), "0301");
}

}  // namespace
}  // namespace vk
