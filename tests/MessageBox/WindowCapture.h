#pragma once
// Test helpers for real windows: the visible windows of a class, the screen's
// pixels of a rectangle, and a screenshot of a window (frame included)
// written as a 24-bit BMP file under the build tree's artifacts folder, for
// people to look at.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Gui/GdiHandles.h"
#include "Platform/win32/Utf16.h"

namespace vk::test {

struct WindowClassSearch {
  std::wstring Name;
  std::vector<HWND> Found;
};

inline BOOL CALLBACK CollectWindowOfClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowClassSearch*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (search->Name == name && IsWindowVisible(window)) search->Found.push_back(window);
  return TRUE;
}

inline std::vector<HWND> VisibleThreadWindowsOfClass(const std::wstring& className) {
  WindowClassSearch search{className, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectWindowOfClass, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// The artifacts folder as Wine sees the build tree (drive Z: is the root).
inline std::wstring ArtifactPath(const std::string& fileName) {
  std::string dir = VK_ARTIFACTS_DIR;
  if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
  return platform::Utf8ToWide(dir + "/" + fileName);
}

// The screen's pixels of the rectangle, 32 bits each (0x..RRGGBB), row by
// row from the top, read in one copy.
inline std::vector<uint32_t> CapturePixels(const RECT& area, int& width, int& height) {
  width = std::max(0L, area.right - area.left);
  height = std::max(0L, area.bottom - area.top);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  if (pixels.empty()) return pixels;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  gui::UniqueBitmap dib(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bits) {
    gui::MemoryDc memory;
    gui::SelectGuard select(memory.Dc(), dib.Get());
    BitBlt(memory.Dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Paints the window and its children now and writes what the screen shows
// of it; false when the file could not be written.
inline bool SaveWindowScreenshot(HWND window, const std::wstring& path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r;
  GetWindowRect(window, &r);
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = CapturePixels(r, width, height);
  if (pixels.empty()) return false;
  // 24-bit rows, bottom-up and each padded to 4 bytes, as BMP files are.
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::vector<uint8_t> image(static_cast<size_t>(stride) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::memcpy(&image[static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3],
                  &pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)], 3);
    }
  }
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(image.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
            fwrite(image.data(), image.size(), 1, out) == 1;
  return fclose(out) == 0 && ok;
}

}  // namespace vk::test
