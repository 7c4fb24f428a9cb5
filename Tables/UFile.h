#pragma once
// One table file held open exclusively, with checked positioning, reading
// and writing. Every failure raises the table engine's fixed Russian text.

#include <cstdint>
#include <memory>
#include <string>

#include "Platform/File.h"
#include "Tables/PendingWrites.h"

namespace vk {

class TFile {
 public:
  explicit TFile(platform::FileSystem& fs = platform::DefaultFileSystem());
  virtual ~TFile();
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  const std::string& FileName() const { return fileName_; }
  // Refused while active or for an empty name; a name that differs only in
  // letter case is not taken.
  void SetFileName(const std::string& name);
  bool Active() const { return file_ != nullptr; }

  // origin 0 from the start, 1 from the current position, 2 from the end.
  int64_t Seek(int64_t offset, int origin);
  void Read(void* buffer, size_t count);
  void Write(const void* buffer, size_t count);
  // Sets the end of the file at the current position.
  void Truncate();
  void Flush();
  int64_t FileSize();

  virtual void CreateFile(bool overwrite);
  virtual void OpenFile(bool createIfMissing);
  virtual void CloseFile();

  // While a journalled operation runs (Tables/Journal.h) the file's changes
  // are held back: writes and cuts go to them, reads and the size see them,
  // and Flush waits for the operation's end.
  void HoldChanges();
  TPendingWrites* HeldChanges() { return held_.get(); }
  void DropHeldChanges() { held_.reset(); }
  // The system's file under this one, for the journal's writing and roll-back.
  platform::File& SystemFile();

 protected:
  void CheckActive() const;
  void CheckInactive() const;
  platform::FileSystem& FileSystemInUse() { return fs_; }

 private:
  platform::FileSystem& fs_;
  std::string fileName_;
  std::unique_ptr<platform::File> file_;
  std::unique_ptr<TPendingWrites> held_;
  int64_t position_ = 0;
};

}  // namespace vk
