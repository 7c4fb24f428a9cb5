#pragma once
// An open file and the factory that opens one.
//
// Files are opened for reading and writing with no sharing: while one File
// object holds a path, a second open of the same path fails, in this process
// and in any other (win32: share mode 0; posix: an exclusive advisory lock).
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
};

enum class OpenStatus { Ok, NotFound, Exists, Failed };

struct OpenResult {
  OpenStatus Status = OpenStatus::Failed;
  std::unique_ptr<File> Handle;  // set only for Ok
  std::string Error;             // the system's text otherwise
};

// The file system as far as files go; the folder operations of backups build
// on it. Paths are UTF-8.
class FileSystem {
public:
  virtual ~FileSystem() = default;
  // Opens exclusively. Closing is destroying the File.
  virtual OpenResult Open(const std::string& path, OpenMode mode) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Removes a file; false when it could not be removed.
  virtual bool DeleteFile(const std::string& path) = 0;
};

// The operating system's file system (win32 or posix, chosen by the build).
FileSystem& DefaultFileSystem();

}  // namespace vk::platform
