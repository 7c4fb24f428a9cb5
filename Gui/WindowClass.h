#pragma once
// Window classes of our own, registered once per program under the name the
// program's interface gives them (TApplication, the forms' class names, the
// grid's class).

#include <windows.h>

#include <string>

namespace vk::gui {

// The module the program's windows and window classes belong to.
HINSTANCE ProgramInstance();

// Registers the class with the procedure unless it is registered already;
// EOSError when the system refuses.
void RegisterWindowClass(const std::wstring& name, WNDPROC procedure, UINT style = 0);

// Creates a window of one of our classes; EOSError when the system refuses.
HWND CreateProgramWindow(DWORD exStyle, const std::wstring& className, const std::wstring& caption, DWORD style,
                         const RECT& bounds, HWND parent, HMENU menuOrId, void* createParam);

}  // namespace vk::gui
