#include "Gui/ExtCtrls.h"

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

}  // namespace vk::gui
