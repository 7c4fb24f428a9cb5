#pragma once
// Drives the real Vorkel.exe under Wine as a user would: a fresh program
// folder, the program started in it, its windows waited for by class and
// caption, keys and clicks sent through the system's input queue
// (SendInput), screenshots of the screen, and afterwards the Data files read
// back with the program's own table code. Windows only.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/win32/UniqueHandle.h"
#include "tests/MessageBox/WindowCapture.h"

namespace vk::e2e {

// The build's artifacts folder (screenshots, program folders), made on demand.
std::string ArtifactsFolder();
// A path of the build machine as Wine's drive Z: sees it.
std::string HostPath(const std::string& unixPath);
// A new empty folder under the artifacts' e2e folder, with a trailing "\".
std::string FreshFolder(const std::string& name);

// What a program folder holds before a start.
struct FolderSetup {
  std::optional<std::string> Password;  // none: the no-password marker (as the setup stores it)
  int Language = 2;                     // 0 Russian, 1 Ukrainian, 2 English
  bool Shop = false;                    // Data filled with the small shop
};
// A folder with the small shop's data, in the interface language given.
inline FolderSetup ShopFolder(int language = 2) {
  FolderSetup setup;
  setup.Language = language;
  setup.Shop = true;
  return setup;
}
// The same with a password set.
inline FolderSetup ShopWithPassword(const std::string& password) {
  FolderSetup setup = ShopFolder();
  setup.Password = password;
  return setup;
}

// Writes the folder's vorkel.cfg as the setup program would.
void PrepareSettings(const std::string& folder, const FolderSetup& setup);
// A fresh folder with Vorkel.exe, vorkel.cfg and, when asked, the shop's data.
std::string PrepareFolder(const std::string& name, const FolderSetup& setup);

class RunningProgram {
 public:
  // Starts Vorkel.exe of the folder with the folder as its working folder.
  // It runs under this process's locale (Wine takes it from LANG and LC_ALL
  // when a process starts).
  explicit RunningProgram(const std::string& folder);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  DWORD ProcessId() const { return processId_; }
  // The exit code once ended within the time; nothing otherwise.
  std::optional<DWORD> WaitForExit(DWORD milliseconds);
  bool Running();
  // The first visible top-level window of this process of the class (and,
  // when given, the caption), waited for.
  HWND WaitForWindow(const std::string& className, DWORD milliseconds, const std::string& caption = "");
  // No top-level window of this process is visible.
  bool HasVisibleWindow();

 private:
  platform::UniqueKernelHandle process_;
  DWORD processId_ = 0;
};

// The first visible top-level window of the process and class; null when none.
HWND FindProcessWindow(DWORD processId, const std::string& className, const std::string& caption = "");
std::string WindowCaption(HWND window);
// The text of an edit control, asked for across processes.
std::string EditText(HWND edit);
// The main window's code entry: the first edit from the top of the window.
HWND CodeEdit(HWND main);
// Of the window's child windows of the class (any letter case), the one that
// better() prefers over every other (its rectangle against the best so far).
HWND FindChildWindow(HWND parent, const std::wstring& className,
                     const std::function<bool(const RECT& candidate, const RECT& best)>& better);
// Waits until the condition holds; false after the time.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);
// Waits until the window's thread answers and what the screen shows of the
// window (above its status bar, whose clock ticks) stays the same a while.
bool WaitPainted(HWND window, DWORD milliseconds);
using test::CapturePixels;

// Visual styles on or off for the programs started from now on.
void SetVisualStyles(bool on);

// Input through the system's queue to the foreground window.
void BringToFront(HWND window);
void PressKey(WORD key, bool alt = false, bool ctrl = false, bool shift = false);
void TypeText(const std::wstring& text);
void Click(int screenX, int screenY, bool right = false);
void Drag(int fromX, int fromY, int toX, int toY);

// The screen's rectangle (or the whole screen) as a PNG in the artifacts
// folder; the path written.
std::string Screenshot(const std::string& name, const RECT* area = nullptr);
RECT WindowRect(HWND window);

// The two tables of a folder's Data as read by the store.
struct GoodsRow {
  std::string Code, Name, Weight, PCount, Sum;
};
struct DataContents {
  std::vector<GoodsRow> Goods;
  int32_t Moves = 0;
};
DataContents ReadData(const std::string& programFolder);
// The movements of the goods of the code, in the order of the moves file;
// Day: the whole days of the movement's date and time.
struct MoveRow {
  int32_t Day = 0;
  std::string Direction, Weight, PCount, Sum, Note;
  int32_t Offset = 0;  // the record's place in its file
};
std::vector<MoveRow> ReadMoves(const std::string& programFolder, const std::string& code);
// A file's bytes; nothing when it does not exist.
std::optional<std::vector<uint8_t>> FileBytes(const std::string& path);
bool FolderExists(const std::string& path);
// Today's copy folder name, yyyy-mm-dd, by the local clock.
std::string TodayName();

}  // namespace vk::e2e
