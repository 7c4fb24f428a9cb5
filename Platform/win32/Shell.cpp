#include "Platform/Shell.h"

#include <windows.h>
// The shell functions need the window types first.
#include <shellapi.h>

#include "Platform/win32/Utf16.h"

namespace vk::platform {

int ShellOpen(const std::string& target) {
  HINSTANCE result = ShellExecuteW(GetDesktopWindow(), /*verb=*/nullptr, Utf8ToWide(target).c_str(),
                                   /*parameters=*/nullptr, /*folder=*/nullptr, SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace vk::platform
