#include "Source/StoreDataTables.h"

#include "Tools/Service/CardinalDate.h"

namespace vk {
namespace {

void Describe(TField& field, const char* name, bool key = false) {
  field.SetName(name);
  if (key) field.SetIsKey(true);
}

}  // namespace

TTableStore::TTableStore(platform::FileSystem& fs, TClock clock)
    : TTable(fs), FieldSet(DescribeFields()), clock_(std::move(clock)) {
  SetFields(&FieldSet);
  FTieBreakField = 0;  // equal keys stay in ascending ID order after an edit
}

// Names and key flags; the field set is built over the fields in this order.
std::vector<TField*> TTableStore::DescribeFields() {
  Describe(ID, "ID", true);
  Describe(Code, "Code");
  Describe(Name, "Name");
  Describe(PCount, "PCount");
  Describe(Weight, "Weight");
  Describe(Cost, "Cost");
  Describe(Sum, "Sum");
  Describe(LastDate, "LastDate");
  return {&ID, &Code, &Name, &PCount, &Weight, &Cost, &Sum, &LastDate};
}

// The fields are members: the file closes before they go.
TTableStore::~TTableStore() { Close(); }

uint32_t TTableStore::HeaderStamp() const { return DateToCardinal(clock_()); }

void TTableStore::Open(bool createIfMissing) {
  TTable::Open(createIfMissing);
  for (TIndex* index : {&IndID, &IndCode, &IndName, &IndPock, &IndWeight, &IndCost, &IndSum, &IndDate}) AddIndex(index);
  SetIndex(&IndID);
}

void TTableStore::SetIndex(TIndex* index) {
  TTable::SetIndex(&IndID);
  TTable::SetIndex(index);
}

TTableMoves::TTableMoves(platform::FileSystem& fs, TClock clock)
    : TTable(fs), FieldSet(DescribeFields()), clock_(std::move(clock)) {
  SetFields(&FieldSet);
}

std::vector<TField*> TTableMoves::DescribeFields() {
  Describe(ID, "ID", true);
  Describe(IDStore, "IDStore");
  Describe(MoveDate, "MoveDate");
  Describe(Direction, "Direction");
  Describe(PCount, "PCount");
  Describe(Weight, "Weight");
  Describe(Cost, "Cost");
  Describe(Sum, "Sum");
  Describe(Note, "Note");
  return {&ID, &IDStore, &MoveDate, &Direction, &PCount, &Weight, &Cost, &Sum, &Note};
}

TTableMoves::~TTableMoves() { Close(); }

uint32_t TTableMoves::HeaderStamp() const { return DateToCardinal(clock_()); }

void TTableMoves::Open(bool createIfMissing) {
  TTable::Open(createIfMissing);
  AddIndex(&IndID);
  AddIndex(&IndSD);
  SetIndex(&IndSD);
}

}  // namespace vk
