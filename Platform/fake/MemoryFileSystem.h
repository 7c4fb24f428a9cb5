#pragma once
// A file system held in memory, for fast tests of the code above Platform/.
//
// It keeps the contract of the real ones: one open per file at a time (a
// second open, a CreateAlways or a delete of an open file fail and change
// nothing), writes past the end fill the gap with zeros, extending truncates
// add zeros. Paths are plain keys: there are no folders. Files may outlive
// the file system that opened them. Not thread-safe.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/File.h"

namespace vk::platform {

class MemoryFileSystem : public FileSystem {
 public:
  OpenResult Open(const std::string& path, OpenMode mode) override;
  bool FileExists(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;

  // For tests that look at or prepare bytes directly, whether or not the file
  // is open. Contents gives nothing for a missing file; SetContents creates.
  std::optional<std::vector<uint8_t>> Contents(const std::string& path) const;
  void SetContents(const std::string& path, std::vector<uint8_t> bytes);
  bool IsOpen(const std::string& path) const;

  // One file's bytes, shared with the File that has it open.
  struct Node {
    std::vector<uint8_t> Bytes;
    bool Open = false;
  };

 private:
  std::map<std::string, std::shared_ptr<Node>> files_;
};

}  // namespace vk::platform
