#pragma once
// Fixed-width padding of texts and numbers and shortening of a file path to a
// pixel width, for file names in messages, the fixed-width text export and the
// about window.
//
// Texts are UTF-8; lengths count characters (code points), never bytes, so a
// Cyrillic text is never cut inside a character.

#include <cstdint>
#include <functional>
#include <string>

namespace vk {

// The text right-aligned in exactly newLen characters, fill characters on the
// left; a longer text keeps only its last newLen characters. Raises
// EAssertionFailed "newLen is negative" for a negative newLen.
std::string PadLeft(const std::string& text, int newLen, char32_t fill);

// The text left-aligned in exactly newLen characters, fill characters on the
// right; a longer text keeps its first newLen characters. Same assertion.
std::string PadRight(const std::string& text, int newLen, char32_t fill);

// The decimal digits of number made exactly width characters by PadLeft with
// '0' (a number with more digits keeps its last width digits). Raises
// EAssertionFailed "Number must be positive" for 0.
std::string IntToZeroPadded(uint32_t number, int width);

// The pixel width of a text in the font that will show it.
using TextWidthFunction = std::function<int(const std::string&)>;

// The path shortened to fit width pixels the way the system's path ellipsis
// does: a path that fits comes back unchanged; otherwise the end of the folder
// part gives way to "..." before the last "\" or "/", and when even "..." and
// the file name are too wide the file name is cut at its end with "..." as
// well ("...\stock..."; a text without "\" or "/" is all file name and
// gives "...stock..."). The result is "..." when nothing else fits.
//
// Measured here rather than left to DrawText's DT_PATH_ELLIPSIS, whose text
// buffer must have room for the characters it adds and which Wine aborts on
// for widths narrower than the ellipsis; the results agree otherwise.
std::string ShortenPathToWidth(const std::string& text, const TextWidthFunction& textWidth, int width);

}  // namespace vk
