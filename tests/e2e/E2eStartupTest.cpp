// Vorkel.exe started as a user starts it: the first start, a second start from
// the same folder and one from another, the password prompt, the day's copy,
// damaged data, and the window's place, column widths and sort kept over a
// restart. Each case checks what the program left on disk with the
// program's own table and settings code.

#include <gtest/gtest.h>

#include <cctype>

#include "Platform/win32/Utf16.h"
#include "Source/StoreData.h"
#include "Tools/CfgFile/Options.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/E2eSteps.h"

namespace vk::e2e {
namespace {

constexpr DWORD kStartTime = 30000;
constexpr char kMainForm[] = "TMainFormStore";

std::string TitleOf(const std::string& folder) { return "Vorkel - " + folder.substr(0, folder.size() - 1); }

// One start of the program that ends as the user closes it.
void StartAndClose(const std::string& folder) {
  RunningProgram program(folder);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  CloseByKeyboard(program, main);
}

// A start that ends at the program's error box: the box with its caption and
// no main window; Enter closes the box and the program ends.
void StartUpToErrorBox(const std::string& folder, const std::string& caption, const std::string& screenshot) {
  RunningProgram program(folder);
  HWND box = program.WaitForWindow("TFormMessageBox", kStartTime);
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_EQ(WindowCaption(box), caption);
  EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMainForm), nullptr);
  WaitPainted(box, 5000);
  RECT r = WindowRect(box);
  Screenshot(screenshot, &r);
  BringToFront(box);
  PressKey(VK_RETURN);
  ASSERT_TRUE(program.WaitForExit(15000).has_value()) << "the program went on after the error";
}

std::string DayCopy(const std::string& folder) { return folder + "Hist\\" + TodayName(); }

TEST(VorkelE2e, FirstStartCreatesDataAndShowsTheFolderInTheCaption) {
  const std::string folder = PrepareFolder("first-start", {});
  RunningProgram program(folder);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowCaption(main), TitleOf(folder));
  WaitPainted(main, 5000);
  RECT r = WindowRect(main);
  Screenshot("first-start", &r);
  CloseByKeyboard(program, main);
  const DataContents data = ReadData(folder);
  EXPECT_TRUE(data.Goods.empty());
  EXPECT_EQ(data.Moves, 0);
  EXPECT_FALSE(FolderExists(folder + "Hist")) << "a first start has nothing to copy";
}

// The second start as the folder is written and with its drive letter in
// the other case, as a shortcut and a typed path may give it: one folder.
TEST(VorkelE2e, SecondStartFromTheSameFolderBringsTheFirstToTheFront) {
  const std::string folder = PrepareFolder("second-start", ShopFolder());
  std::string otherCase = folder;
  otherCase[0] = static_cast<char>(std::isupper(static_cast<unsigned char>(folder[0])) ? std::tolower(folder[0])
                                                                                       : std::toupper(folder[0]));
  for (const std::string& secondFolder : {folder, otherCase}) {
    SCOPED_TRACE(secondFolder);
    RunningProgram first(folder);
    HWND main = first.WaitForWindow(kMainForm, kStartTime);
    ASSERT_NE(main, nullptr);
    WaitPainted(main, 5000);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 5000));

    RunningProgram second(secondFolder);
    const auto code = second.WaitForExit(kStartTime);
    ASSERT_TRUE(code.has_value()) << "the second start did not end";
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main) && GetForegroundWindow() == main; }, 5000))
        << "the first window was not brought back to the front";
    EXPECT_TRUE(first.Running());
    CloseByKeyboard(first, main);
    EXPECT_EQ(ReadData(folder).Goods.size(), 30u);
  }
}

TEST(VorkelE2e, StartFromAnotherFolderRunsBeside) {
  const std::string one = PrepareFolder("beside-one", {});
  const std::string two = PrepareFolder("beside-two", ShopFolder());
  RunningProgram first(one);
  HWND mainOne = first.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(mainOne, nullptr);
  RunningProgram second(two);
  HWND mainTwo = second.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(mainTwo, nullptr);
  EXPECT_EQ(WindowCaption(mainTwo), TitleOf(two));
  EXPECT_TRUE(first.Running());
  CloseByKeyboard(second, mainTwo);
  CloseByKeyboard(first, mainOne);
  EXPECT_TRUE(FolderExists(DayCopy(two)));
  EXPECT_FALSE(FolderExists(one + "Hist"));
}

TEST(VorkelE2e, EscAtThePasswordPromptEndsWithoutTouchingData) {
  const std::string folder = PrepareFolder("password-esc", ShopWithPassword("sklad42"));
  const auto goods = FileBytes(folder + "Data\\store.dat");
  const auto moves = FileBytes(folder + "Data\\moves.dat");
  ASSERT_TRUE(goods && moves);
  RunningProgram program(folder);
  HWND prompt = program.WaitForWindow("TFormPass", kStartTime);
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMainForm), nullptr);
  BringToFront(prompt);
  RECT r = WindowRect(prompt);
  Screenshot("password-prompt", &r);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(program.WaitForExit(15000).has_value()) << "Esc did not end the program";
  EXPECT_FALSE(FolderExists(folder + "Hist"));
  EXPECT_EQ(FileBytes(folder + "Data\\store.dat"), goods);
  EXPECT_EQ(FileBytes(folder + "Data\\moves.dat"), moves);
}

TEST(VorkelE2e, RightPasswordTypedAtThePromptOpensTheData) {
  const std::string folder = PrepareFolder("password-ok", ShopWithPassword("sklad42"));
  RunningProgram program(folder);
  HWND prompt = program.WaitForWindow("TFormPass", kStartTime);
  ASSERT_NE(prompt, nullptr);
  BringToFront(prompt);
  TypeText(L"sklad4");  // a wrong one first: the prompt stays
  PressKey(VK_RETURN);
  Sleep(500);
  EXPECT_EQ(FindProcessWindow(program.ProcessId(), kMainForm), nullptr);
  EXPECT_FALSE(FolderExists(folder + "Hist"));
  RECT r = WindowRect(prompt);
  Screenshot("password-wrong", &r);
  // The typed text stays: one more character makes it right.
  BringToFront(prompt);
  TypeText(L"2");
  PressKey(VK_RETURN);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr) << "the right password did not open the program";
  EXPECT_TRUE(FolderExists(DayCopy(folder)));
  CloseByKeyboard(program, main);
}

TEST(VorkelE2e, CloseRequestEndsTheProgramAtThePromptAndInTheMainWindow) {
  const std::string folder = PrepareFolder("close-request", ShopWithPassword("sklad42"));
  {
    RunningProgram program(folder);
    HWND prompt = program.WaitForWindow("TFormPass", kStartTime);
    ASSERT_NE(prompt, nullptr);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(prompt, 1889, 0, 0, SMTO_NORMAL, 5000, &answer);
    ASSERT_TRUE(program.WaitForExit(15000).has_value()) << "1889 did not end the prompt";
    EXPECT_FALSE(FolderExists(folder + "Hist")) << "the data were opened";
  }
  PrepareSettings(folder, ShopFolder());
  RunningProgram program(folder);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(main, 1889, 0, 0, SMTO_NORMAL, 5000, &answer);
  ASSERT_TRUE(program.WaitForExit(15000).has_value()) << "1889 did not end the program";
  // The tables were closed whole.
  EXPECT_EQ(ReadData(folder).Goods.size(), 30u);
}

TEST(VorkelE2e, SecondStartOfTheDayKeepsTheFirstCopy) {
  const std::string folder = PrepareFolder("day-copy", ShopFolder());
  StartAndClose(folder);
  const auto copied = FileBytes(DayCopy(folder) + "\\store.dat");
  ASSERT_TRUE(copied.has_value());
  EXPECT_EQ(copied, FileBytes(folder + "Data\\store.dat"));
  {
    // The day goes on: another product is booked.
    TStore store;
    store.SetProgramFolder(folder);
    store.Open(false, "Data");
    store.AddGoods("7777", "Новый товар", "1.00", "1.00", "1", "");
    store.Close();
  }
  ASSERT_NE(FileBytes(folder + "Data\\store.dat"), copied);
  StartAndClose(folder);
  EXPECT_EQ(FileBytes(DayCopy(folder) + "\\store.dat"), copied);
  EXPECT_EQ(ReadData(folder).Goods.size(), 31u);
}

TEST(VorkelE2e, DamagedGoodsFileShowsTheOpeningErrorAndLeavesTheCopyAlone) {
  const std::string folder = PrepareFolder("damaged", ShopFolder());
  StartAndClose(folder);
  const auto dayGoods = FileBytes(DayCopy(folder) + "\\store.dat");
  const auto dayMoves = FileBytes(DayCopy(folder) + "\\moves.dat");
  ASSERT_TRUE(dayGoods && dayMoves);
  std::vector<uint8_t> damaged = *FileBytes(folder + "Data\\store.dat");
  std::fill(damaged.begin(), damaged.begin() + 64, 0xEE);
  std::FILE* f = _wfopen(platform::Utf8ToWide(folder + "Data\\store.dat").c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(damaged.data(), 1, damaged.size(), f);
  std::fclose(f);

  StartUpToErrorBox(folder, "Opening error", "opening-error");
  EXPECT_EQ(FileBytes(DayCopy(folder) + "\\store.dat"), dayGoods);
  EXPECT_EQ(FileBytes(DayCopy(folder) + "\\moves.dat"), dayMoves);
}

TEST(VorkelE2e, UnreadableSettingsShowTheErrorAndLeaveTheFolderFree) {
  const std::string folder = PrepareFolder("bad-settings", ShopFolder());
  const std::wstring cfg = platform::Utf8ToWide(folder + kCfgFileName);
  ASSERT_TRUE(DeleteFileW(cfg.c_str()));
  ASSERT_TRUE(CreateDirectoryW(cfg.c_str(), nullptr));  // a settings "file" nothing can read
  StartUpToErrorBox(folder, "Vorkel - Execution error", "settings-error");
  // The data were not opened and the folder's mutex is free again: with
  // readable settings the next start runs.
  EXPECT_FALSE(FolderExists(folder + "Hist"));
  ASSERT_TRUE(RemoveDirectoryW(cfg.c_str()));
  PrepareSettings(folder, {});
  RunningProgram program(folder);
  HWND main = program.WaitForWindow(kMainForm, kStartTime);
  ASSERT_NE(main, nullptr);
  CloseByKeyboard(program, main);
}

}  // namespace
}  // namespace vk::e2e
