#pragma once
// The instance search and the two instance messages on Windows: finding the
// running main program of one folder, asking it to come to the front or to
// end, and the answers of the program's own windows to those messages.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Source/AppSelectRules.h"

namespace vk {

// The program title: the application title, the main window's caption, the
// base of the single-instance mutex and the caption the search looks for.
// Set first of all by the main program (MakeProgramTitle).
extern std::string ProgramTitle;

// How long a sender waits for the other program's answer before it gives up
// on a hung window.
inline constexpr DWORD kInstanceMessageTimeout = 5000;

// The first window of the form classes on the thread of the application
// window (class applicationClass) whose whole caption is caption, ignoring
// case; null when there is none.
HWND FindRunningInstance(const std::string& caption, const std::string& applicationClass,
                         const std::vector<std::string>& formClasses);

// Asks the window to come to the front and brings the window it answers to
// the foreground. False when it gave no answer within the timeout.
bool ActivateRunningInstance(HWND window, DWORD timeout = kInstanceMessageTimeout);

// Asks the window's program to end; its answer, or nothing when it gave none
// within the timeout.
std::optional<LRESULT> RequestInstanceClose(HWND window, DWORD timeout = kInstanceMessageTimeout);

// The answer of the main window and the password window to
// WM_ACTIVATEINSTANCE: the application is restored, and the open modal
// dialog (the last active popup of the application window, when visible and
// enabled) is named so that the sender brings it to the front; else 0.
LRESULT HandleActivateRequest();

// The answer to WM_CLOSEINSTANCE: the message loop ends after the current
// message, and the program shuts down as after closing its main window.
void TerminateInstance();

}  // namespace vk
