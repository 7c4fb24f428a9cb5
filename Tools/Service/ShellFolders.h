#pragma once
// What the shell's folder dialogs share: item lists owned through the
// shell's allocator, COM for the dialog's thread, and the folder an item
// names. Windows only.

#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "Platform/win32/UniqueHandle.h"

namespace vk {

struct ItemListTraits {
  using Type = LPITEMIDLIST;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type value) noexcept { CoTaskMemFree(value); }
};
using ItemList = platform::UniqueHandle<ItemListTraits>;

// COM for the calling thread while a dialog is open; left alone when the
// thread already has it in another apartment.
class ComScope {
 public:
  ComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialized_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialized_;
};

// The file-system path of an item, and whether it is an existing folder.
inline bool ExistingFolderOf(LPCITEMIDLIST item, std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  if (item == nullptr || !SHGetPathFromIDListW(item, buffer) || buffer[0] == L'\0') return false;
  path = buffer;
  DWORD attributes = GetFileAttributesW(buffer);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens the shell's folder browser owned by the active window, rooted at the
// desktop, with the title line above its tree, and waits for it; the chosen
// item, null when cancelled.
inline ItemList BrowseForItem(const std::wstring& titleLine, UINT flags, BFFCALLBACK callback, LPARAM data) {
  std::wstring displayName(MAX_PATH, L'\0');
  ItemList root;
  if (FAILED(SHGetSpecialFolderLocation(/*owner=*/nullptr, CSIDL_DESKTOP, root.Put()))) root.Release();
  BROWSEINFOW info = {};
  info.hwndOwner = GetActiveWindow();
  info.pidlRoot = root.Get();
  info.pszDisplayName = displayName.data();
  info.lpszTitle = titleLine.c_str();
  info.ulFlags = flags;
  info.lpfn = callback;
  info.lParam = data;
  return ItemList(SHBrowseForFolderW(&info));
}

}  // namespace vk
