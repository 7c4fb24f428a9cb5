#pragma once
// A file system that wraps another one and fails the operations a test
// chooses: the n-th read, write, truncate, flush, open, delete, whole-file
// copy, replace, folder creation or folder removal, or the n-th change of any
// file, optionally torn half-way; or it stops, as the program or the machine
// does, at the n-th change of anything on the disk. A failed copy leaves the
// first half of the source in the target, as a copy cut short would.
// Questions (exists, same folder) and everything else pass through to the
// base. Counters run over all files opened through this object; files may
// outlive it. Not thread-safe.

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "Platform/File.h"

namespace vk::platform {

class FaultyFileSystem : public FileSystem {
 public:
  enum class Op { Read, Write, Truncate, Flush, Open, Delete, Copy, Rename, CreateFolder, RemoveFolder };

  // base must outlive this object and every file opened through it.
  explicit FaultyFileSystem(FileSystem& base);

  OpenResult Open(const std::string& path, OpenMode mode) override;
  bool FileExists(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool SameFolder(const std::string& a, const std::string& b) override;

  // From now on, the n-th (1-based) operation of this kind, counted over all
  // files, fails; 0 = never.
  void FailNth(Op op, int n);
  // The n-th mutating operation (Write, Truncate or Flush, counted together)
  // fails; a failing write first writes partialBytes of its bytes (0 =
  // nothing) to model a torn write.
  void FailNthMutation(int n, size_t partialBytes = 0);
  // The program stops at the n-th change: the n-th and every later write,
  // truncate, flush, delete, copy, rename, folder creation or removal and
  // creating open fails and changes nothing (a failing n-th write may first
  // write partialBytes, a failing n-th copy leaves half its target); reads,
  // questions and opens of existing files go on. Counted by ChangeCount.
  void StopAtNthChange(int n, size_t partialBytes = 0);

  int Count(Op op) const;  // operations seen so far
  int MutationCount() const;
  int ChangeCount() const;
  int InjectedCount() const;  // failures injected so far; 0 = the plan was never reached
  void Reset();               // counters and planned failures cleared

  // What the wrapped files share with the file system; internal.
  struct State;

 private:
  FileSystem& base_;
  std::shared_ptr<State> state_;
};

}  // namespace vk::platform
