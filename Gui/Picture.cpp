#include "Gui/Picture.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>

namespace vk::gui {

namespace {

template <typename T>
struct ComPtr {
  T* Ptr = nullptr;
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (Ptr) Ptr->Release();
  }
};

}  // namespace

bool DrawPictureBytes(TImage& image, std::string_view bytes) {
  if (bytes.empty()) return false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return false;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return false;
  }
  memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  ComPtr<IStream> stream;
  // The stream frees the memory when it goes.
  if (FAILED(CreateStreamOnHGlobal(memory, /*deleteOnRelease=*/TRUE, &stream.Ptr))) {
    GlobalFree(memory);
    return false;
  }
  ComPtr<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.Ptr, static_cast<LONG>(bytes.size()), /*runMode=*/FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture.Ptr)))) {
    return false;
  }
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture.Ptr->get_Width(&width);
  picture.Ptr->get_Height(&height);
  // The picture's own coordinates run bottom-up in HIMETRIC units.
  return SUCCEEDED(picture.Ptr->Render(image.Canvas().Handle(), 0, 0, image.Width(), image.Height(), 0, height, width,
                                       -height, /*bounds=*/nullptr));
}

std::string_view ProgramResource(const wchar_t* type, const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  DWORD size = SizeofResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  // Resources stay mapped as long as the program runs.
  return {static_cast<const char*>(data), size};
}

}  // namespace vk::gui
