// The Win32 file: a handle opened with share mode 0, so the system itself
// refuses every other open of the file while we hold it.

#include <algorithm>
#include <utility>

#include "Platform/File.h"
#include "Platform/win32/SystemError.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

// <windows.h> renames these to their W forms; our interface means its own.
#undef DeleteFile
#undef CopyFile

namespace vk::platform {
namespace {

// ReadFile and WriteFile take a DWORD count; larger transfers go in pieces.
constexpr size_t kMaxChunk = size_t{1} << 30;

OpenStatus StatusOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return OpenStatus::NotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return OpenStatus::Exists;
    default: return OpenStatus::Failed;
  }
}

OVERLAPPED At(int64_t offset) {
  OVERLAPPED overlapped{};
  overlapped.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset) & 0xFFFFFFFFu);
  overlapped.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  return overlapped;
}

class Win32File final : public File {
 public:
  Win32File(std::string path, UniqueFileHandle handle) : path_(std::move(path)), handle_(std::move(handle)) {}

  size_t ReadAt(int64_t offset, void* buffer, size_t n) override {
    if (offset < 0) {
      Record("ReadFile", ERROR_NEGATIVE_SEEK);
      return 0;
    }
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < n) {
      DWORD chunk = static_cast<DWORD>(std::min(n - done, kMaxChunk));
      DWORD got = 0;
      OVERLAPPED overlapped = At(offset + static_cast<int64_t>(done));
      if (!ReadFile(handle_.Get(), out + done, chunk, &got, &overlapped)) {
        DWORD error = GetLastError();
        if (error == ERROR_HANDLE_EOF) break;  // a read starting at or past the end
        Record("ReadFile", error);
        return done;
      }
      if (got == 0) break;  // end of file
      done += got;
    }
    return done;
  }

  size_t WriteAt(int64_t offset, const void* buffer, size_t n) override {
    if (offset < 0) {
      Record("WriteFile", ERROR_NEGATIVE_SEEK);
      return 0;
    }
    const auto* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < n) {
      DWORD chunk = static_cast<DWORD>(std::min(n - done, kMaxChunk));
      DWORD put = 0;
      OVERLAPPED overlapped = At(offset + static_cast<int64_t>(done));
      if (!WriteFile(handle_.Get(), in + done, chunk, &put, &overlapped)) {
        DWORD error = GetLastError();
        Record("WriteFile", error);
        return done;
      }
      if (put == 0) {  // no progress: treat as a full disk rather than spin
        Record("WriteFile", ERROR_DISK_FULL);
        return done;
      }
      done += put;
    }
    return done;
  }

  int64_t Size() override {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_.Get(), &size)) {
      DWORD error = GetLastError();
      Record("GetFileSizeEx", error);
      return -1;
    }
    return size.QuadPart;
  }

  bool Truncate(int64_t size) override {
    LARGE_INTEGER position{};
    position.QuadPart = size;
    if (!SetFilePointerEx(handle_.Get(), position, /*newPosition=*/nullptr, FILE_BEGIN)) {
      DWORD error = GetLastError();
      Record("SetFilePointerEx", error);
      return false;
    }
    if (!SetEndOfFile(handle_.Get())) {
      DWORD error = GetLastError();
      Record("SetEndOfFile", error);
      return false;
    }
    return true;
  }

  bool Flush() override {
    if (!FlushFileBuffers(handle_.Get())) {
      DWORD error = GetLastError();
      Record("FlushFileBuffers", error);
      return false;
    }
    return true;
  }

  std::string LastError() const override { return lastError_; }

 private:
  void Record(const char* call, DWORD error) { lastError_ = SystemCallError(call, path_, error); }

  std::string path_;
  UniqueFileHandle handle_;
  std::string lastError_;
};

DWORD DispositionOf(OpenMode mode) {
  switch (mode) {
    case OpenMode::OpenExisting: return OPEN_EXISTING;
    case OpenMode::CreateNew: return CREATE_NEW;
    case OpenMode::CreateAlways: return CREATE_ALWAYS;
    case OpenMode::ReadExisting: return OPEN_EXISTING;
  }
  return OPEN_EXISTING;
}

class Win32FileSystem final : public FileSystem {
 public:
  OpenResult Open(const std::string& path, OpenMode mode) override {
    std::wstring widePath = Utf8ToWide(path);
    // CREATE_ALWAYS checks sharing before it empties the file, so a file held
    // elsewhere keeps its content.
    // No sharing: every other open fails while we hold the file; a reader
    // shares it with other readers only.
    const bool reading = mode == OpenMode::ReadExisting;
    UniqueFileHandle handle(CreateFileW(widePath.c_str(), reading ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                                        reading ? FILE_SHARE_READ : 0, /*security=*/nullptr, DispositionOf(mode),
                                        FILE_ATTRIBUTE_NORMAL,
                                        /*templateFile=*/nullptr));
    DWORD error = GetLastError();
    OpenResult result;
    if (!handle) {
      result.Status = StatusOf(error);
      result.Error = SystemCallError("CreateFileW", path, error);
      return result;
    }
    result.Status = OpenStatus::Ok;
    result.Handle = std::make_unique<Win32File>(path, std::move(handle));
    return result;
  }

  bool FileExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  // A read-only mark does not keep a file, as on posix, where only the
  // folder's rights count; the mark comes back when the delete fails anyway.
  bool DeleteFile(const std::string& path) override {
    const std::wstring wide = Utf8ToWide(path);
    if (DeleteFileW(wide.c_str())) return true;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kept) != FILE_ATTRIBUTE_READONLY) return false;
    if (!SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) return false;
    if (DeleteFileW(wide.c_str())) return true;
    SetFileAttributesW(wide.c_str(), attributes);
    return false;
  }

  bool FolderExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool CreateFolder(const std::string& path) override {
    if (CreateDirectoryW(Utf8ToWide(path).c_str(), /*security=*/nullptr)) return true;
    DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS && FolderExists(path);
  }

  bool RemoveFolder(const std::string& path) override { return RemoveDirectoryW(Utf8ToWide(path).c_str()) != 0; }

  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override {
    std::wstring target = Utf8ToWide(to);
    if (!CopyFileW(Utf8ToWide(from).c_str(), target.c_str(), /*failIfExists=*/!overwrite)) return false;
    // CopyFileW carries the read-only mark over; a copy of ours must stay
    // replaceable and deletable like any file we write.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        !SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
      return false;
    }
    // CopyFileW leaves the bytes in the system's cache; the copy counts only
    // once it is on the disk.
    UniqueFileHandle copy(CreateFileW(target.c_str(), GENERIC_WRITE, /*shareMode=*/0, /*security=*/nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, /*templateFile=*/nullptr));
    return copy && FlushFileBuffers(copy.Get());
  }

  bool RenameFile(const std::string& from, const std::string& to) override {
    DWORD attributes = GetFileAttributesW(Utf8ToWide(from).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    return MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool SameFolder(const std::string& a, const std::string& b) override {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    if (!FolderIdentity(a, first) || !FolderIdentity(b, second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
  }

 private:
  // The volume and file index of a folder: a folder opens only with backup
  // semantics, and asking for attributes alone needs no rights on it.
  static bool FolderIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    UniqueFileHandle handle(CreateFileW(Utf8ToWide(path).c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, /*security=*/nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, /*templateFile=*/nullptr));
    if (!handle || !GetFileInformationByHandle(handle.Get(), &info)) return false;
    return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static Win32FileSystem fileSystem;
  return fileSystem;
}

}  // namespace vk::platform
