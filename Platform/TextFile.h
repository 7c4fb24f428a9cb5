#pragma once
// Small files read and written whole: the settings file is parsed once from
// all its bytes and rewritten whole on every change.
//
// A rewrite is atomic: the bytes go to a temporary file beside the original,
// which is flushed to the disk and then moved over the original in one step.
// A crash or a full disk during the rewrite leaves the old file whole; the
// new file holds exactly the bytes a direct write would have left.
//
// A file that another process holds open without sharing cannot be read
// (win32: share mode; posix: an exclusive flock) and cannot be replaced.
// Callers that must wait for such a file retry themselves.

#include <cstddef>
#include <string>
#include <string_view>

namespace vk::platform {

enum class WholeReadStatus {
  Ok,
  NotFound,  // the file (or its folder) does not exist
  Failed,    // it exists but cannot be read now, e.g. it is held by another process
};

struct WholeReadResult {
  WholeReadStatus Status = WholeReadStatus::Failed;
  std::string Bytes;  // all bytes of the file, for Ok
  std::string Error;  // the call, the path and the system's text, for Failed
};

class TextFiles {
 public:
  virtual ~TextFiles() = default;
  // Reads every byte of the file in one go.
  virtual WholeReadResult ReadWhole(const std::string& path) = 0;
  // Creates the file or replaces its content atomically (see above). Raises
  // EOSError with the call, the path and the system's text on a failure; the
  // original is then unchanged and no temporary file is left behind.
  virtual void ReplaceWhole(const std::string& path, std::string_view bytes) = 0;
};

// ReplaceWhole's temporary file is named as the file plus a suffix of at most
// this many characters (win32 ".<process id>-<counter>.tmp", both numbers
// 32-bit; posix ".XXXXXX"): the path must leave room for it.
inline constexpr size_t kReplaceWholeSuffixMax = 26;

// The operating system's files (win32 or posix, chosen by the build).
TextFiles& DefaultTextFiles();

}  // namespace vk::platform
