#include "Platform/TextFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <limits>

#include "Core/SysUtils.h"
#include "Platform/win32/SystemError.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

namespace vk::platform {
namespace {

// ".", the process id, "-", the counter and ".tmp", each number of 32 bits.
static_assert(kReplaceWholeSuffixMax >=
              1 + (std::numeric_limits<DWORD>::digits10 + 1) + 1 + (std::numeric_limits<unsigned>::digits10 + 1) + 4);

std::string TemporaryNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + ".tmp";
}

void WriteAll(HANDLE file, std::string_view bytes, const std::string& temp) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, /*overlapped=*/nullptr) || written == 0) {
      DWORD error = GetLastError();
      throw EOSError(SystemCallError("WriteFile", temp, error));
    }
    done += written;
  }
}

class Win32TextFiles final : public TextFiles {
 public:
  WholeReadResult ReadWhole(const std::string& path) override {
    // Others may read along, nobody may write while we read.
    UniqueFileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, /*security=*/nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, /*template=*/nullptr));
    if (!file.Valid()) {
      DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {WholeReadStatus::NotFound, {}, {}};
      return {WholeReadStatus::Failed, {}, SystemCallError("CreateFileW", path, error)};
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size)) {
      DWORD error = GetLastError();
      return {WholeReadStatus::Failed, {}, SystemCallError("GetFileSizeEx", path, error)};
    }
    if (size.QuadPart > (1 << 30)) return {WholeReadStatus::Failed, {}, "File too large: " + path};
    WholeReadResult result{WholeReadStatus::Ok, std::string(static_cast<size_t>(size.QuadPart), '\0'), {}};
    size_t done = 0;
    while (done < result.Bytes.size()) {
      DWORD got = 0;
      if (!ReadFile(file.Get(), result.Bytes.data() + done, static_cast<DWORD>(result.Bytes.size() - done), &got,
                    /*overlapped=*/nullptr)) {
        DWORD error = GetLastError();
        return {WholeReadStatus::Failed, {}, SystemCallError("ReadFile", path, error)};
      }
      if (got == 0) break;  // the file shrank meanwhile
      done += got;
    }
    result.Bytes.resize(done);
    return result;
  }

  void ReplaceWhole(const std::string& path, std::string_view bytes) override {
    std::string temp = TemporaryNameBeside(path);
    std::wstring wideTemp = Utf8ToWide(temp);
    {
      // Share mode 0: nobody sees the temporary file half-written.
      UniqueFileHandle file(CreateFileW(wideTemp.c_str(), GENERIC_WRITE, /*share=*/0, /*security=*/nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, /*template=*/nullptr));
      if (!file.Valid()) {
        DWORD error = GetLastError();
        throw EOSError(SystemCallError("CreateFileW", temp, error));
      }
      try {
        WriteAll(file.Get(), bytes, temp);
        if (!FlushFileBuffers(file.Get())) {
          DWORD error = GetLastError();
          throw EOSError(SystemCallError("FlushFileBuffers", temp, error));
        }
        if (!file.Close()) {
          DWORD error = GetLastError();
          throw EOSError(SystemCallError("CloseHandle", temp, error));
        }
      } catch (...) {
        file.Close();
        DeleteFileW(wideTemp.c_str());
        throw;
      }
    }
    if (!MoveFileExW(wideTemp.c_str(), Utf8ToWide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      DWORD error = GetLastError();
      DeleteFileW(wideTemp.c_str());
      throw EOSError(SystemCallError("MoveFileExW", path, error));
    }
  }
};

}  // namespace

TextFiles& DefaultTextFiles() {
  static Win32TextFiles files;
  return files;
}

}  // namespace vk::platform
