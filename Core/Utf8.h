#pragma once
// The program's one UTF-8 coder. Every text of the program is UTF-8; this is
// where it meets code points and UTF-16 outside the Win32 boundary (the posix
// code pages, searching and padding by characters, comparing names).
//
// Decoding is strict: overlong forms, surrogates and values above U+10FFFF
// are refused, and each maximal invalid subpart becomes one U+FFFD.
// Counting characters needs no decoding: every byte that is not a
// continuation byte starts a character, and so does the first byte, so broken
// text is counted and cut without losing a byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends one code point; a surrogate or a value above U+10FFFF appends U+FFFD.
void Utf8Append(std::string& text, char32_t codePoint);

std::u32string Utf8Decode(std::string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
// A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Byte offsets where the characters start, then the end of the text.
std::vector<size_t> Utf8CharacterStarts(std::string_view text);
int32_t Utf8Length(std::string_view text);
// Bytes of the first n characters (all of them when there are fewer).
size_t Utf8PrefixBytes(std::string_view text, int32_t n);
// Removes the last character.
void Utf8DropLast(std::string& text);

}  // namespace vk
