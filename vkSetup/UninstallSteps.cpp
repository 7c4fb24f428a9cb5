#include "vkSetup/UninstallSteps.h"

#include "Platform/File.h"
#include "Platform/Registry.h"
#include "Tools/CfgFile/Options.h"
#include "vkSetup/InstallPath.h"
#include "vkSetup/InstallSteps.h"
#include "vkSetup/LangCfg.h"

namespace vk::setup {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kPathIndent[] = "  ";
constexpr std::uint32_t kEnglish = 2;

// The language number of a stored language code; English for anything else.
std::uint32_t LanguageOfCode(const std::string& code) {
  for (std::uint32_t language = 0; language < kEnglish; ++language) {
    if (code == LangCodes[language]) return language;
  }
  return kEnglish;
}

std::uint32_t LanguageOfSettingsFile(platform::FileSystem& files, const std::string& path,
                                     TOptionsEnvironment settings) {
  if (!files.FileExists(path)) return kEnglish;
  try {
    TLangOptions options(path, std::move(settings));
    return LanguageOfCode(options.GetProgLangCode());
  } catch (const std::exception&) {
    return kEnglish;
  }
}

std::uint32_t LanguageOfEntry(platform::RegistryKey& key) {
  try {
    std::optional<platform::RegValue> value = key.ReadValue("InstallLang");
    if (!value || value->Type != platform::RegValueType::DWord || value->Data.size() != 4) return kEnglish;
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | value->Data[static_cast<size_t>(i)];
    return number;
  } catch (const std::exception&) {
    return kEnglish;
  }
}

// Whether the entry names this folder as the installation: a proper
// installation folder (never a drive's root or a relative path, whatever the
// registry says) that is the same folder as the uninstaller's own.
bool EntryNamesFolder(platform::FileSystem& files, platform::RegistryKey& key, const std::string& ownFolder) {
  std::optional<platform::RegValue> location;
  try {
    location = key.ReadValue("InstallLocation");
  } catch (const std::exception&) {
    return false;
  }
  if (!location || location->Type != platform::RegValueType::String) return false;
  std::string registered = IncludeTrailingDelimiter(location->Text);
  if (!IsRemovableFolder(registered) || !IsRemovableFolder(ownFolder)) return false;
  return files.SameFolder(ExcludeTrailingDelimiter(registered), ExcludeTrailingDelimiter(ownFolder));
}

}  // namespace

TRegistration ReadRegistration(platform::FileSystem& files, platform::Registry& registry, const std::string& ownFolder,
                               bool cyrillicSystem, TOptionsEnvironment settings) {
  TRegistration registration;
  std::unique_ptr<platform::RegistryKey> key = registry.OpenCurrentUserKey(kUninstallKeyPath);
  registration.Registered = key && EntryNamesFolder(files, *key, ownFolder);
  if (registration.Registered) {
    registration.Language = cyrillicSystem ? LanguageOfEntry(*key) : kEnglish;
  } else {
    registration.Language = LanguageOfSettingsFile(files, ownFolder + kCfgFileName, std::move(settings));
  }
  return registration;
}

TUninstaller::TUninstaller(TUninstallEnvironment environment, const TUninstallText& texts, std::string ownFolder,
                           bool registered)
    : env_(environment), texts_(texts), ownFolder_(IncludeTrailingDelimiter(ownFolder)), registered_(registered) {}

std::optional<std::string> TUninstaller::Uninstall(bool deleteData) {
  if (!registered_ || running_ || ran_) return std::nullopt;
  running_ = true;
  errors_.clear();
  RunStep(texts_.StepClosing, true, &TUninstaller::CloseRunningProgram);
  // While the program runs its files are in use, and it may still write its
  // data: nothing is removed then.
  bool closed = errors_.empty();
  RunStep(texts_.StepDesktop, closed, &TUninstaller::RemoveDesktopLink);
  RunStep(texts_.StepMenuGroup, closed, &TUninstaller::RemoveMenuGroup);
  RunStep(texts_.StepData, closed && deleteData, &TUninstaller::RecycleDataFolders);
  RunStep(texts_.StepExportImport, closed && deleteData, &TUninstaller::RecycleExchangeFolders);
  RunStep(texts_.StepProgramFiles, closed, &TUninstaller::DeleteProgramFiles);
  // The entry is kept while anything is left, so that the uninstaller can be
  // started again once the cause is gone.
  RunStep(texts_.StepRegistry, errors_.empty(), &TUninstaller::DeleteRegistryEntry);
  running_ = false;
  ran_ = true;
  completed_ = errors_.empty();
  return errors_;
}

void TUninstaller::RunStep(const std::string& text, bool enabled, Step step) {
  if (!enabled) return;
  env_.View.ShowStep(text);
  env_.Programs.Sleep(kStepPause);
  (this->*step)();
}

void TUninstaller::AddError(const std::string& what, const std::string& path) {
  errors_ += what + kLineEnd;
  if (!path.empty()) errors_ += kPathIndent + path + kLineEnd;
}

void TUninstaller::DeleteFileChecked(const std::string& path) {
  if (env_.Files.FileExists(path) && !env_.Files.DeleteFile(path)) AddError(texts_.CannotRemoveFile, path);
}

void TUninstaller::RecycleFolderChecked(const std::string& path) {
  if (!env_.Files.FolderExists(path)) return;
  // Only a proper folder below a drive's root is ever handed to the shell.
  if (!IsRemovableFolder(IncludeTrailingDelimiter(path)) || !env_.System.RecycleFolder(path) ||
      env_.Files.FolderExists(path)) {
    AddError(texts_.CannotRemoveDir, path);
  }
}

void TUninstaller::CloseRunningProgram() {
  if (!setup::CloseRunningProgram(env_.Programs, ownFolder_)) AddError(texts_.CannotClose);
}

void TUninstaller::RemoveDesktopLink() {
  // An unknown desktop leaves nothing to remove (and no relative path to try).
  std::string desktop = env_.System.DesktopFolder();
  if (!desktop.empty()) DeleteFileChecked(IncludeTrailingDelimiter(desktop) + kProgramLinkName);
}

void TUninstaller::RemoveMenuGroup() {
  std::string programs = env_.System.ProgramsFolder();
  if (programs.empty()) return;
  std::string group = IncludeTrailingDelimiter(programs) + kProgramGroupName + kPathDelimiter;
  DeleteFileChecked(group + kProgramLinkName);
  DeleteFileChecked(group + kUninstallLinkName);
  std::string folder = ExcludeTrailingDelimiter(group);
  if (env_.Files.FolderExists(folder) && !env_.Files.RemoveFolder(folder)) AddError(texts_.CannotRemoveDir, group);
}

void TUninstaller::RecycleDataFolders() {
  for (const char* name : kDataFolders) RecycleFolderChecked(ownFolder_ + name);
}

void TUninstaller::RecycleExchangeFolders() {
  for (const char* name : kExchangeFolders) RecycleFolderChecked(ownFolder_ + name);
}

void TUninstaller::DeleteProgramFiles() {
  DeleteFileChecked(ownFolder_ + kProgramFileName);
  DeleteFileChecked(ownFolder_ + kCfgFileName);
}

void TUninstaller::DeleteRegistryEntry() {
  if (!env_.Registry.DeleteCurrentUserKey(kUninstallKeyPath)) AddError(texts_.CannotRemoveKey, kUninstallKeyPath);
}

}  // namespace vk::setup
