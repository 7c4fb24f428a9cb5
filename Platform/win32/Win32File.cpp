// The Win32 file: a handle opened with share mode 0, so the system itself
// refuses every other open of the file while we hold it.

#include <algorithm>
#include <utility>

#include "Platform/File.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

// <windows.h> renames DeleteFile to DeleteFileW; our interface means its own.
#undef DeleteFile

namespace vk::platform {
namespace {

// ReadFile and WriteFile take a DWORD count; larger transfers go in pieces.
constexpr size_t kMaxChunk = size_t{1} << 30;

// The one place where a Win32 error code becomes a text: the call, the path, the system's words.
std::string ErrorText(const char* call, const std::string& path, DWORD error) {
  return std::string(call) + " " + path + ": " + SystemErrorText(error);
}

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
  void Record(const char* call, DWORD error) { lastError_ = ErrorText(call, path_, error); }

  std::string path_;
  UniqueFileHandle handle_;
  std::string lastError_;
};

DWORD DispositionOf(OpenMode mode) {
  switch (mode) {
    case OpenMode::OpenExisting: return OPEN_EXISTING;
    case OpenMode::CreateNew: return CREATE_NEW;
    case OpenMode::CreateAlways: return CREATE_ALWAYS;
  }
  return OPEN_EXISTING;
}

class Win32FileSystem final : public FileSystem {
 public:
  OpenResult Open(const std::string& path, OpenMode mode) override {
    std::wstring widePath = Utf8ToWide(path);
    // CREATE_ALWAYS checks sharing before it empties the file, so a file held
    // elsewhere keeps its content.
    UniqueFileHandle handle(CreateFileW(widePath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        /*shareMode=*/0,  // no sharing: every other open fails while we hold the file
                                        /*security=*/nullptr, DispositionOf(mode), FILE_ATTRIBUTE_NORMAL,
                                        /*templateFile=*/nullptr));
    DWORD error = GetLastError();
    OpenResult result;
    if (!handle) {
      result.Status = StatusOf(error);
      result.Error = ErrorText("CreateFileW", path, error);
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

  bool DeleteFile(const std::string& path) override { return DeleteFileW(Utf8ToWide(path).c_str()) != 0; }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static Win32FileSystem fileSystem;
  return fileSystem;
}

}  // namespace vk::platform
