#pragma once
// Num Lock for the entry of numbers in laptop mode, and the keyboard layout of
// the current language.
//
// A Num Lock toggle reaches GetKeyState only when the application's queue has
// taken the key; until the message posted with it (kNumLockOnMessage or
// kNumLockRestoreMessage) arrives, two flags stand in for the key state. The
// receiver clears them with ResetNumLockState after refreshing its Num Lock
// indicator. GUI thread only.

#include <string>

#include "Platform/Keyboard.h"

namespace vk {

// Posted to the window after this unit switched Num Lock on / back off.
inline constexpr unsigned kNumLockOnMessage = 1785;
inline constexpr unsigned kNumLockRestoreMessage = 1786;

// The Num Lock toggles this program sent and the application has not yet
// acknowledged.
class TNumLockSwitch {
 public:
  explicit TNumLockSwitch(platform::KeyboardSystem& keyboard) : keyboard_(keyboard) {}

  // Switches Num Lock on unless this switch already did; posts
  // kNumLockOnMessage to the window when it switched.
  void On(platform::WindowId window);
  // The mirror image: switches Num Lock back off and posts
  // kNumLockRestoreMessage.
  void Restore(platform::WindowId window);
  // Forgets both pending toggles.
  void Reset();

  bool SwitchedOn() const { return switchedOn_; }
  bool SwitchedBack() const { return switchedBack_; }

 private:
  platform::KeyboardSystem& keyboard_;
  bool switchedOn_ = false;
  bool switchedBack_ = false;
};

// True when the layout language (4 hex digits, e.g. "0419") is the language of
// the 8-digit layout identifier (e.g. "00000419"): it equals the identifier's
// last four digits, in either case.
bool LayoutLanguageMatches(const std::string& language, const std::string& identifier);

// True when an installed layout matches the identifier; the layouts are tried
// from the last to the first. With activate, the match becomes the active
// layout; with no match nothing changes.
bool SelectKeyboardLayout(platform::KeyboardSystem& keyboard, const std::string& identifier, bool activate);

// True when the calling thread's layout matches the identifier.
bool IsKeyboardLayout(platform::KeyboardSystem& keyboard, const std::string& identifier);

// The program's one switch over the real keyboard.
void NumLockOn(platform::WindowId window = 0);
void NumLockRestore(platform::WindowId window = 0);
void ResetNumLockState();

// The same layout functions on the real keyboard.
bool SelectKeyboardLayout(const std::string& identifier, bool activate);
bool IsKeyboardLayout(const std::string& identifier);
// Loads (when not yet loaded) and activates the layout; false when the system
// refuses it.
bool LoadKeyboardLayoutByName(const std::string& identifier);

}  // namespace vk
