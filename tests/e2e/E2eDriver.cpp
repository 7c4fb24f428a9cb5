#include "tests/e2e/E2eDriver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "Core/SysUtils.h"
#include "Platform/Clock.h"
#include "Platform/win32/Utf16.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"
#include "tests/e2e/DataFill.h"
#include "tests/e2e/PngWriter.h"

namespace vk::e2e {

using platform::Utf8ToWide;
using platform::WideToUtf8;

namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

struct WindowQuery {
  DWORD processId;
  std::wstring className;
  std::wstring caption;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* q = reinterpret_cast<WindowQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != q->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  if (!q->className.empty() && q->className != name) return TRUE;
  if (!q->caption.empty() && Utf8ToWide(WindowCaption(window)) != q->caption) return TRUE;
  q->found = window;
  return FALSE;
}

struct ChildQuery {
  std::wstring className;
  const std::function<bool(const RECT&, const RECT&)>* better;
  HWND found = nullptr;
  RECT bounds{};
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
  auto* q = reinterpret_cast<ChildQuery*>(param);
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (_wcsicmp(name, q->className.c_str()) != 0) return TRUE;
  RECT r{};
  GetWindowRect(child, &r);
  if (!q->found || (*q->better)(r, q->bounds)) {
    q->found = child;
    q->bounds = r;
  }
  return TRUE;
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT MouseInput(int x, int y, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(60);
}

}  // namespace

std::string HostPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string ArtifactsFolder() {
  const std::string folder = HostPath(VK_ARTIFACTS_DIR);
  CreateDirectoryW(Utf8ToWide(folder).c_str(), nullptr);
  return folder;
}

std::string FreshFolder(const std::string& name) {
  const std::string e2e = ArtifactsFolder() + "\\e2e";
  CreateDirectoryW(Utf8ToWide(e2e).c_str(), nullptr);
  const std::string folder = e2e + "\\" + name;
  RemoveTree(Utf8ToWide(folder));
  if (!CreateDirectoryW(Utf8ToWide(folder).c_str(), nullptr)) throw Exception("cannot create " + folder);
  return folder + "\\";
}

void PrepareSettings(const std::string& folder, const FolderSetup& setup) {
  // Written as the setup program writes it, with the settings' own code.
  TProgOptions options(folder + kCfgFileName, kUninstallKeyName);
  TPass pass(&options);
  if (!pass.SetPassword(setup.Password.value_or(""))) throw Exception("cannot write the password");
  options.SetProgLang(static_cast<uint32_t>(setup.Language));
  // The version check was done today: no start of the tests asks a server.
  options.SetTestDate(platform::Now());
  // The shop's names are Cyrillic: its data code page is 1251 whatever the
  // interface language.
  if (setup.Shop) TCardinalParam(&options, "Language", "BaseCodePage").SetValue(1251);
}

std::string PrepareFolder(const std::string& name, const FolderSetup& setup) {
  const std::string folder = FreshFolder(name);
  if (!CopyFileW(Utf8ToWide(HostPath(VK_VORKEL_EXE)).c_str(), Utf8ToWide(folder + "Vorkel.exe").c_str(), FALSE)) {
    throw Exception("cannot copy Vorkel.exe into " + folder);
  }
  PrepareSettings(folder, setup);
  if (setup.Shop) FillFolder(folder, /*large=*/false, platform::Now());
  return folder;
}

RunningProgram::RunningProgram(const std::string& folder) {
  std::wstring commandLine = L"\"" + Utf8ToWide(folder + "Vorkel.exe") + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, Utf8ToWide(folder).c_str(),
                      &startup, &info)) {
    throw Exception("cannot start " + folder + "Vorkel.exe");
  }
  CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  processId_ = info.dwProcessId;
}

RunningProgram::~RunningProgram() {
  if (Running()) {
    TerminateProcess(process_.Get(), 99);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

std::optional<DWORD> RunningProgram::WaitForExit(DWORD milliseconds) {
  if (WaitForSingleObject(process_.Get(), milliseconds) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  return code;
}

bool RunningProgram::Running() { return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

HWND RunningProgram::WaitForWindow(const std::string& className, DWORD milliseconds, const std::string& caption) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindProcessWindow(processId_, className, caption)) != nullptr; }, milliseconds);
  return found;
}

bool RunningProgram::HasVisibleWindow() { return FindProcessWindow(processId_, "") != nullptr; }

HWND FindProcessWindow(DWORD processId, const std::string& className, const std::string& caption) {
  WindowQuery query{processId, Utf8ToWide(className), Utf8ToWide(caption)};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND FindChildWindow(HWND parent, const std::wstring& className,
                     const std::function<bool(const RECT& candidate, const RECT& best)>& better) {
  ChildQuery query{className, &better};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

std::string WindowCaption(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return WideToUtf8(text);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(20);
  }
  return true;
}

// The screen's pixels of the rectangle, 32 bits each.
// The window's thread answers, and what the screen shows of the window stays
// the same over a few moments: painting has ended (the clock's panel aside,
// which the comparison leaves out by looking above the status bar).
bool WaitPainted(HWND window, DWORD milliseconds) {
  std::vector<uint32_t> last;
  int stableRounds = 0;
  return WaitUntil(
      [&] {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer)) return false;
        RECT r = WindowRect(window);
        r.bottom -= 30;
        int width = 0, height = 0;
        std::vector<uint32_t> now = CapturePixels(r, width, height);
        stableRounds = now == last ? stableRounds + 1 : 0;
        last = std::move(now);
        Sleep(100);
        return stableRounds >= 3;
      },
      milliseconds);
}

void SetVisualStyles(bool on) {
  const wchar_t* value = on ? L"1" : L"0";
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", L"ThemeActive",
                  REG_SZ, value, static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

void BringToFront(HWND window) {
  SetForegroundWindow(window);
  WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
  Sleep(100);
}

void PressKey(WORD key, bool alt, bool ctrl, bool shift) {
  std::vector<INPUT> inputs;
  if (ctrl) inputs.push_back(KeyInput(VK_CONTROL, false));
  if (alt) inputs.push_back(KeyInput(VK_MENU, false));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  if (alt) inputs.push_back(KeyInput(VK_MENU, true));
  if (ctrl) inputs.push_back(KeyInput(VK_CONTROL, true));
  Send(inputs);
}

void TypeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    for (bool up : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

void Click(int x, int y, bool right) {
  Send({MouseInput(x, y, 0)});
  Send({MouseInput(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN)});
  Send({MouseInput(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

void Drag(int fromX, int fromY, int toX, int toY) {
  Send({MouseInput(fromX, fromY, 0)});
  Send({MouseInput(fromX, fromY, MOUSEEVENTF_LEFTDOWN)});
  for (int step = 1; step <= 8; ++step) {
    Send({MouseInput(fromX + (toX - fromX) * step / 8, fromY + (toY - fromY) * step / 8, 0)});
  }
  Send({MouseInput(toX, toY, MOUSEEVENTF_LEFTUP)});
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::string Screenshot(const std::string& name, const RECT* area) {
  RECT r = area ? *area : RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  r.left = std::max(0L, r.left);
  r.top = std::max(0L, r.top);
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = CapturePixels(r, width, height);
  std::vector<uint8_t> rgb(pixels.size() * 3);
  for (size_t i = 0; i < pixels.size(); ++i) {
    rgb[i * 3] = static_cast<uint8_t>(pixels[i] >> 16);
    rgb[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(pixels[i]);
  }
  const std::string folder = ArtifactsFolder() + "\\screenshots";
  CreateDirectoryW(Utf8ToWide(folder).c_str(), nullptr);
  const std::string path = folder + "\\" + name + ".png";
  if (!WritePng(path, width, height, rgb)) throw Exception("cannot write " + path);
  return path;
}

DataContents ReadData(const std::string& programFolder) {
  TStore store;
  store.SetProgramFolder(programFolder);
  store.Open(/*createIfMissing=*/false, "Data");
  DataContents contents;
  TTableStore& goods = store.Goods();
  for (goods.First(); !goods.Eof(); goods.Next()) {
    contents.Goods.push_back({goods.Code.GetAsString(), goods.Name.GetAsString(), goods.Weight.GetAsString(),
                              goods.PCount.GetAsString(), goods.Sum.GetAsString()});
  }
  contents.Moves = store.Moves().RecordCount();
  store.Close();
  return contents;
}

std::string EditText(HWND edit) {
  wchar_t text[256] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &copied);
  return platform::WideToUtf8(text);
}

HWND CodeEdit(HWND main) {
  return FindChildWindow(main, L"Edit", [](const RECT& r, const RECT& best) { return r.top < best.top; });
}

std::vector<MoveRow> ReadMoves(const std::string& programFolder, const std::string& code) {
  TStore store;
  store.SetProgramFolder(programFolder);
  store.Open(/*createIfMissing=*/false, "Data");
  std::vector<MoveRow> rows;
  int32_t id = -1;
  TTableStore& goods = store.Goods();
  for (goods.First(); !goods.Eof(); goods.Next()) {
    if (goods.Code.GetAsString() == code) id = goods.ID.Value();
  }
  if (id >= 0) {
    TTableMoves& moves = store.Moves();
    for (moves.First(); !moves.Eof(); moves.Next()) {
      if (moves.IDStore.Value() != id) continue;
      rows.push_back({static_cast<int32_t>(std::floor(moves.MoveDate.Value())), moves.Direction.GetAsString(),
                      moves.Weight.GetAsString(), moves.PCount.GetAsString(), moves.Sum.GetAsString(),
                      moves.Note.GetAsString(), moves.CurrentFileOffset()});
    }
  }
  store.Close();
  return rows;
}

std::optional<std::vector<uint8_t>> FileBytes(const std::string& path) {
  std::FILE* f = _wfopen(Utf8ToWide(path).c_str(), L"rb");
  if (!f) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return bytes;
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string TodayName() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char name[16];
  std::snprintf(name, sizeof name, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
  return name;
}

}  // namespace vk::e2e
