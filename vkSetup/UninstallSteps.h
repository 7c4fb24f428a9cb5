#pragma once
// What the uninstaller does: whether its own folder is the registered
// installation, in which language it speaks, and the removal steps in their
// order, each failure collected as lines of an error text. The steps work
// through interfaces (the file system, the registry, the running program,
// the shell and the window), so the order, what each failure leaves behind
// and which paths may be touched at all are tested natively over fakes.
//
// Only paths inside the uninstaller's own folder, and only when that folder
// is the registered installation, are removed, plus the program's own
// shortcuts: the desktop link and the Start-menu group.

#include <cstdint>
#include <optional>
#include <string>

#include "Tools/CfgFile/BaseOptions.h"
#include "vkSetup/NativeIntface.h"
#include "vkSetup/RunningProgram.h"

namespace vk::platform {
class FileSystem;
class Registry;
}  // namespace vk::platform

namespace vk::setup {

inline constexpr int kStepPause = 100;  // ms, so that each step's line can be read
// The folders beside the program that hold the user's work: left in place,
// or moved to the Recycle Bin when the user asks, never deleted outright.
inline constexpr const char* kDataFolders[] = {"Data", "Hist"};
inline constexpr const char* kExchangeFolders[] = {"Export", "Import"};

// The machine's services beyond files, the registry and the running program.
class TUninstallSystem {
 public:
  virtual ~TUninstallSystem() = default;
  // The special folders with a trailing delimiter, looked up without making
  // them; empty when unknown.
  virtual std::string ProgramsFolder() = 0;
  virtual std::string DesktopFolder() = 0;
  // Moves the folder with all it holds to the Recycle Bin. True when it
  // is gone afterwards; never deletes it outright without the user's word.
  virtual bool RecycleFolder(const std::string& path) = 0;
};

// The window while the steps run.
class TUninstallView {
 public:
  virtual ~TUninstallView() = default;
  // Shows the step's line and lets the window handle what waits in its queue.
  virtual void ShowStep(const std::string& text) = 0;
};

struct TUninstallEnvironment {
  platform::FileSystem& Files;
  platform::Registry& Registry;
  TRunningPrograms& Programs;
  TUninstallSystem& System;
  TUninstallView& View;
};

// What the uninstaller finds out about its own folder at its start.
struct TRegistration {
  // The uninstall entry exists and its InstallLocation is this very folder,
  // a proper installation folder (not a drive's root).
  bool Registered = false;
  // The language to speak: the entry's InstallLang on a Cyrillic system
  // (else English); without a matching entry the installed program's
  // language from its settings file in the folder.
  std::uint32_t Language = 2;
};

// ownFolder: the uninstaller's own folder, with its trailing delimiter.
TRegistration ReadRegistration(platform::FileSystem& files, platform::Registry& registry, const std::string& ownFolder,
                               bool cyrillicSystem, TOptionsEnvironment settings = {});

class TUninstaller {
 public:
  TUninstaller(TUninstallEnvironment environment, const TUninstallText& texts, std::string ownFolder, bool registered);

  // Runs the steps once; the error text, empty when everything was removed.
  // Nothing (and nothing is done) when the folder is not registered, while
  // the steps already run (a second press of the button reaches here from
  // inside a step) or after they ran.
  std::optional<std::string> Uninstall(bool deleteData);
  bool Running() const { return running_; }
  // The steps ran and removed everything: the uninstaller may go too.
  bool Completed() const { return completed_; }

 private:
  using Step = void (TUninstaller::*)();
  void RunStep(const std::string& text, bool enabled, Step step);
  void AddError(const std::string& what, const std::string& path = {});
  void DeleteFileChecked(const std::string& path);
  void RecycleFolderChecked(const std::string& path);

  void CloseRunningProgram();
  void RemoveDesktopLink();
  void RemoveMenuGroup();
  void RecycleDataFolders();
  void RecycleExchangeFolders();
  void DeleteProgramFiles();
  void DeleteRegistryEntry();

  TUninstallEnvironment env_;
  const TUninstallText& texts_;
  std::string ownFolder_;
  bool registered_;
  bool running_ = false;
  bool ran_ = false;
  bool completed_ = false;
  std::string errors_;
};

}  // namespace vk::setup
