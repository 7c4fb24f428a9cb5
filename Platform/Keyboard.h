#pragma once
// The keyboard as the program switches it: the Num Lock key and the installed
// keyboard layouts.
//
// win32: keybd_event, GetKeyState, PostMessageW and the keyboard layout calls
// of the calling thread.
// posix: there is no keyboard to switch; Num Lock reads off, toggling and
// posting do nothing and no layout is installed.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vk::platform {

// A window as the system names it (HWND on Windows); 0 is no window.
using WindowId = std::uintptr_t;
// A keyboard layout as the system names it (HKL on Windows).
using LayoutId = std::uintptr_t;

class KeyboardSystem {
 public:
  virtual ~KeyboardSystem() = default;

  // Num Lock as the calling thread's message queue last saw it.
  virtual bool IsNumLockOn() = 0;
  // One press and release of Num Lock, as if typed.
  virtual void ToggleNumLock() = 0;
  // Posts message (no parameters) to the window; a window of 0 is ignored.
  virtual void PostToWindow(WindowId window, unsigned message) = 0;

  // The installed layouts in the system's order (at most 20 are asked for).
  virtual std::vector<LayoutId> InstalledLayouts() = 0;
  // The calling thread's active layout.
  virtual LayoutId CurrentLayout() = 0;
  // The layout's language as the 4 hexadecimal digits the locale gives for it
  // (e.g. "0419"); empty when the system cannot say.
  virtual std::string LayoutLanguage(LayoutId layout) = 0;
  // Makes the installed layout the active one.
  virtual void ActivateLayout(LayoutId layout) = 0;
  // Loads the layout named by its 8-digit identifier (when not yet loaded) and
  // activates it; false when the system refuses.
  virtual bool LoadAndActivateLayout(const std::string& identifier) = 0;
};

// The real keyboard; lives for the whole run.
KeyboardSystem& SystemKeyboard();

}  // namespace vk::platform
