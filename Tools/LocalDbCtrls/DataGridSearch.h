#pragma once
// Text helpers of the grid's typed search. Search texts are UTF-8 and are
// counted in characters, as typed.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vk {

constexpr char32_t kBackspace = 8;
constexpr char32_t kEnter = 13;

int32_t Utf8Length(const std::string& text);
// Bytes taken by the first n characters (all of them when n is larger).
size_t Utf8PrefixBytes(const std::string& text, int32_t n);
void Utf8Append(std::string& text, char32_t ch);
void Utf8DropLast(std::string& text);

// What one typed character does to the search text: Backspace drops the
// last character (an empty text stays empty); another character is
// appended while the text is shorter than the column's search length.
void ApplySearchChar(std::string& text, char32_t ch, int32_t searchLength);

// Control characters other than Backspace (Ctrl+letters, Esc, Tab) are not
// part of a search: they would look for texts no one can see or type.
inline bool IsSearchChar(char32_t ch) { return ch == kBackspace || (ch >= 32 && ch != 127); }

}  // namespace vk
