#pragma once
// A file system over an in-memory one that plays its contents as the
// system's cache and remembers what a power cut could leave of them.
//
// The model is the one docs/journal-file-format.md argues with: a write or a
// cut of a file that no completed flush of that file covers may be lost,
// kept, or kept in part (whole 512-byte sectors of it, in any mix), each file
// independently of the others. A flush that returned covers every earlier
// change of its file. What the contract in Platform/File.h promises durable
// is so when it returns: a whole-file copy (its target's bytes) and a rename
// (the new name, carrying the file's bytes as far as they were durable).
// Folders made or removed are durable at once. A created file exists on the
// disk only from its first flush (or a rename or copy onto its name); a
// deleted file may come back with the bytes of its last flush.
//
// Nothing is cut while the program runs: CutInto writes into another,
// empty, in-memory file system a disk the cut could leave now, and the tests
// start the program again on that. Not thread-safe; files may outlive the
// file system that opened them.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/fake/MemoryFileSystem.h"

namespace vk::platform {

class PowerCutFileSystem : public FileSystem {
 public:
  // cache must outlive this object and every file opened through it. What it
  // holds now counts as on the disk.
  explicit PowerCutFileSystem(MemoryFileSystem& cache);

  OpenResult Open(const std::string& path, OpenMode mode) override;
  bool FileExists(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool SameFolder(const std::string& a, const std::string& b) override;

  enum class Cut {
    AllLost,  // every file as at its last flush
    AllKept,  // every file as in the cache
    Drawn,    // each file lost, kept or kept per sector, drawn from the seed
  };
  // Writes every folder and every file a power cut now would leave into
  // disk, which should be empty.
  void CutInto(MemoryFileSystem& disk, Cut cut, uint32_t seed = 0) const;
  // Files whose disk may differ from the cache; 0: every cut leaves the cache.
  size_t Unflushed() const;

  // The disk's image of each file that may differ from the cache (nothing:
  // the file is not on the disk), by tidied path; shared with open files.
  struct State {
    std::map<std::string, std::optional<std::vector<uint8_t>>> OnDisk;
    // Before the cache changes a file: its image stays what it was.
    void Touch(const MemoryFileSystem& cache, const std::string& path);
  };

 private:
  MemoryFileSystem& cache_;
  std::shared_ptr<State> state_;
};

}  // namespace vk::platform
