#include "Tables/UFile.h"

#include "Core/AsciiCase.h"
#include "Core/SysUtils.h"

namespace vk {

TFile::TFile(platform::FileSystem& fs) : fs_(fs) {}

TFile::~TFile() = default;  // the handle closes with file_

void TFile::CheckActive() const {
  if (!Active()) throw Exception("Недопустимая операция при закрытом файле");
}

void TFile::CheckInactive() const {
  if (Active()) throw Exception("Недопустимая операция при открытом файле");
}

void TFile::SetFileName(const std::string& name) {
  CheckInactive();
  if (name.empty()) throw Exception("Пустое имя файла");
  if (SameTextAscii(name, fileName_)) return;
  fileName_ = name;
}

int64_t TFile::Seek(int64_t offset, int origin) {
  CheckActive();
  int64_t base = 0;
  if (origin == 1)
    base = position_;
  else if (origin == 2)
    base = FileSize();
  int64_t target;
  if (__builtin_add_overflow(base, offset, &target) || target < 0) throw Exception("Ошибка позиционирования в файле");
  position_ = target;
  return position_;
}

void TFile::Read(void* buffer, size_t count) {
  CheckActive();
  size_t got = held_ ? held_->Read(*file_, position_, buffer, count) : file_->ReadAt(position_, buffer, count);
  position_ += static_cast<int64_t>(got);
  if (got != count) throw Exception("Ошибка при чтении из файла");
}

void TFile::Write(const void* buffer, size_t count) {
  CheckActive();
  if (held_) {
    held_->Write(position_, buffer, count);
    position_ += static_cast<int64_t>(count);
    return;
  }
  size_t put = file_->WriteAt(position_, buffer, count);
  position_ += static_cast<int64_t>(put);
  if (put != count) throw Exception("Ошибка записи в файл");
}

void TFile::Truncate() {
  CheckActive();
  if (held_) {
    held_->SetLength(position_);
    return;
  }
  if (!file_->Truncate(position_)) throw Exception("Ошибка записи в файл");
}

void TFile::Flush() {
  CheckActive();
  if (held_) return;  // the journal flushes once, at the operation's end
  if (!file_->Flush()) throw Exception("Ошибка записи в файл");
}

int64_t TFile::FileSize() {
  CheckActive();
  if (held_) return held_->Length();
  int64_t size = file_->Size();
  if (size < 0) throw Exception("Ошибка позиционирования в файле");
  return size;
}

void TFile::CreateFile(bool overwrite) {
  CheckInactive();
  if (fileName_.empty()) throw Exception("Пустое имя файла");
  if (!overwrite && fs_.FileExists(fileName_)) throw Exception("Файл существует");
  auto r = fs_.Open(fileName_, overwrite ? platform::OpenMode::CreateAlways : platform::OpenMode::CreateNew);
  if (r.Status == platform::OpenStatus::Exists) throw Exception("Файл существует");
  if (r.Status != platform::OpenStatus::Ok) throw Exception("Невозможно создать файл");
  file_ = std::move(r.Handle);
  position_ = 0;
}

void TFile::OpenFile(bool createIfMissing) {
  CheckInactive();
  if (fileName_.empty()) throw Exception("Пустое имя файла");
  auto r = fs_.Open(fileName_, platform::OpenMode::OpenExisting);
  if (r.Status == platform::OpenStatus::NotFound) {
    if (!createIfMissing) throw Exception("Файл не найден");
    CreateFile(false);
    return;
  }
  if (r.Status != platform::OpenStatus::Ok) throw Exception("Ошибка открытия файла");
  file_ = std::move(r.Handle);
  position_ = 0;
}

void TFile::HoldChanges() {
  CheckActive();
  if (!held_) held_ = std::make_unique<TPendingWrites>(FileSize());
}

platform::File& TFile::SystemFile() {
  CheckActive();
  return *file_;
}

void TFile::CloseFile() {
  CheckActive();
  held_.reset();
  file_.reset();
  position_ = 0;
}

}  // namespace vk
