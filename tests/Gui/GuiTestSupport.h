#pragma once
// Shared pieces of the Gui/ tests: a form class named at run time, a fixture
// that records what reaches the application's exception handler, and a pump
// that runs the message loop until a condition holds.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Gui/Application.h"
#include "Gui/Forms.h"
#include "Platform/win32/Utf16.h"

namespace vk::gui::test {

class TestForm : public TForm {
 public:
  explicit TestForm(std::string className = "TTestForm") : className_(std::move(className)) {}
  std::string ClassName() const override { return className_; }

  // Messages of the private range go to this handler when set.
  std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)> OnPrivateMessage;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= WM_APP && OnPrivateMessage && OnPrivateMessage(message, wParam, lParam)) return 0;
    return TForm::WndProc(message, wParam, lParam);
  }

 private:
  std::string className_;
};

// Records every exception handed to the application as "ClassName: text".
class GuiTest : public testing::Test {
 protected:
  void SetUp() override {
    Application.OnException = [this](const std::exception& e) {
      auto* own = dynamic_cast<const Exception*>(&e);
      errors.push_back(std::string(own ? own->ClassName() : "std::exception") + ": " + e.what());
    };
  }
  void TearDown() override {
    Application.OnException = nullptr;
    Application.OnMessage = nullptr;
  }

  std::vector<std::string> errors;
};

// Runs the queue until the condition holds; false when it did not within the time.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD maxMilliseconds = 5000) {
  ULONGLONG deadline = GetTickCount64() + maxMilliseconds;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Application.ProcessMessages();
    Sleep(1);
  }
  return true;
}

inline void PostKey(HWND window, WORD key) { PostMessageW(window, WM_KEYDOWN, key, 1); }

inline std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

}  // namespace vk::gui::test
