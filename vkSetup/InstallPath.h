#pragma once
// Where the setup installs: the folder read from the folder page, the rules
// a folder must meet before anything is written, and the small path helpers
// the install steps and the folder dialog use. Windows paths, as texts:
// portable, so the rules are tested natively.

#include <string>

namespace vk::setup {

inline constexpr char kPathDelimiter = '\\';
inline constexpr char kProgramFileName[] = "Vorkel.exe";
inline constexpr char kUninstallFileName[] = "Uninstall.exe";
inline constexpr char kDefaultFolderName[] = "Vorkel";

std::string IncludeTrailingDelimiter(const std::string& path);
std::string ExcludeTrailingDelimiter(const std::string& path);

// The folder the install goes to, with one trailing delimiter: the edit's
// text with blanks trimmed, "/" written as "\" and runs of delimiters made
// one; the setup program's own folder when the text is empty. Relative
// texts stay relative here; CheckInstallFolder refuses them.
std::string ReadInstallPath(const std::string& editText, const std::string& setupFolder);

enum class TFolderVerdict {
  Ok,
  NotAbsolute,  // no drive letter, colon and delimiter at its start (relative, a network path)
  DriveRoot,    // the root of a drive: the program's files would lie among the system's
  BadName,      // a folder name Windows refuses or changes (<>:"|?*, control characters,
                // a trailing dot or blank, "." or "..", a device name such as NUL)
  TooLong,      // what the setup and the program write below it would not fit the system's path limit
};
// The verdict on a folder as ReadInstallPath gives it.
TFolderVerdict CheckInstallFolder(const std::string& folder);
// Whether the uninstaller may remove things in the folder: one the setup
// would accept whatever its length (the length only keeps room for what the
// program writes later), or a folder below one.
bool IsRemovableFolder(const std::string& folder);

// "C:" of the folder, upper case; empty when it does not begin with a drive
// letter and a colon.
std::string InstallDrive(const std::string& folder);

// The folder's parent with its trailing delimiter: the text cut back to the
// delimiter before the last name (empty when there is none).
std::string ParentFolder(const std::string& folder);

// Where the folder dialog starts from the edit's text: the text with a
// trailing delimiter, or its parent when it ends in the default folder name.
std::string BrowseStartFolder(const std::string& editText);

}  // namespace vk::setup
