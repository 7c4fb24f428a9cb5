#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "Platform/win32/Utf16.h"
#include "Tools/Service/FileSrv.h"

namespace vk {
namespace {

constexpr wchar_t kTitle[] = L"Vorkel folder test";

std::string Text(HWND window) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(window, buffer, 1024);
  return platform::WideToUtf8(buffer);
}

// What the test does once the dialog is up and ready (or has had its time);
// then it presses the button.
struct DialogScript {
  std::function<void(HWND)> Look;
  int Button = IDCANCEL;
  std::function<bool(HWND)> Ready = [](HWND) { return false; };
  int Ticks = 0;
  bool Done = false;
};
// The selection of a path expands the tree folder by folder, each step a
// selection change of its own; a loaded machine needs a while for that.
constexpr int kSettleTicks = 5;
constexpr int kMaxTicks = 200;
DialogScript* script = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  if (wcscmp(title, kTitle) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Gives the dialog a few ticks to select and display, then looks and closes.
void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (script == nullptr || script->Done) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return;
  ++script->Ticks;
  if (script->Ticks < kSettleTicks || (!script->Ready(dialog) && script->Ticks < kMaxTicks)) return;
  script->Done = true;
  script->Look(dialog);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(script->Button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, script->Button)));
}

class FolderDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"vk-helpers-browse";
    CreateDirectoryW(folder_.c_str(), nullptr);
    timer_ = SetTimer(nullptr, 0, 50, OnTick);
  }
  void TearDown() override {
    KillTimer(nullptr, timer_);
    script = nullptr;
    RemoveDirectoryW(folder_.c_str());
  }
  std::string Folder() const { return platform::WideToUtf8(folder_); }

  std::wstring folder_;
  UINT_PTR timer_ = 0;
};

TEST_F(FolderDialogTest, EmptyPreselectionOpensOnDrivesWithOkDisabledAndCancelKeepsFolder) {
  bool okEnabled = true;
  std::string shown = "?";
  DialogScript run{[&](HWND dialog) {
                     okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK));
                     shown = Text(GetNextDlgGroupItem(dialog, nullptr, FALSE));
                   },
                   IDCANCEL,
                   [](HWND dialog) {
                     return !IsWindowEnabled(GetDlgItem(dialog, IDOK)) &&
                            Text(GetNextDlgGroupItem(dialog, nullptr, FALSE)).empty();
                   }};
  script = &run;
  std::string folder;
  EXPECT_FALSE(BrowseForFolder(folder, 0, "Vorkel folder test", "Pick one", "", "", nullptr));
  ASSERT_TRUE(run.Done);
  EXPECT_FALSE(okEnabled) << "the computer's drives are no folder";
  EXPECT_EQ(shown, "");
  EXPECT_EQ(folder, "");
}

TEST_F(FolderDialogTest, ConfirmedPreselectionIsReturnedWithOwnCaptions) {
  std::string ok, cancel, shown;
  DialogScript run{[&](HWND dialog) {
                     ok = Text(GetDlgItem(dialog, IDOK));
                     cancel = Text(GetDlgItem(dialog, IDCANCEL));
                     shown = Text(GetNextDlgGroupItem(dialog, nullptr, FALSE));
                   },
                   IDOK,
                   [&](HWND dialog) {
                     return Text(GetNextDlgGroupItem(dialog, nullptr, FALSE)) == "Save a copy\r\n\r\n" + Folder();
                   }};
  script = &run;
  std::string folder = Folder();
  EXPECT_TRUE(BrowseForFolder(folder, 3, "Vorkel folder test", "Save a copy", "Take", "Drop", nullptr));
  ASSERT_TRUE(run.Done);
  EXPECT_EQ(ok, "Take");
  EXPECT_EQ(cancel, "Drop");
  EXPECT_EQ(shown, "Save a copy\r\n\r\n" + Folder());
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, platform::Utf8ToWide(folder).c_str(), -1,
                           folder_.c_str(), -1),
            CSTR_EQUAL)
      << folder;
}

TEST_F(FolderDialogTest, EachModeShowsThePreselectedPathWhereItSays) {
  struct Case {
    int mode;
    bool tabItem;  // the path shows in the first tab item instead of the first group item
    std::string expected;
  } cases[] = {
      {0, false, Folder()},
      {2, true, Folder()},
      {3, false, "Where to\r\n\r\n" + Folder()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    std::string shown;
    DialogScript run{[&](HWND dialog) {
                       shown = Text(c.tabItem ? GetNextDlgTabItem(dialog, nullptr, FALSE)
                                              : GetNextDlgGroupItem(dialog, nullptr, FALSE));
                     },
                     IDOK,
                     [&](HWND dialog) {
                       return Text(c.tabItem ? GetNextDlgTabItem(dialog, nullptr, FALSE)
                                             : GetNextDlgGroupItem(dialog, nullptr, FALSE)) == c.expected;
                     }};
    script = &run;
    std::string folder = Folder();
    EXPECT_TRUE(BrowseForFolder(folder, c.mode, "Vorkel folder test", "Where to", "", "", nullptr));
    ASSERT_TRUE(run.Done);
    EXPECT_EQ(shown, c.expected);
  }
}

TEST_F(FolderDialogTest, DialogIsCentredOverTheGivenWindow) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 80, 700, 500, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  RECT dialogRect{};
  // The dialog is placed before it is shown: no need to wait for it.
  DialogScript run{[&](HWND dialog) { GetWindowRect(dialog, &dialogRect); }, IDCANCEL, [](HWND) { return true; }};
  script = &run;
  std::string folder = Folder();
  EXPECT_FALSE(BrowseForFolder(folder, 1, "Vorkel folder test", "Restore", "", "", owner));
  DestroyWindow(owner);
  ASSERT_TRUE(run.Done);
  EXPECT_NEAR((dialogRect.left + dialogRect.right) / 2, 450, 1);
  EXPECT_NEAR((dialogRect.top + dialogRect.bottom) / 2, 330, 1);
  EXPECT_EQ(folder, Folder()) << "cancel leaves the folder";
}

TEST_F(FolderDialogTest, ModeOutsideTheTableOpensNoDialog) {
  std::string folder = "kept";
  EXPECT_FALSE(BrowseForFolder(folder, 4, "", "", "", "", nullptr));
  EXPECT_FALSE(BrowseForFolder(folder, -1, "", "", "", "", nullptr));
  EXPECT_EQ(folder, "kept");
}

}  // namespace
}  // namespace vk
