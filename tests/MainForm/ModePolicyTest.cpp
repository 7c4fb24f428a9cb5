#include <gtest/gtest.h>

#include <map>

#include "Source/MainFormModes.h"

namespace vk {
namespace {

using A = TModeAction;

const char* Name(A a) {
  static const char* const names[] = {"ActInsert",     "ActEdit",   "ActDelete", "ActAdd",    "ActDed",
                                      "ActSort",       "ActSearch", "ActPost",   "ActCancel", "ActSearchEnd",
                                      "ActMovEdit",    "ActMovDel", "ActStat",   "ActSaveAs", "ActRestoreBase",
                                      "ActChangeDate", "ActExit"};
  return names[static_cast<size_t>(a)];
}

// Every combination of the facts, for every mode.
template <typename F>
void ForAllModesAndFacts(F&& check) {
  for (int mode = 0; mode < kEditModeCount; ++mode) {
    for (int bits = 0; bits < 128; ++bits) {
      TModeFacts f;
      f.HasGoods = bits & 1;
      f.HasCurrentMove = bits & 2;
      f.MovesRowCount = bits & 4 ? 5 : 2;
      f.MovesSide = bits & 8;
      f.Enhanced = bits & 16;
      f.NameSearch = bits & 32;
      f.LockEntries = bits & 64;
      const TEditMode m = static_cast<TEditMode>(mode);
      check(m, f, ModeUi(m, f), ::testing::Message() << "mode " << mode << ", facts " << bits);
    }
  }
}

class ModePolicy : public ::testing::Test {
 protected:
  void SetUp() override { LoadEnglishTexts(); }
};

TEST_F(ModePolicy, NoTwoEnabledActionsShareAKeyInAnyMode) {
  ForAllModesAndFacts([](TEditMode, const TModeFacts&, const TModeUi& ui, const ::testing::Message& where) {
    std::map<TShortCut, A> holder;
    for (size_t i = 0; i < ui.Actions.size(); ++i) {
      const TActionUi& a = ui.Actions[i];
      if (!a.Enabled) continue;
      for (TShortCut key : {a.ShortCut, a.SecondaryShortCut}) {
        if (key == scNone) continue;
        const auto [it, fresh] = holder.emplace(key, static_cast<A>(i));
        EXPECT_TRUE(fresh) << where << ": key " << key << " held by " << Name(it->second) << " and "
                           << Name(static_cast<A>(i));
      }
    }
  });
}

// Esc leaves what the user is doing, and closes the program only from browse.
TEST_F(ModePolicy, EscExitsOnlyInBrowseAndLeavesEveryEntryAndTheSearch) {
  ForAllModesAndFacts([](TEditMode mode, const TModeFacts&, const TModeUi& ui, const ::testing::Message& where) {
    EXPECT_EQ(ui[A::ActExit].ShortCut == scEsc, mode == emBrowse) << where;
    const auto esc = ActionOfKey(ui, scEsc);
    // A question box or a file operation ends by itself.
    const std::optional<A> leaves = IsEntryMode(mode)  ? std::optional(A::ActCancel)
                                    : mode == emSearch ? std::optional(A::ActSearchEnd)
                                    : mode == emBrowse ? std::optional(A::ActExit)
                                                       : std::nullopt;
    EXPECT_EQ(esc, leaves) << where;
    EXPECT_EQ(ActionOfKey(ui, scEnter) == A::ActPost, IsEntryMode(mode)) << where;
  });
}

TEST_F(ModePolicy, EntryModesNeverBindTheKeypadPlusOrMinus) {
  ForAllModesAndFacts([](TEditMode mode, const TModeFacts&, const TModeUi& ui, const ::testing::Message& where) {
    if (!IsEntryMode(mode)) return;
    for (const TActionUi& a : ui.Actions) {
      for (TShortCut key : {a.ShortCut, a.SecondaryShortCut}) {
        EXPECT_NE(key, scKeypadPlus) << where;
        EXPECT_NE(key, scKeypadMinus) << where;
      }
    }
    // Typing goes to the panel: the grids are off and something can be typed.
    EXPECT_FALSE(ui.GridsEnabled) << where;
    EXPECT_FALSE(ui.EntriesLocked) << where;
    EXPECT_NE(std::count(ui.EntryEditable.begin(), ui.EntryEditable.end(), true), 0) << where;
  });
}

TEST_F(ModePolicy, WithoutGoodsOnlyInsertOfTheGoodsActionsIsOn) {
  ForAllModesAndFacts([](TEditMode mode, const TModeFacts& f, const TModeUi& ui, const ::testing::Message& where) {
    if (f.HasGoods) return;
    for (A a : {A::ActEdit, A::ActDelete, A::ActAdd, A::ActDed, A::ActSearch, A::ActMovEdit}) {
      EXPECT_FALSE(ui[a].Enabled) << where << ": " << Name(a);
    }
    EXPECT_EQ(ui[A::ActInsert].Enabled, mode == emBrowse || mode == emSearch) << where;
  });
}

TEST_F(ModePolicy, BusyModeLocksTheEntriesAsAskedAndStopsEverythingButTheClock) {
  ForAllModesAndFacts([](TEditMode mode, const TModeFacts& f, const TModeUi& ui, const ::testing::Message& where) {
    if (mode != emBusy) {
      EXPECT_EQ(ui.EntriesLocked, mode == emDeleteGoods || mode == emDeleteMove) << where;
      return;
    }
    EXPECT_EQ(ui.EntriesLocked, f.LockEntries) << where;
    EXPECT_EQ(ui.Busy, std::optional<bool>(true)) << where;
    EXPECT_FALSE(ui.GridsEnabled || ui.InOutEnabled) << where;
    EXPECT_EQ(std::count(ui.EntryEditable.begin(), ui.EntryEditable.end(), true), 0) << where;
    for (size_t i = 0; i < ui.Actions.size(); ++i) {
      const A a = static_cast<A>(i);
      EXPECT_EQ(ui.Actions[i].Enabled, a == A::ActChangeDate || a == A::ActExit) << where << ": " << Name(a);
    }
  });
}

// What a key does, as the user meets it.
TEST_F(ModePolicy, KeysStartTheActionOfTheModeAndTheFocusedSide) {
  struct Case {
    const char* what;
    TEditMode mode;
    TModeFacts facts;
    TShortCut key;
    std::optional<A> starts;
  };
  const TModeFacts goods{.HasGoods = true, .HasCurrentMove = true, .MovesRowCount = 4};
  TModeFacts moves = goods;
  moves.MovesSide = true;
  TModeFacts oneMove = moves;
  oneMove.MovesRowCount = 2;
  TModeFacts enhanced = goods;
  enhanced.Enhanced = true;
  TModeFacts nameSearch = enhanced;
  nameSearch.NameSearch = true;
  const TModeFacts empty{};
  const Case cases[] = {
      {"Del on the goods", emBrowse, goods, scDel, A::ActDelete},
      {"F2 on the goods", emBrowse, goods, scF2, A::ActEdit},
      {"Del on the moves", emBrowse, moves, scDel, A::ActMovDel},
      {"F2 on the moves", emBrowse, moves, scF2, A::ActMovEdit},
      {"Del on a goods' only move", emBrowse, oneMove, scDel, std::nullopt},
      {"Esc in browse", emBrowse, goods, scEsc, A::ActExit},
      {"F12 without the keypad", emBrowse, goods, scF12, A::ActAdd},
      {"keypad + without enhanced", emBrowse, goods, scKeypadPlus, std::nullopt},
      {"keypad + enhanced", emBrowse, enhanced, scKeypadPlus, A::ActAdd},
      {"keypad - enhanced", emBrowse, enhanced, scKeypadMinus, A::ActDed},
      {"F11 enhanced", emBrowse, enhanced, scF11, A::ActDed},
      {"keypad + in a code search", emSearch, enhanced, scKeypadPlus, A::ActAdd},
      {"keypad + in a name search", emSearch, nameSearch, scKeypadPlus, std::nullopt},
      {"keypad - in a name search", emSearch, nameSearch, scKeypadMinus, std::nullopt},
      {"F12 in a name search", emSearch, nameSearch, scF12, A::ActAdd},
      {"Del in a search", emSearch, goods, scDel, A::ActDelete},
      {"F3 in a search", emSearch, goods, scF3, std::nullopt},
      {"Ins in a search", emSearch, goods, scIns, A::ActInsert},
      {"F12 while typing a quantity", emIncoming, goods, scF12, std::nullopt},
      {"keypad + while typing a quantity", emOutgoing, enhanced, scKeypadPlus, std::nullopt},
      {"F2 while editing goods", emEditGoods, goods, scF2, std::nullopt},
      {"Del while asking", emDeleteGoods, goods, scDel, std::nullopt},
      {"Enter while asking", emDeleteMove, moves, scEnter, std::nullopt},
      {"F4 while busy", emBusy, goods, scF4, A::ActChangeDate},
      {"Ins without goods", emBrowse, empty, scIns, A::ActInsert},
      {"F2 without goods", emBrowse, empty, scF2, std::nullopt},
      {"F3 without goods", emBrowse, empty, scF3, std::nullopt},
      {"F2 on the moves of goods without a move", emBrowse, TModeFacts{.HasGoods = true, .MovesSide = true}, scF2,
       std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ActionOfKey(ModeUi(c.mode, c.facts), c.key), c.starts) << c.what;
  }
}

}  // namespace
}  // namespace vk
