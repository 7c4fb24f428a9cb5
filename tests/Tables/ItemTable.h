#pragma once
// A small goods-like table for the record array and table tests: ID (integer
// key), Name (string of 8, or of the class and size a test chooses), Grp
// (integer), Price (money), with a primary index, a name index and a
// (Grp, Name) index, and ID as the tie-break.

#include <string>

#include "Tables/UBaseFld.h"
#include "Tables/UMoneyFld.h"
#include "Tables/UTable.h"

namespace vk::testing {

template <class NameField = TStringField, int32_t NameSize = 8>
class BasicItemTable : public TTable {
 public:
  TIntegerField ID;
  NameField Name{NameSize};
  TIntegerField Grp;
  TMoneyField Price;
  TFields FieldSet;
  TIndex ByID{&FieldSet, "ByID", &ID};
  TIndex ByName{&FieldSet, "IndName", &Name};
  TIndex ByGroup{&FieldSet, "ByGroup", std::vector<TField*>{&Grp, &Name}};

  explicit BasicItemTable(platform::FileSystem& fs, bool tieBreak = true) : TTable(fs), FieldSet(MakeFields()) {
    SetFields(&FieldSet);
    if (tieBreak) FTieBreakField = 0;
  }

  // The fields are members: close before they go.
  ~BasicItemTable() override { Close(); }

  void OpenAndRegister(bool create = true) {
    Open(create);
    AddIndex(&ByID);
    AddIndex(&ByName);
    AddIndex(&ByGroup);
  }

  void Add(const std::string& name, int32_t group = 0, uint32_t price = 0) {
    Append();
    Name.SetAsString(name);
    Grp.SetValue(group);
    Price.SetValue(price);
    Post();
  }

  int32_t IdAt(int32_t row) const {
    int32_t v;
    std::memcpy(&v, CellData(row, 0), 4);
    return v;
  }

  std::string Order() const {
    std::string out;
    for (int32_t i = 0; i < RecordCount(); ++i) out += (i ? "," : "") + std::to_string(IdAt(i));
    return out;
  }

 private:
  std::vector<TField*> MakeFields() {
    ID.SetName("ID");
    ID.SetIsKey(true);
    Name.SetName("Name");
    Grp.SetName("Grp");
    Price.SetName("Price");
    return {&ID, &Name, &Grp, &Price};
  }
};

using ItemTable = BasicItemTable<>;

}  // namespace vk::testing
