// Drives the money and date entries' models with arbitrary sequences of typed
// characters, keys (with what the standard edit does with a key the model lets
// through), selections, clicks, cuts, clears and pastes. After every step the
// text must still be an amount of the money form or a date mask, and the caret
// and selection must lie inside it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Tools/LocalDbCtrls/DateEditModel.h"
#include "Tools/LocalDbCtrls/MoneyEditModel.h"

namespace {

using namespace vk;

void Require(bool condition) {
  if (!condition) std::abort();
}

void RequireInside(const TEditState& s) {
  const int length = static_cast<int>(s.Text.size());
  Require(s.SelStart >= 0 && s.SelStart <= length);
  Require(s.SelLength >= 0 && s.SelLength <= length - s.SelStart);
}

// Digits grouped in threes from the point, a point, two decimals.
bool IsGroupedAmount(const std::string& text) {
  if (!TMoneyEditModel::IsMoneyText(text)) return false;
  const std::string integerPart = text.substr(0, text.size() - 3);
  return TMoneyEditModel::GroupIntegerPart(integerPart) == integerPart;
}

bool IsDateMask(const std::string& text, char separator) {
  if (text.size() != TDateEditModel::kDateWidth) return false;
  for (int i = 0; i < TDateEditModel::kDateWidth; ++i) {
    const char c = text[i];
    const bool ok = (i == 2 || i == 5) ? c == separator : (c == TDateEditModel::kPlaceholder || (c >= '0' && c <= '9'));
    if (!ok) return false;
  }
  return true;
}

const TEditKey kKeys[] = {TEditKey::Other, TEditKey::Left, TEditKey::Right,
                          TEditKey::Up,    TEditKey::Down, TEditKey::Delete};

// What the standard single-line edit does with a key the model did not take.
void StandardKey(TEditState& s, TEditKey key, TKeyModifiers modifiers) {
  const int length = static_cast<int>(s.Text.size());
  const int step = key == TEditKey::Left || key == TEditKey::Up ? -1 : key == TEditKey::Other ? 0 : 1;
  if (modifiers.Shift) {
    const int end = std::clamp(s.SelStart + s.SelLength + step, s.SelStart, length);
    s.SelLength = end - s.SelStart;
  } else {
    s.SelStart = std::clamp(s.SelStart + step, 0, length);
    s.SelLength = 0;
  }
}

// A selection anywhere in the text, as the mouse or Shift and the arrows give it.
void Select(FuzzedDataProvider& in, TEditState& s) {
  const int length = static_cast<int>(s.Text.size());
  s.SelStart = in.ConsumeIntegralInRange(0, length);
  s.SelLength = in.ConsumeIntegralInRange(0, length - s.SelStart);
}

// What a window might report past the text: the models take it as far as it
// lies inside.
void StraySelection(FuzzedDataProvider& in, TEditState& s) {
  if (!in.ConsumeBool()) return;
  const int length = static_cast<int>(s.Text.size());
  s.SelStart = in.ConsumeIntegralInRange(-2, length + 4);
  s.SelLength = in.ConsumeIntegralInRange(-2, length + 100);
}

// Clipboard texts: random bytes, or the likely ones (amounts, dates, the
// field's own selection).
std::string Clipboard(FuzzedDataProvider& in, const TEditState& s) {
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: return in.ConsumeRandomLengthString(24);
    case 1: return s.Text.substr(static_cast<size_t>(s.SelStart), static_cast<size_t>(s.SelLength));
    default: {
      static const char* const kTexts[] = {"1'234",    "12.5", ".78",        "7.",         "0",
                                           "12345678", " 99 ", "07.12.2026", "2026-12-07", "5 _3"};
      return kTexts[in.ConsumeIntegralInRange<size_t>(0, std::size(kTexts) - 1)];
    }
  }
}

void FuzzMoney(FuzzedDataProvider& in) {
  static const char* const kStarts[] = {"0.00", "1'000.00", "12'345'678.90", "0'000.00", "5.00", "123.45"};
  TMoneyEditModel model;
  model.MaxLength = in.ConsumeBool() ? 13 : in.ConsumeIntegralInRange(0, 20);
  model.State.Text = kStarts[in.ConsumeIntegralInRange<size_t>(0, std::size(kStarts) - 1)];
  Select(in, model.State);
  // Digits never grow past the limit, or past what the program put there.
  const int digitLimit = std::max(model.MaxDigitCount(), model.DigitCount());
  while (in.remaining_bytes() > 0) {
    std::string cut;
    switch (in.ConsumeIntegralInRange(0, 7)) {
      case 0: model.KeyPress(in.ConsumeIntegral<char>()); break;
      case 1: model.KeyPress(in.PickValueInArray({'0', '1', '5', '9', '.', ',', kBackspace})); break;
      case 2: {
        const TEditKey key = in.PickValueInArray(kKeys);
        const TKeyModifiers modifiers{.Shift = in.ConsumeBool(), .Ctrl = in.ConsumeBool()};
        if (!model.KeyDown(key, modifiers, cut)) StandardKey(model.State, key, modifiers);
        model.ApplyCaretRule();
        break;
      }
      case 3:
        Select(in, model.State);
        if (in.ConsumeBool()) model.ApplyCaretRule();
        break;
      case 4: model.Paste(Clipboard(in, model.State)); break;
      case 5:
        StraySelection(in, model.State);
        (void)model.Cut();
        break;
      case 6:
        StraySelection(in, model.State);
        model.Clear();
        break;
      default: model.Regroup(); break;
    }
    Require(IsGroupedAmount(model.State.Text));
    RequireInside(model.State);
    Require(model.DigitCount() <= digitLimit);
  }
}

void FuzzDate(FuzzedDataProvider& in) {
  TDateEditModel model;
  model.SetSeparatorKind(in.ConsumeIntegralInRange(0, 2));
  model.SetDateOrder(in.ConsumeIntegralInRange(0, 1));
  if (in.ConsumeBool()) model.SetDate(46363.0);  // 7 December 2026
  while (in.remaining_bytes() > 0) {
    std::string cut;
    switch (in.ConsumeIntegralInRange(0, 9)) {
      case 0: model.KeyPress(in.ConsumeIntegral<char>()); break;
      case 1: model.KeyPress(in.PickValueInArray({'0', '1', '2', '7', '9', '.', '/', '-', ',', kBackspace})); break;
      case 2: {
        const TEditKey key = in.PickValueInArray(kKeys);
        const TKeyModifiers modifiers{.Shift = in.ConsumeBool(), .Ctrl = in.ConsumeBool()};
        if (!model.KeyDown(key, modifiers, cut)) StandardKey(model.State, key, modifiers);
        model.CaretRuleAfterKey(key);
        break;
      }
      case 3: Select(in, model.State); break;
      case 4: model.CaretRuleAfterClick(); break;
      case 5: model.Paste(Clipboard(in, model.State)); break;
      case 6:
        StraySelection(in, model.State);
        (void)(in.ConsumeBool() ? model.Cut() : (model.Clear(), std::string()));
        break;
      case 7: model.SetSeparatorKind(in.ConsumeIntegralInRange(0, 2)); break;
      case 8: model.SetDateOrder(in.ConsumeIntegralInRange(0, 1)); break;
      default: {
        // Leaving the field, and what the dialog reads from it.
        model.Exit();
        (void)model.DateText();
        try {
          (void)model.Date();
        } catch (const EConvertError&) {
          Require(!model.IsValidDate());
        }
        break;
      }
    }
    Require(IsDateMask(model.State.Text, model.Separator()));
    RequireInside(model.State);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool()) {
    FuzzMoney(in);
  } else {
    FuzzDate(in);
  }
  return 0;
}
