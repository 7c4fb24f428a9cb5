#pragma once
// Handing a program, document or address to the system's shell.
//
// win32: ShellExecuteW with the desktop window as owner, the default verb, no
// working folder and a normal window.
// posix: there is no shell to hand it to; the result is always a failure.

#include <string>

namespace vk::platform {

// The shell's result for opening target: above 32 means it was opened, 32 or
// below is the shell's error number. Never raises.
int ShellOpen(const std::string& target);
// The same for a program started with one document: the document's path goes
// to it as one parameter, in double quotes, so a path with blanks stays whole.
int ShellOpenWith(const std::string& program, const std::string& document);

}  // namespace vk::platform
