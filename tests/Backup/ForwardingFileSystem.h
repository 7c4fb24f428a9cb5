#pragma once
// A file system that hands every call on to another one, and an open file
// that does the same: the tests' wrappers derive from them and change only
// the calls they are about.

#include <memory>
#include <string>

#include "Platform/File.h"

namespace vk::testing {

class ForwardingFile : public platform::File {
 public:
  explicit ForwardingFile(std::unique_ptr<platform::File> base) : base_(std::move(base)) {}
  size_t ReadAt(int64_t offset, void* buffer, size_t n) override { return base_->ReadAt(offset, buffer, n); }
  size_t WriteAt(int64_t offset, const void* buffer, size_t n) override { return base_->WriteAt(offset, buffer, n); }
  int64_t Size() override { return base_->Size(); }
  bool Truncate(int64_t size) override { return base_->Truncate(size); }
  bool Flush() override { return base_->Flush(); }
  std::string LastError() const override { return base_->LastError(); }

 private:
  std::unique_ptr<platform::File> base_;
};

class ForwardingFileSystem : public platform::FileSystem {
 public:
  // base must outlive this object.
  explicit ForwardingFileSystem(platform::FileSystem& base) : base_(base) {}
  platform::OpenResult Open(const std::string& path, platform::OpenMode mode) override {
    return base_.Open(path, mode);
  }
  bool FileExists(const std::string& path) override { return base_.FileExists(path); }
  bool DeleteFile(const std::string& path) override { return base_.DeleteFile(path); }
  bool FolderExists(const std::string& path) override { return base_.FolderExists(path); }
  bool CreateFolder(const std::string& path) override { return base_.CreateFolder(path); }
  bool RemoveFolder(const std::string& path) override { return base_.RemoveFolder(path); }
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override {
    return base_.CopyFile(from, to, overwrite);
  }
  bool RenameFile(const std::string& from, const std::string& to) override { return base_.RenameFile(from, to); }
  bool SameFolder(const std::string& a, const std::string& b) override { return base_.SameFolder(a, b); }

 private:
  platform::FileSystem& base_;
};

}  // namespace vk::testing
