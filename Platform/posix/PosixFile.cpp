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

namespace vk::platform {
namespace {

// The one place where errno becomes a text: the call, the path, the system's words.
std::string ErrorText(const char* call, const std::string& path, int error) {
  return std::string(call) + " " + path + ": " + std::strerror(error);
}

OpenStatus StatusOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return OpenStatus::NotFound;
    case EEXIST: return OpenStatus::Exists;
    default: return OpenStatus::Failed;
  }
}

// Owns a descriptor; closing keeps errno as the failing call left it.
class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) noexcept : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int Get() const noexcept { return fd_; }
  bool Valid() const noexcept { return fd_ >= 0; }
  void Reset() noexcept {
    if (fd_ < 0) return;
    int saved = errno;
    ::close(fd_);
    errno = saved;
    fd_ = -1;
  }

 private:
  int fd_;
};

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
  void Record(const char* call, int error) { lastError_ = ErrorText(call, path_, error); }

  std::string path_;
  UniqueFd fd_;
  std::string lastError_;
};

OpenResult Failure(const char* call, const std::string& path, int error) {
  OpenResult result;
  result.Status = StatusOf(error);
  result.Error = ErrorText(call, path, error);
  return result;
}

class PosixFileSystem final : public FileSystem {
 public:
  OpenResult Open(const std::string& path, OpenMode mode) override {
    // CreateAlways does not pass O_TRUNC: the file is emptied only once we
    // hold its lock, so a file open elsewhere keeps its content.
    int flags = O_RDWR | O_CLOEXEC;
    if (mode == OpenMode::CreateNew) flags |= O_CREAT | O_EXCL;
    if (mode == OpenMode::CreateAlways) flags |= O_CREAT;
    UniqueFd fd(::open(path.c_str(), flags, 0666));
    if (!fd.Valid()) {
      int error = errno;
      return Failure("open", path, error);
    }
    if (!Lock(fd.Get())) {
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

 private:
  static bool Lock(int fd) {
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

}  // namespace vk::platform
