#pragma once
// The one form in which a failed Win32 call becomes the program's error text:
// the call, what it worked on, and the system's words for the code.
// Capture the code on the line after the failing call.

#include <windows.h>

#include <string>

#include "Core/SysUtils.h"
#include "Platform/win32/Utf16.h"

namespace vk::platform {

// "CreateFileW (C:\Data\store.dat): Access denied."
inline std::string SystemCallError(const char* call, const std::string& subject, DWORD code) {
  return std::string(call) + " (" + subject + "): " + SystemErrorText(code);
}

[[noreturn]] inline void RaiseSystemCallError(const char* call, const std::string& subject, DWORD code) {
  throw EOSError(SystemCallError(call, subject, code));
}

}  // namespace vk::platform
