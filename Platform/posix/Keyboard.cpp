#include "Platform/Keyboard.h"

namespace vk::platform {
namespace {

class NoKeyboard final : public KeyboardSystem {
 public:
  bool IsNumLockOn() override { return false; }
  void ToggleNumLock() override {}
  void PostToWindow(WindowId, unsigned) override {}
  std::vector<LayoutId> InstalledLayouts() override { return {}; }
  LayoutId CurrentLayout() override { return 0; }
  std::string LayoutLanguage(LayoutId) override { return {}; }
  void ActivateLayout(LayoutId) override {}
  bool LoadAndActivateLayout(const std::string&) override { return false; }
};

}  // namespace

KeyboardSystem& SystemKeyboard() {
  static NoKeyboard keyboard;
  return keyboard;
}

}  // namespace vk::platform
