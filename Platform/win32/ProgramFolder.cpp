#include "Platform/ProgramFolder.h"

#include <windows.h>

#include "Platform/win32/SystemError.h"
#include "Platform/win32/Utf16.h"

namespace vk::platform {

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(/*module=*/nullptr, path.data(), static_cast<DWORD>(path.size()));
    DWORD error = GetLastError();
    if (n == 0) RaiseSystemCallError("GetModuleFileNameW", "the running program", error);
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
  return WideToUtf8(path.substr(0, path.find_last_of(L"\\/") + 1));
}

}  // namespace vk::platform
