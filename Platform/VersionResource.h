#pragma once
// Strings of a program file's version resource, and the running program's own
// file name.
//
// win32: GetFileVersionInfoW and VerQueryValueW. The string is looked up under
// the first entry of the file's translation table, as the resource compiler
// writes it; a file without a version resource, without a translation table
// or without the value gives an empty text.
// posix: program files carry no version resource; every string is empty.

#include <string>

namespace vk::platform {

// The value (e.g. "ProductVersion", "LegalCopyright") of the file's string
// table, or empty. Never raises.
std::string ReadVersionString(const std::string& fileName, const std::string& valueName);

// The full file name of the running program; empty when the system cannot say.
std::string RunningProgramFile();

}  // namespace vk::platform
