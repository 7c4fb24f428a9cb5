#pragma once
// A table file that holds every live record in memory, in one block, in the
// order of a chosen index (file order without one). Reading is done from
// memory; every change is written to the file first and applied to memory
// only once the file has it, so a failed write leaves both as they were.
//
// Element layout: int32 file offset of the record, then the record data as
// TFields packs them, padded to a multiple of 4 bytes.

#include <cstdint>
#include <memory>
#include <string>

#include "Tables/UDatFile.h"
#include "Tables/UIndex.h"

namespace vk {

class TDatArr : public TDatFile {
 public:
  explicit TDatArr(platform::FileSystem& fs = platform::DefaultFileSystem());
  ~TDatArr() override;

  void CreateFile(bool overwrite) override;
  void OpenFile(bool createIfMissing) override;
  void CloseFile() override;
  void AppendRecord() override;
  void RewriteRecord() override;
  void DeleteRecord() override;
  void EmptyTable() override;
  // Loads the records anew in the current index's order.
  void ReloadFromFile(int32_t returnTo) override;

  virtual TIndex* GetIndex() const;
  // Re-sorts by the index, keeping the current record; nil keeps the order.
  virtual void SetIndex(TIndex* index);
  // Display text of a stored value (not of the field object's value).
  virtual std::string CellText(int32_t row, int32_t field) const;
  virtual const uint8_t* CellData(int32_t row, int32_t field) const;

  int32_t Count() const;
  int32_t ItemIndex() const;
  // Makes an element current and loads its record into the fields.
  void SetItemIndex(int32_t i);
  void SetCount(int32_t n);
  // Positions on the key in the current index's key buffer.
  void Search();
  int32_t CurrentFileOffset() const;
  void GotoFileOffset(int32_t offset);

  int32_t Capacity() const { return capacity_; }
  int32_t ElemSize() const { return elemSize_; }

  // Elements for n by the growth rule: steps of 16 below 64, then quarter
  // powers of two.
  static int32_t GrowCapacity(int32_t n);

 protected:
  // Field number that orders equal index keys when a record is rewritten
  // with a new key; -1 = off. A descendant sets it in its constructor.
  int32_t FTieBreakField = -1;

 private:
  uint8_t* Elem(int32_t i) const { return data_.get() + static_cast<size_t>(i) * static_cast<size_t>(elemSize_); }
  int32_t ElemOffset(int32_t i) const;
  void PutElem(int32_t i, int32_t fileOffset, const uint8_t* record);
  void MoveElems(int32_t to, int32_t from, int32_t count);
  void Reallocate(int32_t capacity);
  void ReserveFor(int32_t n);
  void LoadRecords();
  static void LiftKeyCounter(TField* field, int32_t storedKey);
  void LiftKeyCountersOverFields();

  bool CanSortByKeyValue(const TIndex& index) const;
  bool SortByKeyValue(const TIndex& index);
  void MergeSort(const TIndex& index);
  bool SortByPreparedKeys(const TIndex& index);
  void SortRange(const TIndex& index, int32_t lo, int32_t hi, uint8_t* scratch);
  void InsertionSort(const TIndex& index, int32_t lo, int32_t hi);
  void SearchPrimary();
  void SearchFirstEqual();
  int32_t InsertPosition() const;
  int32_t RewritePosition() const;

  std::unique_ptr<uint8_t[]> data_;
  int32_t elemSize_ = 0;
  int32_t elemCount_ = 0;
  int32_t itemIndex_ = 0;
  int32_t capacity_ = 0;
  int32_t maxCount_ = 0;
  TIndex* index_ = nullptr;
};

}  // namespace vk
