// The install steps over a machine in memory: what a complete install leaves,
// the order of the steps and what each failing step leaves behind.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"
#include "tests/Setup/InstallFixture.h"
#include "vkSetup/LangCfg.h"

namespace vk::setup::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel";

std::string RegText(platform::MemoryRegistry& registry, const std::string& name) {
  auto value = registry.Value(kKey, name);
  if (!value) return "<missing>";
  if (value->Type != platform::RegValueType::String) return "<not a string>";
  return value->Text;
}

int64_t RegNumber(platform::MemoryRegistry& registry, const std::string& name) {
  auto value = registry.Value(kKey, name);
  if (!value || value->Type != platform::RegValueType::DWord || value->Data.size() != 4) return -1;
  return value->Data[0] | value->Data[1] << 8 | value->Data[2] << 16 | int64_t{value->Data[3]} << 24;
}

using InstallSteps = InstallFixture;

TEST_F(InstallSteps, CompleteInstallWritesEverythingInStepOrder) {
  ASSERT_TRUE(Install());

  EXPECT_THAT(
      StepLines(),
      ElementsAre("Checking working software availability   - Ok", "Checking free space on the hard drive   - Ok",
                  "Creating installation directory   - Ok", "Copying program files   - Ok",
                  "Creating a program entry in the Registry   - Ok", "Creating configuration file   - Ok",
                  "Creating program group in the Start Menu   - Ok", "Creating a shortcut on the Desktop   - Ok"));
  EXPECT_EQ(FileText(folder_ + "Vorkel.exe"), program_);
  EXPECT_EQ(FileText(folder_ + "Uninstall.exe"), uninstaller_);
  for (const std::string& path : disk_.FilePaths()) EXPECT_THAT(path, ::testing::Not(HasSubstr(".new")));

  EXPECT_EQ(RegText(registry_, "DisplayName"), "Vorkel");
  EXPECT_EQ(RegText(registry_, "UninstallString"), "\"C:\\Program Files\\Vorkel\\Uninstall.exe\"");
  EXPECT_EQ(RegText(registry_, "DisplayIcon"), "C:\\Program Files\\Vorkel\\Vorkel.exe");
  EXPECT_EQ(RegText(registry_, "DisplayVersion"), "1.0");
  EXPECT_EQ(RegNumber(registry_, "NoModify"), 1);
  EXPECT_EQ(RegNumber(registry_, "NoRepair"), 1);
  EXPECT_EQ(RegText(registry_, "Publisher"), "Halvern");
  EXPECT_EQ(RegText(registry_, "UrlInfoAbout"), "");
  EXPECT_EQ(RegText(registry_, "Comments"), "Warehouse calculator");
  EXPECT_EQ(RegText(registry_, "InstallDate"), "20240517");
  EXPECT_EQ(RegText(registry_, "InstallLocation"), folder_);
  EXPECT_EQ(RegNumber(registry_, "InstallLang"), 1);
  EXPECT_EQ(RegNumber(registry_, "EstimatedSize"), 731 + 96);
  // The password's registry mirror holds the marker too.
  auto mirror = registry_.Value(kKey, "Password");
  ASSERT_TRUE(mirror);
  EXPECT_EQ(mirror->Type, platform::RegValueType::Binary);

  std::string cfg = FileText(folder_ + "vorkel.cfg");
  EXPECT_THAT(cfg, HasSubstr("Password=3C71A5E4"));
  EXPECT_THAT(cfg, HasSubstr("ProgLang=UKR"));
  EXPECT_THAT(cfg, HasSubstr("Enhanced=00000001"));

  ASSERT_EQ(system_.Links.size(), 3u);
  EXPECT_EQ(system_.Links[0].LinkPath, system_.Programs + "Vorkel\\Vorkel.lnk");
  EXPECT_EQ(system_.Links[0].Target, folder_ + "Vorkel.exe");
  EXPECT_EQ(system_.Links[0].WorkingDirectory, folder_);
  EXPECT_EQ(system_.Links[0].Description, "Warehouse calculation");
  EXPECT_EQ(system_.Links[1].LinkPath, system_.Programs + "Vorkel\\Uninstall.lnk");
  EXPECT_EQ(system_.Links[1].Target, folder_ + "Uninstall.exe");
  EXPECT_EQ(system_.Links[1].Description, "Uninstall Vorkel software");
  EXPECT_EQ(system_.Links[2].LinkPath, system_.Desktop + "Vorkel.lnk");
  EXPECT_EQ(system_.ShellNotifications, 1);
  EXPECT_EQ(system_.Sleeps.back(), kSuccessPause);
  EXPECT_THAT(view_.Asked, IsEmpty());
}

TEST_F(InstallSteps, WithoutShortcutOptionsTheInstallEndsAfterTheConfiguration) {
  choices_.MenuGroup = false;
  choices_.DesktopLink = false;
  ASSERT_TRUE(Install());
  ASSERT_EQ(StepLines().size(), 6u);
  EXPECT_EQ(StepLines().back(), "Creating configuration file   - Ok");
  EXPECT_THAT(system_.Links, IsEmpty());
  EXPECT_FALSE(disk_.FolderExists(system_.Programs + "Vorkel"));
}

// Each step made to fail on its own: its line ends in Error, no later step
// runs, and what the steps before it wrote stays.
struct StepFailure {
  const char* Name;
  int FailingStep;  // 1-based
  std::function<void(InstallFixture&, FakeSystem&, platform::MemoryRegistry&, platform::FaultyFileSystem&,
                     FileSystemTextFiles&)>
      Arrange;
  const char* Detail;  // the line the step adds before it fails; "" for none
};

class InstallStepFailures : public InstallFixture, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(InstallStepFailures, FailingStepEndsTheSequenceAndKeepsWhatCameBefore) {
  const StepFailure& failure = GetParam();
  failure.Arrange(*this, system_, registry_, files_, textFiles_);

  EXPECT_FALSE(Install());

  std::vector<std::string> steps = StepLines();
  ASSERT_EQ(steps.size(), static_cast<size_t>(failure.FailingStep));
  for (int i = 0; i + 1 < failure.FailingStep; ++i) EXPECT_THAT(steps[i], ::testing::EndsWith("   - Ok"));
  EXPECT_THAT(steps.back(), ::testing::EndsWith("   - Error"));
  if (*failure.Detail) {
    EXPECT_THAT(view_.Lines, ::testing::Contains(std::string("    ") + failure.Detail));
  }
  EXPECT_EQ(disk_.FolderExists("C:\\Program Files\\Vorkel"), failure.FailingStep > 3);
  EXPECT_EQ(disk_.FileExists(folder_ + "Uninstall.exe"), failure.FailingStep > 4);
  EXPECT_EQ(registry_.Value(kKey, "DisplayName").has_value(), failure.FailingStep > 5);
  EXPECT_EQ(disk_.FileExists(folder_ + "vorkel.cfg"), failure.FailingStep > 6);
  for (const std::string& path : disk_.FilePaths()) EXPECT_THAT(path, ::testing::Not(HasSubstr(".new")));
  EXPECT_THAT(system_.Sleeps, ::testing::Not(::testing::Contains(kSuccessPause)));
}

INSTANTIATE_TEST_SUITE_P(EachStep, InstallStepFailures,
                         ::testing::Values(StepFailure{"RunningProgramNeverCloses", 1,
                                                       [](auto&, auto& s, auto&, auto&, auto&) {
                                                         s.RunningTitle = "Vorkel - C:\\Program Files\\Vorkel";
                                                         s.RequestsToClose = -1;
                                                       },
                                                       "Can't close a working copy"},
                                           StepFailure{"ProcessOutlivesItsWindow", 1,
                                                       [](auto&, auto& s, auto&, auto&, auto&) {
                                                         s.RunningTitle = "Vorkel - C:\\Program Files\\Vorkel";
                                                         s.ProcessOutlivesWindow = true;
                                                       },
                                                       "Can't close a working copy"},
                                           StepFailure{"DiskAlmostFull", 2,
                                                       [](auto&, auto& s, auto&, auto&, auto&) {
                                                         s.FreeBytes = kMinimumFreeBytes - 1;
                                                       },
                                                       "Not enough free space on the hard drive C:"},
                                           StepFailure{"DriveUnavailable", 2,
                                                       [](auto&, auto& s, auto&, auto&, auto&) { s.FreeBytes = -1; },
                                                       "Not enough free space on the hard drive C:"},
                                           StepFailure{"ParentMissing", 3,
                                                       [](InstallFixture& f, auto&, auto&, auto&, auto&) {
                                                         f.disk_.RemoveFolder("C:\\Program Files");
                                                       },
                                                       "Could'n find the directory  \"C:\\Program Files\\\""},
                                           StepFailure{"FolderRefused", 3,
                                                       [](auto&, auto&, auto&, auto& files, auto&) {
                                                         files.FailNth(platform::FaultyFileSystem::Op::CreateFolder, 1);
                                                       },
                                                       ""},
                                           StepFailure{"ProgramResourceMissing", 4,
                                                       [](auto&, auto& s, auto&, auto&, auto&) {
                                                         s.Resources.erase(kUninstallResource);
                                                       },
                                                       ""},
                                           StepFailure{"RegistryKeyRefused", 5,
                                                       [](auto&, auto&, auto& r, auto&, auto&) { r.FailCreate(true); },
                                                       ""},
                                           StepFailure{"RegistryValueRefused", 5,
                                                       [](auto&, auto&, auto& r, auto&, auto&) { r.FailWrites(true); },
                                                       ""},
                                           StepFailure{"MenuGroupRefused", 7,
                                                       [](auto&, auto& s, auto&, auto& files, auto&) {
                                                         s.Programs = "C:\\Missing\\Programs\\";
                                                         (void)files;
                                                       },
                                                       "C:\\Missing\\Programs\\Vorkel\\"},
                                           StepFailure{"MenuLinkRefused", 7,
                                                       [](auto&, auto& s, auto&, auto&, auto&) { s.FailLinks = true; },
                                                       ""},
                                           StepFailure{"DesktopUnknown", 8,
                                                       [](auto&, auto& s, auto&, auto&, auto&) { s.Desktop.clear(); },
                                                       "Vorkel.lnk"}),
                         [](const ::testing::TestParamInfo<StepFailure>& param) { return param.param.Name; });

// Replacing an existing settings file is refused by the disk: the settings
// swallow the failure, the step must not (the file still holds the old
// password, so the new installation would ask for one nobody knows).
TEST_F(InstallSteps, RefusedConfigurationWriteFailsTheStep) {
  const std::string oldCfg = "[Security]\r\nPassword=1234ABCD\r\n";
  PutFile(folder_ + "vorkel.cfg", oldCfg);
  view_.Answers = {mrConfirmYes};
  textFiles_.FailWrites = true;
  EXPECT_FALSE(Install());
  EXPECT_EQ(StepLines().back(), "Creating configuration file   - Error");
  EXPECT_EQ(FileText(folder_ + "vorkel.cfg"), oldCfg);
}

// A torn or failed write of a program file leaves the installed program as it
// was, byte for byte, and no temporary file behind.
struct WriteFault {
  const char* Name;
  platform::FaultyFileSystem::Op Op;
  int Nth;
};

class ProgramFileFaults : public InstallFixture, public ::testing::WithParamInterface<WriteFault> {};

TEST_P(ProgramFileFaults, OldProgramFileStaysWhole) {
  const std::string old = ProgramBytes(500 * 1024, 'o');
  PutFile(folder_ + "Vorkel.exe", old);
  PutFile(folder_ + "Uninstall.exe", "old uninstaller");
  view_.Answers = {mrConfirmYesToAll};
  files_.FailNth(GetParam().Op, GetParam().Nth);

  EXPECT_FALSE(Install());

  EXPECT_EQ(StepLines().back(), "Copying program files   - Error");
  EXPECT_EQ(FileText(folder_ + "Vorkel.exe"), old);
  EXPECT_EQ(FileText(folder_ + "Uninstall.exe"), "old uninstaller");
  for (const std::string& path : disk_.FilePaths()) EXPECT_THAT(path, ::testing::Not(HasSubstr(".new")));
}

INSTANTIATE_TEST_SUITE_P(ProgramFile, ProgramFileFaults,
                         ::testing::Values(WriteFault{"WriteRefused", platform::FaultyFileSystem::Op::Write, 1},
                                           WriteFault{"FlushRefused", platform::FaultyFileSystem::Op::Flush, 1},
                                           WriteFault{"TemporaryNotCreated", platform::FaultyFileSystem::Op::Open, 1},
                                           WriteFault{"MoveRefused", platform::FaultyFileSystem::Op::Rename, 1}),
                         [](const ::testing::TestParamInfo<WriteFault>& param) { return param.param.Name; });

TEST_F(InstallSteps, TornWriteOfTheProgramIsCaughtByItsSize) {
  PutFile(folder_ + "Vorkel.exe", "old program");
  view_.Answers = {mrConfirmYesToAll};
  files_.FailNthMutation(1, /*partialBytes=*/4096);
  EXPECT_FALSE(Install());
  EXPECT_EQ(FileText(folder_ + "Vorkel.exe"), "old program");
}

TEST_F(InstallSteps, RunningProgramIsClosedBeforeItsFileIsReplaced) {
  PutFile(folder_ + "Vorkel.exe", "old program");
  system_.RunningTitle = "Vorkel - C:\\Program Files\\Vorkel";
  system_.RequestsToClose = 3;
  view_.Answers = {mrConfirmYesToAll};
  ASSERT_TRUE(Install());
  EXPECT_EQ(system_.CloseRequests, 3);
  EXPECT_EQ(FileText(folder_ + "Vorkel.exe"), program_);
}

TEST_F(InstallSteps, ProgramOfAnotherFolderIsLeftRunning) {
  system_.RunningTitle = "Vorkel - C:\\Program Files\\Vorkel Old";
  system_.RequestsToClose = -1;
  ASSERT_TRUE(Install());
  EXPECT_EQ(system_.CloseRequests, 0);
}

TEST_F(InstallSteps, NoToAllKeepsEveryExistingFileAndCountsItsSize) {
  const std::string oldProgram = ProgramBytes(300 * 1024 + 5, 'p');
  const std::string oldCfg = "[Security]\r\nPassword=1234ABCD\r\n[Language]\r\nProgLang=RUS\r\n";
  PutFile(folder_ + "Vorkel.exe", oldProgram);
  PutFile(folder_ + "Uninstall.exe", "u");
  PutFile(folder_ + "vorkel.cfg", oldCfg);
  PutFile(system_.Programs + "Vorkel\\Vorkel.lnk", "old link");
  view_.Answers = {mrConfirmNo, mrConfirmNoToAll};

  ASSERT_TRUE(Install());

  EXPECT_THAT(view_.Asked, ElementsAre(folder_ + "Vorkel.exe", folder_ + "Uninstall.exe"));
  EXPECT_EQ(FileText(folder_ + "Vorkel.exe"), oldProgram);
  EXPECT_EQ(FileText(folder_ + "Uninstall.exe"), "u");
  EXPECT_EQ(FileText(folder_ + "vorkel.cfg"), oldCfg);
  EXPECT_EQ(FileText(system_.Programs + "Vorkel\\Vorkel.lnk"), "old link");
  // Missing shortcuts are written whatever the answers were.
  ASSERT_EQ(system_.Links.size(), 2u);
  EXPECT_EQ(RegNumber(registry_, "EstimatedSize"), 300);
}

TEST_F(InstallSteps, ReplacedConfigurationKeepsItsOtherKeysAndLosesThePassword) {
  PutFile(folder_ + "vorkel.cfg",
          "[Updates]\r\nTestDate=0000B3A2\r\nLastVersion=1.7\r\n[Security]\r\nPassword=1234ABCD\r\n"
          "[GridStore]\r\nCodeWidth=00000050\r\n[Language]\r\nProgLang=RUS\r\n");
  registry_.CreateKey(kKey);
  view_.Answers = {mrConfirmYes};
  choices_.Language = 2;

  ASSERT_TRUE(Install());

  TProgOptions options(folder_ + "vorkel.cfg", kUninstallKeyName, {&textFiles_, &registry_, 1251, [](int) {}});
  EXPECT_EQ(options.GetStoreCodeWidth(), 0x50u);
  EXPECT_EQ(options.GetProgLang(), 2u);
  EXPECT_EQ(options.GetLastVersion(), "");
  EXPECT_EQ(options.GetTestDate(), 0.0);
  EXPECT_EQ(options.GetPassword(), kNoPasswordMarker);
  auto mirror = registry_.Value(kKey, "Password");
  ASSERT_TRUE(mirror);
  EXPECT_EQ(mirror->Data.size(), 8u);
}

TEST_F(InstallSteps, SecondRunAfterAFailureStartsFromTheFirstStepAndCountsItsOwnFiles) {
  // The first run writes the program files, then fails at the registry.
  registry_.FailCreate(true);
  ASSERT_FALSE(Install());
  EXPECT_EQ(StepLines().back(), "Creating a program entry in the Registry   - Error");
  registry_.FailCreate(false);
  view_.Lines.clear();
  ASSERT_TRUE(Install());  // the files exist now; nobody answered, so they were kept
  EXPECT_EQ(StepLines().front(), "Checking working software availability   - Ok");
  EXPECT_EQ(RegNumber(registry_, "EstimatedSize"), 731 + 96);
  EXPECT_EQ(installer_->TotalKiB(), 731 + 96);
}

// The window refuses to close while Running(): it must hold wherever queued
// input is handled, and end with the run, failed or not.
TEST_F(InstallSteps, RunsWhileQueuedInputIsHandledAndNotAfterwards) {
  std::vector<bool> running;
  view_.OnProcessMessages = [&] { running.push_back(installer_->Running()); };
  system_.FailLinks = true;
  EXPECT_FALSE(Install());
  EXPECT_FALSE(installer_->Running());
  system_.FailLinks = false;
  EXPECT_TRUE(Install());
  EXPECT_FALSE(installer_->Running());
  // The two program files and the settings file, in each of the two runs.
  EXPECT_THAT(running, ElementsAre(true, true, true, true, true, true));
}

TEST_F(InstallSteps, FolderThatIsNoInstallFolderFailsBeforeAnythingIsWritten) {
  for (const char* folder : {"C:\\", "Vorkel\\", "\\\\server\\share\\Vorkel\\", "C:\\Vor|kel\\"}) {
    SCOPED_TRACE(folder);
    view_.Lines.clear();
    choices_.Folder = folder;
    EXPECT_FALSE(Install());
    EXPECT_EQ(StepLines().back(), "Checking free space on the hard drive   - Error");
    EXPECT_EQ(view_.Lines[3], std::string("    Hard drive in the directory is entered incorrectly \"") + folder + "\"");
  }
  EXPECT_THAT(disk_.FilePaths(), IsEmpty());
}

}  // namespace
}  // namespace vk::setup::test
