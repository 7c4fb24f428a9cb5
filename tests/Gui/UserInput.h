#pragma once
// Input as a user gives it: keys and mouse clicks through the system's input
// queue (SendInput), played by a thread of their own while the test's thread
// runs the message loop (or sits in a menu's or a dialog's loop).

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

namespace vk::gui::test {

// Keys that Windows marks as extended (the grey keys beside the letters).
inline bool IsExtendedKey(WORD key) {
  switch (key) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_APPS:
    case VK_DIVIDE: return true;
  }
  return false;
}

inline INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

// Presses and releases the key, with the modifiers held down around it.
inline void PressKey(WORD key, std::initializer_list<WORD> modifiers = {}) {
  for (WORD m : modifiers) {
    INPUT down = KeyInput(m, false);
    SendInput(1, &down, sizeof(INPUT));
  }
  INPUT press[2] = {KeyInput(key, false), KeyInput(key, true)};
  SendInput(2, press, sizeof(INPUT));
  for (WORD m : modifiers) {
    INPUT up = KeyInput(m, true);
    SendInput(1, &up, sizeof(INPUT));
  }
  Sleep(30);
}

// A right click at a point of the screen: the mouse moves there, then the
// button goes down and up.
inline void RightClickAt(POINT at) {
  INPUT click[3]{};
  for (INPUT& input : click) input.type = INPUT_MOUSE;
  click[0].mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  click[0].mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  click[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  click[1].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  click[2].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(1, &click[0], sizeof(INPUT));
  Sleep(30);
  SendInput(2, &click[1], sizeof(INPUT));
  Sleep(30);
}

// Waits (up to the time) until the condition holds; for the input thread.
inline bool WaitFor(const std::function<bool()>& condition, DWORD maxMilliseconds = 5000) {
  ULONGLONG deadline = GetTickCount64() + maxMilliseconds;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(10);
  }
  return true;
}

// Plays its script on a thread of its own; joined when it goes.
class InputScript {
 public:
  explicit InputScript(std::function<void()> script) : thread_(std::move(script)) {}
  ~InputScript() {
    if (thread_.joinable()) thread_.join();
  }
  InputScript(const InputScript&) = delete;
  InputScript& operator=(const InputScript&) = delete;
  void Join() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};

}  // namespace vk::gui::test
