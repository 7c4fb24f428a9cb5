#pragma once
// A table file: header, one descriptor per field, fixed-length records with
// a live/deleted status. Creates and opens such files, checks them against a
// field set or builds the field set from them, and appends, rewrites,
// deletes and empties records, keeping the counts and key counters in the
// file. Every change is written and flushed before it returns.
//
// Each change goes through the file's journal (Tables/Journal.h): alone, or
// as part of a journalled operation over several files. A failed change
// leaves the file with its old contents and puts the header and the key
// counters in memory back; a stop of the program or the machine inside one
// is rolled back when the file is next opened.

#include <cstdint>
#include <memory>
#include <vector>

#include "Tables/DatFormat.h"
#include "Tables/Journal.h"
#include "Tables/UFields.h"
#include "Tables/UFile.h"

namespace vk {

using TFieldRecs = std::vector<TFieldRec>;

class TDatFile : public TFile {
 public:
  explicit TDatFile(platform::FileSystem& fs = platform::DefaultFileSystem());
  ~TDatFile() override;

  TFields* Fields() const { return fields_; }
  // The set stays the caller's; refused while the file is open.
  void SetFields(TFields* fields);
  void GetHeader(TDatHeader& header) const { header = header_; }
  const TDatHeader& Header() const { return header_; }
  const TFieldRecs& FieldRecs() const { return fieldRecs_; }

  // The journal the file's changes go through: its own (the file's name
  // with ".jnl" added) unless one shared with other files is set. Refused
  // while the file is open; the journal must outlive the file's use.
  void SetJournal(TJournal* journal);
  TJournal& Journal() { return journal_ ? *journal_ : ownJournal_; }

  int32_t RecordOffset() const;
  // Any record boundary from DataOffset up to just past the last record.
  void SetRecordOffset(int32_t offset);

  virtual uint32_t HeaderStamp() const { return 0; }

  void CreateFile(bool overwrite) override;
  void OpenFile(bool createIfMissing) override;
  void CloseFile() override;

  // Reads the record at RecordOffset into the fields; true when it is live.
  bool ReadRecord();
  virtual void AppendRecord();
  virtual void RewriteRecord();
  virtual void DeleteRecord();
  virtual void EmptyTable();

  // After the journal put the file back, memory follows it again: the
  // header, the descriptors and the key counters are read anew, and the
  // file goes to the record at returnTo when that is still one. A file that
  // no longer reads is closed and the failure passed on.
  virtual void ReloadFromFile(int32_t returnTo);

 protected:
  // Offset of the first byte past the last record.
  int64_t EndOfRecords() const;
  // Refuses an offset that is not the start of an existing record.
  void CheckExistingRecord(int32_t offset) const;
  // The raw bytes of the record at an existing offset, prefix included.
  std::vector<uint8_t> ReadRawRecord(int32_t offset);

 private:
  void WriteNewHeaderAndDescriptors();
  void CheckHeader();
  void CheckFieldsAgainstDescriptors();
  void BuildFieldsFromDescriptors();
  void WriteHeader(const TDatHeader& header);
  void WriteKeyDescriptors();
  void ResetState();
  void RecoverJournal();
  // What a change alters in memory before its file has it.
  struct MemoryState {
    TDatHeader Header;
    TFieldRecs Recs;
    std::vector<int32_t> Keys;
  };
  MemoryState SaveMemoryState() const;
  void RestoreMemoryState(const MemoryState& state);

  TDatHeader header_;
  TFieldRecs fieldRecs_;
  TFields* fields_ = nullptr;
  std::unique_ptr<TFields> ownedFields_;
  std::vector<std::unique_ptr<TField>> ownedFieldObjects_;
  int32_t recordOffset_ = 0;
  TJournal ownJournal_;
  TJournal* journal_ = nullptr;
};

}  // namespace vk
