#include "tests/Setup/SetupFakes.h"

#include "Core/SysUtils.h"

namespace vk::setup::test {

platform::WholeReadResult FileSystemTextFiles::ReadWhole(const std::string& path) {
  platform::OpenResult opened = files_.Open(path, platform::OpenMode::ReadExisting);
  if (opened.Status == platform::OpenStatus::NotFound) return {platform::WholeReadStatus::NotFound, {}, {}};
  if (opened.Status != platform::OpenStatus::Ok) return {platform::WholeReadStatus::Failed, {}, opened.Error};
  std::string bytes(static_cast<size_t>(opened.Handle->Size()), '\0');
  opened.Handle->ReadAt(0, bytes.data(), bytes.size());
  return {platform::WholeReadStatus::Ok, bytes, {}};
}

void FileSystemTextFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
  if (FailWrites) throw EOSError("WriteFile (" + path + "): There is not enough space on the disk.");
  std::string temporary = path + ".tmp";
  {
    platform::OpenResult created = files_.Open(temporary, platform::OpenMode::CreateAlways);
    if (created.Status != platform::OpenStatus::Ok) throw EOSError("CreateFileW (" + temporary + ")");
    if (created.Handle->WriteAt(0, bytes.data(), bytes.size()) != bytes.size()) {
      throw EOSError("WriteFile (" + temporary + ")");
    }
  }
  if (!files_.RenameFile(temporary, path)) throw EOSError("MoveFileExW (" + path + ")");
}

std::optional<TRunningProgram> FakeSystem::FindRunningProgram(const std::string& title) {
  if (!RunningTitle || *RunningTitle != title) return std::nullopt;
  if (RequestsToClose >= 0 && CloseRequests >= RequestsToClose) return std::nullopt;
  return TRunningProgram{0x1234, 4321};
}

void FakeSystem::RequestClose(const TRunningProgram& program) {
  if (program.Window == 0x1234) ++CloseRequests;
}

bool FakeSystem::WaitForProcessEnd(std::uint32_t processId, int /*milliseconds*/) {
  if (processId != 4321) return true;
  return RequestsToClose >= 0 && CloseRequests >= RequestsToClose && !ProcessOutlivesWindow;
}

std::int64_t FakeSystem::DiskFree(const std::string& drive) { return drive == "C:" ? FreeBytes : -1; }

std::optional<std::string_view> FakeSystem::Resource(const std::string& type, const std::string& name) {
  if (type != kExeResourceType) return std::nullopt;
  auto found = Resources.find(name);
  if (found == Resources.end()) return std::nullopt;
  return std::string_view(found->second);
}

bool FakeSystem::CreateShellLink(const TShellLinkSpec& link) {
  if (FailLinks) return false;
  platform::OpenResult created = files_.Open(link.LinkPath, platform::OpenMode::CreateAlways);
  if (created.Status != platform::OpenStatus::Ok) return false;
  std::string body = link.Target + "|" + link.Description;
  created.Handle->WriteAt(0, body.data(), body.size());
  Links.push_back(link);
  return true;
}

int FakeView::AddLine(const std::string& text) {
  Lines.push_back(text);
  return static_cast<int>(Lines.size()) - 1;
}

void FakeView::SetLine(int index, const std::string& text) { Lines.at(static_cast<size_t>(index)) = text; }

int FakeView::AskReplace(const std::string& fileName) {
  Asked.push_back(fileName);
  if (Answers.empty()) return 0;
  int answer = Answers.front();
  Answers.pop_front();
  return answer;
}

}  // namespace vk::setup::test
