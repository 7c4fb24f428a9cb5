#pragma once
// A form with the bottom band that every window of the programs has: a band
// image 40 pixels high along the bottom, under a 2-pixel top-line bevel, that
// holds the window's buttons. It paints the band through GlassGradienter()
// and answers the changes of activation, colours and composition the same way
// in every window. Windows only.

#include <windows.h>

#include <map>
#include <string>

#include "Gui/ExtCtrls.h"
#include "Gui/Forms.h"

namespace vk {

inline constexpr int kBandHeight = 40;
inline constexpr int kBevelHeight = 2;

class TBandForm : public gui::TForm {
 public:
  // The band ("Image") and its bevel ("Bevel") along the bottom of the
  // client area; call SetClientSize first or place them again with PlaceBand.
  // The setup wizard's band is higher than the dialogs' 40 pixels.
  explicit TBandForm(int bandHeight = kBandHeight);

  // Lays the band and the bevel along the current client area's bottom.
  void PlaceBand();

  gui::TBevel Bevel{this};
  gui::TImage Image{this};

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The band's bitmap is brought up to date before the controls paint it.
  void PaintWindow(gui::TCanvas& canvas) override;

 private:
  LRESULT WmNcActivate(WPARAM wParam, LPARAM lParam);
  LRESULT WmSysColorChange(WPARAM wParam, LPARAM lParam);
  LRESULT WmDwmRenderingChanged(WPARAM wParam, LPARAM lParam);
  LRESULT WmChangeUiState(WPARAM wParam, LPARAM lParam);
  // Paints the band image now, without waiting for WM_PAINT (which would
  // paint it again in the application's state instead of the one asked for).
  void RefreshImage();

  int bandHeight_;
  // Per window class: the band mark last seen by a change of rendering.
  static std::map<std::string, intptr_t>& RenderingMarks();
};

}  // namespace vk
