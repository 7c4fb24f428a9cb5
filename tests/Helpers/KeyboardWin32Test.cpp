#include <gtest/gtest.h>
#include <windows.h>

#include "Platform/Keyboard.h"
#include "Tools/Service/Keyboard.h"

namespace vk {
namespace {

std::string IdentifierOf(platform::LayoutId layout) {
  return "0000" + platform::SystemKeyboard().LayoutLanguage(layout);
}

TEST(KeyboardWin32, CurrentLayoutIsFoundByItsOwnIdentifier) {
  platform::KeyboardSystem& keyboard = platform::SystemKeyboard();
  ASSERT_FALSE(keyboard.InstalledLayouts().empty());
  std::string identifier = IdentifierOf(keyboard.CurrentLayout());
  ASSERT_EQ(identifier.size(), 8u) << identifier;
  EXPECT_TRUE(IsKeyboardLayout(identifier));
  EXPECT_TRUE(SelectKeyboardLayout(identifier, /*activate=*/true));
  EXPECT_TRUE(IsKeyboardLayout(identifier));
}

TEST(KeyboardWin32, LayoutOfNoInstalledLanguageIsNotSelected) {
  platform::LayoutId before = platform::SystemKeyboard().CurrentLayout();
  EXPECT_FALSE(SelectKeyboardLayout("0000007F", /*activate=*/true));  // the invariant locale has no layout
  EXPECT_FALSE(IsKeyboardLayout("0000007F"));
  EXPECT_EQ(platform::SystemKeyboard().CurrentLayout(), before);
}

TEST(KeyboardWin32, LoadedEnglishLayoutBecomesCurrent) {
  ASSERT_TRUE(LoadKeyboardLayoutByName("00000409"));
  EXPECT_TRUE(IsKeyboardLayout("00000409"));
  EXPECT_TRUE(SelectKeyboardLayout("00000409", /*activate=*/false));
}

// A focused window that takes the keys and the acknowledgement messages.
class NumLockWindow {
 public:
  NumLockWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VkNumLockTest";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"Num Lock", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                              nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(window_);
    SetFocus(window_);
  }
  ~NumLockWindow() { DestroyWindow(window_); }
  NumLockWindow(const NumLockWindow&) = delete;
  NumLockWindow& operator=(const NumLockWindow&) = delete;

  platform::WindowId Id() const { return reinterpret_cast<platform::WindowId>(window_); }

  // Pumps the queue until the message arrives (true) or the queue stays
  // empty for a while (false).
  bool WaitFor(UINT wanted) {
    for (int idle = 0; idle < 100;) {
      MSG msg;
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        Sleep(10);
        ++idle;
        continue;
      }
      if (msg.message == wanted && msg.hwnd == window_) return true;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return false;
  }

 private:
  HWND window_ = nullptr;
};

TEST(KeyboardWin32, NumLockOnAndRestoreToggleTheKeyAndPostTheirMessages) {
  NumLockWindow window;
  window.WaitFor(WM_NULL);  // let the window settle
  bool wasOn = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  if (wasOn) {
    NumLockRestore(window.Id());
    ASSERT_TRUE(window.WaitFor(kNumLockRestoreMessage));
    ResetNumLockState();
  }
  ASSERT_FALSE(GetKeyState(VK_NUMLOCK) & 1) << "Num Lock could not be switched off";

  NumLockOn(window.Id());
  ASSERT_TRUE(window.WaitFor(kNumLockOnMessage));
  EXPECT_TRUE(GetKeyState(VK_NUMLOCK) & 1);
  ResetNumLockState();

  NumLockOn(window.Id());  // already on: nothing to do, nothing posted
  EXPECT_FALSE(window.WaitFor(kNumLockOnMessage));

  NumLockRestore(window.Id());
  ASSERT_TRUE(window.WaitFor(kNumLockRestoreMessage));
  EXPECT_FALSE(GetKeyState(VK_NUMLOCK) & 1);
  ResetNumLockState();
}

}  // namespace
}  // namespace vk
