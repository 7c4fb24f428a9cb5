#include "Source/EximRepFiles.h"

#include <algorithm>

#include "Core/SysUtils.h"

namespace vk {
namespace {

// Bytes moved to or from the file at once.
constexpr std::size_t kChunk = 64 * 1024;

std::unique_ptr<platform::File> OpenOrRaise(platform::FileSystem& files, const std::string& path,
                                            platform::OpenMode mode) {
  platform::OpenResult opened = files.Open(path, mode);
  if (opened.Status != platform::OpenStatus::Ok) {
    throw EOSError(opened.Error.empty() ? "Cannot open " + path : opened.Error);
  }
  return std::move(opened.Handle);
}

}  // namespace

TOutputFile::TOutputFile(platform::FileSystem& files, const std::string& path)
    : file_(OpenOrRaise(files, path, platform::OpenMode::CreateAlways)) {}

TOutputFile::~TOutputFile() {
  BestEffort([&] { Close(); });
}

void TOutputFile::Write(std::string_view bytes) {
  if (!file_) throw EOSError("The file is closed");
  held_ += bytes;
  if (held_.size() >= kChunk) WriteHeld();
}

void TOutputFile::Close() {
  if (!file_) return;
  // The file is let go whatever the last write does.
  try {
    WriteHeld();
  } catch (...) {
    file_.reset();
    throw;
  }
  file_.reset();
}

void TOutputFile::WriteHeld() {
  if (held_.empty()) return;
  const std::size_t written = file_->WriteAt(offset_, held_.data(), held_.size());
  if (written != held_.size()) {
    const std::string error = file_->LastError();
    held_.clear();
    throw EOSError(error);
  }
  offset_ += static_cast<std::int64_t>(written);
  held_.clear();
}

TLineReader::TLineReader(platform::FileSystem& files, const std::string& path, std::size_t maxLineBytes)
    : file_(OpenOrRaise(files, path, platform::OpenMode::ReadExisting)), maxLineBytes_(maxLineBytes) {}

bool TLineReader::Fill() {
  buffer_.resize(kChunk);
  const std::size_t read = file_->ReadAt(offset_, buffer_.data(), buffer_.size());
  buffer_.resize(read);
  next_ = 0;
  if (read == 0) {
    // Nothing came: the end of the file, or an error before it.
    const std::int64_t size = file_->Size();
    if (size < 0 || offset_ < size) throw EOSError(file_->LastError());
    return false;
  }
  offset_ += static_cast<std::int64_t>(read);
  return true;
}

bool TLineReader::ReadLine(TLine& line) {
  line.Bytes.clear();
  line.TooLong = false;
  bool started = false;
  for (;;) {
    if (next_ == buffer_.size() && !Fill()) return started;
    if (pendingLf_) {
      pendingLf_ = false;
      if (buffer_[next_] == '\n') {
        ++next_;
        continue;
      }
    }
    started = true;
    const std::size_t end = buffer_.find_first_of("\r\n", next_);
    const std::size_t stop = end == std::string::npos ? buffer_.size() : end;
    const std::size_t room = maxLineBytes_ - std::min(maxLineBytes_, line.Bytes.size());
    const std::size_t take = std::min(room, stop - next_);
    line.Bytes.append(buffer_, next_, take);
    if (take < stop - next_) line.TooLong = true;
    if (end == std::string::npos) {
      next_ = stop;
      continue;
    }
    pendingLf_ = buffer_[end] == '\r';
    next_ = end + 1;
    return true;
  }
}

}  // namespace vk
