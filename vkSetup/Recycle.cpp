#include "vkSetup/Recycle.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include "Platform/win32/Utf16.h"

namespace vk::setup {

namespace {

bool FolderExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool RecycleFolder(const std::string& path) {
  std::wstring folder = platform::Utf8ToWide(path);
  DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return false;
  // A list of names, each ended by a zero, the list by another.
  std::wstring from = folder + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = GetActiveWindow();
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  // FOF_NOCONFIRMATION alone would delete for good whatever the bin cannot
  // take; FOF_WANTNUKEWARNING asks the user first.
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI;
  int result = SHFileOperationW(&operation);
  return result == 0 && !operation.fAnyOperationsAborted && !FolderExists(folder);
}

}  // namespace vk::setup
