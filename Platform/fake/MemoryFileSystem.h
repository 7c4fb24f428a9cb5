#pragma once
// A file system held in memory, for fast tests of the code above Platform/.
//
// It keeps the contract of the real ones: one open per file at a time (a
// second open, a CreateAlways, a delete, copy or replace of an open file fail
// and change nothing), writes past the end fill the gap with zeros, extending
// truncates add zeros. Files may outlive the file system that opened them.
// Not thread-safe.
//
// Paths are compared after tidying: "/" and "\" both separate, repeated
// separators and "." steps drop out, ".." steps go up. Letter case counts.
// Folders come in two kinds of strictness:
// - loose (the default): any path can take a file, and the folders on a
//   file's path exist as long as something lies in them;
// - strict: as on a disk, a file can be made only in an existing folder, and
//   a folder exists from CreateFolder to RemoveFolder. SetContents makes the
//   folders it needs.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Platform/File.h"

namespace vk::platform {

class MemoryFileSystem : public FileSystem {
 public:
  enum class Folders { Loose, Strict };
  explicit MemoryFileSystem(Folders folders = Folders::Loose) : strict_(folders == Folders::Strict) {}

  OpenResult Open(const std::string& path, OpenMode mode) override;
  bool FileExists(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool SameFolder(const std::string& a, const std::string& b) override;

  // For tests that look at or prepare bytes directly, whether or not the file
  // is open. Contents gives nothing for a missing file; SetContents creates.
  std::optional<std::vector<uint8_t>> Contents(const std::string& path) const;
  void SetContents(const std::string& path, std::vector<uint8_t> bytes);
  bool IsOpen(const std::string& path) const;
  // Every file's and every made folder's tidied path, in order.
  std::vector<std::string> FilePaths() const;
  std::vector<std::string> FolderPaths() const;

  // The tidied form of a path, under which it is kept.
  static std::string Tidy(const std::string& path);

  // One file's bytes, shared with the File that has it open.
  struct Node {
    std::vector<uint8_t> Bytes;
    bool Open = false;  // held for writing
    int Readers = 0;    // held by ReadExisting opens
    bool Held() const { return Open || Readers > 0; }
  };

 private:
  bool ParentExists(const std::string& tidyPath) const;
  bool HasEntriesUnder(const std::string& tidyFolder) const;
  bool IsFolder(const std::string& tidyPath) const;

  bool strict_;
  std::map<std::string, std::shared_ptr<Node>> files_;
  std::set<std::string> folders_;
};

}  // namespace vk::platform
