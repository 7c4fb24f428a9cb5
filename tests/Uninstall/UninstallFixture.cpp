#include "tests/Uninstall/UninstallFixture.h"

#include <algorithm>
#include <cstdio>

#include "vkSetup/InstallPath.h"

namespace vk::setup::test {

bool FakeUninstallSystem::RecycleFolder(const std::string& path) {
  Recycled.push_back(path);
  if (RefuseRecycle.count(path)) return false;
  if (LeaveBehind.count(path)) return true;
  std::string prefix = platform::MemoryFileSystem::Tidy(path) + "/";
  for (const std::string& file : disk_.FilePaths()) {
    if (!file.starts_with(prefix)) continue;
    Bin[file] = *disk_.Contents(file);
    if (!disk_.DeleteFile(file)) return false;
  }
  // The deepest folders first.
  std::vector<std::string> folders = disk_.FolderPaths();
  std::sort(folders.rbegin(), folders.rend());
  for (const std::string& folder : folders) {
    if (folder.starts_with(prefix)) disk_.RemoveFolder(folder);
  }
  return disk_.RemoveFolder(path);
}

void FakeUninstallView::ShowStep(const std::string& text) {
  Steps.push_back(text);
  if (Steps.size() == 1 && DuringFirstStep) DuringFirstStep();
}

UninstallFixture::UninstallFixture() : uninstallTexts_(UninstallTextOf(2)) {
  shell_.Programs = system_.Programs;
  shell_.Desktop = system_.Desktop;
  EXPECT_TRUE(Install());

  // A year of a shop's work: the two tables, a daily copy for every working
  // day of a few months, exports and imports, in folders of their own.
  auto data = [&](const std::string& path, size_t size) {
    MakeFolders(ParentFolder(path));
    PutFile(path, ProgramBytes(size, 'D'));
    dataFiles_.insert(platform::MemoryFileSystem::Tidy(path));
  };
  data(folder_ + "Data\\store.dat", 4800 + 96);
  data(folder_ + "Data\\moves.dat", 31000 + 40);
  for (int day = 0; day < 120; ++day) {
    char name[32];
    std::snprintf(name, sizeof name, "Hist\\2024-%02d-%02d\\", 1 + day / 28, 1 + day % 28);
    data(folder_ + name + "store.dat", 4800 + 96);
    data(folder_ + name + "moves.dat", 30000 + static_cast<size_t>(day) * 100);
  }
  data(folder_ + "Hist\\0000-00-00\\store.dat", 4700);
  data(folder_ + "Export\\Товари 2024.csv", 2000);
  data(folder_ + "Export\\list.txt", 3000);
  data(folder_ + "Import\\supplier.csv", 400);

  auto sentinel = [&](const std::string& path) {
    MakeFolders(ParentFolder(path));
    PutFile(path, "keep");
    sentinels_.insert(platform::MemoryFileSystem::Tidy(path));
  };
  // A folder whose name begins like the program's, the folder above, and
  // the user's own shortcuts next to the program's.
  sentinel("C:\\Program Files\\Vorkel Data\\Data\\store.dat");
  sentinel("C:\\Program Files\\desktop.ini");
  sentinel("C:\\Program Files\\Other\\Uninstall.exe");
  sentinel(system_.Desktop + "Other.lnk");
  sentinel(system_.Programs + "Vorkelx\\Vorkel.lnk");
  sentinel(system_.Programs + "Accessories\\Vorkel.lnk");
  NewUninstaller();
}

TRegistration UninstallFixture::Registration(bool cyrillic) {
  TOptionsEnvironment settings;
  settings.Files = &textFiles_;
  settings.Registry = &registry_;
  settings.Sleep = [](int) {};
  return ReadRegistration(files_, registry_, folder_, cyrillic, settings);
}

TUninstaller& UninstallFixture::NewUninstaller() {
  uninstaller_ = std::make_unique<TUninstaller>(TUninstallEnvironment{files_, registry_, system_, shell_, window_},
                                                uninstallTexts_, folder_, Registration().Registered);
  return *uninstaller_;
}

std::optional<std::string> UninstallFixture::Uninstall(bool deleteData) { return uninstaller_->Uninstall(deleteData); }

std::set<std::string> UninstallFixture::Files() const {
  std::vector<std::string> paths = disk_.FilePaths();
  return {paths.begin(), paths.end()};
}

std::set<std::string> UninstallFixture::FilesBelow(const std::string& folder) const {
  std::string prefix = platform::MemoryFileSystem::Tidy(folder) + "/";
  std::set<std::string> below;
  for (const std::string& path : disk_.FilePaths()) {
    if (path.starts_with(prefix)) below.insert(path);
  }
  return below;
}

bool UninstallFixture::KeyExists() const { return registry_.KeyExists(kUninstallKeyPath); }

}  // namespace vk::setup::test
