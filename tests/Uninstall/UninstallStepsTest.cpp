// The uninstaller over a machine the real install steps set up: what a
// complete uninstall leaves, the order of the steps, what each failure leaves
// behind, and that nothing is touched when the folder is not the registered
// installation or the program cannot be closed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/Uninstall/UninstallFixture.h"
#include "vkSetup/InstallPath.h"

namespace vk::setup::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using UninstallSteps = UninstallFixture;

const std::string kFolderTidy = "C:/Program Files/Vorkel/";

// A second machine inside one test, for table-driven cases.
class Machine final : public UninstallFixture {
  void TestBody() override {}
};

TEST_F(UninstallSteps, WithoutDataOnlyTheDataAndTheUninstallerStay) {
  // The program runs and ends at the second request.
  system_.RunningTitle = "Vorkel - C:\\Program Files\\Vorkel";
  system_.RequestsToClose = 2;
  std::set<std::string> before = Files();
  TRegistration registration = Registration();
  EXPECT_TRUE(registration.Registered);
  EXPECT_EQ(registration.Language, 1u);

  EXPECT_EQ(Uninstall(/*deleteData=*/false), "");

  EXPECT_THAT(window_.Steps, ElementsAre("Closing program...", "Removing shortcuts on Desktop...",
                                         "Removing program group in the Start Menu...", "Removing program files...",
                                         "Removing the entry in Windows Registry..."));
  EXPECT_EQ(system_.CloseRequests, 2);
  std::set<std::string> expected = dataFiles_;
  expected.insert(kFolderTidy + "Uninstall.exe");
  EXPECT_EQ(FilesBelow(folder_), expected);
  // Outside the folder only the program's three shortcuts went.
  std::set<std::string> gone;
  for (const std::string& path : before) {
    if (!Files().count(path) && !path.starts_with(kFolderTidy)) gone.insert(path);
  }
  EXPECT_THAT(
      gone, ElementsAre("C:/Users/Olena/Desktop/Vorkel.lnk", "C:/Users/Olena/Start Menu/Programs/Vorkel/Uninstall.lnk",
                        "C:/Users/Olena/Start Menu/Programs/Vorkel/Vorkel.lnk"));
  EXPECT_FALSE(disk_.FolderExists(system_.Programs + "Vorkel"));
  for (const std::string& sentinel : sentinels_) EXPECT_TRUE(disk_.Contents(sentinel)) << sentinel;
  EXPECT_FALSE(KeyExists());
  EXPECT_THAT(shell_.Recycled, IsEmpty());
  EXPECT_TRUE(uninstaller_->Completed());
}

TEST_F(UninstallSteps, WithDataTheFourDataFoldersGoToTheBinWhole) {
  EXPECT_EQ(Uninstall(/*deleteData=*/true), "");

  EXPECT_THAT(window_.Steps, ElementsAre("Closing program...", "Removing shortcuts on Desktop...",
                                         "Removing program group in the Start Menu...", "Removing warehouse data...",
                                         "Removing export-import folders...", "Removing program files...",
                                         "Removing the entry in Windows Registry..."));
  EXPECT_THAT(shell_.Recycled, ElementsAre(folder_ + "Data", folder_ + "Hist", folder_ + "Export", folder_ + "Import"));
  std::set<std::string> binned;
  for (const auto& [path, bytes] : shell_.Bin) binned.insert(path);
  EXPECT_EQ(binned, dataFiles_);
  EXPECT_EQ(shell_.Bin.at(kFolderTidy + "Hist/2024-05-08/moves.dat").size(), 30000u + 119 * 100);
  // Only the uninstaller is left, for the command that removes it and the folder.
  EXPECT_EQ(FilesBelow(folder_), std::set<std::string>{kFolderTidy + "Uninstall.exe"});
  for (const char* name : {"Data", "Hist", "Export", "Import"}) EXPECT_FALSE(disk_.FolderExists(folder_ + name));
  for (const std::string& sentinel : sentinels_) EXPECT_TRUE(disk_.Contents(sentinel)) << sentinel;
  EXPECT_FALSE(KeyExists());
}

// A program that does not end: nothing at all is removed, whatever was asked.
TEST_F(UninstallSteps, ProgramThatDoesNotEndStopsBeforeAnythingIsRemoved) {
  struct Case {
    int requestsToClose;
    bool processOutlivesWindow;
    int expectedRequests;
  };
  for (Case c : {Case{-1, false, 20}, Case{1, true, 1}}) {
    SCOPED_TRACE(c.requestsToClose);
    system_.RunningTitle = "Vorkel - C:\\Program Files\\Vorkel";
    system_.RequestsToClose = c.requestsToClose;
    system_.ProcessOutlivesWindow = c.processOutlivesWindow;
    system_.CloseRequests = 0;
    window_.Steps.clear();
    NewUninstaller();
    std::set<std::string> before = Files();

    EXPECT_EQ(Uninstall(/*deleteData=*/true), "Couldn't close the active program\r\n");

    EXPECT_THAT(window_.Steps, ElementsAre("Closing program..."));
    EXPECT_EQ(system_.CloseRequests, c.expectedRequests);
    EXPECT_EQ(Files(), before);
    EXPECT_THAT(shell_.Recycled, IsEmpty());
    EXPECT_TRUE(KeyExists());
    EXPECT_FALSE(uninstaller_->Completed());
  }
}

// One thing that cannot be removed: the error names it, the entry stays, and
// everything else is removed all the same.
TEST_F(UninstallSteps, EachFailureIsListedAndKeepsTheEntry) {
  struct Case {
    const char* name;
    std::function<void(UninstallFixture&)> arrange;
    std::string errors;
    bool keyKept;
    std::set<std::string> left;  // below the install folder, besides the uninstaller
  };
  const std::string group = "C:\\Users\\Olena\\Start Menu\\Programs\\Vorkel\\";
  std::unique_ptr<platform::File> held;
  auto hold = [&](const std::string& path) {
    return [&held, path](UninstallFixture& f) {
      held = f.disk_.Open(path, platform::OpenMode::OpenExisting).Handle;
      ASSERT_TRUE(held);
    };
  };
  std::vector<Case> cases = {
      {"program file held open",
       hold(folder_ + "Vorkel.exe"),
       "Couldn't remove file\r\n  C:\\Program Files\\Vorkel\\Vorkel.exe\r\n",
       true,
       {kFolderTidy + "Vorkel.exe"}},
      {"settings file held open",
       hold(folder_ + "vorkel.cfg"),
       "Couldn't remove file\r\n  C:\\Program Files\\Vorkel\\vorkel.cfg\r\n",
       true,
       {kFolderTidy + "vorkel.cfg"}},
      {"desktop link held open",
       hold(system_.Desktop + "Vorkel.lnk"),
       "Couldn't remove file\r\n  C:\\Users\\Olena\\Desktop\\Vorkel.lnk\r\n",
       true,
       {}},
      {"the user's own file in the group",
       [&](UninstallFixture& f) { f.PutFile(group + "Notes.txt", "mine"); },
       "Couldn't remove folder\r\n  " + group + "\r\n",
       true,
       {}},
      {"the bin refuses the history",
       [&](UninstallFixture& f) { f.shell_.RefuseRecycle.insert(f.folder_ + "Hist"); },
       "Couldn't remove folder\r\n  C:\\Program Files\\Vorkel\\Hist\r\n",
       true,
       {}},
      {"the shell leaves the export folder",
       [&](UninstallFixture& f) { f.shell_.LeaveBehind.insert(f.folder_ + "Export"); },
       "Couldn't remove folder\r\n  C:\\Program Files\\Vorkel\\Export\r\n",
       true,
       {}},
      {"the registry refuses",
       [](UninstallFixture& f) { f.registry_.FailDelete(true); },
       "Couldn't remove register key\r\n  SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel\r\n",
       true,
       {}},
      {"two failures, in the order of the steps",
       [&](UninstallFixture& f) {
         hold(f.folder_ + "Vorkel.exe")(f);
         f.shell_.RefuseRecycle.insert(f.folder_ + "Import");
       },
       "Couldn't remove folder\r\n  C:\\Program Files\\Vorkel\\Import\r\n"
       "Couldn't remove file\r\n  C:\\Program Files\\Vorkel\\Vorkel.exe\r\n",
       true,
       {kFolderTidy + "Vorkel.exe"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Machine f;
    c.arrange(f);
    // The data folders the shell could not take stay whole.
    std::set<std::string> left = c.left;
    for (const std::string& refused : f.shell_.RefuseRecycle) {
      for (const std::string& path : f.FilesBelow(refused)) left.insert(path);
    }
    for (const std::string& kept : f.shell_.LeaveBehind) {
      for (const std::string& path : f.FilesBelow(kept)) left.insert(path);
    }
    left.insert(kFolderTidy + "Uninstall.exe");

    EXPECT_EQ(f.Uninstall(/*deleteData=*/true), c.errors);

    EXPECT_EQ(f.KeyExists(), c.keyKept);
    EXPECT_EQ(f.FilesBelow(f.folder_), left);
    EXPECT_FALSE(f.uninstaller_->Completed());
    for (const std::string& sentinel : f.sentinels_) EXPECT_TRUE(f.disk_.Contents(sentinel)) << sentinel;
    held.reset();
  }
}

TEST_F(UninstallSteps, MissingShortcutsAndFilesAreNoError) {
  disk_.DeleteFile(system_.Desktop + "Vorkel.lnk");
  disk_.DeleteFile(system_.Programs + "Vorkel\\Uninstall.lnk");
  disk_.DeleteFile(system_.Programs + "Vorkel\\Vorkel.lnk");
  disk_.RemoveFolder(system_.Programs + "Vorkel");
  disk_.DeleteFile(folder_ + "vorkel.cfg");

  EXPECT_EQ(Uninstall(/*deleteData=*/false), "");

  EXPECT_FALSE(KeyExists());
  EXPECT_FALSE(disk_.FileExists(folder_ + "Vorkel.exe"));
}

// Shell folders the system does not know leave nothing to remove; no path
// relative to wherever the uninstaller runs is tried instead.
TEST_F(UninstallSteps, UnknownShellFoldersAreLeftAlone) {
  const std::vector<std::string> elsewhere = {"Vorkel.lnk", "Vorkel\\Vorkel.lnk", "Vorkel\\Uninstall.lnk",
                                              "\\Vorkel.lnk", "\\Vorkel\\Vorkel.lnk"};
  for (const std::string& path : elsewhere) PutFile(path, "a link of the current folder or drive");
  shell_.Programs.clear();
  shell_.Desktop.clear();

  EXPECT_EQ(Uninstall(/*deleteData=*/false), "");

  for (const std::string& path : elsewhere) EXPECT_TRUE(disk_.FileExists(path)) << path;
  EXPECT_TRUE(disk_.FileExists(system_.Desktop + "Vorkel.lnk"));
  EXPECT_FALSE(KeyExists());
}

// The button pressed again while the steps run (its click is handled from
// inside a step), or after they ran, starts nothing; the window may not close
// while they run.
TEST_F(UninstallSteps, SecondStartWhileTheStepsRunIsIgnored) {
  std::optional<std::string> nested = "not called";
  bool runningInside = false;
  window_.DuringFirstStep = [&] {
    runningInside = uninstaller_->Running();
    nested = uninstaller_->Uninstall(/*deleteData=*/true);
  };

  EXPECT_EQ(Uninstall(/*deleteData=*/false), "");

  EXPECT_TRUE(runningInside);
  EXPECT_EQ(nested, std::nullopt);
  EXPECT_EQ(window_.Steps.size(), 5u);
  EXPECT_THAT(shell_.Recycled, IsEmpty());
  EXPECT_FALSE(uninstaller_->Running());
  EXPECT_EQ(Uninstall(/*deleteData=*/true), std::nullopt);
  EXPECT_EQ(window_.Steps.size(), 5u);
}

// Whatever the entry says, only this very folder, as a proper installation
// folder, counts; otherwise the uninstaller removes nothing at all.
TEST_F(UninstallSteps, OnlyTheRegisteredFolderItselfIsUninstalled) {
  struct Case {
    const char* name;
    std::function<void(UninstallFixture&)> arrange;
    std::string ownFolder;
    bool registered;
  };
  auto location = [](std::string text) {
    return [text](UninstallFixture& f) {
      f.registry_.SetValue(kUninstallKeyPath, "InstallLocation", {platform::RegValueType::String, {}, text});
    };
  };
  std::vector<Case> cases = {
      {"the entry as the setup wrote it", [](UninstallFixture&) {}, "C:\\Program Files\\Vorkel\\", true},
      {"no trailing delimiter", location("C:\\Program Files\\Vorkel"), "C:\\Program Files\\Vorkel\\", true},
      {"a copy in the folder beside", [](UninstallFixture&) {}, "C:\\Program Files\\Other\\", false},
      {"a copy in a folder with the same beginning", [](UninstallFixture&) {}, "C:\\Program Files\\Vorkel Data\\",
       false},
      {"a copy in the folder above", [](UninstallFixture&) {}, "C:\\Program Files\\", false},
      {"an entry naming the folder above", location("C:\\Program Files\\"), "C:\\Program Files\\Vorkel\\", false},
      {"an entry naming a drive's root", location("C:\\"), "C:\\", false},
      {"an entry naming a drive", location("C:"), "C:\\", false},
      {"a way round through the parent", location("C:\\Program Files\\Vorkel\\..\\Vorkel\\"),
       "C:\\Program Files\\Vorkel\\", false},
      {"a relative entry", location("Program Files\\Vorkel\\"), "C:\\Program Files\\Vorkel\\", false},
      {"a network entry", location("\\\\shop\\c\\Program Files\\Vorkel\\"), "C:\\Program Files\\Vorkel\\", false},
      {"an empty entry", location(""), "C:\\Program Files\\Vorkel\\", false},
      {"a number instead of the text",
       [](UninstallFixture& f) {
         f.registry_.SetValue(kUninstallKeyPath, "InstallLocation", {platform::RegValueType::DWord, {1, 0, 0, 0}, {}});
       },
       "C:\\Program Files\\Vorkel\\", false},
      {"no entry at all", [](UninstallFixture& f) { f.registry_.DeleteCurrentUserKey(kUninstallKeyPath); },
       "C:\\Program Files\\Vorkel\\", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Machine f;
    f.MakeFolders(c.ownFolder);
    f.PutFile(c.ownFolder + "Uninstall.exe", "a copy");
    c.arrange(f);
    bool keyBefore = f.KeyExists();
    std::set<std::string> before = f.Files();
    TRegistration registration = ReadRegistration(f.files_, f.registry_, c.ownFolder, /*cyrillicSystem=*/true,
                                                  TOptionsEnvironment{&f.textFiles_, &f.registry_, 0, [](int) {}});
    EXPECT_EQ(registration.Registered, c.registered);
    if (c.registered) continue;

    TUninstaller uninstaller(TUninstallEnvironment{f.files_, f.registry_, f.system_, f.shell_, f.window_},
                             f.uninstallTexts_, c.ownFolder, registration.Registered);
    EXPECT_EQ(uninstaller.Uninstall(/*deleteData=*/true), std::nullopt);
    EXPECT_EQ(f.Files(), before);
    EXPECT_EQ(f.KeyExists(), keyBefore);
    EXPECT_THAT(f.window_.Steps, IsEmpty());
    EXPECT_THAT(f.shell_.Recycled, IsEmpty());
  }
}

// The longest folder the setup accepts is removed like any other, the data
// folders below it included.
TEST_F(UninstallSteps, LongestAcceptedFolderIsRemovedWhole) {
  std::string folder = "C:\\Shops\\";
  while (folder.size() < 216) folder += "Branch01\\";
  folder += "Last01\\";
  ASSERT_EQ(folder.size(), 223u);  // with "vorkel.cfg.<pid>-<n>.tmp" at its longest, 259
  Machine f;
  f.MakeFolders(folder);
  f.choices_.Folder = folder;
  ASSERT_TRUE(f.Install());
  for (const char* name : {"Data\\store.dat", "Hist\\2024-05-17\\moves.dat", "Hist\\0000-00-00\\tmp\\moves.dat",
                           "Export\\2024-05-17.csv", "Import\\supplier.csv"}) {
    f.MakeFolders(ParentFolder(folder + name));
    f.PutFile(folder + name, "data");
  }
  TRegistration registration = ReadRegistration(f.files_, f.registry_, folder, /*cyrillicSystem=*/true,
                                                TOptionsEnvironment{&f.textFiles_, &f.registry_, 0, [](int) {}});
  ASSERT_TRUE(registration.Registered);
  TUninstaller uninstaller(TUninstallEnvironment{f.files_, f.registry_, f.system_, f.shell_, f.window_},
                           f.uninstallTexts_, folder, registration.Registered);

  EXPECT_EQ(uninstaller.Uninstall(/*deleteData=*/true), "");
  EXPECT_THAT(f.shell_.Recycled, ElementsAre(folder + "Data", folder + "Hist", folder + "Export", folder + "Import"));
  EXPECT_EQ(f.FilesBelow(folder), std::set<std::string>{platform::MemoryFileSystem::Tidy(folder + "Uninstall.exe")});
}

TEST_F(UninstallSteps, LanguageFollowsTheEntryOnCyrillicSystemsOnly) {
  struct Case {
    std::optional<platform::RegValue> installLang;
    bool cyrillic;
    std::uint32_t language;
  };
  auto number = [](uint8_t n) { return platform::RegValue{platform::RegValueType::DWord, {n, 0, 0, 0}, {}}; };
  for (Case c :
       {Case{number(0), true, 0}, Case{number(1), true, 1}, Case{number(2), true, 2}, Case{number(0), false, 2},
        Case{number(7), true, 7}, Case{platform::RegValue{platform::RegValueType::String, {}, "0"}, true, 2},
        Case{platform::RegValue{platform::RegValueType::DWord, {0, 0}, {}}, true, 2}}) {
    registry_.SetValue(kUninstallKeyPath, "InstallLang", *c.installLang);
    TRegistration registration = Registration(c.cyrillic);
    EXPECT_TRUE(registration.Registered);
    EXPECT_EQ(registration.Language, c.language) << c.cyrillic;
    // Any number other than 0 and 1 speaks English.
    EXPECT_EQ(&UninstallTextOf(registration.Language), &UninstallTextOf(c.language == 7 ? 2 : c.language));
  }
}

// Without a matching entry the language comes from the settings file in the
// folder: its code compared exactly after trimming, English otherwise.
TEST_F(UninstallSteps, UnregisteredFolderSpeaksTheLanguageOfItsSettingsFile) {
  registry_.DeleteCurrentUserKey(kUninstallKeyPath);
  struct Case {
    std::optional<std::string> cfg;
    std::uint32_t language;
  };
  for (const Case& c : {Case{"[Language]\r\nProgLang=RUS\r\n", 0}, Case{"[Language]\r\nProgLang=  UKR \r\n", 1},
                        Case{"[Language]\r\nProgLang=ukr\r\n", 2}, Case{"[Security]\r\nPassword=3C71A5E4\r\n", 2},
                        Case{std::nullopt, 2}}) {
    disk_.DeleteFile(folder_ + "vorkel.cfg");
    if (c.cfg) PutFile(folder_ + "vorkel.cfg", *c.cfg);
    TRegistration registration = Registration(/*cyrillic=*/false);
    EXPECT_FALSE(registration.Registered);
    EXPECT_EQ(registration.Language, c.language) << c.cfg.value_or("<no file>");
  }
  // A file another program holds cannot be read: English.
  PutFile(folder_ + "vorkel.cfg", "[Language]\r\nProgLang=RUS\r\n");
  auto held = disk_.Open(folder_ + "vorkel.cfg", platform::OpenMode::OpenExisting);
  ASSERT_EQ(held.Status, platform::OpenStatus::Ok);
  EXPECT_EQ(Registration().Language, 2u);
}

}  // namespace
}  // namespace vk::setup::test
