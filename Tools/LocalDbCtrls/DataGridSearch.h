#pragma once
// Text helpers of the grid's typed search. Search texts are UTF-8 and are
// counted in characters, as typed.

#include <cstddef>
#include <cstdint>
#include <string>

#include "Core/Utf8.h"

namespace vk {

constexpr char32_t kBackspace = 8;
constexpr char32_t kEnter = 13;

// What one typed character does to the search text: Backspace drops the
// last character (an empty text stays empty); another character is
// appended while the text is shorter than the column's search length.
void ApplySearchChar(std::string& text, char32_t ch, int32_t searchLength);

// Control characters other than Backspace (Ctrl+letters, Esc, Tab) are not
// part of a search: they would look for texts no one can see or type.
inline bool IsSearchChar(char32_t ch) { return ch == kBackspace || (ch >= 32 && ch != 127); }

}  // namespace vk
