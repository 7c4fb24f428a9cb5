#include "Tools/Service/Keyboard.h"

#include <cctype>

namespace vk {

void TNumLockSwitch::On(platform::WindowId window) {
  if (switchedOn_) return;
  if (switchedBack_ || !keyboard_.IsNumLockOn()) {
    keyboard_.ToggleNumLock();
    switchedOn_ = true;
  }
  if (switchedOn_ && window != 0) keyboard_.PostToWindow(window, kNumLockOnMessage);
}

void TNumLockSwitch::Restore(platform::WindowId window) {
  if (switchedBack_) return;
  if (switchedOn_ || keyboard_.IsNumLockOn()) {
    keyboard_.ToggleNumLock();
    switchedBack_ = true;
  }
  if (switchedBack_ && window != 0) keyboard_.PostToWindow(window, kNumLockRestoreMessage);
}

void TNumLockSwitch::Reset() {
  switchedOn_ = false;
  switchedBack_ = false;
}

bool LayoutLanguageMatches(const std::string& language, const std::string& identifier) {
  if (language.size() != 4 || identifier.size() != 8) return false;
  for (size_t i = 0; i < 4; ++i) {
    if (std::toupper(static_cast<unsigned char>(language[i])) !=
        std::toupper(static_cast<unsigned char>(identifier[4 + i])))
      return false;
  }
  return true;
}

bool SelectKeyboardLayout(platform::KeyboardSystem& keyboard, const std::string& identifier, bool activate) {
  std::vector<platform::LayoutId> layouts = keyboard.InstalledLayouts();
  for (auto it = layouts.rbegin(); it != layouts.rend(); ++it) {
    if (!LayoutLanguageMatches(keyboard.LayoutLanguage(*it), identifier)) continue;
    if (activate) keyboard.ActivateLayout(*it);
    return true;
  }
  return false;
}

bool IsKeyboardLayout(platform::KeyboardSystem& keyboard, const std::string& identifier) {
  return LayoutLanguageMatches(keyboard.LayoutLanguage(keyboard.CurrentLayout()), identifier);
}

namespace {
TNumLockSwitch& ProgramNumLock() {
  static TNumLockSwitch numLock(platform::SystemKeyboard());
  return numLock;
}
}  // namespace

void NumLockOn(platform::WindowId window) { ProgramNumLock().On(window); }
void NumLockRestore(platform::WindowId window) { ProgramNumLock().Restore(window); }
void ResetNumLockState() { ProgramNumLock().Reset(); }

bool SelectKeyboardLayout(const std::string& identifier, bool activate) {
  return SelectKeyboardLayout(platform::SystemKeyboard(), identifier, activate);
}

bool IsKeyboardLayout(const std::string& identifier) {
  return IsKeyboardLayout(platform::SystemKeyboard(), identifier);
}

bool LoadKeyboardLayoutByName(const std::string& identifier) {
  return platform::SystemKeyboard().LoadAndActivateLayout(identifier);
}

}  // namespace vk
