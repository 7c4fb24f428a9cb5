#include "vkSetup/InstallSteps.h"

#include "Core/Checked.h"
#include "Platform/File.h"
#include "Platform/Registry.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"
#include "vkSetup/InstallPath.h"
#include "vkSetup/LangCfg.h"

namespace vk::setup {

namespace {

constexpr char kUnit[] = "vkSetup\\MainForm";
constexpr char kDetailIndent[] = "    ";
constexpr char kConfigFileName[] = "vorkel.cfg";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The size of an existing file, 0 when it cannot be read.
std::int64_t ExistingFileSize(platform::FileSystem& files, const std::string& path) {
  platform::OpenResult opened = files.Open(path, platform::OpenMode::ReadExisting);
  if (opened.Status != platform::OpenStatus::Ok) return 0;
  std::int64_t size = opened.Handle->Size();
  return size < 0 ? 0 : size;
}

}  // namespace

std::vector<TUninstallValue> UninstallValues(const std::string& folder, const TSetupText& texts,
                                             const std::string& productVersion, const std::string& today,
                                             std::uint32_t language, std::int32_t totalKiB) {
  auto text = [](const char* name, std::string value) { return TUninstallValue{name, false, std::move(value), 0}; };
  auto number = [](const char* name, std::uint32_t value) { return TUninstallValue{name, true, {}, value}; };
  return {
      text("DisplayName", "Vorkel"),
      // Quoted: the shell would otherwise run the first program a folder with
      // blanks names part of ("C:\Program" for "C:\Program Files\...").
      text("UninstallString", Quoted(folder + kUninstallFileName)),
      text("DisplayIcon", folder + kProgramFileName),
      text("DisplayVersion", productVersion),
      number("NoModify", 1),
      number("NoRepair", 1),
      text("Publisher", texts.Publisher),
      text("UrlInfoAbout", texts.UrlInfoAbout),
      text("UrlUpdateInfo", texts.UrlUpdateInfo),
      text("HelpLink", texts.HelpLink),
      text("Comments", texts.Comments),
      text("InstallDate", today),
      text("InstallLocation", folder),
      number("InstallLang", language),
      number("EstimatedSize", static_cast<std::uint32_t>(totalKiB)),
  };
}

TInstaller::TInstaller(TInstallEnvironment environment, const TSetupText& texts)
    : env_(std::move(environment)), texts_(texts) {}

bool TInstaller::Install(const TInstallChoices& choices) {
  Assert(!choices.Folder.empty(), "No Set Setup Path", kUnit);
  choices_ = choices;
  choices_.Folder = IncludeTrailingDelimiter(choices.Folder);
  confirm_.ResetGroupMode();
  // The size of this run's files only: a retry after a failure counts them anew.
  totalKiB_ = 0;
  struct RunningScope {
    bool& flag;
    explicit RunningScope(bool& f) : flag(f) { flag = true; }
    ~RunningScope() { flag = false; }
  } running(running_);
  try {
    RunStep(texts_.StepCloseRunning, true, &TInstaller::CloseRunningProgram);
    RunStep(texts_.StepCheckDisk, true, &TInstaller::CheckDisk);
    RunStep(texts_.StepCreateDir, true, &TInstaller::CreateInstallDir);
    RunStep(texts_.StepCopyFiles, true, &TInstaller::CopyProgramFiles);
    RunStep(texts_.StepRegistry, true, &TInstaller::WriteUninstallEntry);
    RunStep(texts_.StepConfig, true, &TInstaller::CreateConfigFile);
    RunStep(texts_.StepMenuGroup, choices_.MenuGroup, &TInstaller::CreateMenuGroup);
    RunStep(texts_.StepDesktopLink, choices_.DesktopLink, &TInstaller::CreateDesktopLink);
  } catch (const std::exception&) {
    return false;
  }
  env_.System.Sleep(kSuccessPause);
  return true;
}

void TInstaller::RunStep(const std::string& text, bool enabled, Step step) {
  if (!enabled) return;
  int line = env_.View.AddLine(text + "...");
  try {
    (this->*step)();
  } catch (...) {
    env_.View.SetLine(line, text + "   - " + texts_.StepError);
    throw;
  }
  env_.View.SetLine(line, text + "   - Ok");
  env_.View.AddLine("");
}

void TInstaller::AddDetail(const std::string& text) { env_.View.AddLine(kDetailIndent + text); }

bool TInstaller::ConfirmReplace(const std::string& path) {
  return confirm_.ConfirmReplace(env_.Files.FileExists(path), [&] { return env_.View.AskReplace(path); });
}

void TInstaller::AddKiB(std::int64_t bytes) {
  totalKiB_ = CheckedAdd(totalKiB_, CheckedCast<std::int32_t>(bytes >> 10));
}

void TInstaller::CloseRunningProgram() {
  if (setup::CloseRunningProgram(env_.System, choices_.Folder)) return;
  AddDetail(texts_.CannotClose);
  throw EInstallStep("errCloseRunProgram");
}

void TInstaller::CheckDisk() {
  const std::string& folder = choices_.Folder;
  std::string drive = InstallDrive(folder);
  if (drive.empty() || CheckInstallFolder(folder) != TFolderVerdict::Ok) {
    AddDetail(texts_.BadDrive + " " + Quoted(folder));
    throw EInstallStep("errPathDrive");
  }
  if (env_.System.DiskFree(drive) < kMinimumFreeBytes) {
    AddDetail(texts_.LowDiskSpace + " " + drive);
    throw EInstallStep("errDiskSpace");
  }
}

void TInstaller::CreateInstallDir() {
  std::string folder = ExcludeTrailingDelimiter(choices_.Folder);
  if (env_.Files.FolderExists(folder)) return;
  std::string parent = ParentFolder(folder);
  bool created = false;
  if (env_.Files.FolderExists(parent)) {
    created = env_.Files.CreateFolder(folder);
  } else {
    AddDetail(texts_.ParentMissing + "  " + Quoted(parent));
  }
  if (!created) throw EInstallStep("errMainDirCreate");
}

void TInstaller::CopyProgramFiles() {
  ExtractResourceFile(kExeResourceType, kProgramResource, choices_.Folder + kProgramFileName);
  ExtractResourceFile(kExeResourceType, kUninstallResource, choices_.Folder + kUninstallFileName);
}

void TInstaller::ExtractResourceFile(const std::string& type, const std::string& name, const std::string& file) {
  AddDetail(file);
  env_.View.ProcessMessages();
  if (ConfirmReplace(file)) {
    std::optional<std::string_view> bytes = env_.System.Resource(type, name);
    if (!bytes) throw EInstallStep("errFileCopy");
    WriteProgramFile(*bytes, file);
    AddKiB(static_cast<std::int64_t>(bytes->size()));
  } else {
    AddKiB(ExistingFileSize(env_.Files, file));
  }
  if (!env_.Files.FileExists(file)) throw EInstallStep("errFileCopy");
}

void TInstaller::WriteProgramFile(std::string_view bytes, const std::string& file) {
  // Beside the target first: the old program stays whole until the new one
  // is complete on the disk, and then changes place with it in one step.
  std::string temporary = file + kTemporarySuffix;
  bool written = false;
  {
    platform::OpenResult created = env_.Files.Open(temporary, platform::OpenMode::CreateAlways);
    if (created.Status == platform::OpenStatus::Ok) {
      written = created.Handle->WriteAt(0, bytes.data(), bytes.size()) == bytes.size() && created.Handle->Flush();
    }
  }
  if (written) written = ExistingFileSize(env_.Files, temporary) == static_cast<std::int64_t>(bytes.size());
  if (!written || !env_.Files.RenameFile(temporary, file)) {
    env_.Files.DeleteFile(temporary);
    throw EInstallStep("errFileCopy");
  }
}

void TInstaller::WriteUninstallEntry() {
  std::unique_ptr<platform::RegistryKey> key = env_.Registry.CreateCurrentUserKey(kUninstallKeyPath);
  if (!key) throw EInstallStep("errOpenRegistryKey");
  for (const TUninstallValue& value : UninstallValues(choices_.Folder, texts_, env_.System.ProductVersion(),
                                                      env_.System.TodayText(), choices_.Language, totalKiB_)) {
    if (value.IsNumber) {
      key->WriteDWord(value.Name, value.Number);
    } else {
      key->WriteString(value.Name, value.Text);
    }
  }
}

void TInstaller::CreateConfigFile() {
  std::string path = choices_.Folder + kConfigFileName;
  AddDetail(path);
  env_.View.ProcessMessages();
  if (ConfirmReplace(path)) {
    {
      // The marker goes to the file and, the key existing by now, to its
      // registry mirror: a password set before no longer applies.
      TSecurityOptions security(path, kUninstallKeyName, env_.Settings);
      security.SetPassword(kNoPasswordMarker);
    }
    WriteLangConfig(path, choices_.Language, env_.System.KeyboardEnhanced(), env_.Settings);
    // The settings swallow failed writes; only the file read anew tells.
    if (!LangConfigWritten(path, choices_.Language, env_.Settings)) throw EInstallStep("errCreateCfgFile");
  }
  if (!env_.Files.FileExists(path)) throw EInstallStep("errCreateCfgFile");
}

void TInstaller::CreateMenuGroup() {
  std::string programs = env_.System.ProgramsFolder();
  std::string group = programs.empty() ? std::string() : programs + kProgramGroupName + kPathDelimiter;
  if (group.empty() || !env_.Files.CreateFolder(ExcludeTrailingDelimiter(group))) {
    AddDetail(group);
    throw EInstallStep("errCreateMenuGroup");
  }
  CreateMenuLink(choices_.Folder + kProgramFileName, kProgramLinkName, texts_.LinkDescription, group);
  CreateMenuLink(choices_.Folder + kUninstallFileName, kUninstallLinkName, texts_.UninstallLinkDescription, group);
}

void TInstaller::CreateMenuLink(const std::string& target, const std::string& linkName, const std::string& description,
                                const std::string& group) {
  std::string link = group + linkName;
  AddDetail(link);
  if (!ConfirmReplace(link)) return;
  if (!env_.System.CreateShellLink({target, link, description, "", ParentFolder(target)})) {
    throw EInstallStep("errCreateMenuLnk");
  }
}

void TInstaller::CreateDesktopLink() {
  std::string desktop = env_.System.DesktopFolder();
  std::string link = desktop + kProgramLinkName;
  AddDetail(link);
  if (!ConfirmReplace(link)) return;
  std::string target = choices_.Folder + kProgramFileName;
  if (desktop.empty() ||
      !env_.System.CreateShellLink({target, link, texts_.LinkDescription, "", ParentFolder(target)})) {
    throw EInstallStep("errCreateDesktopLnk");
  }
  env_.System.NotifyAssociationsChanged();
}

}  // namespace vk::setup
