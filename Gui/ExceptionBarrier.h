#pragma once
// No C++ exception may unwind through a Win32 frame. Every window procedure,
// subclass procedure, enumeration callback and hook of Gui/ runs its body
// through Guarded, which hands whatever escapes to the application's handler
// and returns a safe value to Windows instead.

namespace vk::gui {

// Hands the exception being handled to Application.HandleException. Call it
// only inside a catch block; it never throws.
void HandOverCurrentException() noexcept;

// While one lives (around a window's own painting), exceptions handed over
// wait until the painting is over and are reported from the message loop: a
// modal box inside WM_PAINT would leave the window unpainted and paint again
// under the box.
class PaintingScope {
 public:
  PaintingScope() noexcept;
  ~PaintingScope();
  PaintingScope(const PaintingScope&) = delete;
  PaintingScope& operator=(const PaintingScope&) = delete;
};

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
