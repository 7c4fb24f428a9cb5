#pragma once
// How the uninstaller removes its own file and then the folder, once it has
// ended: a running program's file cannot be deleted, so one command
// processor is left behind that tries again until the uninstaller's process
// has let go of it, then removes the folder only when it is empty by then
// (never with its contents). Portable: what is run is decided here, the
// Windows side only starts it.

#include <string>
#include <utility>
#include <vector>

namespace vk::setup {

// Tries and pauses of about a second each before the command gives up.
inline constexpr int kSelfRemovalTries = 60;

struct TSelfRemovalCommand {
  std::string Program;     // the command processor
  std::string Parameters;  // its command line after the program's name
  // Where it runs: never inside the folder, which it could not remove then.
  std::string WorkFolder;
  // Set for it to read: the paths travel as variables, so that no character
  // of a folder's name (%, ^, &, blanks) is read as part of the command.
  std::vector<std::pair<std::string, std::string>> Environment;
};

// The command for the uninstaller file (a full path). comSpec: the ComSpec
// variable (the system folder's cmd.exe when it is empty); workFolders: the
// candidates for the work folder, the first outside the uninstaller's folder
// is taken (the drive's root when none is).
TSelfRemovalCommand SelfRemovalCommand(const std::string& uninstallerFile, const std::string& comSpec,
                                       const std::string& systemFolder, const std::vector<std::string>& workFolders);

// Whether path is folder itself or lies below it (letter case ignored, as
// the system's file names compare).
bool PathInsideFolder(const std::string& path, const std::string& folder);

}  // namespace vk::setup
