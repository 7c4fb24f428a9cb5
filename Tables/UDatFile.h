#pragma once
// A table file: header, one descriptor per field, fixed-length records with
// a live/deleted status. Creates and opens such files, checks them against a
// field set or builds the field set from them, and appends, rewrites,
// deletes and empties records, keeping the counts and key counters in the
// file. Every change is written and flushed at once.
//
// A failed change leaves a file that reopens with its old contents: appends
// are cut back, rewritten and deleted records restored, and the counters in
// memory put back.

#include <cstdint>
#include <memory>
#include <vector>

#include "Tables/DatFormat.h"
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

  TDatHeader header_;
  TFieldRecs fieldRecs_;
  TFields* fields_ = nullptr;
  std::unique_ptr<TFields> ownedFields_;
  std::vector<std::unique_ptr<TField>> ownedFieldObjects_;
  int32_t recordOffset_ = 0;
};

}  // namespace vk
