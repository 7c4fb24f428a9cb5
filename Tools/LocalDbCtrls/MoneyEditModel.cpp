#include "Tools/LocalDbCtrls/MoneyEditModel.h"

#include <algorithm>
#include <cctype>

namespace vk {

namespace {

constexpr char kMark = '\'';
constexpr char kPoint = '.';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Caret and selection inside the text, whatever the window reported.
void ClampSelection(TEditState& s) {
  int length = static_cast<int>(s.Text.size());
  s.SelStart = std::clamp(s.SelStart, 0, length);
  s.SelLength = std::clamp(s.SelLength, 0, length - s.SelStart);
}

// Trimmed of blanks and control characters at both ends, every mark removed.
std::string CleanPastedText(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  std::string out;
  for (size_t i = first; i < last; ++i) {
    if (text[i] != kMark) out += text[i];
  }
  return out;
}

int DigitsInText(const std::string& text) { return static_cast<int>(std::count_if(text.begin(), text.end(), IsDigit)); }

struct PastedNumber {
  int IntegerDigits = 0;
  bool HasPoint = false;
  int Decimals = 0;
};

// Digits, then optionally a point and digits; nothing else.
bool ParsePasted(const std::string& text, PastedNumber& out) {
  size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  out.IntegerDigits = static_cast<int>(i);
  if (i < text.size() && text[i] == kPoint) {
    out.HasPoint = true;
    size_t start = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    out.Decimals = static_cast<int>(i - start);
  }
  return i == text.size();
}

}  // namespace

bool TMoneyEditModel::IsMoneyText(const std::string& text) {
  int length = static_cast<int>(text.size());
  if (length < 4 || text[length - 3] != kPoint || !IsDigit(text[length - 2]) || !IsDigit(text[length - 1])) {
    return false;
  }
  bool digit = false;
  for (int i = 0; i < length - 3; ++i) {
    if (IsDigit(text[i])) {
      digit = true;
    } else if (text[i] != kMark) {
      return false;
    }
  }
  return digit;
}

std::string TMoneyEditModel::GroupIntegerPart(const std::string& integerPart) {
  std::string digits;
  for (char c : integerPart) {
    if (c != kMark) digits += c;
  }
  std::string out;
  int count = static_cast<int>(digits.size());
  for (int i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) out += kMark;
    out += digits[i];
  }
  return out;
}

int TMoneyEditModel::MaxDigitCount() const {
  // Truncating division, as the length rule is stated; below 3 no digit fits.
  int room = MaxLength - 3;
  return room - room / 4;
}

int TMoneyEditModel::DigitCount() const {
  int room = Length() - 3;
  return room - room / 4;
}

char TMoneyEditModel::At(int pos) const { return pos >= 0 && pos < Length() ? State.Text[pos] : '\0'; }

int TMoneyEditModel::DigitsIn(int from, int to) const {
  int n = 0;
  for (int i = std::max(from, 0); i < std::min(to, PointPos()); ++i) {
    if (IsDigit(State.Text[i])) ++n;
  }
  return n;
}

void TMoneyEditModel::SetRegrouped(const std::string& text) {
  size_t point = text.size() - 3;
  State.Text = GroupIntegerPart(text.substr(0, point)) + text.substr(point);
  State.SelLength = 0;
}

void TMoneyEditModel::DeleteAndRegroup(int from, int count) {
  std::string text = State.Text;
  text.erase(static_cast<size_t>(from), static_cast<size_t>(count));
  SetRegrouped(text);
}

int TMoneyEditModel::CaretFromEnd(int distance) const { return std::max(0, Length() - distance); }

void TMoneyEditModel::Regroup() {
  ClampSelection(State);
  if (State.SelLength > 0 || Length() < 3) return;
  int distance = Length() - State.SelStart;
  SetRegrouped(State.Text);
  State.SelStart = CaretFromEnd(distance);
}

void TMoneyEditModel::ApplyCaretRule() {
  ClampSelection(State);
  if (State.SelLength == 0 && At(State.SelStart) == kMark) ++State.SelStart;
}

bool TMoneyEditModel::KeyPress(char key) {
  if (key == kCtrlC || key == kCtrlV || key == kCtrlX) return false;
  ClampSelection(State);
  if (!IsMoneyText(State.Text)) return true;
  if (IsDigit(key)) {
    TypeDigit(key);
  } else if (key == kBackspace) {
    Backspace();
  } else if (key == ',' || key == kPoint) {
    PointKey();
  }
  return true;
}

void TMoneyEditModel::TypeDigit(char digit) {
  if (State.SelLength > 0) RemoveSelection(true);
  int& s = State.SelStart;
  if (CaretInDecimals() && s != Length()) {
    State.Text[s] = digit;
    ++s;
    return;
  }
  if (!CaretInIntegerPart()) return;
  if (Length() == 4 && State.Text[0] == '0') {
    State.Text[0] = digit;
    s = 1;
  } else if (s == 0 && digit == '0') {
    // No leading zero is typed.
  } else if (DigitCount() < MaxDigitCount()) {
    int distance = Length() - s;
    std::string text = State.Text;
    text.insert(text.begin() + s, digit);
    SetRegrouped(text);
    s = CaretFromEnd(distance);
  }
}

void TMoneyEditModel::Backspace() {
  int& s = State.SelStart;
  if (CaretInIntegerPart()) {
    int distance = Length() - s;
    if (s == PointPos() && Length() == 4) {
      State.Text[0] = '0';
      --s;
    } else if (s >= 2 && State.Text[s - 1] == kMark) {
      DeleteAndRegroup(s - 2, 1);
      s = CaretFromEnd(distance);
    } else if (s != 0) {
      DeleteAndRegroup(s - 1, 1);
      s = CaretFromEnd(distance);
    }
  } else if (CaretInDecimals()) {
    if (s != PointPos() + 1) State.Text[s - 1] = '0';
    --s;
  }
  if (State.SelLength > 0) RemoveSelection(true);
}

void TMoneyEditModel::PointKey() {
  if (CaretInIntegerPart()) {
    State.SelStart = PointPos() + 1;
  } else if (State.SelLength > 0 && State.SelStart <= PointPos() &&
             State.SelStart + State.SelLength >= PointPos() + 1) {
    RemoveAcrossPoint();
    State.SelStart = PointPos() + 1;
  }
}

bool TMoneyEditModel::KeyDown(TEditKey key, TKeyModifiers modifiers, std::string& cutText) {
  ClampSelection(State);
  if (key == TEditKey::Delete) {
    if (IsMoneyText(State.Text)) DeleteKey(modifiers.Shift, cutText);
    return true;
  }
  if (modifiers.Shift || modifiers.Ctrl || !IsMoneyText(State.Text) || !CaretInIntegerPart()) return false;
  int& s = State.SelStart;
  if ((key == TEditKey::Left || key == TEditKey::Up) && s >= 2 && State.Text[s - 1] == kMark) {
    s -= 2;
    return true;
  }
  if ((key == TEditKey::Right || key == TEditKey::Down) && Length() - s >= 8 && At(s + 1) == kMark) {
    s += 2;
    return true;
  }
  return false;
}

void TMoneyEditModel::DeleteKey(bool shift, std::string& cutText) {
  int& s = State.SelStart;
  if (CaretInDecimals() && s != Length()) {
    State.Text[s] = '0';
    ++s;
  } else if (CaretInIntegerPart()) {
    int distance = Length() - s;
    if (Length() == 4 && s == 0) {
      State.Text[0] = '0';
      s = 1;
    } else if (Length() - s >= 8 && At(s + 1) == kMark) {
      DeleteAndRegroup(s, 1);
      s = Length() - distance + 2;
    } else if (s != PointPos()) {
      DeleteAndRegroup(s, 1);
      s = Length() - distance + 1;
    }
  }
  if (State.SelLength > 0) {
    if (shift) cutText = State.Text.substr(State.SelStart, State.SelLength);
    RemoveSelection(false);
  }
}

std::string TMoneyEditModel::Cut() {
  ClampSelection(State);
  std::string selected = State.Text.substr(State.SelStart, State.SelLength);
  RemoveSelection(false);
  return selected;
}

void TMoneyEditModel::RemoveSelection(bool caretToStart) {
  ClampSelection(State);
  if (State.SelLength == 0 || !IsMoneyText(State.Text)) return;
  int& s = State.SelStart;
  int& n = State.SelLength;
  int point = PointPos();
  if (s == 0 && n == point) {
    State.Text.replace(0, static_cast<size_t>(point), 1, '0');
    n = 0;
    s = caretToStart ? 0 : 1;
    return;
  }
  if (s + n <= point && n < point) {
    int after = Length() - s - n;
    DeleteAndRegroup(s, n);
    s = CaretFromEnd(after);
    return;
  }
  if (s == point && n >= 2) {
    ++s;
    --n;
  }
  if (s >= point + 1) {
    for (int i = s; i < s + n; ++i) State.Text[i] = '0';
    if (!caretToStart) s += n;
    n = 0;
    return;
  }
  RemoveAcrossPoint();
}

void TMoneyEditModel::RemoveAcrossPoint() {
  int s = State.SelStart;
  int end = State.SelStart + State.SelLength;
  int point = PointPos();
  std::string decimals = State.Text.substr(point + 1);
  for (int i = point + 1; i < end; ++i) decimals[i - point - 1] = '0';
  std::string integerPart = State.Text.substr(0, s);
  if (DigitsIn(0, s) == 0) integerPart.assign(1, '0');
  SetRegrouped(integerPart + kPoint + decimals);
  State.SelStart = PointPos();
}

void TMoneyEditModel::ReplaceSelection(const std::string& text) {
  int after = Length() - State.SelStart - State.SelLength;
  std::string next = State.Text;
  next.replace(static_cast<size_t>(State.SelStart), static_cast<size_t>(State.SelLength), text);
  size_t point = next.size() - 3;
  // An integer part replaced entirely by a text that starts at its point keeps a zero.
  if (point == 0 || DigitsInText(next.substr(0, point)) == 0) next.replace(0, point, 1, '0');
  SetRegrouped(next);
  State.SelStart = CaretFromEnd(after);
}

bool TMoneyEditModel::InsertPastedDigits(const std::string& digits) {
  int count = static_cast<int>(digits.size());
  if (Length() == 4 && State.Text[0] == '0') {
    // The lone zero goes, as a typed digit takes its place.
    if (count > MaxDigitCount()) return false;
    State.SelStart = 0;
    State.SelLength = 1;
  } else if (DigitCount() + count > MaxDigitCount()) {
    return false;
  }
  ReplaceSelection(digits);
  ApplyCaretRule();
  return true;
}

bool TMoneyEditModel::PasteText(const std::string& clipboard) {
  ClampSelection(State);
  if (!IsMoneyText(State.Text) || CaretInDecimals()) return false;
  if (static_cast<int>(clipboard.size()) > MaxLength) return false;
  std::string text = CleanPastedText(clipboard);
  PastedNumber number;
  if (text.empty() || !ParsePasted(text, number)) return false;

  int s = State.SelStart;
  int n = State.SelLength;
  int point = PointPos();
  int maximum = MaxDigitCount();
  bool accepted = false;
  if (n == 0) {
    return !number.HasPoint && InsertPastedDigits(text);
  } else if (s == 0 && n == point) {
    accepted = !number.HasPoint && number.IntegerDigits <= maximum;
  } else if (s + n <= point) {
    accepted = !number.HasPoint && DigitCount() - DigitsIn(s, s + n) + number.IntegerDigits <= maximum;
  } else if (s >= point + 1) {
    accepted = !number.HasPoint && number.IntegerDigits == n;
  } else if (s == point && n >= 2 && !number.HasPoint) {
    accepted = number.IntegerDigits == n - 1;
    if (accepted) {
      ++State.SelStart;
      --State.SelLength;
    }
  } else if (s == point && n >= 2) {
    accepted = number.IntegerDigits == 0 && static_cast<int>(text.size()) == n;
  } else if (number.HasPoint) {
    // Starts before the point (or is the point alone) and holds it.
    int selectedDecimals = s + n - (point + 1);
    accepted =
        DigitCount() - DigitsIn(s, point) + number.IntegerDigits <= maximum && number.Decimals == selectedDecimals;
  } else {
    // A plain amount over a selection across the point (what select-all on
    // entering the field gives) replaces the selected amount: the selection
    // goes as Delete would take it, keeping the point and two decimals, and
    // the digits take its place.
    TMoneyEditModel trial = *this;
    trial.RemoveAcrossPoint();
    if (!trial.InsertPastedDigits(text)) return false;
    *this = trial;
    return true;
  }
  if (!accepted) return false;
  ReplaceSelection(text);
  ApplyCaretRule();
  return true;
}

}  // namespace vk
