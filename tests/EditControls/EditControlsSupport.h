#pragma once
// A shown form to put entry controls on, and key input by window messages.

#include <windows.h>

#include <string>

#include "tests/Gui/GuiTestSupport.h"

namespace vk::gui::test {

class EditFormTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = MakeForm<TestForm>("TEditTestForm");
    form->SetClientSize(300, 120);
  }
  void TearDown() override {
    form.reset();
    GuiTest::TearDown();
  }
  // Shows the form and gives the control the focus; other test programs on the
  // same display may take the activation away, so it is asked for again.
  bool ShowAndFocus(TWinControl& control) {
    form->Show();
    HWND window = control.Handle();
    return PumpUntil(
        [&] {
          if (GetFocus() == window) return true;
          SetForegroundWindow(form->Handle());
          SetActiveWindow(form->Handle());
          ::SetFocus(window);
          return GetFocus() == window;
        },
        3000);
  }

  FormPtr<TestForm> form;
};

inline void TypeChars(HWND window, const std::string& chars) {
  for (char c : chars) SendMessageW(window, WM_CHAR, static_cast<unsigned char>(c), 1);
}

inline void SendKey(HWND window, WORD key) { SendMessageW(window, WM_KEYDOWN, key, 1); }

// Holds Shift down in this thread's keyboard state while it lives.
class ShiftHeld {
 public:
  ShiftHeld() {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
  }
  ~ShiftHeld() { SetKeyboardState(saved_); }
  ShiftHeld(const ShiftHeld&) = delete;
  ShiftHeld& operator=(const ShiftHeld&) = delete;

 private:
  BYTE saved_[256];
};

}  // namespace vk::gui::test
