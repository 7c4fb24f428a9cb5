#pragma once
// The shell's folder-selection dialog with a preselected folder, own captions,
// centring over a window and a live display of the selected path (the main
// window's save-copy and restore commands). Windows only; GUI thread only, one
// dialog at a time.

#include <windows.h>

#include <string>

namespace vk {

// Opens the folder dialog in mode 0..3 (see TFolderDialogMode) with folder as
// the preselection. Empty texts and a null centreOver leave the shell's own
// caption, buttons and position. True, with folder set to the chosen path,
// only when the user confirmed an existing folder; otherwise false and folder
// unchanged. A mode outside 0..3, or a call while a folder dialog is already
// open, gives false without a dialog.
bool BrowseForFolder(std::string& folder, int mode, const std::string& windowTitle, const std::string& instruction,
                     const std::string& okCaption, const std::string& cancelCaption, HWND centreOver);

// The dialog's callback; lpData carries the mode. Always returns 0.
int CALLBACK BrowseCallback(HWND dialog, UINT event, LPARAM item, LPARAM lpData);

}  // namespace vk
