#pragma once
// TTimer: a callback every Interval milliseconds on the GUI thread, carried
// by WM_TIMER of the application window (so it runs inside the exception
// barrier and is seen by the message hook).

#include <windows.h>

#include <functional>

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

}  // namespace vk::gui
