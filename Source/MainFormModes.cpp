#include "Source/MainFormModes.h"

namespace vk {
namespace {

using A = TModeAction;

// Per mode: the entry controls that can be typed into (code, name, price,
// quantity, packs, note), whether they all refuse the focus, and LbPlus.
struct TEntryRow {
  std::array<bool, kEntryControlCount> Editable;
  bool Locked;
  const char* PlusMark;
};

constexpr std::array<TEntryRow, kEditModeCount> kEntryRows = {{
    {{false, false, false, false, false, false}, false, ""},    // browse
    {{true, true, true, false, false, false}, false, ""},       // edit goods
    {{true, true, true, true, true, true}, false, "(+)"},       // new goods
    {{false, false, false, false, false, false}, false, ""},    // search
    {{false, false, false, false, false, false}, true, ""},     // delete goods
    {{false, false, false, true, true, true}, false, "(+)"},    // incoming
    {{false, false, false, true, true, true}, false, "( - )"},  // outgoing
    {{false, false, false, false, false, false}, true, ""},     // delete move
    {{false, false, false, false, false, true}, false, ""},     // edit note
    {{false, false, false, false, false, false}, false, ""},    // busy: locked as asked
}};

// Incoming and outgoing keys: F12 and F11, or with the enhanced keyboard
// keypad + and − with F12 and F11 beside them. Entry modes take the keypad
// keys away so they can be typed, and so does a search in a text column.
void SetMoveKeys(TModeUi& ui, TEditMode mode, const TModeFacts& f) {
  if (!f.Enhanced) {
    ui[A::ActAdd].ShortCut = scF12;
    ui[A::ActDed].ShortCut = scF11;
    return;
  }
  const bool keypad = !IsEntryMode(mode) && !(mode == emSearch && f.NameSearch);
  ui[A::ActAdd].ShortCut = keypad ? scKeypadPlus : scNone;
  ui[A::ActDed].ShortCut = keypad ? scKeypadMinus : scNone;
  ui[A::ActAdd].SecondaryShortCut = scF12;
  ui[A::ActDed].SecondaryShortCut = scF11;
}

void SetEntries(TModeUi& ui, TEditMode mode, const TModeFacts& f) {
  const TEntryRow& row = kEntryRows[mode];
  ui.EntryEditable = row.Editable;
  ui.EntriesLocked = mode == emBusy ? f.LockEntries : row.Locked;
  ui.EnableEntries = mode == emBrowse;
  ui.PlusMark = row.PlusMark;
}

}  // namespace

bool IsEntryMode(TEditMode mode) {
  return mode == emEditGoods || mode == emNewGoods || mode == emIncoming || mode == emOutgoing || mode == emEditNote;
}

TModeUi ModeUi(TEditMode mode, const TModeFacts& f) {
  TModeUi ui;
  ui.Mode = mode;
  const bool browse = mode == emBrowse;
  const bool search = mode == emSearch;
  const bool goodsLive = browse || search;  // the goods grid is in use
  const bool withGoods = goodsLive && f.HasGoods;

  ui[A::ActInsert] = {goodsLive, true, scIns};
  ui[A::ActEdit] = {withGoods, true, f.MovesSide ? scNone : scF2};
  ui[A::ActDelete] = {withGoods, true, search || (browse && !f.MovesSide) ? scDel : scNone};
  ui[A::ActAdd].Enabled = withGoods;
  ui[A::ActDed].Enabled = withGoods;
  SetMoveKeys(ui, mode, f);
  ui[A::ActSort] = {goodsLive, true, scF9};
  ui[A::ActSearch] = {browse && f.HasGoods, !search, scF3};
  ui[A::ActPost] = {IsEntryMode(mode), true, scEnter};
  ui[A::ActCancel] = {IsEntryMode(mode), true, goodsLive ? scNone : scEsc};
  ui[A::ActSearchEnd] = {search, search, search ? scEsc : scNone};
  // A note is edited on a movement of the current goods; a movement is
  // deleted only while another one stays to carry the goods' last date.
  ui[A::ActMovEdit] = {browse && f.HasGoods && f.HasCurrentMove, true, f.MovesSide ? scF2 : scNone};
  ui[A::ActMovDel] = {browse && f.HasGoods && f.HasCurrentMove && f.MovesRowCount > 2, true,
                      browse && f.MovesSide ? scDel : scNone};
  ui[A::ActStat] = {browse, true, scNone};
  ui[A::ActSaveAs] = {browse, true, scNone};
  ui[A::ActRestoreBase] = {browse, true, scNone};
  ui[A::ActChangeDate] = {true, true, scF4};
  ui[A::ActExit] = {true, true, browse ? scEsc : scNone};

  ui.InOutEnabled = browse;
  ui.GridsEnabled = goodsLive;
  SetEntries(ui, mode, f);
  if (browse) ui.Busy = false;
  if (mode == emBusy) ui.Busy = true;
  ui.StatusText = ModeNames[mode];
  return ui;
}

std::optional<TModeAction> ActionOfKey(const TModeUi& ui, TShortCut key) {
  if (key == scNone) return std::nullopt;
  for (size_t i = 0; i < ui.Actions.size(); ++i) {
    const TActionUi& a = ui.Actions[i];
    if (a.Enabled && (a.ShortCut == key || a.SecondaryShortCut == key)) return static_cast<TModeAction>(i);
  }
  return std::nullopt;
}

}  // namespace vk
