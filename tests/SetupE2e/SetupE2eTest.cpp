// vkSetup.exe end to end under Wine, each case in a fresh prefix: the wizard
// driven through the input queue, the results read back from the disk, the
// registry and the shortcuts.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include "Core/AsciiCase.h"
#include "Platform/win32/Utf16.h"
#include "tests/SetupE2e/SetupDriver.h"
#include "tests/SetupE2e/SetupWizard.h"
#include "vkSetup/DeskLink.h"
#include "vkSetup/SetupText.h"

namespace vk::setup::e2e {
namespace {

using ::testing::HasSubstr;

const std::string kFolder = "C:\\Program Files\\Vorkel Test\\";
const std::string kTitle = "Vorkel - C:\\Program Files\\Vorkel Test";
constexpr char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel";

void ExpectString(const std::string& name, const std::string& value) {
  auto read = ReadRegistryValue(kKey, name);
  ASSERT_TRUE(read) << name;
  EXPECT_EQ(read->Type, static_cast<DWORD>(REG_SZ)) << name;
  EXPECT_EQ(read->Text, value) << name;
}

void ExpectNumber(const std::string& name, uint32_t value) {
  auto read = ReadRegistryValue(kKey, name);
  ASSERT_TRUE(read) << name;
  EXPECT_EQ(read->Type, static_cast<DWORD>(REG_DWORD)) << name;
  ASSERT_EQ(read->Data.size(), 4u) << name;
  EXPECT_EQ(*reinterpret_cast<const uint32_t*>(read->Data.data()), value) << name;
}

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[16];
  snprintf(text, sizeof text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
  return text;
}

void ExpectLink(const std::string& link, const std::string& target, const std::string& description) {
  static const bool com = SUCCEEDED(CoInitialize(nullptr));
  ASSERT_TRUE(com);
  TShellLinkRead read;
  ASSERT_TRUE(FileExists(link)) << link;
  ASSERT_TRUE(ReadShellLink(link, read)) << link;
  EXPECT_TRUE(SameTextAscii(read.Target, target)) << read.Target;
  EXPECT_TRUE(SameTextAscii(read.WorkingDirectory, kFolder)) << read.WorkingDirectory;
  EXPECT_EQ(read.Description, description);
  EXPECT_EQ(read.Arguments, "");
}

void PrepareFolder(const std::string& program, const std::string& uninstaller, const std::string& cfg) {
  SHCreateDirectoryExW(nullptr, platform::Utf8ToWide(kFolder).c_str(), nullptr);
  WriteFileBytes(kFolder + "Vorkel.exe", {program.begin(), program.end()});
  WriteFileBytes(kFolder + "Uninstall.exe", {uninstaller.begin(), uninstaller.end()});
  WriteFileBytes(kFolder + "vorkel.cfg", {cfg.begin(), cfg.end()});
}

// The folder as an older installation left it: the carried program with
// bytes added (the file differs, the program still runs), settings without a
// password. The older program's bytes.
std::string PlaceOlderCopy(const std::string& program = HostPath(VK_PROGRAM_FILE)) {
  auto carried = FileBytes(program);
  std::string older = carried ? std::string(carried->begin(), carried->end()) : std::string();
  older += std::string(4096, 'o');
  PrepareFolder(older, "old uninstaller", "[Security]\r\nPassword=3C71A5E4\r\n");
  return older;
}

TEST(SetupE2e, InstallWithEveryOption) {
  Wizard wizard;
  ASSERT_TRUE(wizard.Window());
  wizard.ChooseLanguage(/*item=*/2, /*language=*/1);
  const TSetupText& texts = wizard.Texts();
  wizard.Press(texts.BtnNext);
  wizard.Press(texts.BtnAgree);
  // A drive's root is refused on the folder page itself.
  wizard.TypeFolder("C:\\");
  wizard.Press(texts.BtnNext);
  Sleep(500);
  EXPECT_FALSE(IsShown(wizard.Button(texts.BtnInstall)));
  EXPECT_TRUE(IsShown(wizard.FolderEdit()));
  wizard.TypeFolder(kFolder);
  wizard.Press(texts.BtnNext);
  wizard.Press(texts.BtnInstall);
  ASSERT_TRUE(wizard.WaitForInstallEnd(texts.StepDesktopLink));
  wizard.Press(texts.BtnExit);
  ASSERT_TRUE(wizard.SetupProcess().WaitForExit(20000));

  // The program files are the build's own, byte for byte.
  EXPECT_EQ(FileBytes(kFolder + "Vorkel.exe"), FileBytes(HostPath(VK_PROGRAM_FILE)));
  EXPECT_EQ(FileBytes(kFolder + "Uninstall.exe"), FileBytes(HostPath(VK_UNINSTALL_FILE)));

  ExpectString("DisplayName", "Vorkel");
  ExpectString("UninstallString", "\"" + kFolder + "Uninstall.exe\"");
  ExpectString("DisplayIcon", kFolder + "Vorkel.exe");
  ExpectString("DisplayVersion", "1.43");
  ExpectNumber("NoModify", 1);
  ExpectNumber("NoRepair", 1);
  ExpectString("Publisher", "Halvern");
  ExpectString("UrlInfoAbout", "");
  ExpectString("UrlUpdateInfo", "");
  ExpectString("HelpLink", "");
  ExpectString("Comments", "Складський калькулятор");
  ExpectString("InstallDate", Today());
  ExpectString("InstallLocation", kFolder);
  ExpectNumber("InstallLang", 1);
  auto program = FileBytes(kFolder + "Vorkel.exe");
  auto uninstaller = FileBytes(kFolder + "Uninstall.exe");
  ASSERT_TRUE(program && uninstaller);
  ExpectNumber("EstimatedSize", static_cast<uint32_t>((program->size() >> 10) + (uninstaller->size() >> 10)));
  auto password = ReadRegistryValue(kKey, "Password");
  ASSERT_TRUE(password);
  EXPECT_EQ(password->Type, static_cast<DWORD>(REG_BINARY));

  std::string cfg = FileText(kFolder + "vorkel.cfg");
  EXPECT_THAT(cfg, HasSubstr("[Security]\r\nPassword=3C71A5E4\r\n"));
  EXPECT_THAT(cfg, HasSubstr("[Language]\r\nProgLang=UKR\r\n"));
  EXPECT_TRUE(cfg.find("[Keyboard]\r\nEnhanced=00000001\r\n") != std::string::npos ||
              cfg.find("[Keyboard]\r\nEnhanced=00000000\r\n") != std::string::npos)
      << cfg;

  std::string group = SpecialFolder(CSIDL_PROGRAMS) + "Vorkel\\";
  ExpectLink(group + "Vorkel.lnk", kFolder + "Vorkel.exe", texts.LinkDescription);
  ExpectLink(group + "Uninstall.lnk", kFolder + "Uninstall.exe", texts.UninstallLinkDescription);
  ExpectLink(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Vorkel.lnk", kFolder + "Vorkel.exe", texts.LinkDescription);

  // The installed program runs, and asks for no password.
  HWND main = WaitForTopWindow("TMainFormStore", 20000, kTitle);
  EXPECT_TRUE(main);
  EXPECT_FALSE(FindTopWindow("TFormPass"));
  if (main) {
    Sleep(1500);
    Screenshot(main, ScreenName("installed-program"));
  }
#if VK_CARRIES_STAND_IN
  std::string log;
  WaitUntil([&] { return (log = FileText(kFolder + "standin.log")).find("activate") != std::string::npos; }, 5000);
  EXPECT_THAT(log, HasSubstr("start -first"));
  // Windows 8 and later: brought to the front with 1888 half a second after its start.
  EXPECT_THAT(log, HasSubstr("activate"));
  EXPECT_THAT(log, ::testing::Not(HasSubstr("password")));
#endif
  if (main) SendMessageTimeoutW(main, 1889, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
}

TEST(SetupE2e, ReinstallClosesTheRunningProgramFirst) {
  // An older copy of the program, running from the folder.
  std::string older = PlaceOlderCopy();
  auto carried = FileBytes(HostPath(VK_PROGRAM_FILE));
  ASSERT_TRUE(carried);
  ASSERT_EQ(FileText(kFolder + "Vorkel.exe"), older);
  Process running(kFolder + "Vorkel.exe");
  ASSERT_TRUE(WaitForTopWindow("TMainFormStore", 20000, kTitle, running.Id()));

  Wizard wizard;
  ASSERT_TRUE(wizard.Window());
  const TSetupText& texts = wizard.Texts();
  wizard.StartInstall(kFolder);
  HWND confirm = WaitForTopWindow("TConfirmForm", 20000, texts.ConfirmCaption);
  ASSERT_TRUE(confirm);
  // Asked only once the running copy has gone.
  EXPECT_TRUE(running.WaitForExit(0));
  BringToFront(confirm);
  Click(FindChild(confirm, "Button", texts.BtnYesToAll));
  ASSERT_TRUE(wizard.WaitForInstallEnd(texts.StepDesktopLink));

  EXPECT_EQ(FileBytes(kFolder + "Vorkel.exe"), carried);
#if VK_CARRIES_STAND_IN
  EXPECT_THAT(FileText(kFolder + "standin.log"), HasSubstr("start \r\nclose\r\n"));
#endif
  wizard.Press(texts.BtnExit);
  ASSERT_TRUE(wizard.SetupProcess().WaitForExit(20000));
  HWND main = WaitForTopWindow("TMainFormStore", 20000, kTitle);
  ASSERT_TRUE(main);
  SendMessageTimeoutW(main, 1889, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
}

// A running copy that ignores the request to end (the test stand-in can be
// told to): the install stops at its first step and writes nothing over the
// program.
TEST(SetupE2e, ProgramThatWillNotCloseStopsTheInstall) {
  std::string older = PlaceOlderCopy(HostPath(VK_STAND_IN_FILE));
  WriteFileBytes(kFolder + "standin.hang", {'1'});
  Process running(kFolder + "Vorkel.exe");
  ASSERT_TRUE(WaitForTopWindow("TMainFormStore", 20000, kTitle, running.Id()));

  Wizard wizard;
  ASSERT_TRUE(wizard.Window());
  const TSetupText& texts = wizard.Texts();
  wizard.StartInstall(kFolder);
  EXPECT_FALSE(wizard.WaitForInstallEnd(texts.StepDesktopLink));
  std::string progress = ReadText(wizard.ProgressMemo());
  EXPECT_THAT(progress, HasSubstr(texts.StepCloseRunning + "   - " + texts.StepError + "\r\n    " + texts.CannotClose));
  EXPECT_THAT(progress, ::testing::Not(HasSubstr(texts.StepCheckDisk)));
  EXPECT_FALSE(running.WaitForExit(0));
  EXPECT_EQ(FileText(kFolder + "Vorkel.exe"), older);
  EXPECT_FALSE(ReadRegistryValue(kKey, "DisplayName"));
  // Back and Install stay offered, to try again.
  EXPECT_TRUE(IsShown(wizard.Button(texts.BtnInstall)));
  wizard.Press(texts.BtnExit);
  EXPECT_TRUE(wizard.SetupProcess().WaitForExit(20000));
}

// Over an existing copy: the summary with the program's start unticked,
// Install, and the first replacement question; null when none came.
HWND InstallWithoutLaunchUpToTheQuestion(Wizard& wizard) {
  const TSetupText& texts = wizard.Texts();
  wizard.GoToSummary(kFolder);
  HWND launch = FindChild(wizard.Window(), "Button", texts.ExecOption);
  EXPECT_TRUE(IsShown(launch));
  Click(launch);
  EXPECT_EQ(SendMessageW(launch, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  wizard.Press(texts.BtnInstall);
  return WaitForTopWindow("TConfirmForm", 20000, texts.ConfirmCaption);
}

TEST(SetupE2e, NoToAllLeavesExistingFilesUnchanged) {
  const std::string cfg = "[Security]\r\nPassword=1234ABCD\r\n[Language]\r\nProgLang=RUS\r\n";
  PrepareFolder("old program", "old uninstaller", cfg);
  Wizard wizard;
  ASSERT_TRUE(wizard.Window());
  const TSetupText& texts = wizard.Texts();
  HWND confirm = InstallWithoutLaunchUpToTheQuestion(wizard);
  ASSERT_TRUE(confirm);
  Screenshot(confirm, ScreenName("confirm"));
  BringToFront(confirm);
  Click(FindChild(confirm, "Button", texts.BtnNoToAll));
  ASSERT_TRUE(wizard.WaitForInstallEnd(texts.StepDesktopLink));

  EXPECT_EQ(FileText(kFolder + "Vorkel.exe"), "old program");
  EXPECT_EQ(FileText(kFolder + "Uninstall.exe"), "old uninstaller");
  EXPECT_EQ(FileText(kFolder + "vorkel.cfg"), cfg);
  // Shortcuts that did not exist are made whatever the answers were.
  EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Vorkel.lnk"));
  wizard.Press(texts.BtnExit);
  ASSERT_TRUE(wizard.SetupProcess().WaitForExit(20000));
  Sleep(1500);
  EXPECT_FALSE(FindTopWindow("TMainFormStore"));
  EXPECT_FALSE(FindTopWindow("TFormPass"));
}

// Exit clicked and the close box used while a step waits for its question:
// the window stays until the install has ended whole, then closes on Exit.
TEST(SetupE2e, CloseRequestsWaitUntilTheInstallEnds) {
  PrepareFolder("old program", "old uninstaller", "[Security]\r\nPassword=1234ABCD\r\n[Language]\r\nProgLang=RUS\r\n");
  Wizard wizard;
  ASSERT_TRUE(wizard.Window());
  const TSetupText& texts = wizard.Texts();
  HWND confirm = InstallWithoutLaunchUpToTheQuestion(wizard);
  ASSERT_TRUE(confirm);
  HWND exit = wizard.Button(texts.BtnExit);
  ASSERT_TRUE(exit);
  // As the queue brings them while the question waits: a click on Exit and
  // the close box (Alt+F4 sends the same command).
  PostMessageW(wizard.Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(exit), BN_CLICKED), reinterpret_cast<LPARAM>(exit));
  PostMessageW(wizard.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Sleep(1500);
  ASSERT_TRUE(IsShown(confirm));
  ASSERT_TRUE(IsShown(wizard.Window()));
  BringToFront(confirm);
  Click(FindChild(confirm, "Button", texts.BtnYesToAll));
  ASSERT_TRUE(wizard.WaitForInstallEnd(texts.StepDesktopLink));

  EXPECT_TRUE(IsShown(wizard.Window()));
  EXPECT_FALSE(wizard.SetupProcess().WaitForExit(0));
  EXPECT_EQ(FileBytes(kFolder + "Vorkel.exe"), FileBytes(HostPath(VK_PROGRAM_FILE)));
  EXPECT_EQ(FileBytes(kFolder + "Uninstall.exe"), FileBytes(HostPath(VK_UNINSTALL_FILE)));
  std::string cfg = FileText(kFolder + "vorkel.cfg");
  EXPECT_THAT(cfg, HasSubstr("Password=3C71A5E4\r\n"));
  EXPECT_THAT(cfg, HasSubstr("ProgLang=ENG\r\n"));
  EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Vorkel.lnk"));
  ExpectString("InstallLocation", kFolder);
  // Once the steps are over, Exit closes the window.
  wizard.Press(texts.BtnExit);
  EXPECT_TRUE(wizard.SetupProcess().WaitForExit(20000));
}

TEST(SetupE2e, SecondSetupShowsNothing) {
  Wizard first;
  ASSERT_TRUE(first.Window());
  Process second(HostPath(VK_SETUP_EXE));
  std::vector<HWND> shown;
  std::optional<DWORD> exitCode;
  WaitUntil(
      [&] {
        for (HWND window : VisibleWindowsOf(second.Id())) shown.push_back(window);
        return (exitCode = second.WaitForExit(0)).has_value();
      },
      20000);
  ASSERT_TRUE(exitCode);
  EXPECT_EQ(*exitCode, 0u);
  EXPECT_TRUE(shown.empty());
  EXPECT_TRUE(IsShown(first.Window()));
  first.Press(first.Texts().BtnCancel);
  EXPECT_TRUE(first.SetupProcess().WaitForExit(20000));
}

// The four pages in the language of the locale the test runs under.
TEST(SetupE2eScreens, FourPages) {
  std::string language = EnvText("VORKEL_SCREENS_LANGUAGE");
  int item = language == "ru" ? 1 : language == "uk" ? 2 : 0;
  int number = language == "ru" ? 0 : language == "uk" ? 1 : 2;
  Wizard wizard;
  ASSERT_TRUE(wizard.Window());
  // Without Cyrillic letters in the system's code page only English is offered.
  HWND languages = NthChild(wizard.Window(), "ComboBox", 0);
  ASSERT_TRUE(languages);
  EXPECT_EQ(SendMessageW(languages, CB_GETCOUNT, 0, 0), language == "en" ? 1 : 3);
  wizard.ChooseLanguage(item, number);
  const TSetupText& texts = wizard.Texts();
  EXPECT_EQ(ApplicationTitleOf(wizard.SetupProcess().Id()), texts.ApplicationTitle);
  Sleep(500);
  Screenshot(wizard.Window(), ScreenName("1-language"));
  wizard.Press(texts.BtnNext);
  Sleep(500);
  Screenshot(wizard.Window(), ScreenName("2-licence"));
  wizard.Press(texts.BtnAgree);
  Sleep(500);
  Screenshot(wizard.Window(), ScreenName("3-folder"));
  // The folder edit's context menu speaks the chosen language.
  HWND edit = wizard.FolderEdit();
  ASSERT_TRUE(edit);
  Click(edit, /*right=*/true);
  EXPECT_TRUE(WaitForTopWindow("#32768", 5000));
  Sleep(300);
  Screenshot(wizard.Window(), ScreenName("3-folder-menu"));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([] { return !FindTopWindow("#32768"); }, 5000));
  // The folder dialog starts in the typed folder and proposes a Vorkel
  // folder inside it; OK takes the proposal.
  wizard.TypeFolder("C:\\users");
  wizard.Press(texts.BtnBrowse);
  HWND browse = WaitForTopWindow("#32770", 10000, texts.BrowseCaption);
  ASSERT_TRUE(browse);
  Sleep(300);
  Screenshot(browse, ScreenName("3-browse"));
  // Where the dialog has its edit box, it shows the proposal.
  if (HWND proposal = NthChild(browse, "Edit", 0)) {
    EXPECT_TRUE(WaitUntil([&] { return SameTextAscii(ReadText(proposal), "C:\\users\\Vorkel"); }, 5000))
        << ReadText(proposal);
  }
  EXPECT_TRUE(FindChild(browse, "Button", texts.BtnCancel));
  BringToFront(browse);
  Click(FindChild(browse, "Button", "OK"));
  ASSERT_TRUE(WaitUntil([] { return !FindTopWindow("#32770"); }, 5000));
  EXPECT_TRUE(SameTextAscii(ReadText(wizard.FolderEdit()), "C:\\users\\Vorkel")) << ReadText(wizard.FolderEdit());
  wizard.Press(texts.BtnNext);
  ASSERT_TRUE(IsShown(wizard.Button(texts.BtnInstall)));
  Sleep(500);
  Screenshot(wizard.Window(), ScreenName("4-summary"));
  HWND memo = wizard.ProgressMemo();
  ASSERT_TRUE(memo);
  EXPECT_THAT(AsciiUpperCase(ReadText(memo)), HasSubstr("\r\n    \"C:\\USERS\\VORKEL\\\""));
  wizard.Press(texts.BtnCancel);
  EXPECT_TRUE(wizard.SetupProcess().WaitForExit(20000));
}

}  // namespace
}  // namespace vk::setup::e2e
