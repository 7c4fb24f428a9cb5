#pragma once
// The main window's ten edit modes and what each allows: which actions are
// enabled and visible and which key each holds, which entry controls can be
// typed into or refuse the focus, whether the grids work, and the mark beside
// the quantity. A pure function of the mode and a few facts about the window,
// so every mode can be checked without a window; the window only applies it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "Tools/Service/TextConst.h"

namespace vk {

enum TEditMode : uint8_t {
  emBrowse = 0,
  emEditGoods = 1,
  emNewGoods = 2,
  emSearch = 3,
  emDeleteGoods = 4,
  emIncoming = 5,
  emOutgoing = 6,
  emDeleteMove = 7,
  emEditNote = 8,
  emBusy = 9,
};

// The modes in which an entry is typed and then posted or cancelled.
bool IsEntryMode(TEditMode mode);

// A shortcut: the system's virtual-key code of a key pressed without Shift,
// Ctrl or Alt, so the window hands it on as it is; 0 is none.
using TShortCut = uint16_t;
inline constexpr TShortCut scNone = 0;
inline constexpr TShortCut scEnter = 0x0D;
inline constexpr TShortCut scEsc = 0x1B;
inline constexpr TShortCut scIns = 0x2D;
inline constexpr TShortCut scDel = 0x2E;
inline constexpr TShortCut scKeypadPlus = 0x6B;   // VK_ADD
inline constexpr TShortCut scKeypadMinus = 0x6D;  // VK_SUBTRACT
inline constexpr TShortCut scF2 = 0x71;
inline constexpr TShortCut scF3 = 0x72;
inline constexpr TShortCut scF4 = 0x73;
inline constexpr TShortCut scF9 = 0x78;
inline constexpr TShortCut scF11 = 0x7A;
inline constexpr TShortCut scF12 = 0x7B;

// The actions whose state or keys the modes decide, named as the window's.
enum class TModeAction : uint8_t {
  ActInsert,
  ActEdit,
  ActDelete,
  ActAdd,
  ActDed,
  ActSort,
  ActSearch,
  ActPost,
  ActCancel,
  ActSearchEnd,
  ActMovEdit,
  ActMovDel,
  ActStat,
  ActSaveAs,
  ActRestoreBase,
  ActChangeDate,
  ActExit,
};
inline constexpr int kModeActionCount = 17;

// The edit panel's six entry controls (in this order, the first six values)
// and the two grids: what takes the focus.
enum class TMainControl : uint8_t {
  EditCode,
  EditName,
  EditCost,
  EditWeight,
  EditPCount,
  EditNote,
  GridStore,
  GridMoves,
  Other,  // anything else, or nothing
};
inline constexpr int kEntryControlCount = 6;

struct TActionUi {
  bool Enabled = false;
  bool Visible = true;
  TShortCut ShortCut = scNone;
  TShortCut SecondaryShortCut = scNone;  // also starts the action; none when 0

  bool operator==(const TActionUi&) const = default;
};

// Everything one mode shows.
struct TModeUi {
  TEditMode Mode = emBrowse;
  std::array<TActionUi, kModeActionCount> Actions{};
  bool InOutEnabled = false;  // the import, export and report commands
  bool GridsEnabled = false;
  // Entry controls that can be typed into; the others are read-only and
  // take the read-only colour.
  std::array<bool, kEntryControlCount> EntryEditable{};
  bool EntriesLocked = false;  // every entry control refuses the focus
  bool EnableEntries = false;  // browse also sets the entry controls enabled
  std::string PlusMark;        // LbPlus
  std::optional<bool> Busy;    // the window's busy flag; kept when empty
  std::string StatusText;      // status panel 2: the mode's name

  const TActionUi& operator[](TModeAction a) const { return Actions[static_cast<size_t>(a)]; }
  TActionUi& operator[](TModeAction a) { return Actions[static_cast<size_t>(a)]; }
  bool Editable(TMainControl c) const { return EntryEditable[static_cast<size_t>(c)]; }
  bool operator==(const TModeUi&) const = default;
};

// What the modes need to know of the window and the data.
struct TModeFacts {
  bool HasGoods = false;        // the goods table holds a record
  bool HasCurrentMove = false;  // the moves stand on a movement of the current goods
  int32_t MovesRowCount = 2;    // rows of the moves grid, its header row included
  // Del and F2 act on the moves: chosen in browse by where the focus is,
  // kept through the other modes.
  bool MovesSide = false;
  bool Enhanced = false;     // "Keyboard"/"Enhanced": keypad + and − book movements
  bool NameSearch = false;   // the search is typed in a column other than the code
  bool LockEntries = false;  // busy mode: the entry controls refuse the focus
};

TModeUi ModeUi(TEditMode mode, const TModeFacts& facts);

// The enabled action that the key starts, as the window's key dispatch finds
// it; none when no enabled action holds the key.
std::optional<TModeAction> ActionOfKey(const TModeUi& ui, TShortCut key);

}  // namespace vk
