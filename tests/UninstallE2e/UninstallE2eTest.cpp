// Uninstall.exe end to end under Wine, each case in a fresh prefix and home:
// the system installed by the real setup program, the uninstaller started
// from its registered place and driven through the input queue, the results
// read back from the disk, the registry, the shortcuts and Wine's Recycle Bin
// (the XDG trash in the case's home).

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <set>

#include "Platform/win32/Utf16.h"
#include "tests/SetupE2e/SetupDriver.h"
#include "tests/SetupE2e/SetupWizard.h"
#include "vkSetup/NativeIntface.h"

namespace vk::setup::e2e {
namespace {

using ::testing::HasSubstr;

const std::string kShop = "C:\\Shop\\";
const std::string kFolder = "C:\\Shop\\Vorkel\\";
const std::string kTitle = "Vorkel - C:\\Shop\\Vorkel";
const std::string kUninstaller = kFolder + "Uninstall.exe";
constexpr char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel";
// Files that are not the program's: above the folder, beside it, in a folder
// whose name begins like it, and on the desktop.
const std::vector<std::string> kSentinels = {kShop + "keep.txt", kShop + "Beside\\keep.txt",
                                             kShop + "Vorkel Data\\Data\\store.dat"};
// The folders the shop's work lives in, each with a file of its own.
const std::vector<std::pair<std::string, std::string>> kDataFiles = {{"Data", "Data\\notes.txt"},
                                                                     {"Hist", "Hist\\2024-03-01\\store.dat"},
                                                                     {"Export", "Export\\goods.csv"},
                                                                     {"Import", "Import\\supplier.csv"}};

void MakeFolder(const std::string& path) { SHCreateDirectoryExW(nullptr, platform::Utf8ToWide(path).c_str(), nullptr); }

void PutFile(const std::string& path, const std::string& text) {
  MakeFolder(path.substr(0, path.rfind('\\')));
  WriteFileBytes(path, {text.begin(), text.end()});
}

bool KeyExists() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, platform::Utf8ToWide(kKey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

// The names in a folder, without "." and "..".
std::set<std::string> Listing(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(platform::Utf8ToWide(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = platform::WideToUtf8(found.cFileName);
    if (name != "." && name != "..") names.insert(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// The home folder Wine runs in, as its Z: drive sees it.
std::string HomeFolder() {
  std::string home = EnvText("WINEHOMEDIR");
  return home.starts_with("\\??\\") ? home.substr(4) : home;
}

// Wine's Recycle Bin is the XDG trash of the home folder; it exists only
// where the home has its data folder (.local/share).
void GiveHomeARecycleBin() { MakeFolder(HomeFolder() + "\\.local\\share"); }
std::string TrashFiles() { return HomeFolder() + "\\.local\\share\\Trash\\files\\"; }

void PrepareShop() {
  for (const std::string& path : kSentinels) PutFile(path, "keep");
  PutFile(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Price list.txt", "keep");
}

void ExpectSentinels() {
  for (const std::string& path : kSentinels) EXPECT_EQ(FileText(path), "keep") << path;
  EXPECT_EQ(FileText(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Price list.txt"), "keep");
}

void PutData() {
  for (const auto& [folder, file] : kDataFiles) PutFile(kFolder + file, "the shop's " + folder);
}

// Installs into kFolder in the language of the language box's item; the
// setup starts the program afterwards when asked to.
void Install(int item, int language, bool startProgram) {
  Wizard wizard;
  ASSERT_TRUE(wizard.Window());
  if (item > 0) wizard.ChooseLanguage(item, language);
  const TSetupText& texts = wizard.Texts();
  wizard.GoToSummary(kFolder);
  if (!startProgram) {
    HWND launch = FindChild(wizard.Window(), "Button", texts.ExecOption);
    ASSERT_TRUE(IsShown(launch));
    Click(launch);
    ASSERT_EQ(SendMessageW(launch, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  }
  wizard.Press(texts.BtnInstall);
  ASSERT_TRUE(wizard.WaitForInstallEnd(texts.StepDesktopLink));
  wizard.Press(texts.BtnExit);
  ASSERT_TRUE(wizard.SetupProcess().WaitForExit(20000));
  ASSERT_TRUE(FileExists(kUninstaller));
  ASSERT_TRUE(KeyExists());
  if (startProgram) {
    ASSERT_TRUE(WaitForTopWindow("TMainFormStore", 30000, kTitle));
  }
}

// Where the system's list of installed programs starts the uninstaller.
std::string RegisteredUninstaller() {
  auto command = ReadRegistryValue(kKey, "UninstallString");
  if (!command) return {};
  std::string path = command->Text;
  if (path.size() > 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return path;
}

// One run of the uninstaller.
class Uninstaller {
 public:
  explicit Uninstaller(const std::string& path, int language = 2)
      : process_(path), texts_(UninstallTextOf(static_cast<uint32_t>(language))) {
    window_ = WaitForTopWindow("TMainUninstForm", 20000, "", process_.Id());
  }

  HWND Window() const { return window_; }
  Process& UninstallProcess() { return process_; }
  const TUninstallText& Texts() const { return texts_; }

  HWND Button(const std::string& caption) { return FindChild(window_, "Button", caption); }
  void Press(const std::string& caption) {
    HWND button = Button(caption);
    ASSERT_TRUE(IsShown(button)) << caption;
    BringToFront(window_);
    Click(button);
  }
  // The error list, once it is shown.
  std::string WaitForReport() {
    HWND memo = nullptr;
    WaitUntil([&] { return IsShown(memo = NthChild(window_, "Edit", 0)); }, 60000);
    return IsShown(memo) ? ReadText(memo) : "<no report>";
  }
  // Waits for the uninstaller to end; a screenshot of the whole screen tells
  // what held it when it does not.
  bool WaitForEnd(DWORD milliseconds) {
    if (process_.WaitForExit(milliseconds)) return true;
    e2e::Screenshot(GetDesktopWindow(), ScreenName("stuck"));
    return false;
  }
  void Screenshot(const std::string& name) {
    Sleep(400);
    e2e::Screenshot(window_, ScreenName(name));
  }

 private:
  Process process_;
  HWND window_ = nullptr;
  const TUninstallText& texts_;
};

void ExpectProgramRemoved() {
  EXPECT_FALSE(FileExists(kFolder + "Vorkel.exe"));
  EXPECT_FALSE(FileExists(kFolder + "vorkel.cfg"));
  EXPECT_FALSE(FileExists(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Vorkel.lnk"));
  EXPECT_FALSE(FileExists(SpecialFolder(CSIDL_PROGRAMS) + "Vorkel"));
  EXPECT_FALSE(KeyExists());
}

TEST(UninstallE2e, WithoutDataTheDataStaysAndTheRestGoes) {
  PrepareShop();
  Install(/*item=*/2, /*language=*/1, /*startProgram=*/true);
  PutData();
  ASSERT_TRUE(FindTopWindow("TMainFormStore", kTitle));

  Uninstaller uninstaller(RegisteredUninstaller(), /*language=*/1);
  ASSERT_TRUE(uninstaller.Window());
  EXPECT_EQ(ReadText(uninstaller.Window()), "Видалення програми");
  EXPECT_FALSE(SendMessageW(uninstaller.Button(uninstaller.Texts().DeleteData), BM_GETCHECK, 0, 0));
  uninstaller.Screenshot("ask");
  uninstaller.Press(uninstaller.Texts().BtnDelete);
  ASSERT_TRUE(uninstaller.WaitForEnd(60000));

  // The running program was asked to end first.
  EXPECT_FALSE(FindTopWindow("TMainFormStore", kTitle));
  ExpectProgramRemoved();
  // The uninstaller goes once it has ended; the folder stays for the data.
  EXPECT_TRUE(WaitUntil([] { return !FileExists(kUninstaller); }, 30000));
  Sleep(1000);
  EXPECT_EQ(Listing(kFolder), (std::set<std::string>{"Data", "Export", "Hist", "Import"}));
  for (const auto& [folder, file] : kDataFiles) EXPECT_EQ(FileText(kFolder + file), "the shop's " + folder);
  // The program's own tables are kept too.
  EXPECT_TRUE(FileExists(kFolder + "Data\\store.dat"));
  ExpectSentinels();
}

TEST(UninstallE2e, WithDataTheDataFoldersGoToTheRecycleBin) {
  PrepareShop();
  GiveHomeARecycleBin();
  Install(/*item=*/1, /*language=*/0, /*startProgram=*/true);
  PutData();

  Uninstaller uninstaller(RegisteredUninstaller(), /*language=*/0);
  ASSERT_TRUE(uninstaller.Window());
  EXPECT_EQ(ReadText(uninstaller.Window()), "Удаление программы");
  HWND data = uninstaller.Button(uninstaller.Texts().DeleteData);
  ASSERT_TRUE(IsShown(data));
  BringToFront(uninstaller.Window());
  Click(data);
  ASSERT_EQ(SendMessageW(data, BM_GETCHECK, 0, 0), BST_CHECKED);
  uninstaller.Screenshot("ask-with-data");
  uninstaller.Press(uninstaller.Texts().BtnDelete);
  ASSERT_TRUE(uninstaller.WaitForEnd(60000));

  ExpectProgramRemoved();
  // Empty by then, the folder goes with the uninstaller; the shop's folder stays.
  EXPECT_TRUE(WaitUntil([] { return !FileExists(kFolder); }, 30000)) << ::testing::PrintToString(Listing(kFolder));
  EXPECT_TRUE(FileExists(kShop));
  std::string trash = TrashFiles();
  for (const auto& [folder, file] : kDataFiles) EXPECT_EQ(FileText(trash + file), "the shop's " + folder) << trash;
  EXPECT_TRUE(FileExists(trash + "Data\\store.dat"));
  ExpectSentinels();
}

// Where the Recycle Bin cannot take the data, the shell asks before it would
// delete them for good; No keeps them, and the uninstaller lists them.
TEST(UninstallE2e, DataTheBinCannotTakeIsKeptUnlessTheUserSaysSo) {
  PrepareShop();
  Install(/*item=*/0, /*language=*/2, /*startProgram=*/false);
  PutData();
  ASSERT_FALSE(FileExists(HomeFolder() + "\\.local\\share"));

  Uninstaller uninstaller(RegisteredUninstaller());
  ASSERT_TRUE(uninstaller.Window());
  const TUninstallText& texts = uninstaller.Texts();
  HWND data = uninstaller.Button(texts.DeleteData);
  BringToFront(uninstaller.Window());
  Click(data);
  ASSERT_EQ(SendMessageW(data, BM_GETCHECK, 0, 0), BST_CHECKED);
  uninstaller.Press(texts.BtnDelete);
  std::string errors;
  for (const auto& [folder, file] : kDataFiles) {
    SCOPED_TRACE(folder);
    HWND question = WaitForTopWindow("#32770", 20000, "", uninstaller.UninstallProcess().Id());
    ASSERT_TRUE(question);
    if (folder == "Data") {
      Sleep(300);
      Screenshot(question, ScreenName("no-bin-question"));
    }
    HWND no = GetDlgItem(question, IDNO);
    ASSERT_TRUE(IsShown(no));
    BringToFront(question);
    Click(no);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 10000));
    errors += texts.CannotRemoveDir + "\r\n  " + kFolder + folder + "\r\n";
  }
  EXPECT_EQ(uninstaller.WaitForReport(), errors);
  uninstaller.Screenshot("report-no-bin");

  for (const auto& [folder, file] : kDataFiles) EXPECT_EQ(FileText(kFolder + file), "the shop's " + folder);
  EXPECT_TRUE(KeyExists());
  EXPECT_FALSE(FileExists(kFolder + "Vorkel.exe"));
  uninstaller.Press(texts.BtnExit);
  ASSERT_TRUE(uninstaller.WaitForEnd(20000));
  Sleep(3000);
  EXPECT_TRUE(FileExists(kUninstaller));
  ExpectSentinels();
}

// A program that does not end when asked: nothing is removed, and the window
// says so; while the steps run it does not close.
TEST(UninstallE2e, ProgramThatWillNotEndStopsEverything) {
  PrepareShop();
  Install(/*item=*/0, /*language=*/2, /*startProgram=*/false);
  // In place of the program, a test stand-in that ignores the request to end.
  ASSERT_TRUE(CopyFileW(platform::Utf8ToWide(HostPath(VK_STANDIN_FILE)).c_str(),
                        platform::Utf8ToWide(kFolder + "Vorkel.exe").c_str(), FALSE));
  PutFile(kFolder + "standin.hang", "1");
  Process running(kFolder + "Vorkel.exe");
  ASSERT_TRUE(WaitForTopWindow("TMainFormStore", 20000, kTitle, running.Id()));

  Uninstaller uninstaller(RegisteredUninstaller());
  ASSERT_TRUE(uninstaller.Window());
  const TUninstallText& texts = uninstaller.Texts();
  uninstaller.Press(texts.BtnDelete);
  // The close box and the button again, while the program is being asked.
  Sleep(300);
  PostMessageW(uninstaller.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Click(uninstaller.Button(texts.BtnDelete));
  uninstaller.Screenshot("closing");
  EXPECT_TRUE(IsShown(uninstaller.Window()));
  EXPECT_FALSE(uninstaller.UninstallProcess().WaitForExit(0));

  EXPECT_EQ(uninstaller.WaitForReport(), texts.CannotClose + "\r\n");
  uninstaller.Screenshot("report-not-closed");
  EXPECT_TRUE(IsShown(uninstaller.Button(texts.BtnExit)));
  EXPECT_FALSE(IsShown(uninstaller.Button(texts.BtnDelete)));
  EXPECT_FALSE(running.WaitForExit(0));
  for (const char* name : {"Vorkel.exe", "vorkel.cfg", "Uninstall.exe"}) EXPECT_TRUE(FileExists(kFolder + name));
  EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Vorkel.lnk"));
  EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_PROGRAMS) + "Vorkel\\Uninstall.lnk"));
  EXPECT_TRUE(KeyExists());
  EXPECT_THAT(FileText(kFolder + "standin.log"), HasSubstr("close ignored"));

  uninstaller.Press(texts.BtnExit);
  EXPECT_TRUE(uninstaller.UninstallProcess().WaitForExit(20000));
  Sleep(3000);
  EXPECT_TRUE(FileExists(kUninstaller));
  ExpectSentinels();
}

// A program file held open is reported, the entry stays, and once it is let
// go the uninstaller started again finishes the work.
TEST(UninstallE2e, HeldProgramFileIsReportedAndTheEntryKept) {
  PrepareShop();
  Install(/*item=*/0, /*language=*/2, /*startProgram=*/false);
  platform::UniqueFileHandle held(CreateFileW(platform::Utf8ToWide(kFolder + "Vorkel.exe").c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);

  Uninstaller uninstaller(RegisteredUninstaller());
  ASSERT_TRUE(uninstaller.Window());
  const TUninstallText& texts = uninstaller.Texts();
  // A second uninstaller shows nothing and ends.
  Process second(kUninstaller);
  std::optional<DWORD> secondExit;
  std::vector<HWND> shown;
  WaitUntil(
      [&] {
        for (HWND window : VisibleWindowsOf(second.Id())) shown.push_back(window);
        return (secondExit = second.WaitForExit(0)).has_value();
      },
      20000);
  EXPECT_EQ(secondExit, 0u);
  EXPECT_TRUE(shown.empty());

  uninstaller.Press(texts.BtnDelete);
  EXPECT_EQ(uninstaller.WaitForReport(), texts.CannotRemoveFile + "\r\n  " + kFolder + "Vorkel.exe\r\n");
  uninstaller.Screenshot("report-held-file");
  EXPECT_TRUE(KeyExists());
  EXPECT_TRUE(FileExists(kFolder + "Vorkel.exe"));
  EXPECT_FALSE(FileExists(kFolder + "vorkel.cfg"));
  EXPECT_FALSE(FileExists(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Vorkel.lnk"));
  EXPECT_FALSE(FileExists(SpecialFolder(CSIDL_PROGRAMS) + "Vorkel"));
  uninstaller.Press(texts.BtnExit);
  ASSERT_TRUE(uninstaller.UninstallProcess().WaitForExit(20000));
  Sleep(3000);
  EXPECT_TRUE(FileExists(kUninstaller));

  held.Reset();
  Uninstaller again(RegisteredUninstaller());
  ASSERT_TRUE(again.Window());
  again.Press(texts.BtnDelete);
  ASSERT_TRUE(again.WaitForEnd(60000));
  ExpectProgramRemoved();
  EXPECT_TRUE(WaitUntil([] { return !FileExists(kFolder); }, 30000)) << ::testing::PrintToString(Listing(kFolder));
  ExpectSentinels();
}

// A copy of the uninstaller anywhere but the registered folder removes
// nothing, whatever the entry says: it only tells and offers Exit.
TEST(UninstallE2e, CopyInAnotherFolderRemovesNothing) {
  PrepareShop();
  Install(/*item=*/0, /*language=*/2, /*startProgram=*/false);
  std::set<std::string> installed = Listing(kFolder);
  struct Case {
    std::string copy;
    std::string location;  // the entry's InstallLocation meanwhile
    std::string screen;
  };
  for (const Case& c : {Case{kShop + "Beside\\Uninstall.exe", kFolder, "not-registered"},
                        Case{kShop + "Uninstall.exe", kFolder, "not-registered-above"},
                        Case{"C:\\Uninstall.exe", "C:\\", "not-registered-root"}}) {
    SCOPED_TRACE(c.copy);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, platform::Utf8ToWide(kKey).c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    std::wstring location = platform::Utf8ToWide(c.location);
    RegSetValueExW(key, L"InstallLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(location.c_str()),
                   static_cast<DWORD>((location.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    ASSERT_TRUE(CopyFileW(platform::Utf8ToWide(kUninstaller).c_str(), platform::Utf8ToWide(c.copy).c_str(), FALSE));

    Uninstaller copy(c.copy);
    ASSERT_TRUE(copy.Window());
    const TUninstallText& texts = copy.Texts();
    EXPECT_FALSE(IsShown(copy.Button(texts.BtnDelete)));
    EXPECT_FALSE(IsShown(copy.Button(texts.DeleteData)));
    EXPECT_TRUE(IsShown(copy.Button(texts.BtnExit)));
    copy.Screenshot(c.screen);
    copy.Press(texts.BtnExit);
    ASSERT_TRUE(copy.UninstallProcess().WaitForExit(20000));
    Sleep(2000);

    EXPECT_TRUE(FileExists(c.copy));
    EXPECT_EQ(Listing(kFolder), installed);
    EXPECT_TRUE(KeyExists());
    EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "Vorkel.lnk"));
    EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_PROGRAMS) + "Vorkel\\Vorkel.lnk"));
    EXPECT_TRUE(FileExists("C:\\windows\\system32"));
    ExpectSentinels();
  }
}

}  // namespace
}  // namespace vk::setup::e2e
