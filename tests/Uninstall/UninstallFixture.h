#pragma once
// One machine in memory, installed by the real install steps (program files,
// settings file, registry entry, Start-menu group and desktop link), with a
// shop's data beside the program and other people's files around it; and the
// uninstaller over that machine with its own Recycle Bin and window.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/Setup/InstallFixture.h"
#include "vkSetup/UninstallSteps.h"

namespace vk::setup::test {

// The shell's Recycle Bin: a recycled folder's files move into it.
class FakeUninstallSystem final : public TUninstallSystem {
 public:
  explicit FakeUninstallSystem(platform::MemoryFileSystem& disk) : disk_(disk) {}

  std::string Programs;
  std::string Desktop;
  // Folders the shell refuses, and folders it reports as done but leaves.
  std::set<std::string> RefuseRecycle;
  std::set<std::string> LeaveBehind;
  // Every folder handed to the shell, in order, and the files it took.
  std::vector<std::string> Recycled;
  std::map<std::string, std::vector<uint8_t>> Bin;

  std::string ProgramsFolder() override { return Programs; }
  std::string DesktopFolder() override { return Desktop; }
  bool RecycleFolder(const std::string& path) override;

 private:
  platform::MemoryFileSystem& disk_;
};

class FakeUninstallView final : public TUninstallView {
 public:
  std::vector<std::string> Steps;
  // Runs inside the first step, as a click handled while the steps run would.
  std::function<void()> DuringFirstStep;

  void ShowStep(const std::string& text) override;
};

class UninstallFixture : public InstallFixture {
 public:
  UninstallFixture();

  TRegistration Registration(bool cyrillic = true);
  // A new uninstaller with the registration found now.
  TUninstaller& NewUninstaller();
  std::optional<std::string> Uninstall(bool deleteData);

  // Every file of the disk, as the memory disk writes its paths.
  std::set<std::string> Files() const;
  // Tidied paths of the files below the folder.
  std::set<std::string> FilesBelow(const std::string& folder) const;
  bool KeyExists() const;

  FakeUninstallSystem shell_{disk_};
  FakeUninstallView window_;
  const TUninstallText& uninstallTexts_;
  std::unique_ptr<TUninstaller> uninstaller_;
  // What the shop keeps beside the program, and files that are not the
  // program's: beside the folder, above it, and in the shell's folders.
  std::set<std::string> dataFiles_;
  std::set<std::string> sentinels_;
};

}  // namespace vk::setup::test
