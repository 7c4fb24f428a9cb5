#pragma once
// The system's open and save dialogs for one file. Windows only; GUI thread.

#include <windows.h>

#include <string>

namespace vk::gui {

// Shows the open or the save dialog, modal to owner (the thread's active
// window when null). filter holds description and pattern pairs joined by
// "|" ("Table file (*.csv)|*.csv"); defaultExt (without its dot) is added to
// a typed name without an extension; title empty keeps the system's caption.
// fileName is the proposed name on the way in and the chosen path on the way
// out. The open dialog accepts only an existing file, the save dialog asks
// before a file is replaced. True when the user confirmed; false, with
// fileName unchanged, when the dialog was cancelled or could not be shown.
bool PromptForFileName(std::string& fileName, const std::string& filter, const std::string& defaultExt,
                       const std::string& title, const std::string& initialDir, bool saveDialog, HWND owner = nullptr);

}  // namespace vk::gui
