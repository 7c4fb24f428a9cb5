#include "Platform/fake/MemoryFileSystem.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vk::platform {
namespace {

// Far beyond any test; a bigger file reports a full disk rather than exhaust memory.
constexpr int64_t kMaxSize = int64_t{1} << 30;

class MemoryFile final : public File {
 public:
  MemoryFile(std::string path, std::shared_ptr<MemoryFileSystem::Node> node, bool readOnly)
      : path_(std::move(path)), node_(std::move(node)), readOnly_(readOnly) {
    if (readOnly_) {
      ++node_->Readers;
    } else {
      node_->Open = true;
    }
  }
  ~MemoryFile() override {
    if (readOnly_) {
      --node_->Readers;
    } else {
      node_->Open = false;
    }
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  size_t ReadAt(int64_t offset, void* buffer, size_t n) override {
    if (offset < 0) {
      Record("read", "invalid offset");
      return 0;
    }
    const auto& bytes = node_->Bytes;
    if (static_cast<uint64_t>(offset) >= bytes.size()) return 0;
    size_t count = std::min(n, bytes.size() - static_cast<size_t>(offset));
    if (count > 0) std::memcpy(buffer, bytes.data() + offset, count);
    return count;
  }

  size_t WriteAt(int64_t offset, const void* buffer, size_t n) override {
    if (readOnly_) {
      Record("write", "opened for reading only");
      return 0;
    }
    if (offset < 0 || offset > kMaxSize || n > static_cast<uint64_t>(kMaxSize - offset)) {
      Record("write", offset < 0 ? "invalid offset" : "disk full");
      return 0;
    }
    auto& bytes = node_->Bytes;
    size_t end = static_cast<size_t>(offset) + n;
    if (bytes.size() < end) bytes.resize(end, 0);
    if (n > 0) std::memcpy(bytes.data() + offset, buffer, n);
    return n;
  }

  int64_t Size() override { return static_cast<int64_t>(node_->Bytes.size()); }

  bool Truncate(int64_t size) override {
    if (readOnly_) {
      Record("truncate", "opened for reading only");
      return false;
    }
    if (size < 0 || size > kMaxSize) {
      Record("truncate", size < 0 ? "invalid size" : "disk full");
      return false;
    }
    node_->Bytes.resize(static_cast<size_t>(size), 0);
    return true;
  }

  bool Flush() override { return true; }

  std::string LastError() const override { return lastError_; }

 private:
  void Record(const char* call, const char* text) { lastError_ = std::string(call) + " " + path_ + ": " + text; }

  std::string path_;
  std::shared_ptr<MemoryFileSystem::Node> node_;
  bool readOnly_;
  std::string lastError_;
};

OpenResult Failure(OpenStatus status, const std::string& path, const char* text) {
  OpenResult result;
  result.Status = status;
  result.Error = "open " + path + ": " + text;
  return result;
}

}  // namespace

std::string MemoryFileSystem::Tidy(const std::string& path) {
  const bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\');
  std::vector<std::string> steps;
  std::string step;
  auto take = [&] {
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    step.clear();
  };
  for (char c : path) {
    if (c == '/' || c == '\\')
      take();
    else
      step += c;
  }
  take();
  std::string tidy = absolute ? "/" : "";
  for (size_t i = 0; i < steps.size(); ++i) tidy += (i ? "/" : "") + steps[i];
  return tidy;
}

namespace {

bool IsRoot(const std::string& tidy) { return tidy.empty() || tidy == "/"; }

std::string ParentOf(const std::string& tidy) {
  size_t slash = tidy.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : tidy.substr(0, slash);
}

}  // namespace

bool MemoryFileSystem::HasEntriesUnder(const std::string& tidyFolder) const {
  const std::string prefix = tidyFolder == "/" ? "/" : tidyFolder + "/";
  auto file = files_.lower_bound(prefix);
  if (file != files_.end() && file->first.compare(0, prefix.size(), prefix) == 0) return true;
  auto folder = folders_.lower_bound(prefix);
  return folder != folders_.end() && folder->compare(0, prefix.size(), prefix) == 0;
}

bool MemoryFileSystem::IsFolder(const std::string& tidyPath) const {
  if (IsRoot(tidyPath) || folders_.count(tidyPath)) return true;
  return !strict_ && !files_.count(tidyPath) && HasEntriesUnder(tidyPath);
}

bool MemoryFileSystem::ParentExists(const std::string& tidyPath) const {
  return !strict_ || IsFolder(ParentOf(tidyPath));
}

OpenResult MemoryFileSystem::Open(const std::string& path, OpenMode mode) {
  const std::string key = Tidy(path);
  auto found = files_.find(key);
  bool exists = found != files_.end();
  if (!exists && IsFolder(key)) return Failure(OpenStatus::Failed, path, "is a folder");
  if (!exists && !ParentExists(key)) return Failure(OpenStatus::NotFound, path, "folder not found");
  const bool reading = mode == OpenMode::ReadExisting;
  if ((mode == OpenMode::OpenExisting || reading) && !exists)
    return Failure(OpenStatus::NotFound, path, "file not found");
  if (mode == OpenMode::CreateNew && exists) return Failure(OpenStatus::Exists, path, "file exists");
  if (exists && (reading ? found->second->Open : found->second->Held()))
    return Failure(OpenStatus::Failed, path, "the file is open elsewhere");

  std::shared_ptr<Node> node;
  if (exists) {
    node = found->second;
    if (mode == OpenMode::CreateAlways) node->Bytes.clear();
  } else {
    node = std::make_shared<Node>();
    files_[key] = node;
  }
  OpenResult result;
  result.Status = OpenStatus::Ok;
  result.Handle = std::make_unique<MemoryFile>(path, std::move(node), reading);
  return result;
}

bool MemoryFileSystem::FileExists(const std::string& path) { return files_.count(Tidy(path)) != 0; }

bool MemoryFileSystem::DeleteFile(const std::string& path) {
  auto found = files_.find(Tidy(path));
  if (found == files_.end() || found->second->Held()) return false;
  files_.erase(found);
  return true;
}

bool MemoryFileSystem::FolderExists(const std::string& path) { return IsFolder(Tidy(path)); }

bool MemoryFileSystem::CreateFolder(const std::string& path) {
  const std::string key = Tidy(path);
  if (files_.count(key)) return false;
  if (IsFolder(key)) return true;
  if (!IsFolder(ParentOf(key))) return false;
  folders_.insert(key);
  return true;
}

bool MemoryFileSystem::RemoveFolder(const std::string& path) {
  const std::string key = Tidy(path);
  if (IsRoot(key) || !IsFolder(key) || HasEntriesUnder(key)) return false;
  folders_.erase(key);
  return true;
}

bool MemoryFileSystem::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
  const std::string source = Tidy(from), target = Tidy(to);
  auto found = files_.find(source);
  if (found == files_.end() || found->second->Open || source == target) return false;
  auto existing = files_.find(target);
  if (existing != files_.end()) {
    if (!overwrite || existing->second->Held()) return false;
    existing->second->Bytes = found->second->Bytes;
    return true;
  }
  if (IsFolder(target) || !ParentExists(target)) return false;
  auto node = std::make_shared<Node>();
  node->Bytes = found->second->Bytes;
  files_[target] = std::move(node);
  return true;
}

bool MemoryFileSystem::RenameFile(const std::string& from, const std::string& to) {
  const std::string source = Tidy(from), target = Tidy(to);
  auto found = files_.find(source);
  if (found == files_.end() || found->second->Held()) return false;
  if (source == target) return true;
  auto existing = files_.find(target);
  if (existing != files_.end() && existing->second->Held()) return false;
  if (existing == files_.end() && (IsFolder(target) || !ParentExists(target))) return false;
  files_[target] = found->second;
  files_.erase(source);
  return true;
}

bool MemoryFileSystem::SameFolder(const std::string& a, const std::string& b) {
  const std::string first = Tidy(a);
  return first == Tidy(b) && IsFolder(first);
}

std::optional<std::vector<uint8_t>> MemoryFileSystem::Contents(const std::string& path) const {
  auto found = files_.find(Tidy(path));
  if (found == files_.end()) return std::nullopt;
  return found->second->Bytes;
}

void MemoryFileSystem::SetContents(const std::string& path, std::vector<uint8_t> bytes) {
  const std::string key = Tidy(path);
  if (strict_) {
    for (std::string folder = ParentOf(key); !IsRoot(folder); folder = ParentOf(folder)) folders_.insert(folder);
  }
  auto& node = files_[key];
  if (!node) node = std::make_shared<Node>();
  node->Bytes = std::move(bytes);
}

bool MemoryFileSystem::IsOpen(const std::string& path) const {
  auto found = files_.find(Tidy(path));
  return found != files_.end() && found->second->Held();
}

std::vector<std::string> MemoryFileSystem::FilePaths() const {
  std::vector<std::string> paths;
  for (const auto& [path, node] : files_) paths.push_back(path);
  return paths;
}

std::vector<std::string> MemoryFileSystem::FolderPaths() const { return {folders_.begin(), folders_.end()}; }

}  // namespace vk::platform
