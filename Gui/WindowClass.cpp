#include "Gui/WindowClass.h"

#include "Platform/win32/SystemError.h"

namespace vk::gui {

HINSTANCE ProgramInstance() { return GetModuleHandleW(nullptr); }

void RegisterWindowClass(const std::wstring& name, WNDPROC procedure, UINT style) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(ProgramInstance(), name.c_str(), &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = ProgramInstance();
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = name.c_str();
  if (!RegisterClassExW(&wc)) {
    DWORD error = GetLastError();
    platform::RaiseSystemCallError("RegisterClassExW", platform::WideToUtf8(name), error);
  }
}

HWND CreateProgramWindow(DWORD exStyle, const std::wstring& className, const std::wstring& caption, DWORD style,
                         const RECT& bounds, HWND parent, HMENU menuOrId, void* createParam) {
  HWND window = CreateWindowExW(exStyle, className.c_str(), caption.c_str(), style, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, parent, menuOrId,
                                ProgramInstance(), createParam);
  if (!window) {
    DWORD error = GetLastError();
    platform::RaiseSystemCallError("CreateWindowExW", platform::WideToUtf8(className), error);
  }
  return window;
}

}  // namespace vk::gui
