#include "tests/Setup/InstallFixture.h"

#include "vkSetup/InstallPath.h"

namespace vk::setup::test {

std::string ProgramBytes(size_t size, char seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + (i >> 10));
  return bytes;
}

InstallFixture::InstallFixture() {
  GetEngSetupText(texts_);
  program_ = ProgramBytes(731 * 1024 + 333, 'V');
  uninstaller_ = ProgramBytes(96 * 1024 + 17, 'U');
  system_.Resources[kProgramResource] = program_;
  system_.Resources[kUninstallResource] = uninstaller_;
  MakeFolders("C:\\Program Files");
  MakeFolders(system_.Programs);
  MakeFolders(system_.Desktop);
  choices_.Folder = folder_;
  choices_.Language = 1;
  NewInstaller();
}

void InstallFixture::MakeFolders(const std::string& path) {
  std::string partial;
  for (char c : ExcludeTrailingDelimiter(path) + "\\") {
    if (c == '\\') disk_.CreateFolder(partial);
    partial += c;
  }
}

std::string InstallFixture::FileText(const std::string& path) const {
  auto bytes = disk_.Contents(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

void InstallFixture::PutFile(const std::string& path, const std::string& bytes) {
  disk_.SetContents(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void InstallFixture::NewInstaller() {
  TOptionsEnvironment settings;
  settings.Files = &textFiles_;
  settings.Registry = &registry_;
  settings.FileCodePage = 1251;
  settings.Sleep = [](int) {};
  installer_ = std::make_unique<TInstaller>(TInstallEnvironment{files_, registry_, settings, system_, view_}, texts_);
}

bool InstallFixture::Install() { return installer_->Install(choices_); }

std::vector<std::string> InstallFixture::StepLines() const {
  std::vector<std::string> steps;
  for (const std::string& line : view_.Lines) {
    if (!line.empty() && line[0] != ' ') steps.push_back(line);
  }
  return steps;
}

}  // namespace vk::setup::test
