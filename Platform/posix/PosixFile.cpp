// The posix file: a descriptor with an exclusive flock lock.
//
// flock locks belong to the open file description, so they conflict between
// two opens in the same process as well as between processes, which is what
// the no-sharing contract needs. Locks are advisory: only programs that lock
// (ours) are kept out.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "Platform/File.h"
#include "Platform/posix/SystemError.h"
#include "Platform/posix/UniqueFd.h"

namespace vk::platform {
namespace {

OpenStatus StatusOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return OpenStatus::NotFound;
    case EEXIST: return OpenStatus::Exists;
    default: return OpenStatus::Failed;
  }
}

class PosixFile final : public File {
 public:
  PosixFile(std::string path, UniqueFd fd) : path_(std::move(path)), fd_(std::move(fd)) {}

  size_t ReadAt(int64_t offset, void* buffer, size_t n) override {
    if (offset < 0) {
      Record("pread", EINVAL);
      return 0;
    }
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < n) {
      ssize_t got = ::pread(fd_.Get(), out + done, n - done, static_cast<off_t>(offset + static_cast<int64_t>(done)));
      if (got < 0) {
        int error = errno;
        if (error == EINTR) continue;
        Record("pread", error);
        return done;
      }
      if (got == 0) break;  // end of file
      done += static_cast<size_t>(got);
    }
    return done;
  }

  size_t WriteAt(int64_t offset, const void* buffer, size_t n) override {
    if (offset < 0) {
      Record("pwrite", EINVAL);
      return 0;
    }
    const auto* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < n) {
      ssize_t put = ::pwrite(fd_.Get(), in + done, n - done, static_cast<off_t>(offset + static_cast<int64_t>(done)));
      if (put < 0) {
        int error = errno;
        if (error == EINTR) continue;
        Record("pwrite", error);
        return done;
      }
      if (put == 0) {  // no progress: treat as a full disk rather than spin
        Record("pwrite", ENOSPC);
        return done;
      }
      done += static_cast<size_t>(put);
    }
    return done;
  }

  int64_t Size() override {
    struct stat info {};
    if (::fstat(fd_.Get(), &info) != 0) {
      int error = errno;
      Record("fstat", error);
      return -1;
    }
    return static_cast<int64_t>(info.st_size);
  }

  bool Truncate(int64_t size) override {
    if (size < 0) {
      Record("ftruncate", EINVAL);
      return false;
    }
    while (::ftruncate(fd_.Get(), static_cast<off_t>(size)) != 0) {
      int error = errno;
      if (error != EINTR) {
        Record("ftruncate", error);
        return false;
      }
    }
    return true;
  }

  bool Flush() override {
    if (::fsync(fd_.Get()) != 0) {
      int error = errno;
      Record("fsync", error);
      return false;
    }
    return true;
  }

  std::string LastError() const override { return lastError_; }

 private:
  void Record(const char* call, int error) { lastError_ = SystemCallError(call, path_, error); }

  std::string path_;
  UniqueFd fd_;
  std::string lastError_;
};

OpenResult Failure(const char* call, const std::string& path, int error) {
  OpenResult result;
  result.Status = StatusOf(error);
  result.Error = SystemCallError(call, path, error);
  return result;
}

class PosixFileSystem final : public FileSystem {
 public:
  OpenResult Open(const std::string& path, OpenMode mode) override {
    // CreateAlways does not pass O_TRUNC: the file is emptied only once we
    // hold its lock, so a file open elsewhere keeps its content.
    const bool reading = mode == OpenMode::ReadExisting;
    int flags = (reading ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    if (mode == OpenMode::CreateNew) flags |= O_CREAT | O_EXCL;
    if (mode == OpenMode::CreateAlways) flags |= O_CREAT;
    UniqueFd fd(::open(path.c_str(), flags, 0666));
    if (!fd.Valid()) {
      int error = errno;
      return Failure("open", path, error);
    }
    // O_RDONLY opens a folder too; O_RDWR refuses one by itself.
    if (reading && !IsRegularFile(fd.Get())) return Failure("open", path, EISDIR);
    if (!Lock(fd.Get(), reading ? LOCK_SH : LOCK_EX)) {
      int error = errno;
      OpenResult result = Failure("flock", path, error);
      result.Status = OpenStatus::Failed;
      if (error == EWOULDBLOCK) result.Error += " (the file is open elsewhere)";
      return result;
    }
    if (mode == OpenMode::CreateAlways) {
      while (::ftruncate(fd.Get(), 0) != 0) {
        int error = errno;
        if (error != EINTR) return Failure("ftruncate", path, error);
      }
    }
    OpenResult result;
    result.Status = OpenStatus::Ok;
    result.Handle = std::make_unique<PosixFile>(path, std::move(fd));
    return result;
  }

  bool FileExists(const std::string& path) override {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }

  // A file open elsewhere is not removed, as on Windows: unlink alone would
  // succeed under the holder's feet.
  bool DeleteFile(const std::string& path) override {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.Valid() && !Lock(fd.Get())) return false;
    return ::unlink(path.c_str()) == 0;
  }

  bool FolderExists(const std::string& path) override { return IsFolder(path); }

  bool CreateFolder(const std::string& path) override {
    if (::mkdir(path.c_str(), 0777) == 0) {
      SyncFolderOf(path);
      return true;
    }
    return errno == EEXIST && IsFolder(path);
  }

  bool RemoveFolder(const std::string& path) override {
    if (::rmdir(path.c_str()) != 0) return false;
    SyncFolderOf(path);
    return true;
  }

  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override {
    // A shared lock keeps out a source that a table holds, as Windows' share
    // mode 0 does, and makes a copy onto the source itself fail below
    // instead of emptying it.
    UniqueFd source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!source.Valid() || !Lock(source.Get(), LOCK_SH) || !IsRegularFile(source.Get())) return false;
    // No O_TRUNC: the target is emptied only once we hold its lock.
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (overwrite ? 0 : O_EXCL);
    UniqueFd target(::open(to.c_str(), flags, 0666));
    if (!target.Valid() || !Lock(target.Get()) || !IsRegularFile(target.Get())) return false;
    if (!Retry([&] { return ::ftruncate(target.Get(), 0); })) return false;
    if (!CopyBytes(source.Get(), target.Get())) return false;
    if (::fsync(target.Get()) != 0) return false;
    SyncFolderOf(to);
    return true;
  }

  bool RenameFile(const std::string& from, const std::string& to) override {
    UniqueFd source(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!source.Valid() || !Lock(source.Get()) || !IsRegularFile(source.Get())) return false;
    UniqueFd target(::open(to.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (target.Valid() && !Lock(target.Get())) return false;
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    SyncFolderOf(to);
    SyncFolderOf(from);
    return true;
  }

  bool SameFolder(const std::string& a, const std::string& b) override {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return S_ISDIR(first.st_mode) && S_ISDIR(second.st_mode) && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
  }

 private:
  static bool Lock(int fd, int kind = LOCK_EX) {
    while (::flock(fd, kind | LOCK_NB) != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }

  template <typename F>
  static bool Retry(F&& call) {
    while (call() != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }

  static bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  static bool IsRegularFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  }

  static bool CopyBytes(int from, int to) {
    char buffer[64 * 1024];
    for (;;) {
      ssize_t got = ::read(from, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return false;
      if (got == 0) return true;
      for (ssize_t done = 0; done < got;) {
        ssize_t put = ::write(to, buffer + done, static_cast<size_t>(got - done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += put;
      }
    }
  }

  // A new, changed or removed name lives in its folder: syncing the folder
  // puts the name itself on the disk. Best effort: the change has happened
  // by now, and some file systems refuse to sync a folder.
  static void SyncFolderOf(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid()) ::fsync(fd.Get());
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

}  // namespace vk::platform
