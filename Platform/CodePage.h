#pragma once
// Code pages and the system's language, as the operating system reports them.
//
// The conversions take the bytes of a text in a code page (65001 is UTF-8)
// and give UTF-16, and back. They never turn a non-empty text into an empty
// one without saying so: input that cannot be decoded becomes U+FFFD, and a
// code page the system does not know raises EOSError. Characters a code page
// lacks become that code page's default character ("?" for the Windows code
// pages), never a look-alike (no best fit: "é" is not "e" in 1251), so a
// text that does not come back unchanged has lost something. All functions
// may be called from any thread.
//
// win32: the system's own tables. posix: code pages 1251, 1252, 20127 (ASCII)
// and 65001 only, and the language taken from LANG as Wine takes it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk::platform {

inline constexpr uint32_t kCodePageUtf8 = 65001;

// The system's ANSI code page (GetACP).
uint32_t AnsiCodePage();
// The system default language id (GetSystemDefaultLangID).
uint16_t SystemDefaultLangId();
// The locale's LOCALE_IDEFAULTANSICODEPAGE text for a language id, read into
// a buffer of 6 characters (the terminating zero not included in the
// result); nullopt when the system cannot answer.
std::optional<std::string> LocaleDefaultAnsiCodePageText(uint16_t langId);
// True when the code page is installed and valid (IsValidCodePage).
bool IsValidCodePage(uint32_t codePage);

// Decodes all bytes of text (its length, not a terminator). Empty gives empty.
std::u16string MultiByteToUtf16(std::string_view bytes, uint32_t codePage);
// Encodes all UTF-16 units; lone surrogates become U+FFFD (for UTF-8) or the
// default character. Empty gives empty.
std::string Utf16ToMultiByte(std::u16string_view text, uint32_t codePage);
// For converting many texts of a code page whose every character is one
// byte: fills table with the UTF-16 unit of each byte, the same
// MultiByteToUtf16 gives for it in any text. False, with the table
// untouched, for a code page with longer characters (UTF-8, the East Asian
// ones) or one the system does not know.
bool SingleByteCodePageTable(uint32_t codePage, std::array<char16_t, 256>& table);

}  // namespace vk::platform
