#pragma once
// An open file and the factory that opens one.
//
// Files are opened for reading and writing with no sharing: while one File
// object holds a path, a second open of the same path fails, in this process
// and in any other (win32: share mode 0; posix: an exclusive advisory lock).
// ReadExisting is the one exception: it only reads, so several readers may
// hold a file at once, but never beside a writer (win32: FILE_SHARE_READ;
// posix: a shared advisory lock). It also opens files the user may not
// write (read-only files, a CD, a read-only share).
// The interface reports failures by its results, never by exceptions, so the
// table engine can raise its own texts; LastError() gives the system's text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vk::platform {

class File {
 public:
  virtual ~File() = default;

  // Reads up to n bytes at offset. Returns the bytes read: fewer than n at
  // the end of the file or on an error.
  virtual size_t ReadAt(int64_t offset, void* buffer, size_t n) = 0;
  // Writes n bytes at offset, growing the file when needed. Returns the bytes
  // written: fewer than n on an error.
  virtual size_t WriteAt(int64_t offset, const void* buffer, size_t n) = 0;
  // Current size in bytes; -1 on an error.
  virtual int64_t Size() = 0;
  // Cuts or extends the file to exactly size bytes. False on an error.
  virtual bool Truncate(int64_t size) = 0;
  // Makes the system write its buffers to the disk. False on an error.
  virtual bool Flush() = 0;
  // The system's text for the last failed call, with the call and the path.
  virtual std::string LastError() const = 0;
};

enum class OpenMode {
  OpenExisting,  // the file must exist
  CreateNew,     // the file must not exist; it is created empty
  CreateAlways,  // created, or emptied when it exists
  ReadExisting,  // the file must exist; read only, shared with other readers
};

enum class OpenStatus { Ok, NotFound, Exists, Failed };

struct OpenResult {
  OpenStatus Status = OpenStatus::Failed;
  std::unique_ptr<File> Handle;  // set only for Ok
  std::string Error;             // the system's text otherwise
};

// The file system: files, and the folders and whole-file copies that backups
// build on. Paths are UTF-8. Like File, it answers by results, never by
// exceptions.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens exclusively (ReadExisting: shared with readers only). Closing is
  // destroying the File.
  virtual OpenResult Open(const std::string& path, OpenMode mode) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Removes a file, also one marked read-only; false when it could not be
  // removed (open elsewhere, no rights on its folder).
  virtual bool DeleteFile(const std::string& path) = 0;

  // Whether a folder is at path; a file of that name is not one.
  virtual bool FolderExists(const std::string& path) = 0;
  // Creates one folder in an existing parent. True when the folder exists
  // afterwards, also when it was there already; false when the parent is
  // missing, a file has the name, or the system refuses.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Removes an empty folder; false when it is missing, not empty or refused.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Copies the whole file at from into a file at to, and has the copy written
  // to the disk before it answers. With overwrite false an existing to is
  // left alone and the copy fails. Fails when either file is open (no
  // sharing, as Open), and so also when both paths name one file.
  // After a failure to may be missing or hold part of the bytes: callers that
  // care copy to a name of their own first and then use RenameFile.
  virtual bool CopyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
  // Gives the file at from the name to in one step, replacing a file of that
  // name: afterwards to holds what from held and from is gone; on failure
  // both are as they were. Both names must lie on one volume (in practice:
  // one folder). The new name is on the disk before it answers. Fails when
  // either file is open.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
  // Whether both paths name one existing folder, however each is spelled
  // (letter case, trailing delimiters, "." and ".." steps, links): the
  // system's identity of the folder decides, not the text.
  virtual bool SameFolder(const std::string& a, const std::string& b) = 0;
};

// The operating system's file system (win32 or posix, chosen by the build).
FileSystem& DefaultFileSystem();

}  // namespace vk::platform
