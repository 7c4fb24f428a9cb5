#pragma once
// UTF-8 <-> UTF-16 at the Win32 boundary. Windows only: every W call of
// Platform/ and Gui/ converts through these two functions.

#include <windows.h>

#include <string>

namespace vk::platform {

// Invalid UTF-8 becomes U+FFFD; never an empty result for a non-empty text.
inline std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

inline std::string WideToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// The system's text for an error code, trimmed of its line end.
inline std::string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           /*source=*/nullptr, code, /*language=*/0, reinterpret_cast<wchar_t*>(&buffer), 0,
                           /*arguments=*/nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : L"error " + std::to_wstring(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return WideToUtf8(text);
}

}  // namespace vk::platform
