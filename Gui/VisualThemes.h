#pragma once
// The visual-theme functions of uxtheme.dll, bound at run time so that the
// programs start where there is none, and the one rule for whether visual
// themes are in use: the window look and the grid header ask the same.

#include <windows.h>

#include "Platform/win32/UniqueHandle.h"

namespace vk::gui {

class TVisualThemes {
 public:
  TVisualThemes();
  TVisualThemes(const TVisualThemes&) = delete;
  TVisualThemes& operator=(const TVisualThemes&) = delete;

  // The library and every function used were found.
  bool Usable() const;
  // Themes are on for the system and this program, and the program's
  // controls are themed. A program that switched its controls' theme off
  // is not themed, also where IsAppThemed does not look at that (Wine).
  bool Active() const;

  // These require Usable().
  HANDLE OpenThemeData(HWND window, const wchar_t* classes) const { return openThemeData_(window, classes); }
  void CloseThemeData(HANDLE theme) const { closeThemeData_(theme); }
  void DrawThemeBackground(HANDLE theme, HDC dc, int part, int state, const RECT& rect) const {
    drawThemeBackground_(theme, dc, part, state, &rect, /*clip=*/nullptr);
  }

 private:
  using IsThemeActiveFn = BOOL(WINAPI*)();
  using IsAppThemedFn = BOOL(WINAPI*)();
  using GetThemeAppPropertiesFn = DWORD(WINAPI*)();
  using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
  using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);

  template <typename Fn>
  Fn Entry(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_.Get(), name)));
  }

  platform::UniqueLibrary library_;
  IsThemeActiveFn isThemeActive_ = nullptr;
  IsAppThemedFn isAppThemed_ = nullptr;
  GetThemeAppPropertiesFn getThemeAppProperties_ = nullptr;
  OpenThemeDataFn openThemeData_ = nullptr;
  CloseThemeDataFn closeThemeData_ = nullptr;
  DrawThemeBackgroundFn drawThemeBackground_ = nullptr;
};

// Whether visual themes are in use now (TVisualThemes::Active).
bool VisualThemesActive();

}  // namespace vk::gui
