#pragma once
// TImageList: small pictures of one size (16 x 16) that menus show beside
// their entries' captions, by index. Each picture is a 32-bit bitmap with an
// alpha channel, so its background is the menu's, highlighted or not.

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "Gui/GdiHandles.h"

namespace vk::gui {

inline constexpr int kImageSize = 16;
// A picture's pixels, rows from the top, each 0xAARRGGBB (not premultiplied).
using TImagePixels = std::array<std::uint32_t, kImageSize * kImageSize>;

class TImageList {
 public:
  TImageList() = default;
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  // Appends a picture; returns its index. Raises EOSError when the system
  // cannot make the bitmap.
  int Add(const TImagePixels& pixels);
  int Count() const { return static_cast<int>(bitmaps_.size()); }
  // The picture's bitmap, kept by the list; null for an index outside it.
  HBITMAP Bitmap(int index) const;

 private:
  std::vector<UniqueBitmap> bitmaps_;
};

}  // namespace vk::gui
