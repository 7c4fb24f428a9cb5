#pragma once
// The one form in which a failed posix call becomes the program's error text:
// the call, what it worked on, and the system's words for errno.
// Capture errno on the line after the failing call.

#include <cstring>
#include <string>

#include "Core/SysUtils.h"

namespace vk::platform {

// "open (/data/store.dat): Permission denied"
inline std::string SystemCallError(const char* call, const std::string& subject, int error) {
  return std::string(call) + " (" + subject + "): " + std::strerror(error);
}

[[noreturn]] inline void RaiseSystemCallError(const char* call, const std::string& subject, int error) {
  throw EOSError(SystemCallError(call, subject, error));
}

}  // namespace vk::platform
