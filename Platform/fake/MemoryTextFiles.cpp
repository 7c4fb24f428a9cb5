#include "Platform/fake/MemoryTextFiles.h"

#include "Core/SysUtils.h"

namespace vk::platform {

WholeReadResult MemoryTextFiles::ReadWhole(const std::string& path) {
  std::lock_guard lock(mutex_);
  ++reads_;
  auto file = files_.find(path);
  if (file == files_.end()) return {WholeReadStatus::NotFound, {}, {}};
  if (failReads_ > 0) {
    --failReads_;
    return {WholeReadStatus::Failed, {}, "CreateFileW (" + path + "): sharing violation"};
  }
  return {WholeReadStatus::Ok, file->second, {}};
}

void MemoryTextFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
  std::lock_guard lock(mutex_);
  if (failWrites_) throw EOSError("WriteFile (" + path + ".tmp): There is not enough space on the disk.");
  ++writes_;
  files_[path] = std::string(bytes);
}

void MemoryTextFiles::Put(const std::string& path, std::string bytes) {
  std::lock_guard lock(mutex_);
  files_[path] = std::move(bytes);
}

std::optional<std::string> MemoryTextFiles::Get(const std::string& path) const {
  std::lock_guard lock(mutex_);
  auto file = files_.find(path);
  if (file == files_.end()) return std::nullopt;
  return file->second;
}

void MemoryTextFiles::FailNextReads(int count) {
  std::lock_guard lock(mutex_);
  failReads_ = count;
}

void MemoryTextFiles::FailWrites(bool fail) {
  std::lock_guard lock(mutex_);
  failWrites_ = fail;
}

int MemoryTextFiles::ReadCount() const {
  std::lock_guard lock(mutex_);
  return reads_;
}

int MemoryTextFiles::WriteCount() const {
  std::lock_guard lock(mutex_);
  return writes_;
}

}  // namespace vk::platform
