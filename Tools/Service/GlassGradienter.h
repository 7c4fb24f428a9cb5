#pragma once
// The painter of every window's bottom band: a two-colour vertical gradient
// in colours taken from the system, or, while desktop composition is on, a
// glass area made by extending the window frame into the band. One painter
// serves the whole program (GlassGradienter()). Windows only; the colour
// rules live in GlassGradienterColors.h.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Gui/ExtCtrls.h"
#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienterColors.h"

namespace vk {
namespace gui {
class TVisualThemes;
}

// Colours and gradient fills.
class TGradienter {
 public:
  // Takes one use of the Desktop Window Manager's library.
  TGradienter();
  virtual ~TGradienter();
  TGradienter(const TGradienter&) = delete;
  TGradienter& operator=(const TGradienter&) = delete;

  // Chooses the colour source (glass colours only with glass on) and builds
  // the vertices again.
  void LoadColors(bool glass);
  // Fills the image's bitmap with the vertical gradient of the state: the
  // second colour at the top, the first at the bottom.
  virtual void PaintImage(gui::TImage& image, bool active);
  // A horizontal gradient over the rectangle, the second colour at the right,
  // the first at the left; the pair's vertices keep the rectangle.
  virtual void FillRect(HDC dc, bool active, const RECT& rect);
  // The same on a copy of the vertices.
  virtual void FillRectCopy(HDC dc, bool active, const RECT& rect);

  // The text colour on the band in the state (may be a system colour).
  uint32_t GetColor(bool active) const { return colors_.TextColors[active ? 1 : 0]; }
  uint32_t GetActiveColor() const { return WithoutAlpha(colors_.ActiveFirst); }
  uint32_t GetInactiveColor() const { return WithoutAlpha(colors_.InactiveFirst); }
  // A stamp of the accent colouring; ask only while dwm::DwmLoaded().
  uint32_t GetColorizationKey();

  const TBandColors& Colors() const { return colors_; }
  const TBandVertices& Vertices() const { return vertices_; }

 protected:
  TBandColors colors_;
  TBandVertices vertices_{};

 private:
  std::unique_ptr<gui::TVisualThemes> theme_;
};

// Desktop composition: its state, the frame extension and layered windows.
class TGlassManager {
 public:
  // Takes one use of the library and reads the composition state.
  TGlassManager();
  ~TGlassManager();
  TGlassManager(const TGlassManager&) = delete;
  TGlassManager& operator=(const TGlassManager&) = delete;

  bool Enabled = false;

  bool IsCompositionEnabled() const;
  void UpdateEnabled();
  // Glass over the bottom height pixels of the client area; asserts Enabled.
  void ExtendFrame(HWND window, int bottomHeight);
  // Pixels of the key colour become see-through; asserts Enabled.
  void SetLayered(HWND window, uint32_t keyColor);
  void ClearLayered(HWND window);
};

class TGlassGradienter : public TGradienter {
 public:
  // The glass manager first; the colours follow its composition state.
  TGlassGradienter();

  // Prepares the band for glass or gradient once per window (the band's Tag
  // keeps the window it was prepared for) and paints the gradient when glass
  // is off. The image must lie on a form.
  void PaintImage(gui::TImage& image, bool active) override;
  // Reads the composition state and the colours again; the image, if given,
  // is prepared again at its next paint.
  void UpdateColors(gui::TImage* image);

  TGlassManager& Glass() { return glass_; }

 private:
  void PrepareGlass(gui::TImage& image, gui::TForm& form);
  void ClearGlass(gui::TImage& image, gui::TForm& form);
  void UpdateBevel(gui::TForm& form);

  TGlassManager glass_;
};

// The buttons in the form's bottom band: those whose top lies below the
// band's top; with onlyVisible the hidden ones are left out.
std::vector<gui::TButton*> BandButtons(gui::TForm& form, const gui::TImage& band, bool onlyVisible);

// The program's one painter, made at its first use.
TGlassGradienter& GlassGradienter();

}  // namespace vk
