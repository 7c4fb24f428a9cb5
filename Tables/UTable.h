#pragma once
// The table the program works with: records in memory with an edit state
// (closed, browse, edit, insert), navigation with an end-of-table flag,
// record numbers in the current order, named indexes and key search. Every
// change goes through Append/Edit/Post/Cancel/Delete.

#include <cstdint>
#include <string>
#include <vector>

#include "Core/Variant.h"
#include "Tables/UDatArr.h"

namespace vk {

enum TTableState : uint8_t { tsClosed = 0, tsBrowse = 1, tsEdit = 2, tsInsert = 3 };

using TIndexDefs = std::vector<TIndex*>;

class TTable : public TDatArr {
 public:
  explicit TTable(platform::FileSystem& fs = platform::DefaultFileSystem());
  ~TTable() override;

  TTableState State() const { return state_; }
  bool Eof() const { return eof_; }
  int32_t RecordCount() const;
  int32_t RecNo() const;
  void SetRecNo(int32_t n);

  virtual void Open(bool createIfMissing);
  virtual void Close();
  virtual void Append();
  virtual void Edit();
  virtual void Post();
  virtual void Cancel();
  virtual void Delete();
  void EmptyTable() override;
  // Back in browse state on the reloaded records; closed when they do not load.
  void ReloadFromFile(int32_t returnTo) override;

  std::string CellText(int32_t row, int32_t field) const override;

  void First();
  void Next();
  void Prior();

  // The key already in the current index's key buffer.
  void FindKey();
  void FindKey(const std::vector<Variant>& values);
  void FindKey(const std::string& text);

  void SetIndex(TIndex* index) override;
  const std::string& IndexName() const { return indexName_; }
  void SetIndexName(const std::string& name);
  // Registers an index over this table's fields; the table never frees it.
  void AddIndex(TIndex* index);
  void ClearIndexes();
  const TIndexDefs& Indexes() const { return indexes_; }

 private:
  void CheckOpenTable() const;
  void CheckNotEditing() const;
  void CheckBrowse() const;
  void CheckEditing() const;
  TIndex* CurrentIndexOrThrow() const;

  TTableState state_ = tsClosed;
  bool eof_ = false;
  std::string indexName_;
  TIndexDefs indexes_;
};

}  // namespace vk
