#pragma once
// One machine in memory for the install steps: a strict disk with drive C:,
// a registry, the settings files on that disk, the fake services and view,
// and the installer over them with the English texts.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Platform/fake/FaultyFileSystem.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Platform/fake/MemoryRegistry.h"
#include "tests/Setup/SetupFakes.h"
#include "vkSetup/InstallSteps.h"
#include "vkSetup/SetupText.h"

namespace vk::setup::test {

// Program files of plausible size whose every KiB differs.
std::string ProgramBytes(size_t size, char seed);

class InstallFixture : public ::testing::Test {
 public:
  InstallFixture();

  void MakeFolders(const std::string& path);
  std::string FileText(const std::string& path) const;
  void PutFile(const std::string& path, const std::string& bytes);
  // A new installer over the same machine (as a second setup run would be).
  void NewInstaller();
  bool Install();
  // The progress lines that name the steps, without the details.
  std::vector<std::string> StepLines() const;

  const std::string folder_ = "C:\\Program Files\\Vorkel\\";
  platform::MemoryFileSystem disk_{platform::MemoryFileSystem::Folders::Strict};
  platform::FaultyFileSystem files_{disk_};
  platform::MemoryRegistry registry_;
  FileSystemTextFiles textFiles_{files_};
  FakeSystem system_{disk_};
  FakeView view_;
  TSetupText texts_;
  TInstallChoices choices_;
  std::unique_ptr<TInstaller> installer_;
  std::string program_;
  std::string uninstaller_;
};

}  // namespace vk::setup::test
