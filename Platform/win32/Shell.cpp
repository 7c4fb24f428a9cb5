#include "Platform/Shell.h"

#include <windows.h>
// The shell functions need the window types first.
#include <shellapi.h>

#include "Platform/win32/Utf16.h"

namespace vk::platform {

namespace {

int Execute(const std::string& file, const wchar_t* parameters) {
  HINSTANCE result = ShellExecuteW(GetDesktopWindow(), /*verb=*/nullptr, Utf8ToWide(file).c_str(), parameters,
                                   /*folder=*/nullptr, SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace

int ShellOpen(const std::string& target) { return Execute(target, /*parameters=*/nullptr); }

int ShellOpenWith(const std::string& program, const std::string& document) {
  // A path holds no double quote, so enclosing it needs no escaping.
  const std::wstring parameter = L"\"" + Utf8ToWide(document) + L"\"";
  return Execute(program, parameter.c_str());
}

}  // namespace vk::platform
