#pragma once
// TStatusBar: the system's status bar (STATUSCLASSNAMEW) with panels of given
// widths and alignments; the last panel takes the rest of the width. It sits
// where its bounds and anchors put it, like any control.

#include <windows.h>

#include <string>
#include <vector>

#include "Gui/Controls.h"

namespace vk::gui {

struct TStatusPanel {
  int Width = 50;
  TAlignment Alignment = TAlignment::taLeftJustify;
  std::string Text;
};

class TStatusBar : public TWinControl {
 public:
  // Along its parent's bottom at 19 pixels, anchored to the bottom, left and
  // right; no size grip.
  explicit TStatusBar(TWinControl* parent);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  void SetPanels(const std::vector<TStatusPanel>& panels);
  const TStatusPanel& Panel(int index) const { return panels_.at(static_cast<size_t>(index)); }
  void SetPanelText(int index, const std::string& text);
  void SetPanelWidth(int index, int width);
  // The text the control shows in the panel (for tests and checks).
  std::string PanelTextShown(int index);
  // Width of the text in the bar's font.
  int TextWidth(const std::string& text);
  bool SizeGrip = false;
  // Makes the window again (after a change of system colours).
  void RecreateWnd();

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  void ApplyParts();
  void ApplyText(int index);

  std::vector<TStatusPanel> panels_;
};

}  // namespace vk::gui
