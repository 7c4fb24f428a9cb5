#pragma once
// Owners for the GDI objects and device contexts that Gui/ creates. They keep
// GetLastError intact while releasing, like every handle owner of the project,
// so an error path that unwinds through them still reports the failing call.

#include <windows.h>

#include <utility>

#include "Platform/win32/UniqueHandle.h"

namespace vk::gui {

// A created pen, brush, font, bitmap or region, deleted with DeleteObject:
// the project's one handle owner with GDI traits.
template <typename T>
struct GdiObjectTraits {
  using Type = T;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type value) noexcept { DeleteObject(value); }
};

template <typename T>
using GdiObject = platform::UniqueHandle<GdiObjectTraits<T>>;

using UniqueBrush = GdiObject<HBRUSH>;
using UniquePen = GdiObject<HPEN>;
using UniqueFont = GdiObject<HFONT>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueRegion = GdiObject<HRGN>;

// A created device context (CreateCompatibleDC, CreateDCW), deleted with DeleteDC.
struct CreatedDcTraits {
  using Type = HDC;
  static Type Invalid() noexcept { return nullptr; }
  static bool Close(Type value) noexcept { return DeleteDC(value) != FALSE; }
};
using UniqueDc = platform::UniqueHandle<CreatedDcTraits>;

// Memory from GlobalAlloc (the clipboard's text, the printer dialog's
// settings), freed with GlobalFree.
struct GlobalMemoryTraits {
  using Type = HGLOBAL;
  static Type Invalid() noexcept { return nullptr; }
  static bool Close(Type value) noexcept { return GlobalFree(value) == nullptr; }
};
using GlobalMemory = platform::UniqueHandle<GlobalMemoryTraits>;

// BeginPaint ... EndPaint around one WM_PAINT.
class PaintGuard {
 public:
  explicit PaintGuard(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &ps_); }
  ~PaintGuard() { EndPaint(window_, &ps_); }
  PaintGuard(const PaintGuard&) = delete;
  PaintGuard& operator=(const PaintGuard&) = delete;

  HDC Dc() const noexcept { return dc_; }
  const RECT& UpdateRect() const noexcept { return ps_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// GetDC ... ReleaseDC; a null window gives the screen's DC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Dc() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC compatible with the screen, deleted with DeleteDC.
class MemoryDc {
 public:
  MemoryDc() noexcept : dc_(CreateCompatibleDC(nullptr)) {}
  HDC Dc() const noexcept { return dc_.Get(); }

 private:
  UniqueDc dc_;
};

// Narrows a DC's clipping to a rectangle and puts the previous clipping back.
// (SaveDC/RestoreDC would also put back selected objects behind a canvas's back.)
class ClipGuard {
 public:
  ClipGuard(HDC dc, const RECT& rect) noexcept : dc_(dc), saved_(CreateRectRgn(0, 0, 0, 0)) {
    hadRegion_ = saved_ && GetClipRgn(dc, saved_.Get()) == 1;
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
  ~ClipGuard() { SelectClipRgn(dc_, hadRegion_ ? saved_.Get() : nullptr); }
  ClipGuard(const ClipGuard&) = delete;
  ClipGuard& operator=(const ClipGuard&) = delete;

 private:
  HDC dc_;
  UniqueRegion saved_;
  bool hadRegion_ = false;
};

}  // namespace vk::gui
