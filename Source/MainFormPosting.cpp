// Entering the entry modes, reading and posting the entry, cancelling it.

#include "Core/SysUtils.h"
#include "Source/MainFormEditModes.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

using C = TMainControl;
using A = TModeAction;

// Blanks and control characters off both ends, as the entry is read.
std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

// A quantity refusal names the packs when the entry passes without them.
C QuantityField(bool passesWithoutPacks) { return passesWithoutPacks ? C::EditPCount : C::EditWeight; }

}  // namespace

TEntryTexts TEditModes::ReadEntry() const {
  TEntryTexts e{Trimmed(view_.EntryText(C::EditCode)),   Trimmed(view_.EntryText(C::EditName)),
                Trimmed(view_.EntryText(C::EditCost)),   Trimmed(view_.EntryText(C::EditWeight)),
                Trimmed(view_.EntryText(C::EditPCount)), Trimmed(view_.EntryText(C::EditNote))};
  if (e.Count.empty()) e.Count = "0";
  return e;
}

void TEditModes::StartNewGoods() {
  if (!Enabled(A::ActInsert)) return;
  EndSearchFirst();
  place_ = CurrentPlace(false);
  SetEditMode(emNewGoods);
  view_.ClearGoods();
  if (const auto code = view_.GeneratedGoodsCode()) {
    view_.SetEntryText(C::EditCode, *code);
    view_.FocusControl(C::EditName);
  } else {
    view_.FocusControl(C::EditCode);
  }
}

void TEditModes::StartEditGoods() {
  if (!Enabled(A::ActEdit)) return;
  EndSearchFirst();
  const TMainControl focused = view_.FocusedControl();
  const int column = view_.GoodsGridColumn();
  place_ = CurrentPlace(false);
  SetEditMode(emEditGoods);
  if (focused == C::EditCode || focused == C::EditName || focused == C::EditCost) return;
  view_.FocusControl(column == 2 ? C::EditName : column == 3 ? C::EditCost : C::EditCode);
}

void TEditModes::StartIncoming() { StartMoveEntry(emIncoming); }

void TEditModes::StartOutgoing() { StartMoveEntry(emOutgoing); }

void TEditModes::StartMoveEntry(TEditMode mode) {
  if (!Enabled(mode == emIncoming ? A::ActAdd : A::ActDed)) return;
  EndSearchFirst();
  place_ = CurrentPlace(false);
  SetEditMode(mode);
  // Packs are booked only when typed: an empty field posts none.
  view_.SetEntryText(C::EditPCount, "");
  view_.SetEntryText(C::EditNote, "");
  view_.FocusControl(C::EditWeight);
}

void TEditModes::StartEditNote() {
  if (!Enabled(A::ActMovEdit)) return;
  place_ = CurrentPlace(true);
  // The note of the movement being edited, whatever the panel last showed.
  const std::string note = Trimmed(store_.Moves().Note.GetAsString());
  SetEditMode(emEditNote);
  view_.SetEntryText(C::EditNote, note);
  view_.FocusControl(C::EditNote);
}

void TEditModes::PostEntry() {
  if (!Enabled(A::ActPost)) return;
  entry_ = ReadEntry();
  // A movement entry returns to the goods only when it was started from
  // them and is dated today; the new movement is then the goods' latest.
  const bool movement = Mode() == emIncoming || Mode() == emOutgoing;
  const bool goodsSide = Mode() != emEditNote && (!movement || (!movesSide_ && store_.WorkDate() == 0));
  try {
    if (!StoreEntry()) return;
  } catch (...) {
    RecoverToBrowse(goodsSide);
    throw;
  }
  view_.RefreshGoodsGrid(goodsSide);
  ShowBrowse(goodsSide, goodsSide);
}

bool TEditModes::StoreEntry() {
  const TEntryTexts& e = entry_;
  const TTexts& t = ProgTexts;
  const TTableStore& goods = store_.Goods();
  const TStringField& note = store_.Moves().Note;
  switch (Mode()) {
    case emNewGoods:
      if (!TextsStorable({{e.Code, goods.Code, t.LbCodeCaption, C::EditCode},
                          {e.Name, goods.Name, t.LbNameCaption, C::EditName},
                          {e.Note, note, t.NoteLabelCaption, C::EditNote}}))
        return false;
      if (!store_.CanAddGoods(e.Cost, e.Weight, e.Count))
        return Refuse(t.QuantityCaption, t.CostTooHigh, QuantityField(store_.CanAddGoods(e.Cost, e.Weight, "0")));
      store_.AddGoods(e.Code, e.Name, e.Cost, e.Weight, e.Count, e.Note);
      return true;
    case emEditGoods:
      ReturnTo(place_);
      if (!TextsStorable(
              {{e.Code, goods.Code, t.LbCodeCaption, C::EditCode}, {e.Name, goods.Name, t.LbNameCaption, C::EditName}}))
        return false;
      if (!store_.CanReprice(e.Cost)) return Refuse(t.PriceCaption, t.PriceTooHigh, C::EditCost);
      store_.EditGoods(e.Code, e.Name, e.Cost);
      return true;
    case emIncoming:
      ReturnTo(place_);
      if (!TextsStorable({{e.Note, note, t.NoteLabelCaption, C::EditNote}})) return false;
      if (!store_.CanAddIncoming(e.Weight, e.Count))
        return Refuse(t.QuantityCaption, t.CostTooHigh, QuantityField(store_.CanAddIncoming(e.Weight, "0")));
      store_.AddIncoming(e.Weight, e.Count, e.Note);
      return true;
    case emOutgoing:
      ReturnTo(place_);
      if (!TextsStorable({{e.Note, note, t.NoteLabelCaption, C::EditNote}})) return false;
      if (!store_.CanAddOutgoing(e.Weight, e.Count))
        return Refuse(t.RestCaption, t.NotEnoughGoods, QuantityField(store_.CanAddOutgoing(e.Weight, "0")));
      store_.AddOutgoing(e.Weight, e.Count, e.Note);
      return true;
    case emEditNote:
      ReturnTo(place_);
      if (!TextsStorable({{e.Note, note, t.NoteLabelCaption, C::EditNote}})) return false;
      store_.EditNote(e.Note);
      return true;
    default: return true;
  }
}

bool TEditModes::Refuse(const std::string& caption, const std::string& text, TMainControl field) {
  ShowInformation(caption, text);
  view_.FocusControl(field);
  return false;
}

bool TEditModes::TextsStorable(std::initializer_list<TEntryText> texts) {
  for (const TEntryText& t : texts) {
    if (!store_.CanStoreText(t.Text, t.Field)) return Refuse(t.Label, ProgTexts.TextNotStorable, t.Control);
  }
  return true;
}

int TEditModes::ShowInformation(const std::string& caption, const std::string& text) {
  return view_.ShowMessageBox(text, caption, kMbOneButton | kMbIconInformation, "OK", ProgTexts.CloseMessageHint,
                              "Cancel", "");
}

void TEditModes::CancelEntry() {
  if (!Enabled(A::ActCancel)) return;
  const bool goodsSide = Mode() == emEditGoods || Mode() == emNewGoods || !movesSide_;
  // Back on the records the mode began on, where the grids still stand; a
  // record gone meanwhile leaves the tables where they are.
  BestEffort([&] { ReturnTo(place_); });
  ShowBrowse(goodsSide, goodsSide);
}

}  // namespace vk
