#pragma once
// The setup wizard's folder dialog: the shell's folder browser with an edit
// box that proposes a new folder of the default name inside the selected
// one, and returns what the edit box says when OK is pressed (a folder that
// need not exist yet). Windows only; one dialog at a time.

#include <string>

namespace vk {

// True when the user confirmed; path is then the edit box's text, or the
// selected folder when the box was empty (with the default name added when
// the dialog had no edit box). Cancel gives false and leaves
// path alone. path, when not empty, is selected at the start. Asserts a
// default name that is not empty and has no blanks at its ends.
bool SelectDirectory(const std::string& defaultName, std::string& path, const std::string& caption,
                     const std::string& cancelCaption, const std::string& okCaption, const std::string& titleLine);

}  // namespace vk
