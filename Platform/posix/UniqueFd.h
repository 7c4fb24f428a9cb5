#pragma once
// The one handle owner (Platform/UniqueHandle.h) for file descriptors,
// keeping errno while it closes.

#include <unistd.h>

#include <cerrno>

#include "Platform/UniqueHandle.h"

namespace vk::platform {

// Saves errno and puts it back.
class KeepErrno {
 public:
  KeepErrno() noexcept : error_(errno) {}
  ~KeepErrno() { errno = error_; }
  KeepErrno(const KeepErrno&) = delete;
  KeepErrno& operator=(const KeepErrno&) = delete;

 private:
  int error_;
};

struct FdTraits {
  using Type = int;
  static Type Invalid() noexcept { return -1; }
  static bool Close(Type fd) noexcept { return ::close(fd) == 0; }
};

using UniqueFd = BasicUniqueHandle<FdTraits, KeepErrno>;

}  // namespace vk::platform
