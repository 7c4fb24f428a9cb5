#include "Tools/LocalDbCtrls/DateEdit.h"

#include <algorithm>

#include "Gui/GdiHandles.h"
#include "Platform/win32/Utf16.h"
#include "Tools/LocalDbCtrls/EditKeys.h"

namespace vk {

TDateEdit::TDateEdit(gui::TWinControl* parent) : TLocalDbEdit(parent) {
  SetMaxLength(TDateEditModel::kDateWidth);
  TEdit::SetText(model_.EmptyMask());
}

TDateEditModel TDateEdit::ModelNow() const {
  TDateEditModel model = model_;
  model.State = {Text(), SelStart(), SelLength()};
  return model;
}

void TDateEdit::Apply(const TEditState& state) {
  // Setting an unchanged selection again would turn a selection made
  // leftwards around.
  if (state == TEditState{Text(), SelStart(), SelLength()}) return;
  if (state.Text != Text()) TEdit::SetText(state.Text);
  SetSelection(state.SelStart, state.SelLength);
}

bool TDateEdit::HasPlaceholder() const { return Text().find(TDateEditModel::kPlaceholder) != std::string::npos; }

void TDateEdit::SetText(const std::string& text) {
  TDateEditModel model = ModelNow();
  model.SetText(text);
  TEdit::SetText(model.State.Text);
}

void TDateEdit::SetSeparatorKind(int kind) {
  TDateEditModel model = ModelNow();
  model.SetSeparatorKind(kind);
  model_.SetSeparatorKind(kind);
  TEdit::SetText(model.State.Text);
}

void TDateEdit::SetDate(TDateTime value) {
  TDateEditModel model = ModelNow();
  model.SetDate(value);
  TEdit::SetText(model.State.Text);
}

void TDateEdit::KeyDown(WORD& key, gui::TShiftState shift) {
  if (Editable()) {
    TDateEditModel model = ModelNow();
    std::string cut;
    if (model.KeyDown(EditKeyOf(key), ModifiersOf(shift), cut)) {
      if (cut.empty() || gui::SetClipboardText(cut)) Apply(model.State);
      key = 0;
    }
  }
  TLocalDbEdit::KeyDown(key, shift);
}

void TDateEdit::KeyPress(wchar_t& key) {
  if (Editable() && key != 0) {
    TDateEditModel model = ModelNow();
    if (model.KeyPress(ModelChar(key))) {
      Apply(model.State);
      key = 0;
    }
  }
  TLocalDbEdit::KeyPress(key);
}

void TDateEdit::DoExit() {
  TDateEditModel model = ModelNow();
  if (model.IsValidDate()) {
    std::string completed = model.CompletedText();
    if (completed != Text()) TEdit::SetText(completed);
  }
  TLocalDbEdit::DoExit();
}

LRESULT TDateEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = Dispatch(message, wParam, lParam);
  if (!tracking_ && HandleAllocated()) TrackSelection();
  return result;
}

LRESULT TDateEdit::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN: {
      LRESULT result = TLocalDbEdit::WndProc(message, wParam, lParam);
      TDateEditModel model = ModelNow();
      model.CaretRuleAfterKey(EditKeyOf(static_cast<WORD>(wParam)));
      Apply(model.State);
      if (model.State.SelLength > 0 &&
          model.State.Text.substr(model.State.SelStart, model.State.SelLength).find(TDateEditModel::kPlaceholder) !=
              std::string::npos) {
        Invalidate();
      }
      return result;
    }
    case WM_LBUTTONDOWN: {
      LRESULT result = TLocalDbEdit::WndProc(message, wParam, lParam);
      TDateEditModel model = ModelNow();
      model.CaretRuleAfterClick();
      Apply(model.State);
      return result;
    }
    case WM_CUT: {
      // A read-only field still copies what is selected; it only keeps its text.
      if (SelLength() > 0 && gui::SetClipboardText(SelText()) && Editable()) {
        TDateEditModel model = ModelNow();
        model.Cut();
        Apply(model.State);
      }
      return 0;
    }
    case WM_CLEAR:
      if (Editable()) {
        TDateEditModel model = ModelNow();
        model.Clear();
        Apply(model.State);
      }
      return 0;
    case WM_PASTE:
      if (Editable()) {
        TDateEditModel model = ModelNow();
        model.PasteDate(gui::ClipboardText());
        Apply(model.State);
      }
      return 0;
    case WM_PAINT: {
      if (wParam) {
        Paint(reinterpret_cast<HDC>(wParam));
      } else {
        gui::PaintGuard paint(handle_);
        Paint(paint.Dc());
      }
      return 0;
    }
  }
  return TLocalDbEdit::WndProc(message, wParam, lParam);
}

void TDateEdit::TrackSelection() {
  tracking_ = true;
  int start = SelStart();
  int length = SelLength();
  if (Parent() && (start != lastSelStart_ || length != lastSelLength_)) {
    lastSelStart_ = start;
    lastSelLength_ = length;
    if (HasPlaceholder()) Invalidate();
  }
  tracking_ = false;
}

std::optional<LRESULT> TDateEdit::CtlColorReflected(UINT message, HDC dc) {
  auto result = TLocalDbEdit::CtlColorReflected(message, dc);
  // When the standard edit draws by itself, placeholders show red until the
  // control paints itself again.
  if (HasPlaceholder()) {
    SetTextColor(dc, RGB(255, 0, 0));
    Invalidate();
  } else {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  }
  return result;
}

void TDateEdit::Paint(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  // The sunken client edge lies outside the client area; one pixel of
  // allowance keeps the text where the standard edit puts its caret.
  constexpr int kBorder = 1;
  DWORD margins = static_cast<DWORD>(SendMessageW(handle_, EM_GETMARGINS, 0, 0));
  int left = LOWORD(margins) + kBorder;
  int top = kBorder;
  FillRect(dc, &r, BackgroundBrush());
  gui::SelectGuard font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));

  std::wstring text = platform::Utf8ToWide(Text());
  int count = static_cast<int>(text.size());
  int selStart = std::min(SelStart(), count);
  int selEnd = std::min(selStart + SelLength(), count);
  auto widthOf = [&](int n) {
    SIZE size{};
    if (n > 0) GetTextExtentPoint32W(dc, text.c_str(), n, &size);
    return static_cast<int>(size.cx);
  };
  auto drawRange = [&](int from, int to) {
    for (int i = from; i < to; ++i) {
      if (text[i] == L'_') continue;
      ExtTextOutW(dc, r.left + left + widthOf(i), r.top + top, ETO_IGNORELANGUAGE, nullptr, &text[i], 1, nullptr);
    }
  };
  drawRange(0, selStart);
  drawRange(selEnd, count);
  if (selEnd > selStart) {
    if (Focused()) {
      SIZE height{};
      GetTextExtentPoint32W(dc, text.c_str(), count, &height);
      RECT band{r.left + left + widthOf(selStart), r.top + top, r.left + left + widthOf(selEnd),
                r.top + top + height.cy};
      FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    drawRange(selStart, selEnd);
  }
}

}  // namespace vk
