#include "Tools/LocalDbCtrls/DateEditModel.h"

#include <algorithm>
#include <cmath>

namespace vk {

namespace {

constexpr char kSeparators[] = {'.', '/', '-'};
const char* const kOrderFormats[] = {"dd/mm/yyyy", "mm/dd/yyyy"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Positions right before a separator, where the caret does not rest.
bool BeforeSeparator(int pos) { return pos == 2 || pos == 5; }

void ClampSelection(TEditState& s) {
  int length = static_cast<int>(s.Text.size());
  s.SelStart = std::clamp(s.SelStart, 0, length);
  s.SelLength = std::clamp(s.SelLength, 0, length - s.SelStart);
}

// "5_" and "_5" give "05", "__" gives "00".
void CompletePart(std::string& text, int first) {
  char& a = text[first];
  char& b = text[first + 1];
  if (a == TDateEditModel::kPlaceholder) a = '0';
  if (b == TDateEditModel::kPlaceholder) {
    b = a;
    a = '0';
  }
}

// False when the year positions cannot be completed.
bool CompleteYear(std::string& text) {
  std::string typed;
  for (int i = 6; i < 10; ++i) {
    if (text[i] != TDateEditModel::kPlaceholder) typed += text[i];
  }
  std::string year;
  switch (typed.size()) {
    case 0: year = "0000"; break;
    case 1: year = "200" + typed; break;
    case 2: {
      if (!IsDigit(typed[0]) || !IsDigit(typed[1])) return false;
      int yy = (typed[0] - '0') * 10 + (typed[1] - '0');
      year = (yy <= 40 ? "20" : "19") + typed;
      break;
    }
    case 3: year = "0" + typed; break;
    default: year = typed; break;
  }
  text.replace(6, 4, year);
  return true;
}

}  // namespace

void TDateEditModel::SetSeparatorKind(int kind) {
  if (kind < 0 || kind > 2) return;
  char next = kSeparators[kind];
  std::replace(State.Text.begin(), State.Text.end(), separator_, next);
  separator_ = next;
}

void TDateEditModel::SetDateOrder(int order) {
  if (order == 0 || order == 1) dateOrder_ = order;
}

std::string TDateEditModel::EmptyMask() const { return std::string("__") + separator_ + "__" + separator_ + "____"; }

void TDateEditModel::SetText(const std::string& text) {
  State.Text = text.empty() ? EmptyMask() : text;
  ClampSelection(State);
}

std::string TDateEditModel::CompletedText() const {
  const std::string& text = State.Text;
  if (Length() != kDateWidth) return EmptyMask();
  bool typed = std::any_of(text.begin(), text.end(),
                           [this](char c) { return c != '0' && c != kPlaceholder && c != separator_; });
  if (!typed) return EmptyMask();
  std::string out = text;
  CompletePart(out, 0);
  CompletePart(out, 3);
  if (!CompleteYear(out)) return EmptyMask();
  return out;
}

std::string TDateEditModel::DateText() const {
  std::string text = CompletedText();
  return text == EmptyMask() ? std::string() : text;
}

TFormatSettings TDateEditModel::DateFormat() const {
  TFormatSettings fs;
  fs.DateSeparator = separator_;
  // The library's reader asks for one; the ten characters hold no time.
  fs.TimeSeparator = ':';
  fs.ShortDateFormat = kOrderFormats[dateOrder_];
  return fs;
}

TDateTime TDateEditModel::Date() const {
  std::string text = CompletedText();
  if (text == EmptyMask()) return 0;
  auto value = TryStrToDateTime(text, DateFormat());
  if (!value) throw EConvertError("'" + text + "' is not a valid date");
  return *value;
}

void TDateEditModel::SetDate(TDateTime value) {
  std::string text;
  if (std::isfinite(value) && std::trunc(value) != 0)
    text = FormatDateTime(DateFormat().ShortDateFormat, value, DateFormat());
  State.Text = text.size() == kDateWidth ? text : EmptyMask();
  ClampSelection(State);
}

bool TDateEditModel::IsValidDate() const {
  try {
    return std::trunc(Date()) > 0;
  } catch (const std::exception&) {
    return false;
  }
}

void TDateEditModel::Exit() {
  if (IsValidDate()) State.Text = CompletedText();
}

void TDateEditModel::Overtype(char c) {
  int& s = State.SelStart;
  // A separator is never overtyped.
  if (BeforeSeparator(s) && s < Length() && State.Text[s] == separator_) ++s;
  if (s >= Length()) return;
  State.Text[s] = c;
  ++s;
  if (BeforeSeparator(s)) ++s;
  s = std::min(s, Length());
}

void TDateEditModel::BlankSelection() {
  ClampSelection(State);
  int start = State.SelStart;
  int end = start + State.SelLength;
  State.SelLength = 0;
  for (int i = start; i < end; ++i) {
    if (State.Text[i] != separator_) State.Text[i] = kPlaceholder;
  }
  State.SelStart = start;
  if (BeforeSeparator(start) && start < Length()) ++State.SelStart;
}

void TDateEditModel::JumpToNextPart() {
  int end = State.SelStart + State.SelLength;
  int target = -1;
  if (State.SelLength == 0) {
    if (end < 3) {
      target = 3;
    } else if (end == 4 || end == 5) {
      target = 6;
    }
  } else if (end <= 3) {
    target = 3;
  } else if (end <= 6) {
    target = 6;
  }
  if (target < 0 || target > Length()) return;
  State.SelStart = target;
  State.SelLength = 0;
}

bool TDateEditModel::KeyPress(char key) {
  if (key == kCtrlC || key == kCtrlV || key == kCtrlX || key == kCtrlZ) return false;
  ClampSelection(State);
  int& s = State.SelStart;
  if (IsDigit(key)) {
    if (State.SelLength > 0) BlankSelection();
    if (State.SelLength == 0 && s != Length()) Overtype(key);
  } else if (key == kBackspace) {
    if (State.SelLength == 0 && s != 0) {
      int back = (s == 3 || s == 6) ? 2 : 1;
      State.Text[s - back] = kPlaceholder;
      s -= back;
    }
    if (State.SelLength > 0) BlankSelection();
  } else if (key == ',' || key == '.' || key == '/' || key == '-') {
    JumpToNextPart();
  }
  return true;
}

bool TDateEditModel::KeyDown(TEditKey key, TKeyModifiers modifiers, std::string& cutText) {
  ClampSelection(State);
  int& s = State.SelStart;
  if (key == TEditKey::Delete) {
    if (State.SelLength == 0) {
      if (s != Length()) Overtype(kPlaceholder);
    } else {
      if (modifiers.Shift) cutText = State.Text.substr(s, State.SelLength);
      BlankSelection();
    }
    return true;
  }
  if (modifiers.Shift || modifiers.Ctrl || State.SelLength > 0) return false;
  if ((key == TEditKey::Left || key == TEditKey::Up) && (s == 3 || s == 6)) {
    s -= 2;
    return true;
  }
  if ((key == TEditKey::Right || key == TEditKey::Down) && (s == 1 || s == 4) && s + 2 <= Length()) {
    s += 2;
    return true;
  }
  return false;
}

void TDateEditModel::CaretRuleAfterKey(TEditKey key) {
  ClampSelection(State);
  if (State.SelLength != 0 || !BeforeSeparator(State.SelStart)) return;
  State.SelStart += key == TEditKey::Left ? -1 : 1;
}

void TDateEditModel::CaretRuleAfterClick() {
  ClampSelection(State);
  if (State.SelLength == 0 && BeforeSeparator(State.SelStart) && State.SelStart < Length()) ++State.SelStart;
}

std::string TDateEditModel::Cut() {
  ClampSelection(State);
  std::string selected = State.Text.substr(State.SelStart, State.SelLength);
  BlankSelection();
  return selected;
}

void TDateEditModel::PasteDate(const std::string& clipboard) {
  ClampSelection(State);
  std::string filtered;
  for (char c : clipboard) {
    if (IsDigit(c)) {
      filtered += c;
    } else if (c == ' ' || c == kPlaceholder) {
      filtered += kPlaceholder;
    }
  }
  if (filtered.empty()) return;
  if (State.Text != EmptyMask() && State.SelLength == 0) return;
  int start = State.SelStart;
  int end = State.SelLength > 0 ? start + State.SelLength : kDateWidth;
  end = std::min(end, Length());
  size_t next = 0;
  for (int i = start; i < end; ++i) {
    if (State.Text[i] == separator_) continue;
    State.Text[i] = next < filtered.size() ? filtered[next++] : kPlaceholder;
  }
  State.SelStart = end;
  State.SelLength = 0;
  CaretRuleAfterClick();
}

}  // namespace vk
