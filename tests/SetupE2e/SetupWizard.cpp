#include "tests/SetupE2e/SetupWizard.h"

#include <gtest/gtest.h>

#include "Platform/win32/Utf16.h"

namespace vk::setup::e2e {

std::string EnvText(const char* name) {
  wchar_t value[256] = {};
  GetEnvironmentVariableW(platform::Utf8ToWide(name).c_str(), value, 256);
  return platform::WideToUtf8(value);
}

std::string ScreenName(const std::string& name) { return EnvText("VORKEL_SCREENS_PREFIX") + "-" + name; }

TSetupText TextsOf(int language) {
  TSetupText texts;
  if (language == 0) GetRusSetupText(texts);
  if (language == 1) GetUkrSetupText(texts);
  if (language == 2) GetEngSetupText(texts);
  return texts;
}

Wizard::Wizard() : process_(HostPath(VK_SETUP_EXE)) {
  window_ = WaitForTopWindow("TMainFormSetup", 20000, "", process_.Id());
  texts_ = TextsOf(2);
}

void Wizard::ChooseLanguage(int item, int language) {
  BringToFront(window_);
  for (int i = 0; i < item; ++i) PressKey(VK_DOWN);
  texts_ = TextsOf(language);
  ASSERT_TRUE(WaitUntil([&] { return ReadText(window_) == texts_.Caption; }, 5000)) << ReadText(window_);
}

HWND Wizard::Button(const std::string& caption) {
  HWND button = nullptr;
  WaitUntil([&] { return IsShown(button = FindChild(window_, "Button", caption)); }, 5000);
  return button;
}

void Wizard::Press(const std::string& caption) {
  HWND button = Button(caption);
  ASSERT_TRUE(IsShown(button)) << caption;
  BringToFront(window_);
  Click(button);
}

HWND Wizard::FolderEdit() {
  for (int i = 0; HWND edit = NthChild(window_, "Edit", i); ++i) {
    if (!(GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE)) return edit;
  }
  return nullptr;
}

HWND Wizard::ProgressMemo() {
  for (int i = 0; HWND edit = NthChild(window_, "Edit", i); ++i) {
    if (ReadText(edit).starts_with(texts_.SummaryLanguage)) return edit;
  }
  return nullptr;
}

void Wizard::TypeFolder(const std::string& folder) {
  HWND edit = FolderEdit();
  ASSERT_TRUE(IsShown(edit));
  BringToFront(window_);
  Click(edit);
  PressKey(VK_END);
  PressKey(VK_HOME, /*shift=*/true);
  TypeText(platform::Utf8ToWide(folder));
  // The typed keys may still wait in the setup's queue on a busy machine.
  WaitUntil([&] { return ReadText(edit) == folder; }, 5000);
  ASSERT_EQ(ReadText(edit), folder);
}

void Wizard::GoToSummary(const std::string& folder) {
  Press(texts_.BtnNext);
  Press(texts_.BtnAgree);
  TypeFolder(folder);
  Press(texts_.BtnNext);
  ASSERT_TRUE(IsShown(Button(texts_.BtnInstall)));
}

void Wizard::StartInstall(const std::string& folder) {
  GoToSummary(folder);
  Press(texts_.BtnInstall);
}

bool Wizard::WaitForInstallEnd(const std::string& lastStep) {
  std::string ok = lastStep + "   - Ok";
  std::string failed = "   - " + texts_.StepError;
  std::string text;
  bool ended = WaitUntil(
      [&] {
        HWND memo = ProgressMemo();
        text = memo ? ReadText(memo) : "";
        return text.find(ok) != std::string::npos || text.find(failed) != std::string::npos;
      },
      60000);
  EXPECT_TRUE(ended) << text;
  // The window says so after its closing pause.
  WaitUntil([&] { return IsShown(Button(texts_.BtnExit)); }, 5000);
  Sleep(2000);
  return text.find(ok) != std::string::npos;
}

}  // namespace vk::setup::e2e
