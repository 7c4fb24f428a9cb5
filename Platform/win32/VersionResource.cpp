#include "Platform/VersionResource.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "Platform/win32/Utf16.h"

namespace vk::platform {

std::string ReadVersionString(const std::string& fileName, const std::string& valueName) {
  std::wstring wideName = Utf8ToWide(fileName);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(wideName.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<BYTE> info(size);
  if (!GetFileVersionInfoW(wideName.c_str(), /*handle=*/0, size, info.data())) return {};

  // Each translation entry is a language word followed by a code-page word.
  void* translation = nullptr;
  UINT translationBytes = 0;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &translation, &translationBytes) ||
      translationBytes < 2 * sizeof(WORD))
    return {};
  const WORD* words = static_cast<const WORD*>(translation);
  wchar_t block[32];
  std::swprintf(block, 32, L"\\StringFileInfo\\%04X%04X\\", words[0], words[1]);

  void* value = nullptr;
  UINT valueChars = 0;
  std::wstring path = block + Utf8ToWide(valueName);
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &valueChars) || value == nullptr) return {};
  // The count may or may not include the terminating zero; the text ends at it.
  std::wstring text(static_cast<const wchar_t*>(value), valueChars);
  text.resize(wcsnlen(text.c_str(), text.size()));
  return WideToUtf8(text);
}

std::string RunningProgramFile() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(/*module=*/nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return WideToUtf8(buffer.substr(0, n));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace vk::platform
