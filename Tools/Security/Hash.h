#pragma once
// The 32-bit string hash: the last four bytes of the MD5 digest, read as a
// little-endian number. It names the single-instance mutex after the
// program's folder (over the folder's UTF-8 text) and is the only form in
// which a password is stored (over its bytes in the system's code page).
//
// The hash is over bytes, not characters: the same text in two code pages
// has two hashes. Texts arrive as UTF-8, but the stored hashes were taken
// over the text in the system's ANSI code page, so HashText converts to those
// bytes first; a character the code page lacks becomes its default
// character ("?") before hashing, as it always did.

#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

// Longest text a hash is taken of, in bytes: the length travels as 16 bits.
inline constexpr size_t kMaxHashedLength = 65535;

// MD5 over exactly length bytes, folded to 32 bits.
uint32_t HashBuffer(const void* buffer, uint16_t length);

// The hash of the bytes as stored. Raises EAssertionFailed for no bytes (a
// programming error) and ERangeError for more than kMaxHashedLength.
uint32_t HashString(std::string_view bytes);

// The text form: 8 upper-case hexadecimal digits with "-" after the fourth
// (727F-E128).
std::string HashToText(uint32_t hash);
std::string HashStringHex(std::string_view bytes);

// The UTF-8 text as bytes of the code page (UTF-8 -> UTF-16 -> code page).
// Raises EOSError for a code page the system does not know.
std::string TextToCodePageBytes(std::string_view utf8, uint32_t codePage);

// HashString of the UTF-8 text's bytes in the code page, or in the system's
// ANSI code page. Same failures as HashString, the length counted in those
// bytes.
uint32_t HashText(std::string_view utf8, uint32_t codePage);
uint32_t HashText(std::string_view utf8);

}  // namespace vk
