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
  MemoryFile(std::string path, std::shared_ptr<MemoryFileSystem::Node> node)
      : path_(std::move(path)), node_(std::move(node)) {
    node_->Open = true;
  }
  ~MemoryFile() override { node_->Open = false; }
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
  std::string lastError_;
};

OpenResult Failure(OpenStatus status, const std::string& path, const char* text) {
  OpenResult result;
  result.Status = status;
  result.Error = "open " + path + ": " + text;
  return result;
}

}  // namespace

OpenResult MemoryFileSystem::Open(const std::string& path, OpenMode mode) {
  auto found = files_.find(path);
  bool exists = found != files_.end();
  if (mode == OpenMode::OpenExisting && !exists) return Failure(OpenStatus::NotFound, path, "file not found");
  if (mode == OpenMode::CreateNew && exists) return Failure(OpenStatus::Exists, path, "file exists");
  if (exists && found->second->Open) return Failure(OpenStatus::Failed, path, "the file is open elsewhere");

  std::shared_ptr<Node> node;
  if (exists) {
    node = found->second;
    if (mode == OpenMode::CreateAlways) node->Bytes.clear();
  } else {
    node = std::make_shared<Node>();
    files_[path] = node;
  }
  OpenResult result;
  result.Status = OpenStatus::Ok;
  result.Handle = std::make_unique<MemoryFile>(path, std::move(node));
  return result;
}

bool MemoryFileSystem::FileExists(const std::string& path) { return files_.count(path) != 0; }

bool MemoryFileSystem::DeleteFile(const std::string& path) {
  auto found = files_.find(path);
  if (found == files_.end() || found->second->Open) return false;
  files_.erase(found);
  return true;
}

std::optional<std::vector<uint8_t>> MemoryFileSystem::Contents(const std::string& path) const {
  auto found = files_.find(path);
  if (found == files_.end()) return std::nullopt;
  return found->second->Bytes;
}

void MemoryFileSystem::SetContents(const std::string& path, std::vector<uint8_t> bytes) {
  auto& node = files_[path];
  if (!node) node = std::make_shared<Node>();
  node->Bytes = std::move(bytes);
}

bool MemoryFileSystem::IsOpen(const std::string& path) const {
  auto found = files_.find(path);
  return found != files_.end() && found->second->Open;
}

}  // namespace vk::platform
