#include "tests/SetupE2e/SetupDriver.h"

#include <shlobj.h>

#include <cstdio>
#include <fstream>

#include "Platform/win32/Utf16.h"

namespace vk::setup::e2e {

using platform::Utf8ToWide;
using platform::WideToUtf8;

std::string HostPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string ArtifactsFolder() {
  std::string folder = HostPath(VK_ARTIFACTS_DIR) + "\\setup-screens\\";
  SHCreateDirectoryExW(nullptr, Utf8ToWide(folder).c_str(), nullptr);
  return folder;
}

std::optional<std::vector<uint8_t>> FileBytes(const std::string& path) {
  FILE* file = _wfopen(Utf8ToWide(path).c_str(), L"rb");
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
  fclose(file);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = _wfopen(Utf8ToWide(path).c_str(), L"wb");
  if (!file) return;
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

std::string FileText(const std::string& path) {
  auto bytes = FileBytes(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(50);
  }
  return true;
}

Process::Process(const std::string& program, const std::string& arguments) {
  std::wstring application = Utf8ToWide(program);
  std::wstring commandLine = L"\"" + application + L"\" " + Utf8ToWide(arguments);
  std::wstring folder = application.substr(0, application.rfind(L'\\'));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info)) {
    return;
  }
  handle_.Reset(info.hProcess);
  CloseHandle(info.hThread);
  id_ = info.dwProcessId;
}

Process::~Process() {
  if (handle_ && WaitForSingleObject(handle_.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(handle_.Get(), 99);
}

std::optional<DWORD> Process::WaitForExit(DWORD milliseconds) {
  if (!handle_ || WaitForSingleObject(handle_.Get(), milliseconds) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(handle_.Get(), &code);
  return code;
}

namespace {

std::string ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return WideToUtf8(name);
}

struct TopSearch {
  std::string ClassName, Caption;
  DWORD ProcessId;
  std::vector<HWND> Found;
};

BOOL CALLBACK VisitTop(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TopSearch*>(data);
  if (!IsWindowVisible(window)) return TRUE;
  if (search->ProcessId && ProcessOf(window) != search->ProcessId) return TRUE;
  if (!search->ClassName.empty() && ClassOf(window) != search->ClassName) return TRUE;
  if (!search->Caption.empty() && ReadText(window) != search->Caption) return TRUE;
  search->Found.push_back(window);
  return TRUE;
}

struct ChildSearch {
  std::string ClassName;
  std::vector<HWND> Found;
};

BOOL CALLBACK VisitChild(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  if (_stricmp(ClassOf(window).c_str(), search->ClassName.c_str()) == 0) search->Found.push_back(window);
  return TRUE;
}

std::vector<HWND> ChildrenOf(HWND parent, const std::string& className) {
  ChildSearch search{className, {}};
  EnumChildWindows(parent, VisitChild, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

void SendInputs(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(60);
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

HWND FindTopWindow(const std::string& className, const std::string& caption, DWORD processId) {
  TopSearch search{className, caption, processId, {}};
  EnumWindows(VisitTop, reinterpret_cast<LPARAM>(&search));
  return search.Found.empty() ? nullptr : search.Found.front();
}

HWND WaitForTopWindow(const std::string& className, DWORD milliseconds, const std::string& caption, DWORD processId) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(className, caption, processId)) != nullptr; }, milliseconds);
  return found;
}

std::string ApplicationTitleOf(DWORD processId) {
  for (HWND window = FindWindowExW(nullptr, nullptr, L"TApplication", nullptr); window;
       window = FindWindowExW(nullptr, window, L"TApplication", nullptr)) {
    if (ProcessOf(window) == processId) return ReadText(window);
  }
  return {};
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  TopSearch search{"", "", processId, {}};
  EnumWindows(VisitTop, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
  for (HWND child : ChildrenOf(parent, className)) {
    if (ReadText(child) == text) return child;
  }
  return nullptr;
}

HWND NthChild(HWND parent, const std::string& className, int index) {
  std::vector<HWND> children = ChildrenOf(parent, className);
  return index < static_cast<int>(children.size()) ? children[static_cast<size_t>(index)] : nullptr;
}

std::string ReadText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                      &got);
  text.resize(got);
  return WideToUtf8(text);
}

bool IsShown(HWND window) { return window && IsWindowVisible(window); }

void BringToFront(HWND window) {
  SetForegroundWindow(window);
  Sleep(100);
}

void ClickAt(int x, int y, bool right) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = (x * 65535 + width / 2) / (width - 1);
  move.mi.dy = (y * 65535 + height / 2) / (height - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  INPUT down = move, up = move;
  down.mi.dwFlags = (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN) | MOUSEEVENTF_ABSOLUTE;
  up.mi.dwFlags = (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP) | MOUSEEVENTF_ABSOLUTE;
  SendInputs({move});
  SendInputs({down, up});
  Sleep(150);
}

void Click(HWND control, bool right) {
  RECT r;
  GetWindowRect(control, &r);
  bool checkBox = (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
  ClickAt(checkBox ? r.left + 7 : (r.left + r.right) / 2, (r.top + r.bottom) / 2, right);
}

void PressKey(WORD key, bool shift, bool ctrl) {
  std::vector<INPUT> inputs;
  if (ctrl) inputs.push_back(KeyInput(VK_CONTROL, false));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  if (ctrl) inputs.push_back(KeyInput(VK_CONTROL, true));
  SendInputs(inputs);
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT down{}, up{};
    down.type = up.type = INPUT_KEYBOARD;
    down.ki.wScan = up.ki.wScan = c;
    down.ki.dwFlags = KEYEVENTF_UNICODE;
    up.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(1, &down, sizeof(INPUT));
    SendInput(1, &up, sizeof(INPUT));
  }
  Sleep(150);
}

std::string Screenshot(HWND window, const std::string& name) {
  RECT r;
  // A window that is gone leaves nothing to take.
  if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) return {};
  int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
  std::vector<uint8_t> bytes(file.bfSize);
  memcpy(bytes.data(), &file, sizeof file);
  memcpy(bytes.data() + sizeof file, &info.bmiHeader, sizeof(BITMAPINFOHEADER));
  memcpy(bytes.data() + file.bfOffBits, bits, static_cast<size_t>(stride * height));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  std::string path = ArtifactsFolder() + name + ".bmp";
  WriteFileBytes(path, bytes);
  return path;
}

std::optional<RegRead> ReadRegistryValue(const std::string& keyPath, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Utf8ToWide(keyPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RegRead value;
  DWORD size = 0;
  std::wstring wideName = Utf8ToWide(name);
  LSTATUS status = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.Type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.Data.resize(size);
    status = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.Type, value.Data.data(), &size);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  if (value.Type == REG_SZ) {
    std::wstring text(value.Data.size() / 2, L'\0');
    memcpy(text.data(), value.Data.data(), text.size() * 2);
    text.resize(wcsnlen(text.c_str(), text.size()));
    value.Text = WideToUtf8(text);
  }
  return value;
}

std::string SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
  return WideToUtf8(path) + "\\";
}

}  // namespace vk::setup::e2e
