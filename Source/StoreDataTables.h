#pragma once
// The goods table (store.dat) and the movements table (moves.dat): their
// fields, indexes and header stamp. Each table owns its fields, field set
// and indexes.

#include <functional>

#include "Source/StoreDataFields.h"
#include "Tables/UMoneyFld.h"
#include "Tables/UTable.h"

namespace vk {

using TClock = std::function<TDateTime()>;

class TTableStore : public TTable {
 public:
  TTableStore(platform::FileSystem& fs, TClock clock);
  ~TTableStore() override;

  TIntegerField ID;
  TDataStringField Code{8};
  TCompareStringField Name{40};
  TIntegerField PCount;
  TMoneyField Weight;
  TMoneyField Cost;
  TMoneyField Sum;
  TShowDateTimeField LastDate;

  TFields FieldSet;
  TIndex IndID{&FieldSet, "IndID", &ID};
  TIndex IndCode{&FieldSet, "IndCode", &Code};
  TIndex IndName{&FieldSet, "IndName", &Name};
  TIndex IndPock{&FieldSet, "IndPock", &PCount};
  TIndex IndWeight{&FieldSet, "IndWeight", &Weight};
  TIndex IndCost{&FieldSet, "IndCost", &Cost};
  TIndex IndSum{&FieldSet, "IndSum", &Sum};
  TIndex IndDate{&FieldSet, "IndDate", &LastDate};

  uint32_t HeaderStamp() const override;
  void Open(bool createIfMissing) override;
  // Through the ID order first, so that equal keys stay in ascending ID order.
  void SetIndex(TIndex* index) override;

 private:
  std::vector<TField*> DescribeFields();
  TClock clock_;
};

class TTableMoves : public TTable {
 public:
  TTableMoves(platform::FileSystem& fs, TClock clock);
  ~TTableMoves() override;

  TIntegerField ID;
  TIntegerField IDStore;
  TShowDateTimeField MoveDate;
  TDirectionBooleanField Direction;
  TIntegerField PCount;
  TMoneyField Weight;
  TMoneyField Cost;
  TMoneyField Sum;
  TCompareStringField Note{40};

  TFields FieldSet;
  TIndex IndID{&FieldSet, "IndID", &ID};
  TIndex IndSD{&FieldSet, "IndSD", std::vector<TField*>{&IDStore, &MoveDate}};

  uint32_t HeaderStamp() const override;
  void Open(bool createIfMissing) override;

 private:
  std::vector<TField*> DescribeFields();
  TClock clock_;
};

}  // namespace vk
