#pragma once
// The folder dialog's decisions that need no window: the dialog flags of each
// mode, where and how the selected path is shown, and where the dialog goes
// when it is centred over a window.

#include <cstdint>
#include <string>

namespace vk {

// The modes of BrowseForFolder.
enum class TFolderDialogMode : int {
  FirstControl = 0,  // the path replaces the text of the dialog's first control
  StatusLine = 1,    // the path is shown in the dialog's status line
  EditBox = 2,       // the path replaces the text of the edit box
  NewStyle = 3,      // the first control shows the instruction, a blank line and the path
};

// True for the modes 0..3.
bool IsFolderDialogMode(int mode);

// The shell's BIF_ flags of the mode.
uint32_t FolderDialogFlags(TFolderDialogMode mode);

// How the selected path is shown.
enum class TPathDisplay { FirstGroupItem, StatusLine, FirstTabItem };
TPathDisplay FolderPathDisplay(TFolderDialogMode mode);

// The text shown for a selection: its path when it is an existing folder, an
// empty text otherwise; NewStyle puts the instruction and a blank line before
// it (the instruction alone for no path).
std::string FolderDisplayText(TFolderDialogMode mode, const std::string& instruction, const std::string& path,
                              bool isFolder);

struct TScreenRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The dialog's new top-left corner so that its centre lies on the window's
// centre; the dialog keeps its size.
void CentreOver(const TScreenRect& dialog, const TScreenRect& window, int& left, int& top);

}  // namespace vk
