#pragma once
// The main window's edit modes at work: entering a mode, reading and posting
// an entry through the store's validators and operations, cancelling, the two
// delete confirmations, the goods search and the busy mode of file
// operations. The window forwards its actions and events here; what it shows
// comes back through TMainFormView.
//
// Every store operation acts on the records the user saw when the mode
// began: their places are remembered then and made current again before the
// store is called. A store operation that raises leaves the window in browse
// mode showing what the tables hold, and the exception goes on to the
// application's handler.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "Source/MainFormModes.h"
#include "Source/MainFormView.h"
#include "Source/StoreData.h"

namespace vk {

// The entry as ReadEntry takes it from the panel: trimmed texts; an empty
// packs count reads "0".
struct TEntryTexts {
  std::string Code, Name, Cost, Weight, Count, Note;
};

class TEditModes {
 public:
  // Both must outlive this object. Nothing is shown until the first
  // SetEditMode (the window's start-up enters browse on the goods side).
  TEditModes(TStore& store, TMainFormView& view);
  TEditModes(const TEditModes&) = delete;
  TEditModes& operator=(const TEditModes&) = delete;

  TEditMode Mode() const { return static_cast<TEditMode>(store_.Mode); }
  // goodsSide counts in browse only, lockEntries in busy mode only. A call
  // made while a mode is being applied (from a focus change it caused) is
  // ignored: the mode being applied stands.
  void SetEditMode(TEditMode mode, bool goodsSide = true, bool lockEntries = false);
  // Applies the current mode again when a fact it depends on changed: the
  // moves grid was filtered, the keyboard setting or the language switched.
  void UpdateModeUi();
  const TModeUi& CurrentUi() const { return ui_; }
  // Del and F2 act on the goods.
  bool GoodsSide() const { return !movesSide_; }

  // The actions. Each does nothing while its action is disabled; an action
  // started while searching ends the search first.
  void StartNewGoods();
  void StartEditGoods();
  void StartIncoming();
  void StartOutgoing();
  void StartEditNote();
  void PostEntry();
  void CancelEntry();
  void DeleteGoods();
  void DeleteMove();
  void StartGoodsSearch();
  void EndGoodsSearch();
  // Runs the action when it is one of the above; false for the window's own
  // commands (sort, statistics, save, restore, work date, exit).
  bool Execute(TModeAction action);
  // Ends a running search as an action started now must; the window calls
  // it before its own commands.
  void EndSearchFirst();

  // The goods grid's OnBeginSearch and OnEndSearch.
  void BeginSearch();
  void EndSearch();
  // The busy mode around import, export, report, save and restore; changed
  // tells that the data were replaced or added to.
  void InOutBegin();
  void InOutEnd(bool changed);
  // The enter handlers of the grids and entry controls: in browse the focus
  // decides whether Del and F2 act on the goods or on the moves.
  void ControlEntered(TMainControl control);

  // The entry read by the last PostEntry.
  TEntryTexts ReadEntry() const;
  const TEntryTexts& Entry() const { return entry_; }

 private:
  // Where the goods and the movement the user saw are in their files.
  struct TPlace {
    int32_t Goods = 0;
    int32_t Move = 0;
  };

  TModeFacts Facts() const;
  bool Enabled(TModeAction action) const;
  bool HasCurrentMove() const;
  TPlace CurrentPlace(bool withMove) const;
  void ReturnTo(const TPlace& place);
  void StartMoveEntry(TEditMode mode);
  // Posting by mode; false when a validator refused (its box shown).
  bool StoreEntry();
  // The box, then the focus on the field it names, for the user to correct.
  bool Refuse(const std::string& caption, const std::string& text, TMainControl field);
  // An entry's text, the table field it goes to, the label and the control.
  struct TEntryText {
    const std::string& Text;
    const TStringField& Field;
    const std::string& Label;
    TMainControl Control;
  };
  // False, with a box naming the field and the focus on it, at the first
  // text its field cannot hold in the data code page.
  bool TextsStorable(std::initializer_list<TEntryText> texts);
  // Back to browse after a store operation raised, showing the tables.
  void RecoverToBrowse(bool goodsSide) noexcept;
  void ShowBrowse(bool goodsSide, bool reposition);
  std::string DeleteGoodsQuestion();
  std::string DeleteMoveQuestion(bool incoming);
  int ShowInformation(const std::string& caption, const std::string& text);

  TStore& store_;
  TMainFormView& view_;
  TModeUi ui_;
  TEntryTexts entry_;
  TPlace place_;  // of the mode's records, remembered when it began
  bool movesSide_ = false;
  bool nameSearch_ = false;
  bool lockEntries_ = false;
  bool applying_ = false;
  TMainControl busyControl_ = TMainControl::Other;
};

// The line made breakable for the message box's word wrap: a blank ends a
// word, and a character that would make its word as wide as the label or
// wider starts a new word after an inserted blank. A character alone wider
// than the label still gets a word of its own.
std::string BreakLongWords(const std::string& line, int labelWidth,
                           const std::function<int(const std::string&)>& textWidth);

}  // namespace vk
