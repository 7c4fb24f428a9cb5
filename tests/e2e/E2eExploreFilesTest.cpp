// The file commands driven the way a shop keeper stumbles through them:
// files that are no goods list chosen for an import, an export over a file
// another program holds open, a restore from a folder that holds no whole
// copy, a new password asked for at the next start, and the box that shows
// a bad import line. After each, the Data files must hold what they held and
// no box may stay behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "Platform/win32/Utf16.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/Options.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/E2eSteps.h"

namespace vk::e2e {
namespace {

constexpr DWORD kStartTime = 30000;
constexpr char kMainForm[] = "TMainFormStore";
constexpr char kMessageBox[] = "TFormMessageBox";
constexpr char kSystemDialog[] = "#32770";

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::FILE* f = _wfopen(platform::Utf8ToWide(path).c_str(), L"wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// Every visible top-level window of the process, of the class.
struct AllQuery {
  DWORD ProcessId;
  std::wstring ClassName;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto* query = reinterpret_cast<AllQuery*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (pid == query->ProcessId && IsWindowVisible(window) && query->ClassName == name) query->Found.push_back(window);
  return TRUE;
}

std::vector<HWND> ProcessWindows(DWORD processId, const std::string& className) {
  AllQuery query{processId, platform::Utf8ToWide(className), {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&query));
  return query.Found;
}

// Chooses the file through the import's open dialog, its path typed into
// the name box; the box that then comes up, or null.
HWND ImportThroughDialog(RunningProgram& program, HWND main, const std::string& path) {
  RunMenuCommand(main, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
  HWND dialog = program.WaitForWindow(kSystemDialog, 10000);
  if (!dialog) return nullptr;
  WaitPainted(dialog, 5000);
  BringToFront(dialog);
  TypeText(platform::Utf8ToWide(path));
  Sleep(300);
  PressKey(VK_RETURN);
  HWND box = program.WaitForWindow(kMessageBox, 20000);
  if (box) WaitPainted(box, 5000);
  return box;
}

// File's entry (0-based) with its folder dialog confirmed on Z:\tmp\<name>,
// which the settings' last copy preselects; the box that reports, or null.
HWND RunFolderCommand(RunningProgram& program, HWND main, int entry, const std::wstring& folderName) {
  BringToFront(main);
  PressKey(VK_MENU);
  PressKey(VK_DOWN);
  for (int i = 0; i < entry; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  HWND dialog = program.WaitForWindow(kSystemDialog, 10000);
  if (!dialog) return nullptr;
  WaitPainted(dialog, 5000);
  BringToFront(dialog);
  if (!DialogShows(dialog, folderName)) {
    TabToTree(dialog);
    for (const std::wstring& step : {std::wstring(L"tmp"), folderName}) {
      Sleep(1200);
      TypeText(step);
      PressKey(VK_RIGHT);
    }
    Sleep(500);
  }
  if (!DialogShows(dialog, folderName)) {
    PressKey(VK_ESCAPE);
    return nullptr;
  }
  PressKey(VK_RETURN);
  HWND box = program.WaitForWindow(kMessageBox, 15000);
  if (box) WaitPainted(box, 5000);
  return box;
}

std::string LastCopy(const std::string& programFolder) {
  TProgOptions options(programFolder + kCfgFileName, kUninstallKeyName);
  return options.GetLastCopy();
}

TEST(VorkelE2eExploreFiles, FilesThatAreNoGoodsListImportNothingAndSaySo) {
  const std::string shop = PrepareFolder("explore-import-odd", ShopFolder());
  const auto goodsBefore = FileBytes(shop + "Data\\store.dat");
  const auto movesBefore = FileBytes(shop + "Data\\moves.dat");
  const std::string empty = shop + "empty.csv";
  const std::string header = shop + "header.csv";
  const std::string garbage = shop + "garbage.csv";
  WriteFileBytes(empty, "");
  WriteFileBytes(header, "Code;Name;Price;Date;Qnt;Pks;Cost;\r\n\r\n");
  std::string bytes;
  for (int i = 0; i < 600; ++i) bytes += static_cast<char>((i * 7919 + 13) % 256);
  WriteFileBytes(garbage, bytes);

  RunningProgram program(shop);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  WaitPainted(main, 5000);
  int n = 0;
  for (const std::string& file : {empty, header}) {
    SCOPED_TRACE(file);
    HWND box = ImportThroughDialog(program, main, file);
    ASSERT_NE(box, nullptr) << "no summary";
    EXPECT_EQ(WindowCaption(box), "Import warehouse data");
    Screenshot("explore-import-summary-" + std::to_string(n++), nullptr);
    Answer(box, VK_RETURN);
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMessageBox), nullptr) << "a second box";
  }
  {
    // Garbage: the first bad line is shown; Stop ends the run with the summary.
    HWND box = ImportThroughDialog(program, main, garbage);
    ASSERT_NE(box, nullptr) << "no box about the garbage";
    Screenshot("explore-import-garbage-line");
    BringToFront(box);
    PressKey(VK_TAB);
    PressKey(VK_RETURN);  // not the default button: Stop
    WaitUntil([&] { return !IsWindowVisible(box); }, 5000);
    HWND summary = program.WaitForWindow(kMessageBox, 10000);
    ASSERT_NE(summary, nullptr) << "no summary after Stop";
    WaitPainted(summary, 5000);
    Screenshot("explore-import-garbage-summary");
    Answer(summary, VK_RETURN);
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMessageBox), nullptr) << "a box stayed";
  }
  WaitPainted(main, 5000);
  CloseByKeyboard(program, main);
  const DataContents after = ReadData(shop);
  EXPECT_EQ(after.Goods.size(), 30u);
  EXPECT_EQ(FileBytes(shop + "Data\\moves.dat"), movesBefore);
  EXPECT_EQ(FileBytes(shop + "Data\\store.dat"), goodsBefore);
}

TEST(VorkelE2eExploreFiles, CsvExportOverAFileOpenElsewhereReportsAndKeepsIt) {
  const std::string shop = PrepareFolder("explore-export-locked", ShopFolder());
  const std::string exportFolder = shop + "Export\\";
  ASSERT_TRUE(CreateDirectoryW(platform::Utf8ToWide(exportFolder).c_str(), nullptr));
  const std::string target = exportFolder + TodayName() + ".csv";
  const std::string old = "kept;as;it;was;\r\n";
  WriteFileBytes(target, old);
  {
    // Yesterday's list still open in the spreadsheet, which shares it with
    // nobody.
    platform::UniqueFileHandle lock(CreateFileW(platform::Utf8ToWide(target).c_str(), GENERIC_READ, 0, nullptr,
                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    RunningProgram program(shop);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    RunMenuCommand(main, {VK_DOWN, VK_RIGHT, VK_RETURN});
    HWND dialog = program.WaitForWindow(kSystemDialog, 10000);
    ASSERT_NE(dialog, nullptr);
    WaitPainted(dialog, 5000);
    BringToFront(dialog);
    PressKey(VK_RETURN);
    // The dialog asks before replacing the file.
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
          for (HWND w : ProcessWindows(program.ProcessId(), kSystemDialog))
            if (w != dialog) question = w;
          return question != nullptr;
        },
        10000))
        << "no question before replacing";
    WaitPainted(question, 5000);
    Screenshot("explore-export-overwrite-question");
    BringToFront(question);
    PressKey('Y', /*alt=*/true);
    HWND box = program.WaitForWindow(kMessageBox, 15000);
    ASSERT_NE(box, nullptr) << "the failed export reported nothing";
    WaitPainted(box, 5000);
    Screenshot("explore-export-locked-box");
    EXPECT_EQ(WindowCaption(box), "Export rests on warehouse");
    Answer(box, VK_RETURN);
    EXPECT_TRUE(ProcessWindows(program.ProcessId(), kSystemDialog).empty()) << "a dialog stayed";
    CloseByKeyboard(program, main);
  }
  const auto kept = FileBytes(target);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(std::string(kept->begin(), kept->end()), old);
  EXPECT_EQ(ReadData(shop).Goods.size(), 30u);
}

TEST(VorkelE2eExploreFiles, RestoreFromAFolderWithoutAWholeCopyChangesNothing) {
  const std::string shop = PrepareFolder("explore-restore-half", ShopFolder());
  const std::string other = PrepareFolder("explore-restore-other", ShopFolder());
  const std::wstring name = L"vorkel-e2e-explore-half";
  const std::wstring path = L"Z:\\tmp\\" + name;
  for (const wchar_t* file : {L"\\store.dat", L"\\moves.dat", L"\\pair.replacing"}) DeleteFileW((path + file).c_str());
  RemoveDirectoryW(path.c_str());
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  const std::string copy = platform::WideToUtf8(path);
  // Only the goods file of another shop.
  ASSERT_TRUE(
      CopyFileW(platform::Utf8ToWide(other + "Data\\store.dat").c_str(), (path + L"\\store.dat").c_str(), FALSE));
  {
    TProgOptions options(shop + kCfgFileName, kUninstallKeyName);
    options.SetLastCopy(copy);
  }
  RunningProgram program(shop);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  WaitPainted(main, 5000);
  const auto goodsBefore = FileBytes(shop + "Hist\\" + TodayName() + "\\store.dat");
  ASSERT_TRUE(goodsBefore.has_value());
  HWND box = RunFolderCommand(program, main, 3, name);
  ASSERT_NE(box, nullptr) << "no box after the restore";
  Screenshot("explore-restore-half-box");
  EXPECT_EQ(WindowCaption(box), "Restoration from a backup");
  Answer(box, VK_RETURN);
  // A foreign program's file under the name of the movements.
  WriteFileBytes(copy + "\\moves.dat", std::string(4096, 'x'));
  box = RunFolderCommand(program, main, 3, name);
  ASSERT_NE(box, nullptr) << "no box after the second restore";
  Screenshot("explore-restore-foreign-box");
  EXPECT_EQ(WindowCaption(box), "Restoration from a backup");
  Answer(box, VK_RETURN);
  EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMessageBox), nullptr) << "a box stayed";
  WaitPainted(main, 5000);
  const RECT r = WindowRect(main);
  Screenshot("explore-restore-after", &r);
  CloseByKeyboard(program, main);
  EXPECT_EQ(FileBytes(shop + "Data\\store.dat"), goodsBefore);
  EXPECT_EQ(ReadData(shop).Goods.size(), 30u);
  EXPECT_EQ(LastCopy(shop), copy) << "the failed restores changed the last copy";
  EXPECT_FALSE(FolderExists(shop + "Hist\\0000-00-00")) << "a refused restore made a safety copy";
}

TEST(VorkelE2eExploreFiles, NewPasswordIsAskedForAtTheNextStart) {
  const std::string shop = PrepareFolder("explore-password", ShopFolder());
  {
    RunningProgram program(shop);
    HWND main = program.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    RunMenuCommand(main, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    HWND change = program.WaitForWindow("TFormPassChange", 10000);
    ASSERT_NE(change, nullptr) << "no password change window";
    WaitPainted(change, 5000);
    BringToFront(change);
    // The password edit shows the edit menu the main window gives it, with
    // the edit actions' pictures.
    PressKey(VK_APPS);
    const auto menuShown = [&] { return FindProcessWindow(program.ProcessId(), "#32768") != nullptr; };
    EXPECT_TRUE(WaitUntil(menuShown, 5000)) << "no context menu on the password edit";
    Sleep(300);
    Screenshot("explore-password-edit-menu");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !menuShown(); }, 5000));
    BringToFront(change);
    // No password yet: the old one is empty. A mismatch first.
    PressKey(VK_TAB);
    TypeText(L"kasse7");
    PressKey(VK_TAB);
    TypeText(L"kasse8");
    PressKey(VK_RETURN);
    Sleep(500);
    RECT r = WindowRect(change);
    Screenshot("explore-password-mismatch", &r);
    EXPECT_TRUE(IsWindowVisible(change)) << "a mismatch closed the window";
    BringToFront(change);
    PressKey(VK_BACK);
    TypeText(L"7");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(change); }, 5000)) << "the new password was not taken";
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMessageBox), nullptr);
    CloseByKeyboard(program, main);
  }
  RunningProgram program(shop);
  HWND prompt = program.WaitForWindow("TFormPass", kStartTime);
  ASSERT_NE(prompt, nullptr) << "the new password was not asked for";
  BringToFront(prompt);
  TypeText(L"kasse8");
  PressKey(VK_RETURN);
  Sleep(500);
  EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMainForm), nullptr) << "a wrong password opened the data";
  BringToFront(prompt);
  for (int i = 0; i < 6; ++i) PressKey(VK_BACK);
  TypeText(L"kasse7");
  PressKey(VK_RETURN);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr) << "the new password did not open the program";
  CloseByKeyboard(program, main);
}

// True when a row of the screen's rectangle holds one colour only: no
// letter reaches it.
bool PlainRow(int left, int top, int width) {
  RECT row{left, top, left + width, top + 1};
  int w = 0, h = 0;
  const std::vector<uint32_t> pixels = CapturePixels(row, w, h);
  return std::all_of(pixels.begin(), pixels.end(), [&](uint32_t p) { return p == pixels.front(); });
}

// A bad line of some ten lines at the box's width: the box shows its heading
// and as much of the line as its text area holds, nothing cut by its edges.
TEST(VorkelE2eExploreFiles, BadLineBoxKeepsALongLineWithinItsTextArea) {
  const std::string shop = PrepareFolder("explore-import-long-line", ShopFolder());
  const std::string csv = shop + "long.csv";
  std::string line;
  for (int i = 0; line.size() < 500; ++i) line += "Gvozd " + std::to_string(i) + " mm, ";
  WriteFileBytes(csv, line + "\r\n");
  RunningProgram program(shop);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  WaitPainted(main, 5000);
  HWND box = ImportThroughDialog(program, main, csv);
  ASSERT_NE(box, nullptr) << "no box about the bad line";
  const RECT r = WindowRect(box);
  Screenshot("explore-import-long-line", &r);
  // The text label: 72, 8, 284 x 86 in the box's client area.
  POINT label{72, 8};
  ClientToScreen(box, &label);
  EXPECT_TRUE(PlainRow(label.x, label.y, 284)) << "the text runs over the label's top";
  EXPECT_TRUE(PlainRow(label.x, label.y + 85, 284)) << "the text runs over the label's bottom";
  BringToFront(box);
  PressKey(VK_TAB);
  PressKey(VK_RETURN);  // Stop
  Sleep(1000);          // the same box comes back with the summary
  HWND summary = program.WaitForWindow(kMessageBox, 10000);
  ASSERT_NE(summary, nullptr) << "no summary after Stop";
  Answer(summary, VK_RETURN);
  CloseByKeyboard(program, main);
  EXPECT_EQ(ReadData(shop).Goods.size(), 30u);
}

}  // namespace
}  // namespace vk::e2e
