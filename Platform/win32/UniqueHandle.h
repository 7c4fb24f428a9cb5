#pragma once
// One move-only owner for every kind of Win32 handle. The traits give the
// handle type, its invalid value and how to close it:
//
//   struct Traits {
//     using Type = HANDLE;
//     static Type Invalid() noexcept;
//     static void Close(Type value) noexcept;
//   };
//
// Closing keeps GetLastError as the failing call left it, so an owner that
// goes out of scope on an error path does not overwrite the code that is about
// to be reported.

#include <windows.h>

#include <utility>

namespace vk::platform {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() noexcept : value_(Traits::Invalid()) {}
  explicit UniqueHandle(Type value) noexcept : value_(value) {}
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Type Get() const noexcept { return value_; }
  bool Valid() const noexcept { return value_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return Valid(); }

  // Gives up ownership without closing.
  Type Release() noexcept { return std::exchange(value_, Traits::Invalid()); }

  // Closes the held handle (if any) and takes value.
  void Reset(Type value = Traits::Invalid()) noexcept {
    Type old = std::exchange(value_, value);
    if (old == Traits::Invalid()) return;
    DWORD error = GetLastError();
    Traits::Close(old);
    SetLastError(error);
  }

  // For calls that return a handle through a pointer: closes the held one first.
  Type* Put() noexcept {
    Reset();
    return &value_;
  }

 private:
  Type value_;
};

// Files from CreateFileW: invalid is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Type value) noexcept { CloseHandle(value); }
};

// Processes, threads, mutexes, events: invalid is null.
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type value) noexcept { CloseHandle(value); }
};

using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

}  // namespace vk::platform
