#include "Platform/Keyboard.h"

#include <windows.h>

#include "Platform/win32/Utf16.h"

namespace vk::platform {
namespace {

constexpr BYTE kNumLockScanCode = 0x45;
constexpr int kMaxLayouts = 20;

HWND AsWindow(WindowId window) { return reinterpret_cast<HWND>(window); }
HKL AsLayout(LayoutId layout) { return reinterpret_cast<HKL>(layout); }

class Win32Keyboard final : public KeyboardSystem {
 public:
  bool IsNumLockOn() override { return (GetKeyState(VK_NUMLOCK) & 1) != 0; }

  void ToggleNumLock() override {
    keybd_event(VK_NUMLOCK, kNumLockScanCode, KEYEVENTF_EXTENDEDKEY, /*extraInfo=*/0);
    keybd_event(VK_NUMLOCK, kNumLockScanCode, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, /*extraInfo=*/0);
  }

  void PostToWindow(WindowId window, unsigned message) override {
    if (window != 0) PostMessageW(AsWindow(window), message, 0, 0);
  }

  std::vector<LayoutId> InstalledLayouts() override {
    HKL layouts[kMaxLayouts];
    int n = GetKeyboardLayoutList(kMaxLayouts, layouts);
    std::vector<LayoutId> out;
    for (int i = 0; i < n; ++i) out.push_back(reinterpret_cast<LayoutId>(layouts[i]));
    return out;
  }

  LayoutId CurrentLayout() override { return reinterpret_cast<LayoutId>(GetKeyboardLayout(/*thread=*/0)); }

  std::string LayoutLanguage(LayoutId layout) override {
    // The layout's language is the low word of its handle.
    LCID locale = MAKELCID(LOWORD(reinterpret_cast<UINT_PTR>(AsLayout(layout))), SORT_DEFAULT);
    wchar_t text[16] = {};
    if (GetLocaleInfoW(locale, LOCALE_ILANGUAGE, text, 16) == 0) return {};
    return WideToUtf8(text);
  }

  void ActivateLayout(LayoutId layout) override { ActivateKeyboardLayout(AsLayout(layout), /*flags=*/0); }

  bool LoadAndActivateLayout(const std::string& identifier) override {
    return LoadKeyboardLayoutW(Utf8ToWide(identifier).c_str(), KLF_ACTIVATE) != nullptr;
  }
};

}  // namespace

KeyboardSystem& SystemKeyboard() {
  static Win32Keyboard keyboard;
  return keyboard;
}

}  // namespace vk::platform
