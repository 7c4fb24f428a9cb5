#pragma once
// What the setup's end-to-end tests add to the program's driver
// (tests/e2e/E2eDriver.h: input through the queue, screenshots, file bytes):
// any program started and waited for, windows of any process found by class
// and caption, child controls found and read with window messages, and the
// registry and the special folders read back. Windows only.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/win32/UniqueHandle.h"
#include "tests/e2e/E2eDriver.h"

namespace vk::setup::e2e {

using vk::e2e::BringToFront;
using vk::e2e::FileBytes;
using vk::e2e::HostPath;
using vk::e2e::PressKey;
using vk::e2e::TypeText;
using vk::e2e::WaitUntil;

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::string FileText(const std::string& path);
bool FileExists(const std::string& path);

class Process {
 public:
  // Starts the program with its folder as the current folder.
  Process(const std::string& program, const std::string& arguments = "");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return id_; }
  std::optional<DWORD> WaitForExit(DWORD milliseconds);

 private:
  platform::UniqueKernelHandle handle_;
  DWORD id_ = 0;
};

// The first visible top-level window of the class (and caption, when given),
// of the process when one is given; null when there is none.
HWND FindTopWindow(const std::string& className, const std::string& caption = "", DWORD processId = 0);
HWND WaitForTopWindow(const std::string& className, DWORD milliseconds, const std::string& caption = "",
                      DWORD processId = 0);
// The caption of the process's hidden application window (its task-bar
// title); empty when it has none.
std::string ApplicationTitleOf(DWORD processId);
// Every visible top-level window of the process.
std::vector<HWND> VisibleWindowsOf(DWORD processId);
DWORD ProcessOf(HWND window);

// A child control of the window by its class and text; null when none.
HWND FindChild(HWND parent, const std::string& className, const std::string& text);
// The n-th child of the class, in creation order.
HWND NthChild(HWND parent, const std::string& className, int index);
// A window's text read with WM_GETTEXT (works across processes).
std::string ReadText(HWND window);
bool IsShown(HWND window);

// Clicks the middle of the control (the left part for a check box, where its box is).
void Click(HWND control, bool right = false);
// A screenshot of the window in the artifacts' screenshots folder; the path.
std::string Screenshot(HWND window, const std::string& name);

struct RegRead {
  DWORD Type = 0;
  std::vector<uint8_t> Data;
  std::string Text;  // for REG_SZ
};
std::optional<RegRead> ReadRegistryValue(const std::string& keyPath, const std::string& name);

// The special folder with a trailing delimiter.
std::string SpecialFolder(int csidl);

}  // namespace vk::setup::e2e
