#pragma once
// What the setup does when the user presses Install: the steps in their
// order, each with its progress line, and what each writes. The steps work
// through interfaces (the file system, the registry, the settings files, the
// machine's other services and the window), so the order and what a failing
// step leaves behind are tested natively over fakes.
//
// A step fails by raising EInstallStep with one of the identifiers below; the
// first failing step ends the sequence, and nothing done before it is undone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Core/SysUtils.h"
#include "Tools/CfgFile/BaseOptions.h"
#include "vkSetup/ConfirmRules.h"
#include "vkSetup/RunningProgram.h"
#include "vkSetup/SetupText.h"

namespace vk::platform {
class FileSystem;
class Registry;
}  // namespace vk::platform

namespace vk::setup {

// The uninstall entry's key below HKEY_CURRENT_USER.
inline constexpr char kUninstallKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel";
inline constexpr char kProgramGroupName[] = "Vorkel";
inline constexpr char kProgramLinkName[] = "Vorkel.lnk";
inline constexpr char kUninstallLinkName[] = "Uninstall.lnk";
// The programs the setup carries: resources of this type and these names.
inline constexpr char kExeResourceType[] = "EXEFILE";
inline constexpr char kProgramResource[] = "PROGRAM";
inline constexpr char kUninstallResource[] = "UNINST";
// A program file is written under its name plus this first, then moved over it.
inline constexpr char kTemporarySuffix[] = ".new";

inline constexpr int64_t kMinimumFreeBytes = 8 * 1024 * 1024;
inline constexpr int kSuccessPause = 1500;  // ms

// A failed step; the message is the step's identifier ("errFileCopy", ...).
class EInstallStep : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EInstallStep"; }
};

struct TShellLinkSpec {
  std::string Target;
  std::string LinkPath;
  std::string Description;
  std::string Arguments;
  std::string WorkingDirectory;
};

// The machine's services beyond files and the registry.
class TInstallSystem : public TRunningPrograms {
 public:
  // Free bytes for the caller on the drive ("C:"); -1 when it is unavailable.
  virtual std::int64_t DiskFree(const std::string& drive) = 0;
  // A resource of the setup program's own file, whole; nothing when missing.
  virtual std::optional<std::string_view> Resource(const std::string& type, const std::string& name) = 0;
  // The ProductVersion of the setup program's own file.
  virtual std::string ProductVersion() = 0;
  // Today as yyyymmdd.
  virtual std::string TodayText() = 0;
  // A full keyboard with a separate numeric keypad.
  virtual bool KeyboardEnhanced() = 0;
  // The special folders, with a trailing delimiter; empty when unknown.
  virtual std::string ProgramsFolder() = 0;
  virtual std::string DesktopFolder() = 0;
  // Writes the shortcut file; false on any failure.
  virtual bool CreateShellLink(const TShellLinkSpec& link) = 0;
  // Tells the shell that shortcuts changed.
  virtual void NotifyAssociationsChanged() = 0;
};

// The progress lines and the replacement question, as the window shows them.
class TInstallView {
 public:
  virtual ~TInstallView() = default;
  // Adds a line; its index.
  virtual int AddLine(const std::string& text) = 0;
  virtual void SetLine(int index, const std::string& text) = 0;
  // Lets the window handle what waits in its queue.
  virtual void ProcessMessages() = 0;
  // Shows the replacement question for an existing file; the answer
  // (mrYes, mrYesToAll, mrNo, mrNoToAll, or anything else when closed).
  virtual int AskReplace(const std::string& fileName) = 0;
};

struct TInstallEnvironment {
  platform::FileSystem& Files;
  platform::Registry& Registry;
  // Where the settings file is read and written (its registry mirror too).
  TOptionsEnvironment Settings;
  TInstallSystem& System;
  TInstallView& View;
};

struct TInstallChoices {
  std::string Folder;  // with its trailing delimiter
  std::uint32_t Language = 2;
  bool MenuGroup = true;
  bool DesktopLink = true;
};

// One value of the uninstall entry.
struct TUninstallValue {
  std::string Name;
  bool IsNumber = false;
  std::string Text;
  std::uint32_t Number = 0;
};

// The uninstall entry's values in the order they are written.
std::vector<TUninstallValue> UninstallValues(const std::string& folder, const TSetupText& texts,
                                             const std::string& productVersion, const std::string& today,
                                             std::uint32_t language, std::int32_t totalKiB);

class TInstaller {
 public:
  TInstaller(TInstallEnvironment environment, const TSetupText& texts);

  // Runs the steps for the choices; true when every step succeeded. The
  // replacement answers "to all" and the size counted by an earlier run are
  // forgotten first.
  bool Install(const TInstallChoices& choices);
  // Inside Install: the steps run (the window lets queued input through in
  // places, so a click can reach here while they do).
  bool Running() const { return running_; }
  // KiB of the program files written or kept by the last run.
  std::int32_t TotalKiB() const { return totalKiB_; }

 private:
  using Step = void (TInstaller::*)();
  void RunStep(const std::string& text, bool enabled, Step step);
  void AddDetail(const std::string& text);
  bool ConfirmReplace(const std::string& path);
  void AddKiB(std::int64_t bytes);

  void CloseRunningProgram();
  void CheckDisk();
  void CreateInstallDir();
  void CopyProgramFiles();
  void ExtractResourceFile(const std::string& type, const std::string& name, const std::string& file);
  void WriteProgramFile(std::string_view bytes, const std::string& file);
  void WriteUninstallEntry();
  void CreateConfigFile();
  void CreateMenuGroup();
  void CreateMenuLink(const std::string& target, const std::string& linkName, const std::string& description,
                      const std::string& group);
  void CreateDesktopLink();

  TInstallEnvironment env_;
  const TSetupText& texts_;
  TConfirmGroup confirm_;
  TInstallChoices choices_;
  std::int32_t totalKiB_ = 0;
  bool running_ = false;
};

}  // namespace vk::setup
