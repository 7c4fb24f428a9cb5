#include "Platform/TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "Core/SysUtils.h"
#include "Platform/posix/SystemError.h"
#include "Platform/posix/UniqueFd.h"

namespace vk::platform {
namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Another process holding the file exclusively makes a shared lock fail,
// which stands in for the sharing violation Windows reports.
bool HeldByAnother(int fd) {
  if (flock(fd, LOCK_SH | LOCK_NB) != 0) return errno == EWOULDBLOCK;
  flock(fd, LOCK_UN);
  return false;
}

void WriteAll(int fd, std::string_view bytes, const std::string& temp) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EOSError(SystemCallError("write", temp, n < 0 ? errno : ENOSPC));
    done += static_cast<size_t>(n);
  }
}

class PosixTextFiles final : public TextFiles {
 public:
  WholeReadResult ReadWhole(const std::string& path) override {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
      int error = errno;
      if (error == ENOENT || error == ENOTDIR) return {WholeReadStatus::NotFound, {}, {}};
      return {WholeReadStatus::Failed, {}, SystemCallError("open", path, error)};
    }
    if (flock(fd.Get(), LOCK_SH | LOCK_NB) != 0) {
      int error = errno;
      return {WholeReadStatus::Failed, {}, SystemCallError("flock", path, error)};
    }
    WholeReadResult result{WholeReadStatus::Ok, {}, {}};
    char buffer[65536];
    for (;;) {
      ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        int error = errno;
        return {WholeReadStatus::Failed, {}, SystemCallError("read", path, error)};
      }
      if (n == 0) break;
      result.Bytes.append(buffer, static_cast<size_t>(n));
    }
    return result;
  }

  void ReplaceWhole(const std::string& path, std::string_view bytes) override {
    mode_t mode = 0644;
    {
      UniqueFd original(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
      if (original.Valid()) {
        if (HeldByAnother(original.Get())) throw EOSError(SystemCallError("flock", path, EWOULDBLOCK));
        struct stat st;
        if (fstat(original.Get(), &st) == 0) mode = st.st_mode & 07777;
      }
    }
    std::vector<char> name(path.begin(), path.end());
    for (char c : std::string_view(".XXXXXX")) name.push_back(c);
    name.push_back('\0');
    UniqueFd fd(mkstemp(name.data()));
    std::string temp(name.data());
    if (!fd.Valid()) {
      int error = errno;
      throw EOSError(SystemCallError("mkstemp", temp, error));
    }
    try {
      if (fchmod(fd.Get(), mode) != 0) throw EOSError(SystemCallError("fchmod", temp, errno));
      WriteAll(fd.Get(), bytes, temp);
      if (fsync(fd.Get()) != 0) throw EOSError(SystemCallError("fsync", temp, errno));
      if (!fd.Close()) throw EOSError(SystemCallError("close", temp, errno));
      if (::rename(temp.c_str(), path.c_str()) != 0) throw EOSError(SystemCallError("rename", path, errno));
    } catch (...) {
      fd.Close();
      ::unlink(temp.c_str());
      throw;
    }
    // Makes the rename itself durable.
    UniqueFd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Valid()) fsync(folder.Get());
  }
};

}  // namespace

TextFiles& DefaultTextFiles() {
  static PosixTextFiles files;
  return files;
}

}  // namespace vk::platform
