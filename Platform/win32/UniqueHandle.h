#pragma once
// The one handle owner (Platform/UniqueHandle.h) for Win32 handles, keeping
// GetLastError while it closes, and the traits of the handles Platform/ owns.
// Gui/ adds its GDI objects in Gui/GdiHandles.h.

#include <windows.h>

#include "Platform/UniqueHandle.h"

namespace vk::platform {

// Saves GetLastError and puts it back.
class KeepLastError {
 public:
  KeepLastError() noexcept : error_(GetLastError()) {}
  ~KeepLastError() { SetLastError(error_); }
  KeepLastError(const KeepLastError&) = delete;
  KeepLastError& operator=(const KeepLastError&) = delete;

 private:
  DWORD error_;
};

template <typename Traits>
using UniqueHandle = BasicUniqueHandle<Traits, KeepLastError>;

// Files from CreateFileW: invalid is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool Close(Type value) noexcept { return CloseHandle(value) != FALSE; }
};

// Processes, threads, mutexes, events: invalid is null.
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return nullptr; }
  static bool Close(Type value) noexcept { return CloseHandle(value) != FALSE; }
};

// Registry keys from RegOpenKeyExW and RegCreateKeyExW. RegCloseKey returns
// its error instead of setting it; it is set so that Close can report it.
struct RegKeyTraits {
  using Type = HKEY;
  static Type Invalid() noexcept { return nullptr; }
  static bool Close(Type value) noexcept {
    LSTATUS status = RegCloseKey(value);
    if (status != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(status));
    return status == ERROR_SUCCESS;
  }
};

// Libraries from LoadLibraryW.
struct LibraryTraits {
  using Type = HMODULE;
  static Type Invalid() noexcept { return nullptr; }
  static bool Close(Type value) noexcept { return FreeLibrary(value) != FALSE; }
};

using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;

}  // namespace vk::platform
