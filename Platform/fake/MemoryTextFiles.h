#pragma once
// Whole files in memory for tests, with faults: reads that fail while the
// file is "held by another process", and rewrites that fail like a full disk
// (the old content stays, as the atomic rewrite promises).

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "Platform/TextFile.h"

namespace vk::platform {

class MemoryTextFiles final : public TextFiles {
 public:
  WholeReadResult ReadWhole(const std::string& path) override;
  void ReplaceWhole(const std::string& path, std::string_view bytes) override;

  void Put(const std::string& path, std::string bytes);
  std::optional<std::string> Get(const std::string& path) const;
  // The next count reads of any existing file fail.
  void FailNextReads(int count);
  // While set, every rewrite raises EOSError and changes nothing.
  void FailWrites(bool fail);
  int ReadCount() const;
  int WriteCount() const;

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::string> files_;
  int failReads_ = 0;
  bool failWrites_ = false;
  int reads_ = 0;
  int writes_ = 0;
};

}  // namespace vk::platform
