#pragma once
// No C++ exception may unwind through a Win32 frame. Every window procedure,
// subclass procedure, enumeration callback and hook of Gui/ runs its body
// through Guarded, which hands whatever escapes to the application's handler
// and returns a safe value to Windows instead.

namespace vk::gui {

// Hands the exception being handled to Application.HandleException. Call it
// only inside a catch block; it never throws.
void HandOverCurrentException() noexcept;

template <typename Result, typename Body>
Result Guarded(Result safeResult, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    HandOverCurrentException();
    return safeResult;
  }
}

}  // namespace vk::gui
