#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "Source/MainFormModes.h"

namespace vk {
namespace {

using A = TModeAction;

TEST(ModePolicy, InvariantsHoldInEveryModeForEveryStateOfTheWindow) {
  LoadEnglishTexts();
  for (int mode = 0; mode < kEditModeCount; ++mode) {
    for (int bits = 0; bits < 128; ++bits) {
      const TEditMode m = static_cast<TEditMode>(mode);
      const TModeFacts f{(bits & 1) != 0,  (bits & 2) != 0,  bits & 4 ? 5 : 2, (bits & 8) != 0,
                         (bits & 16) != 0, (bits & 32) != 0, (bits & 64) != 0};
      const TModeUi ui = ModeUi(m, f);
      SCOPED_TRACE(::testing::Message() << "mode " << mode << ", facts " << bits);
      std::map<TShortCut, size_t> holder;
      for (size_t i = 0; i < ui.Actions.size(); ++i) {
        for (TShortCut key : {ui.Actions[i].ShortCut, ui.Actions[i].SecondaryShortCut}) {
          if (key != scNone && ui.Actions[i].Enabled) {
            EXPECT_TRUE(holder.emplace(key, i).second) << "key " << key;
          }
          if (IsEntryMode(m)) {
            EXPECT_TRUE(key != scKeypadPlus && key != scKeypadMinus) << "action " << i;
          }
        }
      }
      // Esc leaves an entry or a search and closes the program only from
      // browse; a question box or a file operation ends by itself.
      const std::optional<A> esc = IsEntryMode(m)  ? std::optional(A::ActCancel)
                                   : m == emSearch ? std::optional(A::ActSearchEnd)
                                   : m == emBrowse ? std::optional(A::ActExit)
                                                   : std::nullopt;
      EXPECT_EQ(ActionOfKey(ui, scEsc), esc);
      EXPECT_EQ(ui[A::ActExit].ShortCut == scEsc, m == emBrowse);
      EXPECT_EQ(ActionOfKey(ui, scEnter) == A::ActPost, IsEntryMode(m));
      if (IsEntryMode(m)) {
        EXPECT_TRUE(!ui.GridsEnabled && !ui.EntriesLocked && std::ranges::count(ui.EntryEditable, true));
      }
      if (!f.HasGoods) {
        for (A a : {A::ActEdit, A::ActDelete, A::ActAdd, A::ActDed, A::ActSearch, A::ActMovEdit, A::ActMovDel}) {
          EXPECT_FALSE(ui[a].Enabled) << static_cast<int>(a);
        }
      }
      EXPECT_EQ(ui[A::ActInsert].Enabled, m == emBrowse || m == emSearch);
      EXPECT_EQ(ui.EntriesLocked, m == emBusy ? f.LockEntries : m == emDeleteGoods || m == emDeleteMove);
      if (m == emBusy) {
        EXPECT_EQ(ui.Busy, std::optional(true));
        EXPECT_FALSE(ui.GridsEnabled || ui.InOutEnabled || std::ranges::count(ui.EntryEditable, true));
        for (size_t i = 0; i < ui.Actions.size(); ++i) {
          EXPECT_EQ(ui.Actions[i].Enabled, i == size_t(A::ActChangeDate) || i == size_t(A::ActExit)) << i;
        }
      }
    }
  }
}

// What a key starts, as the user meets it.
TEST(ModePolicy, KeysStartTheActionOfTheModeAndOfTheFocusedSide) {
  const TModeFacts goods{.HasGoods = true, .HasCurrentMove = true, .MovesRowCount = 4};
  TModeFacts moves = goods, oneMove = goods, enhanced = goods, nameSearch = goods, noMove = goods;
  moves.MovesSide = oneMove.MovesSide = noMove.MovesSide = true;
  oneMove.MovesRowCount = 2;
  noMove.HasCurrentMove = false;
  enhanced.Enhanced = nameSearch.Enhanced = nameSearch.NameSearch = true;
  const struct {
    TEditMode mode;
    TModeFacts facts;
    TShortCut key;
    std::optional<A> starts;
  } cases[] = {
      {emBrowse, goods, scDel, A::ActDelete},
      {emBrowse, goods, scF2, A::ActEdit},
      {emBrowse, moves, scDel, A::ActMovDel},
      {emBrowse, moves, scF2, A::ActMovEdit},
      {emBrowse, oneMove, scDel, std::nullopt},
      {emBrowse, noMove, scF2, std::nullopt},
      {emBrowse, goods, scKeypadPlus, std::nullopt},
      {emBrowse, enhanced, scKeypadMinus, A::ActDed},
      {emBrowse, enhanced, scF12, A::ActAdd},
      {emSearch, enhanced, scKeypadPlus, A::ActAdd},
      {emSearch, nameSearch, scKeypadPlus, std::nullopt},
      {emSearch, nameSearch, scF11, A::ActDed},
      {emSearch, goods, scDel, A::ActDelete},
      {emSearch, goods, scF3, std::nullopt},
      {emIncoming, goods, scF12, std::nullopt},
      {emEditGoods, goods, scF2, std::nullopt},
      {emDeleteMove, moves, scEnter, std::nullopt},
      {emBusy, goods, scF4, A::ActChangeDate},
      {emBrowse, TModeFacts{}, scIns, A::ActInsert},
      {emBrowse, TModeFacts{}, scF3, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ActionOfKey(ModeUi(c.mode, c.facts), c.key), c.starts) << "mode " << int(c.mode) << ", key " << c.key;
  }
}

}  // namespace
}  // namespace vk
