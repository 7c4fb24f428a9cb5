#pragma once
// The project's one move-only owner of an operating-system handle. The traits
// say what is owned; the platform's error keeper says what "the system's last
// error" is (GetLastError on Windows, errno on posix):
//
//   struct Traits {
//     using Type = HANDLE;
//     static Type Invalid() noexcept;
//     static bool Close(Type value) noexcept;  // true when closed; may return void
//   };
//
// Reset and the destructor keep the system's last error as the failing call
// left it, so an owner that goes out of scope on an error path does not
// overwrite the code about to be reported. Close reports instead: for a
// written file, whose closing can fail, it says so and leaves the error set.
//
// Platform/win32/UniqueHandle.h and Platform/posix/UniqueFd.h name the owner
// for their platform.

#include <type_traits>
#include <utility>

namespace vk::platform {

template <typename Traits, typename KeepError>
class BasicUniqueHandle {
 public:
  using Type = typename Traits::Type;

  BasicUniqueHandle() noexcept : value_(Traits::Invalid()) {}
  explicit BasicUniqueHandle(Type value) noexcept : value_(value) {}
  BasicUniqueHandle(BasicUniqueHandle&& other) noexcept : value_(other.Release()) {}
  BasicUniqueHandle& operator=(BasicUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  BasicUniqueHandle(const BasicUniqueHandle&) = delete;
  BasicUniqueHandle& operator=(const BasicUniqueHandle&) = delete;
  ~BasicUniqueHandle() { Reset(); }

  Type Get() const noexcept { return value_; }
  bool Valid() const noexcept { return value_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return Valid(); }

  // Gives up ownership without closing.
  Type Release() noexcept { return std::exchange(value_, Traits::Invalid()); }

  // Closes the held handle (if any) and takes value; the last error stays.
  void Reset(Type value = Traits::Invalid()) noexcept {
    Type old = std::exchange(value_, value);
    if (old == Traits::Invalid()) return;
    KeepError keep;
    CloseValue(old);
  }

  // Closes now; false when closing failed, with the system's error as the
  // close left it. Nothing held counts as closed.
  bool Close() noexcept {
    Type old = Release();
    return old == Traits::Invalid() || CloseValue(old);
  }

  // For calls that return a handle through a pointer: closes the held one first.
  Type* Put() noexcept {
    Reset();
    return &value_;
  }

 private:
  static bool CloseValue(Type value) noexcept {
    if constexpr (std::is_void_v<decltype(Traits::Close(value))>) {
      Traits::Close(value);
      return true;
    } else {
      return static_cast<bool>(Traits::Close(value));
    }
  }

  Type value_;
};

}  // namespace vk::platform
