#include "Gui/ExtCtrls.h"

#include <algorithm>

#include "Gui/Application.h"

namespace vk::gui {

TTimer::TTimer() : id_(Application.AddTimer(this)) { Restart(); }

TTimer::~TTimer() { Application.RemoveTimer(id_); }

void TTimer::SetInterval(unsigned milliseconds) {
  if (interval_ == milliseconds) return;
  interval_ = milliseconds;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::Restart() {
  HWND window = Application.Handle();
  KillTimer(window, id_);
  if (enabled_ && interval_ > 0) SetTimer(window, id_, interval_, /*callback=*/nullptr);
}

void TTimer::Timer() {
  if (enabled_ && OnTimer) OnTimer();
}

// ---- TImage ----

TImage::TImage(TWinControl* parent) : TGraphicControl(parent) { SetBounds(0, 0, 105, 105); }

TImage::~TImage() { FreeBitmap(); }

void TImage::FreeBitmap() {
  canvas_.reset();
  // The bitmap leaves the DC before either goes.
  if (dc_) SelectObject(dc_.Get(), originalBitmap_);
  dc_.Reset();
  bitmap_.Reset();
}

TCanvas& TImage::Canvas() {
  if (!canvas_) {
    WindowDc screen(nullptr);
    dc_.Reset(CreateCompatibleDC(screen.Dc()));
    bitmap_.Reset(CreateCompatibleBitmap(screen.Dc(), std::max(1, Width()), std::max(1, Height())));
    originalBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
    PatBlt(dc_.Get(), 0, 0, Width(), Height(), BLACKNESS);
    canvas_ = std::make_unique<TCanvas>(dc_.Get());
  }
  return *canvas_;
}

COLORREF TImage::PixelAt(int x, int y) const { return dc_ ? GetPixel(dc_.Get(), x, y) : CLR_INVALID; }

void TImage::SetIcon(HICON icon) {
  icon_ = icon;
  Invalidate();
}

void TImage::SetCenter(bool center) {
  center_ = center;
  Invalidate();
}

void TImage::BoundsChanged(const RECT& oldBounds) {
  bool resized = oldBounds.right - oldBounds.left != Width() || oldBounds.bottom - oldBounds.top != Height();
  if (resized && canvas_) FreeBitmap();
  TGraphicControl::BoundsChanged(oldBounds);
}

void TImage::Paint(TCanvas& canvas) {
  if (icon_) {
    int w = GetSystemMetrics(SM_CXICON);
    int h = GetSystemMetrics(SM_CYICON);
    int x = center_ ? Left() + (Width() - w) / 2 : Left();
    int y = center_ ? Top() + (Height() - h) / 2 : Top();
    DrawIconEx(canvas.Handle(), x, y, icon_, w, h, /*frame=*/0, /*flickerFreeBrush=*/nullptr, DI_NORMAL);
    return;
  }
  if (dc_) BitBlt(canvas.Handle(), Left(), Top(), Width(), Height(), dc_.Get(), 0, 0, SRCCOPY);
}

// ---- TBevel ----

TBevel::TBevel(TWinControl* parent) : TGraphicControl(parent) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape shape) {
  shape_ = shape;
  Invalidate();
}

void TBevel::Paint(TCanvas& canvas) {
  RECT r = BoundsRect();
  canvas.Pen.Width = 1;
  auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    canvas.Pen.Color = color;
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
  };
  if (shape_ == TBevelShape::bsTopLine) {
    line(clBtnShadow, r.left, r.top, r.right, r.top);
    line(clBtnHighlight, r.left, r.top + 1, r.right, r.top + 1);
    return;
  }
  line(clBtnShadow, r.left, r.bottom - 1, r.left, r.top);
  line(clBtnShadow, r.left, r.top, r.right - 1, r.top);
  line(clBtnHighlight, r.right - 1, r.top, r.right - 1, r.bottom - 1);
  line(clBtnHighlight, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
}

}  // namespace vk::gui
