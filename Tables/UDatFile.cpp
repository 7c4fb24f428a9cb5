#include "Tables/UDatFile.h"

#include <algorithm>
#include <limits>

#include "Core/Checked.h"
#include "Core/SysUtils.h"
#include "Tables/UBaseFld.h"

namespace vk {
namespace {

// Whether a descriptor's size fits its type: the fixed width of the standard
// classes, 1..kMaxStringFieldSize for strings and for types we do not know.
bool DescriptorSizeIsSane(int32_t typeId, int32_t size) {
  switch (typeId) {
    case 1:
    case 3:
    case 5: return size == 4;
    case 4: return size == 8;
    default: return size >= 1 && size <= kMaxStringFieldSize;
  }
}

std::vector<uint8_t> RecordPrefix(int32_t status) {
  std::vector<uint8_t> prefix(kRecordPrefixSize, 0);
  PutInt32(prefix.data(), status);
  return prefix;
}

}  // namespace

TDatFile::TDatFile(platform::FileSystem& fs) : TFile(fs), ownJournal_(fs) {}

TDatFile::~TDatFile() {
  if (Active()) BestEffort([this] { TDatFile::CloseFile(); });
}

void TDatFile::SetFields(TFields* fields) {
  CheckInactive();
  if (!fields) throw Exception("Не определен объект полей");
  ownedFields_.reset();
  ownedFieldObjects_.clear();
  fields_ = fields;
}

void TDatFile::SetJournal(TJournal* journal) {
  CheckInactive();
  journal_ = journal;
}

void TDatFile::RecoverJournal() {
  if (FileName().empty()) return;  // the file layer refuses the empty name
  if (!Journal().Recover(Journal().PathBeside(FileName()))) throw Exception("Ошибка открытия файла");
}

TDatFile::MemoryState TDatFile::SaveMemoryState() const {
  MemoryState state{header_, fieldRecs_, {}};
  for (int32_t i = 0; i < fields_->Count(); ++i) state.Keys.push_back(fields_->Items(i)->NextKeyValue());
  return state;
}

void TDatFile::RestoreMemoryState(const MemoryState& state) {
  header_ = state.Header;
  fieldRecs_ = state.Recs;
  for (int32_t i = 0; i < fields_->Count(); ++i) {
    TField* f = fields_->Items(i);
    if (f->IsKey()) f->SetNextKeyValue(state.Keys[static_cast<size_t>(i)]);
  }
}

int32_t TDatFile::RecordOffset() const {
  CheckActive();
  return recordOffset_;
}

int64_t TDatFile::EndOfRecords() const {
  return int64_t{header_.DataOffset} + int64_t{header_.RecordLength} * header_.RecordCount;
}

void TDatFile::SetRecordOffset(int32_t offset) {
  CheckActive();
  if (offset < header_.DataOffset || offset > EndOfRecords() ||
      (offset - header_.DataOffset) % header_.RecordLength != 0)
    throw Exception("Неверное смещение записи в файле");
  recordOffset_ = offset;
}

void TDatFile::CheckExistingRecord(int32_t offset) const {
  if (offset < header_.DataOffset || offset >= EndOfRecords() ||
      (offset - header_.DataOffset) % header_.RecordLength != 0)
    throw Exception("Неверное смещение записи в файле");
}

std::vector<uint8_t> TDatFile::ReadRawRecord(int32_t offset) {
  CheckExistingRecord(offset);
  std::vector<uint8_t> raw(static_cast<size_t>(header_.RecordLength));
  Seek(offset, 0);
  Read(raw.data(), raw.size());
  return raw;
}

void TDatFile::WriteHeader(const TDatHeader& header) {
  auto bytes = header.Pack();
  Seek(0, 0);
  Write(bytes.data(), bytes.size());
}

void TDatFile::WriteKeyDescriptors() {
  for (size_t i = 0; i < fieldRecs_.size(); ++i) {
    TField* f = fields_->Items(static_cast<int32_t>(i));
    if (!f->IsKey()) continue;
    fieldRecs_[i].NextKeyValue = f->NextKeyValue();
    auto bytes = fieldRecs_[i].Pack();
    Seek(kDatHeaderSize + kFieldRecSize * static_cast<int64_t>(i), 0);
    Write(bytes.data(), bytes.size());
  }
}

void TDatFile::ResetState() {
  if (ownedFields_) fields_ = nullptr;  // the set built from the file goes with it
  ownedFields_.reset();
  ownedFieldObjects_.clear();
  header_ = TDatHeader{};
  fieldRecs_.clear();
  if (fields_) {
    for (int32_t i = 0; i < fields_->Count(); ++i) {
      TField* f = fields_->Items(i);
      if (f->IsKey()) f->SetNextKeyValue(1);
    }
  }
  recordOffset_ = 0;
}

void TDatFile::WriteNewHeaderAndDescriptors() {
  header_ = TDatHeader{};
  header_.Stamp = HeaderStamp();
  header_.FieldCount = fields_->Count();
  header_.DataOffset = CheckedAdd(kDatHeaderSize, CheckedMul(kFieldRecSize, header_.FieldCount));
  header_.RecordLength = CheckedAdd(fields_->RecordSize(), kRecordPrefixSize);
  WriteHeader(header_);
  fieldRecs_.clear();
  for (int32_t i = 0; i < fields_->Count(); ++i) {
    TField* f = fields_->Items(i);
    TFieldRec rec;
    rec.TypeId = f->TypeId();
    rec.Size = f->DataSize();
    rec.NameLength = static_cast<uint8_t>(std::min(f->Name().size(), kMaxFieldNameLength));
    std::copy_n(f->Name().data(), rec.NameLength, rec.Name);
    rec.NextKeyValue = f->IsKey() ? f->NextKeyValue() : 0;
    fieldRecs_.push_back(rec);
    auto bytes = rec.Pack();
    Write(bytes.data(), bytes.size());
  }
  Flush();
  recordOffset_ = header_.DataOffset;
}

void TDatFile::CreateFile(bool overwrite) {
  if (!fields_) throw Exception("Не определен объект полей");
  CheckInactive();
  // A journal left beside an old file must not later roll back into the new one.
  RecoverJournal();
  TFile::CreateFile(overwrite);
  try {
    WriteNewHeaderAndDescriptors();
  } catch (...) {
    BestEffort([this] { CloseFile(); });
    // A file this call made and could not complete is not left behind.
    if (!overwrite) FileSystemInUse().DeleteFile(FileName());
    throw;
  }
}

void TDatFile::CheckHeader() {
  const int64_t size = FileSize();
  if (size < kDatHeaderSize) throw Exception("Неверный размер заголовка файла");
  if (size > kMaxFileSize) throw Exception("Неверное количество записей");
  uint8_t raw[kDatHeaderSize];
  Seek(0, 0);
  Read(raw, sizeof raw);
  header_ = TDatHeader::Unpack(raw);
  if (!std::equal(header_.Magic, header_.Magic + 4, kDatMagic)) throw Exception("Неверный тип файла");
  if (header_.FieldCount < 0 ||
      int64_t{kDatHeaderSize} + int64_t{kFieldRecSize} * header_.FieldCount != header_.DataOffset)
    throw Exception("Неверный размер заголовка файла");
  if (size < header_.DataOffset) throw Exception("Неверный размер заголовка файла");

  // The descriptors lie inside the file, so this allocation is bounded by it.
  std::vector<uint8_t> raws(static_cast<size_t>(header_.FieldCount) * kFieldRecSize);
  Read(raws.data(), raws.size());
  fieldRecs_.clear();
  int64_t recordLength = kRecordPrefixSize;
  for (int32_t i = 0; i < header_.FieldCount; ++i) {
    TFieldRec rec = TFieldRec::Unpack(raws.data() + static_cast<size_t>(i) * kFieldRecSize);
    if (rec.NameLength > kMaxFieldNameLength) throw Exception("Поврежден заголовок файла");
    if (!DescriptorSizeIsSane(rec.TypeId, rec.Size)) throw Exception("Неверный размер поля");
    recordLength += rec.Size;
    fieldRecs_.push_back(rec);
  }
  if (recordLength != header_.RecordLength || recordLength > kMaxRecordLength)
    throw Exception("Неверный размер записи");
  if (header_.RecordCount < 0 || header_.DeletedCount < 0) throw Exception("Неверное количество записей");
  if (EndOfRecords() != size) throw Exception("Неверное количество записей");
  if (header_.DeletedCount > header_.RecordCount) throw Exception("Неверное количество записей");
}

void TDatFile::CheckFieldsAgainstDescriptors() {
  if (fields_->Count() != header_.FieldCount) throw Exception("Поврежден заголовок файла");
  if (int64_t{kDatHeaderSize} + int64_t{kFieldRecSize} * fields_->Count() != header_.DataOffset)
    throw Exception("Поврежден заголовок файла");
  if (int64_t{fields_->RecordSize()} + kRecordPrefixSize != header_.RecordLength)
    throw Exception("Неверный размер записи");
  for (int32_t i = 0; i < fields_->Count(); ++i) {
    TField* f = fields_->Items(i);
    const TFieldRec& rec = fieldRecs_[static_cast<size_t>(i)];
    if (f->TypeId() != rec.TypeId) throw Exception("Неверный тип поля");
    if (f->DataSize() != rec.Size) throw Exception("Неверный размер поля");
    if (f->IsKey()) {
      if (rec.NextKeyValue < 1) throw Exception("Неверное очередное значение ключевого поля");
      f->SetNextKeyValue(rec.NextKeyValue);
    }
  }
}

void TDatFile::BuildFieldsFromDescriptors() {
  if (fields_) throw Exception("Объект полей уже определен");
  auto set = std::make_unique<TFields>();
  std::vector<std::unique_ptr<TField>> objects;
  for (const TFieldRec& rec : fieldRecs_) {
    FindFieldClass(rec.TypeId);
    auto field = CreateFieldOfType(rec.TypeId, rec.Size);
    field->SetName(std::string(rec.Name, rec.NameLength));
    field->SetIsKey(rec.NextKeyValue > 0);
    if (rec.NextKeyValue > 0) field->SetNextKeyValue(rec.NextKeyValue);
    set->Add(field.get());
    objects.push_back(std::move(field));
  }
  if (int64_t{set->RecordSize()} + kRecordPrefixSize != header_.RecordLength) throw Exception("Неверный размер записи");
  ownedFieldObjects_ = std::move(objects);
  ownedFields_ = std::move(set);
  fields_ = ownedFields_.get();
}

void TDatFile::OpenFile(bool createIfMissing) {
  CheckInactive();
  RecoverJournal();
  TFile::OpenFile(createIfMissing);
  try {
    CheckHeader();
    if (fields_)
      CheckFieldsAgainstDescriptors();
    else
      BuildFieldsFromDescriptors();
    recordOffset_ = header_.DataOffset;
  } catch (...) {
    BestEffort([this] { CloseFile(); });
    throw;
  }
}

void TDatFile::CloseFile() {
  CheckActive();
  ResetState();
  TFile::CloseFile();
}

bool TDatFile::ReadRecord() {
  CheckActive();
  std::vector<uint8_t> raw = ReadRawRecord(recordOffset_);
  fields_->SetRecord(raw.data() + kRecordPrefixSize);
  return GetInt32(raw.data()) == kStatusLive;
}

void TDatFile::AppendRecord() {
  CheckActive();
  // Refuse before anything is written: a key counter at its limit, or a
  // file that would pass the format's 2 GB.
  for (int32_t i = 0; i < fields_->Count(); ++i) {
    TField* f = fields_->Items(i);
    if (f->IsKey() && f->NextKeyValue() == std::numeric_limits<int32_t>::max()) throw EIntOverflow();
  }
  const int64_t position = EndOfRecords();
  if (position + header_.RecordLength > kMaxFileSize || header_.RecordCount == std::numeric_limits<int32_t>::max())
    throw Exception("Ошибка записи в файл");

  std::vector<uint8_t> bytes = RecordPrefix(kStatusLive);
  const uint8_t* data = fields_->GetRecord();
  bytes.insert(bytes.end(), data, data + fields_->RecordSize());
  const MemoryState old = SaveMemoryState();
  try {
    Journal().RunChange(*this, [&] {
      Seek(position, 0);
      Write(bytes.data(), bytes.size());
      header_.RecordCount += 1;
      fields_->IncKeyValues();
      WriteKeyDescriptors();
      WriteHeader(header_);
    });
  } catch (...) {
    RestoreMemoryState(old);
    throw;
  }
  recordOffset_ = static_cast<int32_t>(position);
}

void TDatFile::RewriteRecord() {
  CheckActive();
  const int32_t offset = recordOffset_;
  // A deleted record written live would come back without leaving
  // DeletedCount, and the next open would refuse the file.
  Assert(GetInt32(ReadRawRecord(offset).data()) == kStatusLive, "Record is deleted", "Tables\\UDatFile");
  std::vector<uint8_t> bytes = RecordPrefix(kStatusLive);
  const uint8_t* data = fields_->GetRecord();
  bytes.insert(bytes.end(), data, data + fields_->RecordSize());
  Journal().RunChange(*this, [&] {
    Seek(offset, 0);
    Write(bytes.data(), bytes.size());
  });
}

void TDatFile::DeleteRecord() {
  CheckActive();
  const int32_t offset = recordOffset_;
  // Deleting a deleted record would count it twice and break the file.
  Assert(GetInt32(ReadRawRecord(offset).data()) == kStatusLive, "Record is already deleted", "Tables\\UDatFile");
  const MemoryState old = SaveMemoryState();
  try {
    Journal().RunChange(*this, [&] {
      std::vector<uint8_t> prefix = RecordPrefix(kStatusDeleted);
      Seek(offset, 0);
      Write(prefix.data(), prefix.size());
      header_.DeletedCount += 1;
      WriteHeader(header_);
    });
  } catch (...) {
    RestoreMemoryState(old);
    throw;
  }
}

void TDatFile::EmptyTable() {
  CheckActive();
  const MemoryState old = SaveMemoryState();
  try {
    Journal().RunChange(*this, [&] {
      header_.RecordCount = 0;
      header_.DeletedCount = 0;
      WriteHeader(header_);
      Seek(header_.DataOffset, 0);
      Truncate();
      // The counters start again at 1.
      for (int32_t i = 0; i < fields_->Count(); ++i) {
        TField* f = fields_->Items(i);
        if (f->IsKey()) f->SetNextKeyValue(1);
      }
      WriteKeyDescriptors();
    });
  } catch (...) {
    RestoreMemoryState(old);
    throw;
  }
  fields_->ClearValues();
  recordOffset_ = header_.DataOffset;
}

void TDatFile::ReloadFromFile(int32_t returnTo) {
  CheckActive();
  try {
    CheckHeader();
    CheckFieldsAgainstDescriptors();
  } catch (...) {
    BestEffort([this] { CloseFile(); });
    throw;
  }
  const bool isRecord = returnTo >= header_.DataOffset && returnTo < EndOfRecords() &&
                        (returnTo - header_.DataOffset) % header_.RecordLength == 0;
  recordOffset_ = isRecord ? returnTo : header_.DataOffset;
}

}  // namespace vk
