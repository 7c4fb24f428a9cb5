#include "Tools/LocalDbCtrls/DateEdit.h"

#include <algorithm>

#include "Gui/GdiHandles.h"
#include "Platform/win32/Utf16.h"

namespace vk {

TDateEdit::TDateEdit(gui::TWinControl* parent) : TModelEdit(parent) {
  SetMaxLength(TDateEditModel::kDateWidth);
  TEdit::SetText(model_.EmptyMask());
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

void TDateEdit::DoExit() {
  TDateEditModel model = ModelNow();
  if (model.IsValidDate()) {
    std::string completed = model.CompletedText();
    if (completed != Text()) TEdit::SetText(completed);
  }
  TModelEdit::DoExit();
}

LRESULT TDateEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = Dispatch(message, wParam, lParam);
  if (!tracking_ && HandleAllocated()) TrackSelection();
  return result;
}

LRESULT TDateEdit::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN: {
      LRESULT result = TModelEdit::WndProc(message, wParam, lParam);
      TEditKey key = EditKeyOf(static_cast<WORD>(wParam));
      Edit([key](TDateEditModel& model) { model.CaretRuleAfterKey(key); });
      // The standard edit draws a selection by itself, placeholders included.
      std::string selected = SelText();
      if (selected.find(TDateEditModel::kPlaceholder) != std::string::npos) Invalidate();
      return result;
    }
    case WM_LBUTTONDOWN: {
      LRESULT result = TModelEdit::WndProc(message, wParam, lParam);
      Edit([](TDateEditModel& model) { model.CaretRuleAfterClick(); });
      return result;
    }
    case WM_CUT: return WmCut();
    case WM_CLEAR: return WmClear();
    case WM_PASTE: return WmPaste();
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
  return TModelEdit::WndProc(message, wParam, lParam);
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
  auto result = TModelEdit::CtlColorReflected(message, dc);
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
