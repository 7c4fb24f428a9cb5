#pragma once
// The message box's rules, apart from its window: what the flags mean, how
// the two buttons are set up for a call, and how a long folder path is broken
// into lines that fit the text area.
//
// Flags: the low four bits give the button kind (0 one button, 1 two), the
// next four the icon kind (16 error, 32 question, 48 warning, 64 information).

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vk {

inline constexpr int kMbOneButton = 0;
inline constexpr int kMbTwoButtons = 1;
inline constexpr int kMbIconError = 16;
inline constexpr int kMbIconQuestion = 32;
inline constexpr int kMbIconWarning = 48;
inline constexpr int kMbIconInformation = 64;

// The system icons (LoadIcon without a module) of the icon kinds.
inline constexpr int kIdiHand = 32513;
inline constexpr int kIdiQuestion = 32514;
inline constexpr int kIdiExclamation = 32515;
inline constexpr int kIdiAsterisk = 32516;

// The system icon of the flags' icon kind; 0 for a kind without one.
int MessageBoxIconId(int flags);
// Two buttons for button kind 1; every other kind shows one.
bool HasTwoButtons(int flags);

// One button's settings for a call.
struct TMessageButtonSetup {
  std::string Caption;
  std::string Hint;
  bool Default = false;
  bool Cancel = false;
  int ModalResult = 0;

  bool operator==(const TMessageButtonSetup&) const = default;
};

// The buttons of one call. Without Btn1 the first button is hidden and keeps
// the settings of the last call that showed it.
struct TMessageBoxButtons {
  std::optional<TMessageButtonSetup> Btn1;
  TMessageButtonSetup Btn2;
  // The first button takes the focus (two buttons).
  bool Btn1Focused = false;

  bool operator==(const TMessageBoxButtons&) const = default;
};
// One button: the right-hand button with the first caption and hint, pressed
// by Enter and by Esc, result 1. Two buttons: the first (default, focused,
// result 1) and the second (cancel, result 2).
TMessageBoxButtons PlanMessageBoxButtons(int flags, const std::string& firstCaption, const std::string& firstHint,
                                         const std::string& secondCaption, const std::string& secondHint);

// Breaks a folder path after backslashes into lines, joined by CR LF, each
// narrower than width as textWidth measures it; a segment that alone is as
// wide or wider stands on a line of its own. Joining the lines gives the path.
std::string WrapPathLines(const std::string& path, int width, const std::function<int(const std::string&)>& textWidth);

// Breaks a text into pieces, character by character, each narrower than
// width as textWidth measures it; a character too wide alone stands in a
// piece of its own. Joining the pieces gives the text; none is empty.
std::vector<std::string> BreakToWidth(const std::string& text, int width,
                                      const std::function<int(const std::string&)>& textWidth);

}  // namespace vk
