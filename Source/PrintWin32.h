#pragma once
// The print manager over the system's printers, and the main window's
// printer command. Windows only.

#include <windows.h>

namespace vk {

// Start-up: PrintManager() prints on the program's printer (gui::Printer()),
// the one the printer set-up dialog chooses.
void CreateSystemPrintManager();

// The printer command of the main window, inside its busy flag: with
// printers, the printer set-up dialog owned by the window and, on OK, a new
// page set-up of the print manager; a failure shows "There is no default
// printer currently selected" or "Printer initializing error", and no
// printers "There are no printers installed on the system!", each in the
// program's message box with the caption "Print" (texts of the current
// language).
void RunPrinterSetup(HWND owner);

}  // namespace vk
