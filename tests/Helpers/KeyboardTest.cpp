#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "Tools/Service/Keyboard.h"

namespace vk {
namespace {

// A keyboard whose Num Lock follows the toggles only when the test lets the
// queue catch up, as GetKeyState does.
class FakeKeyboard final : public platform::KeyboardSystem {
 public:
  bool NumLockSeen = false;
  int Toggles = 0;
  std::vector<std::pair<platform::WindowId, unsigned>> Posted;
  std::vector<platform::LayoutId> Layouts;
  std::map<platform::LayoutId, std::string> Languages;
  platform::LayoutId Current = 0;
  std::vector<platform::LayoutId> Activated;

  bool IsNumLockOn() override { return NumLockSeen; }
  void ToggleNumLock() override { ++Toggles; }
  void PostToWindow(platform::WindowId window, unsigned message) override { Posted.emplace_back(window, message); }
  std::vector<platform::LayoutId> InstalledLayouts() override { return Layouts; }
  platform::LayoutId CurrentLayout() override { return Current; }
  std::string LayoutLanguage(platform::LayoutId layout) override { return Languages[layout]; }
  void ActivateLayout(platform::LayoutId layout) override { Activated.push_back(layout); }
  bool LoadAndActivateLayout(const std::string&) override { return false; }
};

constexpr platform::WindowId kWindow = 0x1234;

TEST(NumLockSwitch, OnDoesNothingWhenNumLockIsAlreadyOnAndNothingPending) {
  FakeKeyboard keyboard;
  keyboard.NumLockSeen = true;
  TNumLockSwitch numLock(keyboard);
  numLock.On(kWindow);
  EXPECT_EQ(keyboard.Toggles, 0);
  EXPECT_TRUE(keyboard.Posted.empty());
}

TEST(NumLockSwitch, RestoreDoesNothingWhenNumLockIsOffAndNothingPending) {
  FakeKeyboard keyboard;
  TNumLockSwitch numLock(keyboard);
  numLock.Restore(kWindow);
  EXPECT_EQ(keyboard.Toggles, 0);
  EXPECT_TRUE(keyboard.Posted.empty());
}

TEST(NumLockSwitch, OnThenRestoreBeforeAcknowledgementTogglesTwice) {
  FakeKeyboard keyboard;  // off, and the queue never catches up
  TNumLockSwitch numLock(keyboard);
  numLock.On(kWindow);
  numLock.Restore(kWindow);
  EXPECT_EQ(keyboard.Toggles, 2);
  std::vector<std::pair<platform::WindowId, unsigned>> expected = {{kWindow, kNumLockOnMessage},
                                                                   {kWindow, kNumLockRestoreMessage}};
  EXPECT_EQ(keyboard.Posted, expected);
}

TEST(NumLockSwitch, PendingTogglesBlockBothUntilReset) {
  FakeKeyboard keyboard;
  TNumLockSwitch numLock(keyboard);
  numLock.On(kWindow);
  numLock.Restore(kWindow);
  numLock.On(kWindow);
  numLock.Restore(kWindow);
  EXPECT_EQ(keyboard.Toggles, 2);
  EXPECT_TRUE(numLock.SwitchedOn() && numLock.SwitchedBack());

  numLock.Reset();  // the window took the messages; Num Lock is off again
  numLock.On(kWindow);
  EXPECT_EQ(keyboard.Toggles, 3);
}

TEST(NumLockSwitch, SecondOnWhilePendingNeitherTogglesNorPosts) {
  FakeKeyboard keyboard;
  TNumLockSwitch numLock(keyboard);
  numLock.On(kWindow);
  numLock.On(kWindow);
  EXPECT_EQ(keyboard.Toggles, 1);
  EXPECT_EQ(keyboard.Posted.size(), 1u);
}

TEST(NumLockSwitch, TogglesWithoutPostingWhenNoWindowIsGiven) {
  FakeKeyboard keyboard;
  TNumLockSwitch numLock(keyboard);
  numLock.On(0);
  EXPECT_EQ(keyboard.Toggles, 1);
  EXPECT_TRUE(keyboard.Posted.empty());
  EXPECT_TRUE(numLock.SwitchedOn());
}

TEST(KeyboardLayout, LanguageMatchesTheIdentifiersLastFourDigits) {
  struct Case {
    const char* language;
    const char* identifier;
    bool matches;
  } cases[] = {
      {"0419", "00000419", true}, {"0422", "00000422", true}, {"0409", "00000409", true}, {"0409", "00000419", false},
      {"080a", "0000080A", true}, {"0419", "04190419", true}, {"0419", "00010419", true}, {"", "00000419", false},
      {"0419", "0419", false},    {"0419", "", false},        {"419", "00000419", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LayoutLanguageMatches(c.language, c.identifier), c.matches) << c.language << " " << c.identifier;
}

TEST(KeyboardLayout, SelectActivatesTheLastMatchingLayout) {
  FakeKeyboard keyboard;
  keyboard.Layouts = {1, 2, 3, 4};
  keyboard.Languages = {{1, "0409"}, {2, "0419"}, {3, "0409"}, {4, "0422"}};
  EXPECT_TRUE(SelectKeyboardLayout(keyboard, "00000409", /*activate=*/true));
  EXPECT_EQ(keyboard.Activated, std::vector<platform::LayoutId>{3});
}

TEST(KeyboardLayout, SelectWithoutActivateOrWithoutMatchChangesNothing) {
  FakeKeyboard keyboard;
  keyboard.Layouts = {1, 2};
  keyboard.Languages = {{1, "0409"}, {2, "0419"}};
  EXPECT_TRUE(SelectKeyboardLayout(keyboard, "00000419", /*activate=*/false));
  EXPECT_FALSE(SelectKeyboardLayout(keyboard, "00000422", /*activate=*/true));
  EXPECT_TRUE(keyboard.Activated.empty());
}

TEST(KeyboardLayout, IsKeyboardLayoutLooksAtTheCurrentLayoutOnly) {
  FakeKeyboard keyboard;
  keyboard.Layouts = {1, 2};
  keyboard.Languages = {{1, "0409"}, {2, "0419"}};
  keyboard.Current = 1;
  EXPECT_TRUE(IsKeyboardLayout(keyboard, "00000409"));
  EXPECT_FALSE(IsKeyboardLayout(keyboard, "00000419"));
}

}  // namespace
}  // namespace vk
