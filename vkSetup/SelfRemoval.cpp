#include "vkSetup/SelfRemoval.h"

#include "Core/AsciiCase.h"
#include "vkSetup/InstallPath.h"

namespace vk::setup {

namespace {

constexpr char kFileVariable[] = "VORKEL_UNINSTALL_FILE";
constexpr char kFolderVariable[] = "VORKEL_UNINSTALL_FOLDER";

std::string Variable(const char* name) { return std::string("\"%") + name + "%\""; }

}  // namespace

bool PathInsideFolder(const std::string& path, const std::string& folder) {
  std::string inner = IncludeTrailingDelimiter(path);
  std::string outer = IncludeTrailingDelimiter(folder);
  return inner.size() >= outer.size() && SameTextAscii(std::string_view(inner).substr(0, outer.size()), outer);
}

TSelfRemovalCommand SelfRemovalCommand(const std::string& uninstallerFile, const std::string& comSpec,
                                       const std::string& systemFolder, const std::vector<std::string>& workFolders) {
  std::string folder = ExcludeTrailingDelimiter(ParentFolder(uninstallerFile));
  TSelfRemovalCommand command;
  command.Program = comSpec.empty() ? IncludeTrailingDelimiter(systemFolder) + "cmd.exe" : comSpec;
  for (const std::string& candidate : workFolders) {
    if (!candidate.empty() && !PathInsideFolder(candidate, folder)) {
      command.WorkFolder = IncludeTrailingDelimiter(candidate);
      break;
    }
  }
  if (command.WorkFolder.empty()) command.WorkFolder = InstallDrive(folder) + kPathDelimiter;
  command.Environment = {{kFileVariable, uninstallerFile}, {kFolderVariable, folder}};

  // Each round deletes the file, pauses while it is still there (its process
  // has not ended yet), and once it is gone removes the folder if it is
  // empty; later rounds find nothing more to do. Every part is bracketed:
  // command processors differ in how far an unbracketed "if" or "for" reaches.
  std::string file = Variable(kFileVariable);
  std::string body = "del /f /q " + file + " >nul 2>&1 & (if exist " + file +
                     " ping -n 2 127.0.0.1 >nul) & (if not exist " + file + " rd " + Variable(kFolderVariable) +
                     " >nul 2>&1)";
  command.Parameters = "/d /q /v:off /c for /l %i in (1,1," + std::to_string(kSelfRemovalTries) + ") do (" + body + ")";
  return command;
}

}  // namespace vk::setup
