#pragma once
// Fakes for the install steps: the machine's services, the window's progress
// lines and answers, and settings files kept in the same in-memory file
// system as the program files.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Platform/File.h"
#include "Platform/TextFile.h"
#include "vkSetup/InstallSteps.h"

namespace vk::setup::test {

// Whole-file reads and rewrites over a FileSystem, so the settings file and
// the program files share one disk in a test.
class FileSystemTextFiles final : public platform::TextFiles {
 public:
  explicit FileSystemTextFiles(platform::FileSystem& files) : files_(files) {}
  platform::WholeReadResult ReadWhole(const std::string& path) override;
  void ReplaceWhole(const std::string& path, std::string_view bytes) override;
  // While set, every rewrite raises EOSError and changes nothing.
  bool FailWrites = false;

 private:
  platform::FileSystem& files_;
};

class FakeSystem final : public TInstallSystem {
 public:
  explicit FakeSystem(platform::FileSystem& files) : files_(files) {}

  // A main program runs under this title until it was asked to close
  // RequestsToClose times (never when negative); its process then ends
  // unless ProcessOutlivesWindow.
  std::optional<std::string> RunningTitle;
  int RequestsToClose = 1;
  bool ProcessOutlivesWindow = false;
  int CloseRequests = 0;

  std::int64_t FreeBytes = 1LL << 32;
  std::map<std::string, std::string> Resources;
  std::string Programs = "C:\\Users\\Olena\\Start Menu\\Programs\\";
  std::string Desktop = "C:\\Users\\Olena\\Desktop\\";
  bool FailLinks = false;
  std::vector<TShellLinkSpec> Links;
  int ShellNotifications = 0;
  std::vector<int> Sleeps;

  std::optional<TRunningProgram> FindRunningProgram(const std::string& title) override;
  void RequestClose(const TRunningProgram& program) override;
  bool WaitForProcessEnd(std::uint32_t processId, int milliseconds) override;
  std::int64_t DiskFree(const std::string& drive) override;
  std::optional<std::string_view> Resource(const std::string& type, const std::string& name) override;
  std::string ProductVersion() override { return "1.0"; }
  std::string TodayText() override { return "20240517"; }
  bool KeyboardEnhanced() override { return true; }
  std::string ProgramsFolder() override { return Programs; }
  std::string DesktopFolder() override { return Desktop; }
  bool CreateShellLink(const TShellLinkSpec& link) override;
  void NotifyAssociationsChanged() override { ++ShellNotifications; }
  void Sleep(int milliseconds) override { Sleeps.push_back(milliseconds); }

 private:
  platform::FileSystem& files_;
  bool processEnded_ = false;
};

class FakeView final : public TInstallView {
 public:
  std::vector<std::string> Lines;
  // Answers given in turn; when they run out, the dialog is closed (0).
  std::deque<int> Answers;
  std::vector<std::string> Asked;
  // What the window's queue brings at each chance to handle it.
  std::function<void()> OnProcessMessages;

  int AddLine(const std::string& text) override;
  void SetLine(int index, const std::string& text) override;
  void ProcessMessages() override {
    if (OnProcessMessages) OnProcessMessages();
  }
  int AskReplace(const std::string& fileName) override;
};

}  // namespace vk::setup::test
