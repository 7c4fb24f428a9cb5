#include "Tables/UTable.h"

#include "Core/AsciiCase.h"
#include "Core/SysUtils.h"

namespace vk {

TTable::TTable(platform::FileSystem& fs) : TDatArr(fs) {}

TTable::~TTable() {
  if (Active()) BestEffort([this] { TTable::Close(); });
}

void TTable::CheckOpenTable() const {
  if (state_ == tsClosed) throw Exception("Недопустимая операция при закрытой таблице");
}

void TTable::CheckNotEditing() const {
  if (state_ == tsEdit || state_ == tsInsert) throw Exception("Таблица уже находится в режиме редактирования");
}

void TTable::CheckBrowse() const {
  if (state_ != tsBrowse) throw Exception("Таблица не переведена в режим просмотра");
}

void TTable::CheckEditing() const {
  if (state_ != tsEdit && state_ != tsInsert) throw Exception("Таблица не переведена в режим редактирования");
}

int32_t TTable::RecordCount() const {
  CheckOpenTable();
  return Count();
}

int32_t TTable::RecNo() const {
  CheckOpenTable();
  return ItemIndex();
}

void TTable::SetRecNo(int32_t n) {
  CheckOpenTable();
  CheckNotEditing();
  if (Count() == 0) return;
  if (n < 0 || n >= Count()) throw Exception("Неправильное значение номера записи");
  SetItemIndex(n);
}

void TTable::Open(bool createIfMissing) {
  OpenFile(createIfMissing);
  state_ = tsBrowse;
  First();
}

void TTable::Close() {
  if (Fields() && (state_ == tsEdit || state_ == tsInsert)) Fields()->DisableEdit();
  state_ = tsClosed;
  eof_ = false;
  ClearIndexes();
  if (Active()) CloseFile();
}

void TTable::Append() {
  CheckOpenTable();
  CheckNotEditing();
  eof_ = false;
  Fields()->ClearValues();
  Fields()->EnableEdit();
  Fields()->InitKeyValues();
  state_ = tsInsert;
}

void TTable::Edit() {
  CheckOpenTable();
  CheckNotEditing();
  if (Count() == 0) throw Exception("Недопустимая операция при пустой таблице");
  eof_ = false;
  Fields()->EnableEdit();
  state_ = tsEdit;
}

void TTable::Post() {
  CheckEditing();
  // A failed write keeps the state and the typed values for another try.
  if (state_ == tsInsert)
    AppendRecord();
  else
    RewriteRecord();
  Fields()->DisableEdit();
  state_ = tsBrowse;
}

void TTable::Cancel() {
  CheckEditing();
  Fields()->DisableEdit();
  state_ = tsBrowse;
  if (Count() == 0) {
    eof_ = true;
    Fields()->ClearValues();  // nothing typed stays behind on an empty table
  } else {
    SetRecNo(RecNo());
  }
}

void TTable::Delete() {
  CheckBrowse();
  if (Count() == 0) throw Exception("Недопустимая операция при пустой таблице");
  DeleteRecord();
  if (Count() == 0) {
    eof_ = true;
  } else if (ItemIndex() >= Count()) {
    SetRecNo(Count() - 1);
    eof_ = true;
  } else {
    SetRecNo(ItemIndex());
  }
}

void TTable::EmptyTable() {
  CheckBrowse();
  try {
    TDatArr::EmptyTable();
  } catch (...) {
    if (Count() == 0) eof_ = true;
    throw;
  }
  eof_ = true;
}

void TTable::ReloadFromFile(int32_t returnTo) {
  if (state_ == tsEdit || state_ == tsInsert) {
    Fields()->DisableEdit();
    state_ = tsBrowse;
  }
  try {
    TDatArr::ReloadFromFile(returnTo);
  } catch (...) {
    Close();
    throw;
  }
  eof_ = Count() == 0;
}

std::string TTable::CellText(int32_t row, int32_t field) const {
  if (state_ == tsInsert && row == Count()) return Fields()->Items(field)->GetAsString();
  if (state_ == tsEdit && row == ItemIndex()) return Fields()->Items(field)->GetAsString();
  return TDatArr::CellText(row, field);
}

void TTable::First() {
  CheckBrowse();
  if (Count() == 0) {
    eof_ = true;
    return;
  }
  SetRecNo(0);
  eof_ = false;
}

void TTable::Next() {
  CheckBrowse();
  if (Count() == 0 || ItemIndex() >= Count() - 1) {
    eof_ = true;
    return;
  }
  SetRecNo(ItemIndex() + 1);
  eof_ = false;
}

void TTable::Prior() {
  CheckBrowse();
  if (Count() == 0) {
    eof_ = true;
    return;
  }
  if (ItemIndex() > 0) SetRecNo(ItemIndex() - 1);
  eof_ = false;
}

TIndex* TTable::CurrentIndexOrThrow() const {
  TIndex* index = Active() ? GetIndex() : nullptr;
  if (!index) throw Exception("Не задан индексный объект");
  return index;
}

void TTable::FindKey() {
  CurrentIndexOrThrow();
  eof_ = false;
  Search();
  if (Count() == 0) eof_ = true;
}

void TTable::FindKey(const std::vector<Variant>& values) {
  CurrentIndexOrThrow()->SetKeyValues(values);
  FindKey();
}

void TTable::FindKey(const std::string& text) {
  CurrentIndexOrThrow()->SetKeyText(text);
  FindKey();
}

void TTable::SetIndex(TIndex* index) {
  CheckBrowse();
  std::string name;
  if (index) {
    bool registered = false;
    for (TIndex* known : indexes_) {
      if (known == index) registered = true;
    }
    if (!registered) throw Exception("Индекс не найден в массиве индексов");
    name = index->Name();
  }
  try {
    TDatArr::SetIndex(index);
  } catch (...) {
    if (!GetIndex()) indexName_.clear();
    throw;
  }
  indexName_ = name;
}

void TTable::SetIndexName(const std::string& name) {
  CheckBrowse();
  if (name.empty()) {
    SetIndex(nullptr);
    indexName_.clear();
    return;
  }
  const std::string wanted = AsciiUpperCase(name);
  for (TIndex* index : indexes_) {
    if (AsciiUpperCase(index->Name()) == wanted) {
      try {
        TDatArr::SetIndex(index);
      } catch (...) {
        if (!GetIndex()) indexName_.clear();
        throw;
      }
      indexName_ = index->Name();
      return;
    }
  }
  throw Exception("Индекс не найден в массиве индексов");
}

void TTable::AddIndex(TIndex* index) {
  if (!index) throw Exception("Не определен индексный объект");
  if (index->Name().empty()) throw Exception("Не задано имя индекса");
  const std::string wanted = AsciiUpperCase(index->Name());
  for (TIndex* known : indexes_) {
    if (AsciiUpperCase(known->Name()) == wanted) throw Exception("Совпадение имен индексов");
  }
  // An index over another table's fields would compare foreign bytes.
  if (index->FieldSet() != Fields()) throw Exception("Индекс построен не по полям таблицы");
  indexes_.push_back(index);
}

void TTable::ClearIndexes() {
  indexes_.clear();
  indexName_.clear();
}

}  // namespace vk
