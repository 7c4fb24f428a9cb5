#include "Gui/ImgList.h"

#include "Core/SysUtils.h"
#include "Platform/win32/Utf16.h"

namespace vk::gui {

namespace {

UniqueBitmap MakeBitmap(const TImagePixels& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kImageSize;
  info.bmiHeader.biHeight = -kImageSize;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(/*dc=*/nullptr, &info, DIB_RGB_COLORS, &bits, /*section=*/nullptr, 0));
  if (!bitmap || !bits) {
    const DWORD error = GetLastError();
    throw EOSError("CreateDIBSection: " + platform::SystemErrorText(error));
  }
  // The system blends menu pictures with premultiplied alpha.
  auto* out = static_cast<std::uint32_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const std::uint32_t p = pixels[i];
    const std::uint32_t a = p >> 24;
    auto channel = [&](int shift) { return (((p >> shift) & 0xFF) * a / 255) << shift; };
    out[i] = (a << 24) | channel(16) | channel(8) | channel(0);
  }
  GdiFlush();
  return bitmap;
}

}  // namespace

int TImageList::Add(const TImagePixels& pixels) {
  TImagePixels greyed;
  for (size_t i = 0; i < pixels.size(); ++i) greyed[i] = GreyedPixel(pixels[i]);
  pictures_.push_back({MakeBitmap(pixels), MakeBitmap(greyed)});
  return Count() - 1;
}

HBITMAP TImageList::Bitmap(int index, bool greyed) const {
  if (index < 0 || index >= Count()) return nullptr;
  const Picture& picture = pictures_[static_cast<size_t>(index)];
  return (greyed ? picture.Greyed : picture.Full).Get();
}

}  // namespace vk::gui
