#include "Platform/CodePage.h"

#include <windows.h>

#include "Core/SysUtils.h"
#include "Platform/win32/SystemError.h"
#include "Platform/win32/Utf16.h"

namespace vk::platform {
namespace {

[[noreturn]] void RaiseConversionError(const char* call, uint32_t codePage, DWORD code) {
  RaiseSystemCallError(call, "code page " + std::to_string(codePage), code);
}

}  // namespace

uint32_t AnsiCodePage() { return GetACP(); }

uint16_t SystemDefaultLangId() { return GetSystemDefaultLangID(); }

std::optional<std::string> LocaleDefaultAnsiCodePageText(uint16_t langId) {
  wchar_t buffer[6] = {};
  int n = GetLocaleInfoW(MAKELCID(langId, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, buffer, 6);
  if (n <= 0) return std::nullopt;
  // The count includes the terminating zero.
  return WideToUtf8(std::wstring(buffer, static_cast<size_t>(n - 1)));
}

bool IsValidCodePage(uint32_t codePage) { return ::IsValidCodePage(codePage) != FALSE; }

std::u16string MultiByteToUtf16(std::string_view bytes, uint32_t codePage) {
  if (bytes.empty()) return {};
  int length = static_cast<int>(bytes.size());
  int n = MultiByteToWideChar(codePage, /*flags=*/0, bytes.data(), length, nullptr, 0);
  DWORD error = GetLastError();
  if (n <= 0) RaiseConversionError("MultiByteToWideChar", codePage, error);
  std::u16string out(static_cast<size_t>(n), u'\0');
  n = MultiByteToWideChar(codePage, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()), n);
  error = GetLastError();
  if (n <= 0) RaiseConversionError("MultiByteToWideChar", codePage, error);
  out.resize(static_cast<size_t>(n));
  return out;
}

bool SingleByteCodePageTable(uint32_t codePage, std::array<char16_t, 256>& table) {
  CPINFO info{};
  if (!GetCPInfo(codePage, &info) || info.MaxCharSize != 1) return false;
  std::array<char16_t, 256> units{};
  for (unsigned b = 1; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    if (MultiByteToWideChar(codePage, 0, &byte, 1, reinterpret_cast<wchar_t*>(&units[b]), 1) != 1) return false;
  }
  table = units;
  return true;
}

std::string Utf16ToMultiByte(std::u16string_view text, uint32_t codePage) {
  if (text.empty()) return {};
  auto wide = reinterpret_cast<const wchar_t*>(text.data());
  int length = static_cast<int>(text.size());
  // Without best fit a character the code page lacks becomes the default
  // character instead of a look-alike ("é" is not "e" in 1251), so a text
  // that does not come back says so. UTF-8 and a few others take no flags.
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  int n = WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, /*defaultChar=*/nullptr,
                              /*usedDefault=*/nullptr);
  DWORD error = GetLastError();
  if (n <= 0 && error == ERROR_INVALID_FLAGS) {
    flags = 0;
    n = WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, nullptr, nullptr);
    error = GetLastError();
  }
  if (n <= 0) RaiseConversionError("WideCharToMultiByte", codePage, error);
  std::string out(static_cast<size_t>(n), '\0');
  n = WideCharToMultiByte(codePage, flags, wide, length, out.data(), n, nullptr, nullptr);
  error = GetLastError();
  if (n <= 0) RaiseConversionError("WideCharToMultiByte", codePage, error);
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace vk::platform
