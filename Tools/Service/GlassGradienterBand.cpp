#include "Tools/Service/GlassGradienterBand.h"

#include "Gui/Application.h"
#include "Gui/GdiHandles.h"
#include "Tools/Service/GlassGradienter.h"
#include "Tools/Service/GlassGradienterDecisions.h"

namespace vk {

namespace {

constexpr UINT kDwmRenderingChanged = 0x031F;  // WM_DWMNCRENDERINGCHANGED

}  // namespace

TBandForm::TBandForm(int bandHeight) : bandHeight_(bandHeight) {
  Bevel.SetName("Bevel");
  Bevel.SetShape(gui::TBevelShape::bsTopLine);
  Image.SetName("Image");
  PlaceBand();
}

void TBandForm::PlaceBand() {
  int width = ClientWidth();
  int height = ClientHeight();
  Image.SetBounds(0, height - bandHeight_, width, bandHeight_);
  Image.SetAnchors(gui::akLeft | gui::akRight | gui::akBottom);
  Bevel.SetBounds(0, height - bandHeight_ - kBevelHeight, width, kBevelHeight);
  Bevel.SetAnchors(gui::akLeft | gui::akRight | gui::akBottom);
}

LRESULT TBandForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCACTIVATE: return WmNcActivate(wParam, lParam);
    case WM_SYSCOLORCHANGE: return WmSysColorChange(wParam, lParam);
    case kDwmRenderingChanged: return WmDwmRenderingChanged(wParam, lParam);
    case WM_CHANGEUISTATE: return WmChangeUiState(wParam, lParam);
  }
  return TForm::WndProc(message, wParam, lParam);
}

void TBandForm::PaintWindow(gui::TCanvas& canvas) {
  GlassGradienter().PaintImage(Image, gui::Application.Active());
  TForm::PaintWindow(canvas);
}

void TBandForm::RefreshImage() {
  if (!HandleAllocated() || !Image.Visible()) return;
  gui::WindowDc dc(handle_);
  RECT bounds = Image.BoundsRect();
  gui::ClipGuard clip(dc.Dc(), bounds);
  gui::TCanvas canvas(dc.Dc());
  Image.Paint(canvas);
}

LRESULT TBandForm::WmNcActivate(WPARAM wParam, LPARAM lParam) {
  LRESULT result = TForm::WndProc(WM_NCACTIVATE, wParam, lParam);
  GlassGradienter().PaintImage(Image, wParam != 0);
  RefreshImage();
  for (gui::TButton* button : BandButtons(*this, Image, /*onlyVisible=*/true)) {
    button->Invalidate();
    button->Update();
  }
  return result;
}

LRESULT TBandForm::WmSysColorChange(WPARAM wParam, LPARAM lParam) {
  if (HandleAllocated() && IsWindowVisible(handle_)) {
    GlassGradienter().UpdateColors(&Image);
    Image.Invalidate();
    Invalidate();
    Update();
  }
  return TForm::WndProc(WM_SYSCOLORCHANGE, wParam, lParam);
}

LRESULT TBandForm::WmDwmRenderingChanged(WPARAM wParam, LPARAM lParam) {
  LRESULT result = TForm::WndProc(kDwmRenderingChanged, wParam, lParam);
  intptr_t tag = Image.Tag();
  bool repaint = RenderingChanged(tag, RenderingMarks()[ClassName()], reinterpret_cast<intptr_t>(handle_));
  Image.SetTag(tag);
  if (repaint) {
    GlassGradienter().PaintImage(Image, gui::Application.Active());
    RefreshImage();
  }
  return result;
}

LRESULT TBandForm::WmChangeUiState(WPARAM wParam, LPARAM lParam) {
  LRESULT result = TForm::WndProc(WM_CHANGEUISTATE, wParam, lParam);
  for (gui::TButton* button : BandButtons(*this, Image, /*onlyVisible=*/false)) button->Invalidate();
  return result;
}

std::map<std::string, intptr_t>& TBandForm::RenderingMarks() {
  static std::map<std::string, intptr_t> marks;
  return marks;
}

}  // namespace vk
