#pragma once
// One run of the real vkSetup.exe, driven page by page through the input
// queue as a user would, and the helpers the end-to-end cases share. Windows
// only; VK_SETUP_EXE names the setup program of the build.

#include <windows.h>

#include <string>

#include "tests/SetupE2e/SetupDriver.h"
#include "vkSetup/SetupText.h"

namespace vk::setup::e2e {

// A variable of the test's environment; empty when unset.
std::string EnvText(const char* name);
// A screenshot's name with the case's prefix.
std::string ScreenName(const std::string& name);
// The setup's texts of a language number (0 Russian, 1 Ukrainian, 2 English).
TSetupText TextsOf(int language);

// One run of the setup program, driven page by page.
class Wizard {
 public:
  Wizard();

  HWND Window() const { return window_; }
  Process& SetupProcess() { return process_; }
  const TSetupText& Texts() const { return texts_; }

  // Picks the language box's item with the arrow keys, as a user would.
  void ChooseLanguage(int item, int language);
  HWND Button(const std::string& caption);
  void Press(const std::string& caption);
  HWND FolderEdit();
  HWND ProgressMemo();
  void TypeFolder(const std::string& folder);
  // Pages 1 to 4 with the folder typed on page 3.
  void GoToSummary(const std::string& folder);
  // Through the pages with every option as it is, then Install.
  void StartInstall(const std::string& folder);
  // Waits until the last progress line tells how the install ended; true
  // when it succeeded.
  bool WaitForInstallEnd(const std::string& lastStep);

 private:
  Process process_;
  HWND window_ = nullptr;
  TSetupText texts_;
};

}  // namespace vk::setup::e2e
