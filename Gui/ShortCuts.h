#pragma once
// Keyboard shortcuts as actions and menu items hold them: the key's
// virtual-key code in the low byte and the modifier keys in the high bits,
// and their text as a menu item shows it ("F2", "Ctrl+Del", "Num +").
// Portable: the key codes are the values Windows gives its keys.

#include <cstdint>
#include <string>

namespace vk::gui {

using TShortCut = std::uint16_t;

inline constexpr TShortCut scNone = 0;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// Virtual-key codes of the keys the program's shortcuts name.
namespace keys {
inline constexpr std::uint16_t Back = 0x08;
inline constexpr std::uint16_t Tab = 0x09;
inline constexpr std::uint16_t Return = 0x0D;
inline constexpr std::uint16_t Escape = 0x1B;
inline constexpr std::uint16_t Space = 0x20;
inline constexpr std::uint16_t Insert = 0x2D;
inline constexpr std::uint16_t Delete = 0x2E;
inline constexpr std::uint16_t Add = 0x6B;       // keypad +
inline constexpr std::uint16_t Subtract = 0x6D;  // keypad -
inline constexpr std::uint16_t F1 = 0x70;
inline constexpr std::uint16_t F2 = 0x71;
inline constexpr std::uint16_t F3 = 0x72;
inline constexpr std::uint16_t F4 = 0x73;
inline constexpr std::uint16_t F9 = 0x78;
inline constexpr std::uint16_t F10 = 0x79;
inline constexpr std::uint16_t F11 = 0x7A;
inline constexpr std::uint16_t F12 = 0x7B;
}  // namespace keys

// The key with the modifiers (any of scShift, scCtrl, scAlt).
constexpr TShortCut ShortCut(std::uint16_t key, TShortCut modifiers = 0) {
  return static_cast<TShortCut>((key & 0xFF) | (modifiers & (scShift | scCtrl | scAlt)));
}
constexpr std::uint16_t ShortCutKey(TShortCut shortCut) { return shortCut & 0xFF; }
constexpr TShortCut ShortCutModifiers(TShortCut shortCut) { return shortCut & (scShift | scCtrl | scAlt); }

// "Shift+", "Ctrl+", "Alt+" in that order, then the key's name; empty for
// none and for a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The shortcut a text names, in the form ShortCutToText writes (modifier and
// key names in any letter case, blanks around the "+" allowed); scNone for an
// empty text or one that names no key.
TShortCut TextToShortCut(const std::string& text);

}  // namespace vk::gui
