#pragma once
// What an entry control's model works on: the text, the caret and the
// selection, and the keys the models react to. The windows copy their state in,
// let the model decide, and copy the result back.

#include <string>

namespace vk {

struct TEditState {
  std::string Text;
  // Caret position (0 = before the first character) and selection length; the
  // selection runs from SelStart to SelStart + SelLength.
  int SelStart = 0;
  int SelLength = 0;

  bool operator==(const TEditState&) const = default;
};

// The navigation and editing keys of KeyDown; every other key is Other.
enum class TEditKey { Other, Left, Right, Up, Down, Delete };

struct TKeyModifiers {
  bool Shift = false;
  bool Ctrl = false;
};

// Character codes the controls let through to the standard edit.
inline constexpr char kCtrlC = 3;
inline constexpr char kBackspace = 8;
inline constexpr char kCtrlV = 22;
inline constexpr char kCtrlX = 24;
inline constexpr char kCtrlZ = 26;
// What Ctrl+Backspace types in a single-line edit.
inline constexpr char kCtrlBackspace = 127;

}  // namespace vk
