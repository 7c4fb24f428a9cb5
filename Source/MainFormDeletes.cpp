// The two deletions: the question with what is to go, then the store.

#include "Core/DateTime.h"
#include "Source/MainFormEditModes.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

using C = TMainControl;
using A = TModeAction;

size_t Utf8CharLength(const std::string& text, size_t at) {
  size_t n = 1;
  while (at + n < text.size() && (static_cast<unsigned char>(text[at + n]) & 0xC0) == 0x80) ++n;
  return n;
}

}  // namespace

std::string BreakLongWords(const std::string& line, int labelWidth,
                           const std::function<int(const std::string&)>& textWidth) {
  std::string result, word;
  for (size_t at = 0; at < line.size();) {
    const std::string ch = line.substr(at, Utf8CharLength(line, at));
    at += ch.size();
    if (ch == " ") {
      word.clear();
    } else {
      if (!word.empty() && textWidth(word + ch) >= labelWidth) {
        result += ' ';
        word.clear();
      }
      word += ch;
    }
    result += ch;
  }
  return result;
}

std::string TEditModes::DeleteGoodsQuestion() {
  TTableStore& goods = store_.Goods();
  const std::string line = "(" + goods.Code.GetAsString() + ")  " + goods.Name.GetAsString();
  const std::string breakable = BreakLongWords(
      line, view_.MessageBoxLabelWidth(), [this](const std::string& text) { return view_.MessageBoxTextWidth(text); });
  return ProgTexts.RemoveGoodsQuestionStart + breakable + ProgTexts.RemoveGoodsQuestionEnd;
}

void TEditModes::DeleteGoods() {
  if (!Enabled(A::ActDelete)) return;
  EndSearchFirst();
  const TPlace place = CurrentPlace(false);
  SetEditMode(emDeleteGoods);
  try {
    const TTexts& t = ProgTexts;
    const int answer = view_.ShowMessageBox(DeleteGoodsQuestion(), t.RemoveCaption, kMbTwoButtons | kMbIconQuestion,
                                            t.YesCaption, t.RemoveGoodsHint, t.NoCaption, t.KeepGoodsHint);
    if (answer == 1) {
      ReturnTo(place);
      store_.DeleteGoods();
      view_.RefreshGoodsGrid(true);
    }
  } catch (...) {
    RecoverToBrowse(true);
    throw;
  }
  ShowBrowse(true, true);
}

// Date and time as the system shows them (the time left out at midnight),
// the direction and quantity, then the note.
std::string TEditModes::DeleteMoveQuestion(bool incoming) {
  TTableMoves& moves = store_.Moves();
  return ProgTexts.RemoveMoveQuestion + "\r\n" + FormatDateTime("", moves.MoveDate.Value(), FormatSettings()) + "  (" +
         (incoming ? "+" : "-") + moves.Weight.GetAsString() + ")\r\n" + moves.Note.GetAsString();
}

void TEditModes::DeleteMove() {
  if (!Enabled(A::ActMovDel)) return;
  const TPlace place = CurrentPlace(true);
  SetEditMode(emDeleteMove);
  try {
    const TTexts& t = ProgTexts;
    ReturnTo(place);
    bool incoming = false;
    if (!store_.CanDeleteMove(incoming)) {
      ShowInformation(t.RemoveCaption, t.CannotRemoveMove + "\r\n" + (incoming ? t.NotEnoughGoods : t.CostTooHigh));
    } else if (view_.ShowMessageBox(DeleteMoveQuestion(incoming), t.RemoveCaption, kMbTwoButtons | kMbIconQuestion,
                                    t.YesCaption, t.RemoveMoveHint, t.NoCaption, t.KeepMoveHint) == 1) {
      // The box was open a while: the movement confirmed, not whatever the
      // grids stand on now.
      ReturnTo(place);
      store_.DeleteMove();
      view_.RefreshGoodsGrid(false);
      view_.RefreshGoods(false);
    }
  } catch (...) {
    RecoverToBrowse(false);
    throw;
  }
  SetEditMode(emBrowse, false);
  view_.FocusControl(C::GridMoves);
}

}  // namespace vk
