#include "Gui/StdCtrls.h"

#include "Gui/Forms.h"

namespace vk::gui {

// ---- TLabel ----

TLabel::TLabel(TWinControl* parent) : TGraphicControl(parent) { SetBounds(0, 0, 65, 13); }

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustBounds();
}

void TLabel::SetShowAccelChar(bool show) {
  showAccelChar_ = show;
  AdjustBounds();
  Invalidate();
}

void TLabel::CaptionChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

UINT TLabel::DrawFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
  if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!autoSize_) return;
  // An empty text still takes one line's height.
  std::string text = Caption().empty() ? " " : Caption();
  WindowDc screen(nullptr);
  TCanvas canvas(screen.Dc());
  canvas.Font = Font();
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  canvas.DrawText(r, text, DrawFlags() | DT_CALCRECT);
  int width = wordWrap_ ? Width() : r.right;
  int left = Left();
  if (alignment_ == TAlignment::taRightJustify && !wordWrap_) left += Width() - width;
  SetBounds(left, Top(), width, r.bottom);
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r = BoundsRect();
  if (!transparent_) canvas.FillRect(r);
  canvas.Brush.Style = TBrushStyle::bsClear;
  if (!Enabled()) canvas.Font.SetColor(clGrayText);
  UINT flags = DrawFlags();
  if (layout_ != TTextLayout::tlTop) {
    RECT calc = r;
    canvas.DrawText(calc, Caption(), flags | DT_CALCRECT);
    int spare = Height() - (calc.bottom - calc.top);
    r.top += layout_ == TTextLayout::tlCenter ? spare / 2 : spare;
  }
  // Right-aligned, a last letter whose ink reaches past its advance would be
  // cut at the edge: the line ends that much earlier (the painting is
  // clipped to the label's bounds all the same).
  if (alignment_ == TAlignment::taRightJustify && !wordWrap_) {
    const int overhang = canvas.RightOverhang(Caption());
    if (overhang > 0) {
      r.right -= overhang;
      flags |= DT_NOCLIP;
    }
  }
  canvas.DrawText(r, Caption(), flags);
}

// ---- TButton ----

TButton::TButton(TWinControl* parent) : TWinControl(parent) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass = L"BUTTON";
  params.SystemClass = true;
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool isDefault) {
  default_ = isDefault;
  TForm* form = GetParentForm(this);
  FocusMovedTo(form ? form->ActiveControl() : nullptr);
}

void TButton::Click() {
  if (modalResult_ != 0) {
    if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  }
  if (OnClick) OnClick();
}

std::optional<LRESULT> TButton::CommandReflected(WORD notifyCode) {
  if (notifyCode != BN_CLICKED) return std::nullopt;
  Click();
  return 0;
}

std::optional<LRESULT> TButton::CtlColorReflected(UINT /*message*/, HDC /*dc*/) {
  // The corners around a themed button show the parent's colour.
  if (!Parent()) return std::nullopt;
  return reinterpret_cast<LRESULT>(Parent()->BackgroundBrush());
}

bool TButton::PressedByEnter(TWinControl* focused) const {
  if (auto* button = dynamic_cast<TButton*>(focused)) return button == this;
  return default_;
}

bool TButton::HandleDialogKey(WORD key, TWinControl* focused) {
  if (!CanFocus()) return false;
  if ((key == VK_RETURN && PressedByEnter(focused)) || (key == VK_ESCAPE && cancel_)) {
    Click();
    return true;
  }
  return false;
}

void TButton::FocusMovedTo(TWinControl* focused) {
  if (!HandleAllocated()) return;
  WPARAM style = PressedByEnter(focused) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  SendMessageW(handle_, BM_SETSTYLE, style, TRUE);
}

}  // namespace vk::gui
