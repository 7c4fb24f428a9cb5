#pragma once
// TTimer: a callback every Interval milliseconds on the GUI thread, carried
// by WM_TIMER of the application window (so it runs inside the exception
// barrier and is seen by the message hook). TImage and TBevel: pictures and
// lines that the parent paints, without windows of their own.

#include <windows.h>

#include <functional>
#include <memory>

#include "Gui/Controls.h"

namespace vk::gui {

class TTimer {
 public:
  // Enabled, every 1000 ms.
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  unsigned Interval() const { return interval_; }
  // 0 stops the timer until another interval is set.
  void SetInterval(unsigned milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  std::function<void()> OnTimer;

 private:
  friend class TApplication;

  void Timer();
  void Restart();

  UINT_PTR id_;
  unsigned interval_ = 1000;
  bool enabled_ = true;
};

// A picture painted by its parent: either a bitmap of the image's size that
// the program draws on through Canvas (the windows' bottom band), or an icon
// (the message box's icon). The bitmap keeps what was drawn until it is drawn
// again; it is made anew, black, when the image's size changes.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TWinControl* parent);
  ~TImage() override;

  // The bitmap's canvas, made on first use; drawing on it does not repaint
  // the image (Invalidate does).
  TCanvas& Canvas();
  // The bitmap's colour at a point of the image (for tests); CLR_INVALID
  // without a bitmap.
  COLORREF PixelAt(int x, int y) const;
  // Shows a shared system icon (not destroyed here) instead of the bitmap;
  // null shows the bitmap again.
  void SetIcon(HICON icon);
  HICON Icon() const { return icon_; }
  // The icon is centred in the bounds instead of placed at the top left.
  bool Center() const { return center_; }
  void SetCenter(bool center);

  void Paint(TCanvas& canvas) override;

 protected:
  void BoundsChanged(const RECT& oldBounds) override;

 private:
  void FreeBitmap();

  UniqueDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
  HICON icon_ = nullptr;
  bool center_ = false;
};

enum class TBevelShape { bsBox, bsTopLine };

// A lowered line (or box) in the system's shadow and highlight colours; the
// top line is the 2-pixel rule above the windows' bottom band.
class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TWinControl* parent);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape shape);

  void Paint(TCanvas& canvas) override;

 private:
  TBevelShape shape_ = TBevelShape::bsBox;
};

}  // namespace vk::gui
