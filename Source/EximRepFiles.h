#pragma once
// The files of the exports and the import: one written from the start to the
// end, one read line by line with a bound on the length of a line, so that a
// file without line breaks is never read into memory whole. Both go through
// the platform's files, so tests can use the in-memory and faulty ones.
// Portable.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Platform/File.h"

namespace vk {

// A file created empty (an existing one is replaced) and written in order.
// Raises EOSError with the system's text when it cannot be created or
// written; what was written before stays in the file.
class TOutputFile {
 public:
  TOutputFile(platform::FileSystem& files, const std::string& path);
  // Closes without reporting; Close reports.
  ~TOutputFile();
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  void Write(std::string_view bytes);
  // Writes what is held back and lets the file go.
  void Close();

 private:
  void WriteHeld();

  std::unique_ptr<platform::File> file_;
  std::string held_;
  std::int64_t offset_ = 0;
};

// A file read line by line. A line ends at LF, CR LF or a lone CR; the line
// end is not part of the line. Raises EOSError with the system's text when
// the file cannot be opened or read.
class TLineReader {
 public:
  TLineReader(platform::FileSystem& files, const std::string& path, std::size_t maxLineBytes);
  TLineReader(const TLineReader&) = delete;
  TLineReader& operator=(const TLineReader&) = delete;

  struct TLine {
    std::string Bytes;
    // The line was longer than the bound: Bytes holds its first bytes
    // only, and the rest was passed over.
    bool TooLong = false;
  };
  // The next line; false at the end of the file.
  bool ReadLine(TLine& line);

 private:
  // Refills the buffer; false at the end of the file.
  bool Fill();

  std::unique_ptr<platform::File> file_;
  std::size_t maxLineBytes_;
  std::string buffer_;
  std::size_t next_ = 0;  // the first unread byte of buffer_
  std::int64_t offset_ = 0;
  bool pendingLf_ = false;  // a CR ended the last line: an LF right after it belongs to it
};

}  // namespace vk
