#pragma once
// The Desktop Window Manager's library, bound at run time so that the
// programs start on systems without it. Uses are counted: the library is
// loaded at the first use and freed with the last. Windows only.

#include <windows.h>

#include "Tools/Service/GlassGradienterColors.h"

namespace vk::dwm {

// Takes one use (nothing before Windows 7); a failed load is tried again by
// the next use.
void LoadDwmLibrary();
// Drops one use; the last one frees the library.
void FreeDwmLibrary();
// Supported, loaded and every entry point bound.
bool DwmLoaded();

// The entry points; each answers "no" (false, a failed HRESULT) while the
// library is not loaded.
bool IsCompositionEnabled();
HRESULT ExtendFrameIntoClientArea(HWND window, int left, int right, int top, int bottom);
// The colorization record (the entry exported by ordinal 127); raises
// EOSError when it cannot be read.
TColorization ColorizationRecord();
HRESULT GetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size);
HRESULT SetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);

}  // namespace vk::dwm
