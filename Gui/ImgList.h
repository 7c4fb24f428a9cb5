#pragma once
// TImageList: small pictures of one size (16 x 16) that menus show beside
// their entries' captions, by index. Each picture is a 32-bit bitmap with an
// alpha channel, so its background is the menu's, highlighted or not. Each
// also has a greyed copy, for disabled entries.

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "Gui/GdiHandles.h"

namespace vk::gui {

inline constexpr int kImageSize = 16;
// A picture's pixels, rows from the top, each 0xAARRGGBB (not premultiplied).
using TImagePixels = std::array<std::uint32_t, kImageSize * kImageSize>;

// A pixel of a disabled entry's picture: its brightness, lightened halfway to
// white so that it reads as unavailable on the menu; alpha kept.
constexpr std::uint32_t GreyedPixel(std::uint32_t argb) {
  const std::uint32_t luma = (299 * ((argb >> 16) & 0xFF) + 587 * ((argb >> 8) & 0xFF) + 114 * (argb & 0xFF)) / 1000;
  const std::uint32_t grey = (luma + 255) / 2;
  return (argb & 0xFF000000u) | grey << 16 | grey << 8 | grey;
}

class TImageList {
 public:
  TImageList() = default;
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  // Appends a picture; returns its index. Raises EOSError when the system
  // cannot make the bitmap.
  int Add(const TImagePixels& pixels);
  int Count() const { return static_cast<int>(pictures_.size()); }
  // The picture's bitmap, or its greyed copy, kept by the list; null for an
  // index outside it.
  HBITMAP Bitmap(int index, bool greyed = false) const;

 private:
  struct Picture {
    UniqueBitmap Full, Greyed;
  };
  std::vector<Picture> pictures_;
};

}  // namespace vk::gui
