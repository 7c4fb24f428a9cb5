#include "Source/StoreData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "Core/Checked.h"
#include "Core/SysUtils.h"
#include "Core/Utf8.h"
#include "Platform/Clock.h"
#include "Platform/Locale.h"
#include "Source/StoreDataFoldersPaths.h"
#include "Tools/Service/RegionInfo.h"

namespace vk {
namespace {

// The operation journal, beside the two table files.
constexpr const char* kJournalName = "vorkel.jnl";

// The key that comes before every movement of a product: 1 January of year 1.
constexpr TDateTime kFirstDate = kMinDateDay;

// Runs one change of a table; a failure cancels the open edit, so no table
// is ever left in edit or insert state, and passes on.
template <typename F>
void Change(TTable& table, F&& change) {
  try {
    change();
  } catch (...) {
    if (table.State() == tsEdit || table.State() == tsInsert) BestEffort([&] { table.Cancel(); });
    throw;
  }
}

template <typename T>
T Stored(const TTable& table, int32_t row, int32_t field) {
  T v;
  std::memcpy(&v, table.CellData(row, field), sizeof v);
  return v;
}

// Each movement's value is rounded on its own, so a product's value drifts
// from its quantity's by up to a cent a movement. An outgoing movement
// therefore never takes more value than the product holds, and the one that
// takes the last of the quantity takes all the value left: stock can always
// be sold down to nothing.
uint32_t OutgoingSum(uint32_t cost, uint32_t weight, uint32_t stockWeight, uint32_t stockSum) {
  if (weight == stockWeight) return stockSum;
  return std::min(TMoneyField::MulMoney(cost, weight), stockSum);
}

// Adds diff cents to the outgoing movements' values (a negative diff takes
// them away), as evenly as whole cents allow, the latest movements first;
// no value goes below 0. The values hold at least -diff together.
void SettleOnOutgoing(const std::vector<uint32_t*>& latestFirst, int64_t diff) {
  if (diff > 0) {
    const int64_t n = static_cast<int64_t>(latestFirst.size());
    for (int64_t i = 0; i < n; ++i) {
      uint32_t* value = latestFirst[static_cast<size_t>(i)];
      *value = CheckedAdd(*value, CheckedCast<uint32_t>(diff / n + (i < diff % n ? 1 : 0)));
    }
    return;
  }
  for (int64_t rest = -diff; rest > 0;) {
    std::vector<uint32_t*> left;
    for (uint32_t* value : latestFirst) {
      if (*value > 0) left.push_back(value);
    }
    if (left.empty()) throw EIntOverflow();
    const int64_t n = static_cast<int64_t>(left.size());
    const uint32_t least = **std::min_element(left.begin(), left.end(), [](auto a, auto b) { return *a < *b; });
    const int64_t step = std::min<int64_t>(least, rest / n);
    for (int64_t i = 0; i < n; ++i) {
      const int64_t take = step > 0 ? step : (i < rest ? 1 : 0);
      *left[static_cast<size_t>(i)] -= static_cast<uint32_t>(take);
    }
    rest -= step > 0 ? step * n : rest;
  }
}

std::string Hex16(int64_t v) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(v));
  return buf;
}

}  // namespace

TStore::TStore(platform::FileSystem& fs, TClock clock)
    : fs_(fs),
      clock_(clock ? std::move(clock) : TClock(&platform::Now)),
      journal_(fs, kJournalName, clock_),
      goods_(fs, clock_),
      moves_(fs, clock_) {
  goods_.SetJournal(&journal_);
  moves_.SetJournal(&journal_);
}

bool TStore::RecoverOperation(const std::string& folder) { return journal_.Recover(JoinPath(folder, kJournalName)); }

void TStore::SetWorkDate(TDateTime value) {
  const TDateTime day = std::trunc(value);
  workDate_ = (value != 0 && day != std::trunc(clock_())) ? day : 0;
}

TDateTime TStore::MoveDateTime() const {
  const TDateTime now = clock_();
  if (workDate_ == 0) return now;
  return ComposeDateTime(workDate_, std::fabs(now - std::trunc(now)));
}

int TStore::MoveMonth() const {
  auto parts = DecodeDateTime(MoveDateTime());
  return parts ? parts->Month : 0;
}

void TStore::SetDataCodePage(uint32_t codePage) {
  dataCodePage_ = codePage;
  goods_.Code.SetDataCodePage(codePage);
  goods_.Name.SetDataCodePage(codePage);
  moves_.Note.SetDataCodePage(codePage);
}

std::string TStore::ToDataCodePage(const std::string& text) const { return Utf8ToCodePage(text, dataCodePage_); }

void TStore::AppendMove(int32_t idStore, TDateTime when, bool incoming, uint32_t cost, uint32_t weight, int32_t count,
                        const std::string& note, uint32_t sum) {
  Change(moves_, [&] {
    moves_.Append();
    moves_.IDStore.SetValue(idStore);
    moves_.MoveDate.SetValue(when);
    moves_.Direction.SetValue(incoming);
    moves_.Cost.SetValue(cost);
    moves_.Weight.SetValue(weight);
    moves_.PCount.SetValue(count);
    moves_.Note.SetAsString(note);
    moves_.Sum.SetValue(sum);
    moves_.Post();
  });
}

void TStore::WriteGoodsTotals(const Totals& totals, TDateTime lastDate) {
  Change(goods_, [&] {
    goods_.Edit();
    goods_.Weight.SetValue(totals.Weight);
    goods_.PCount.SetValue(totals.PCount);
    goods_.Sum.SetValue(totals.Sum);
    goods_.LastDate.SetValue(lastDate);
    goods_.Post();
  });
}

void TStore::AddGoods(const std::string& code, const std::string& name, const std::string& price,
                      const std::string& weight, const std::string& count, const std::string& note) {
  const uint32_t cost = TMoneyField::FieldTextToMoney(price);
  const uint32_t w = TMoneyField::FieldTextToMoney(weight);
  const int32_t c = IntegerFieldTextToValue(count);
  const uint32_t s = TMoneyField::MulMoney(cost, w);
  const TDateTime when = MoveDateTime();
  journal_.RunOperation([&] {
    // The product first: it takes its number before any movement names it.
    Change(goods_, [&] {
      goods_.Append();
      goods_.Code.SetAsString(code);
      goods_.Name.SetAsString(name);
      goods_.Cost.SetValue(cost);
      goods_.LastDate.SetValue(when);
      goods_.Post();
    });
    AppendMove(goods_.ID.Value(), when, true, cost, w, c, note, s);
    WriteGoodsTotals({w, c, s}, when);
  });
}

void TStore::AddIncoming(const std::string& weight, const std::string& count, const std::string& note) {
  AddMove(true, weight, count, note);
}

void TStore::AddOutgoing(const std::string& weight, const std::string& count, const std::string& note) {
  AddMove(false, weight, count, note);
}

void TStore::AddMove(bool incoming, const std::string& weight, const std::string& count, const std::string& note) {
  const uint32_t w = TMoneyField::FieldTextToMoney(weight);
  const int32_t c = IntegerFieldTextToValue(count);
  const uint32_t cost = goods_.Cost.Value();
  const uint32_t s =
      incoming ? TMoneyField::MulMoney(cost, w) : OutgoingSum(cost, w, goods_.Weight.Value(), goods_.Sum.Value());
  const Totals totals = incoming ? Totals{CheckedAdd(goods_.Weight.Value(), w), CheckedAdd(goods_.PCount.Value(), c),
                                          CheckedAdd(goods_.Sum.Value(), s)}
                                 : Totals{CheckedSub(goods_.Weight.Value(), w), CheckedSub(goods_.PCount.Value(), c),
                                          CheckedSub(goods_.Sum.Value(), s)};
  const TDateTime when = MoveDateTime();
  // A movement booked under an earlier working date leaves the last date.
  const TDateTime lastDate = when > goods_.LastDate.Value() ? when : goods_.LastDate.Value();
  journal_.RunOperation([&] {
    AppendMove(goods_.ID.Value(), when, incoming, cost, w, c, note, s);
    WriteGoodsTotals(totals, lastDate);
  });
}

void TStore::FirstMoveOf(int32_t idStore) {
  if (moves_.GetIndex() != &moves_.IndSD) moves_.SetIndex(&moves_.IndSD);
  moves_.FindKey(std::vector<Variant>{Variant::Integer(idStore), Variant::Date(kFirstDate)});
}

bool TStore::MoveBelongsTo(int32_t row, int32_t idStore) const {
  return row >= 0 && row < moves_.RecordCount() && Stored<int32_t>(moves_, row, 1) == idStore;
}

// Every movement takes the new price times its quantity. When that leaves
// the product a value below 0, or a value with no quantity (each movement
// is rounded on its own), the outgoing movements settle the difference so
// that the product's value comes out as 0, as selling the stock down gives.
std::vector<TStore::Reprice> TStore::PlanReprice(uint32_t price, int64_t& total) {
  const int32_t id = goods_.ID.Value();
  std::vector<Reprice> plan;
  std::vector<size_t> outgoing;
  total = 0;
  for (FirstMoveOf(id); !moves_.Eof() && moves_.IDStore.Value() == id; moves_.Next()) {
    const uint32_t sum = TMoneyField::MulMoney(price, moves_.Weight.Value());
    if (moves_.Direction.Value()) {
      total = CheckedAdd<int64_t>(total, sum);
    } else {
      total = CheckedSub<int64_t>(total, sum);
      outgoing.push_back(plan.size());
    }
    plan.push_back({moves_.RecNo(), sum});
  }
  if ((total < 0 || (total > 0 && goods_.Weight.Value() == 0)) && !outgoing.empty()) {
    std::vector<uint32_t*> latestFirst;
    for (auto i = outgoing.rbegin(); i != outgoing.rend(); ++i) latestFirst.push_back(&plan[*i].NewSum);
    SettleOnOutgoing(latestFirst, total);
    total = 0;
  }
  if (total < 0 || total > 4294967295LL) throw Exception("Bad sum value " + Hex16(total));
  return plan;
}

void TStore::EditGoods(const std::string& code, const std::string& name, const std::string& price) {
  const uint32_t oldCost = goods_.Cost.Value();
  const uint32_t cost = TMoneyField::FieldTextToMoney(price);
  auto writeGoods = [&](const uint32_t* sum) {
    Change(goods_, [&] {
      goods_.Edit();
      goods_.Code.SetAsString(code);
      goods_.Name.SetAsString(name);
      goods_.Cost.SetValue(cost);
      if (sum) goods_.Sum.SetValue(*sum);
      goods_.Post();
    });
  };
  if (cost == oldCost) {
    journal_.RunOperation([&] { writeGoods(nullptr); });
    return;
  }
  // Everything is computed first; the product and all its movements then
  // change in one operation.
  int64_t total = 0;
  const std::vector<Reprice> plan = PlanReprice(cost, total);
  const uint32_t sum = static_cast<uint32_t>(total);
  journal_.RunOperation([&] {
    for (const Reprice& r : plan) {
      Change(moves_, [&] {
        moves_.SetRecNo(r.RecNo);
        moves_.Edit();
        moves_.Cost.SetValue(cost);
        moves_.Sum.SetValue(r.NewSum);
        moves_.Post();
      });
    }
    writeGoods(&sum);
  });
}

void TStore::DeleteGoods() {
  const int32_t id = goods_.ID.Value();
  journal_.RunOperation([&] {
    goods_.Delete();
    FirstMoveOf(id);
    while (!moves_.Eof() && moves_.RecordCount() > 0 && moves_.IDStore.Value() == id) moves_.Delete();
  });
}

void TStore::DeleteMove() {
  const int32_t id = goods_.ID.Value();
  const int32_t row = moves_.RecNo();
  const bool incoming = moves_.Direction.Value();
  const uint32_t w = moves_.Weight.Value();
  const int32_t c = moves_.PCount.Value();
  const uint32_t s = moves_.Sum.Value();
  const uint32_t gw = goods_.Weight.Value(), gs = goods_.Sum.Value();
  const int32_t gc = goods_.PCount.Value();
  if (incoming && (gw < w || gc < c || gs < s)) throw Exception("Bad move (weight count or sum) to delete");
  const Totals totals = incoming ? Totals{CheckedSub(gw, w), CheckedSub(gc, c), CheckedSub(gs, s)}
                                 : Totals{CheckedAdd(gw, w), CheckedAdd(gc, c), CheckedAdd(gs, s)};
  // Deleting the product's latest movement moves its last date back to the
  // movement before; the neighbours are read without moving.
  TDateTime lastDate = goods_.LastDate.Value();
  if (!MoveBelongsTo(row + 1, id)) {
    // A product's only movement is refused before anything is written (the
    // main window offers the deletion only from two movements on): deleting
    // it first and complaining afterwards would leave a product with no
    // movement behind its last date.
    if (!MoveBelongsTo(row - 1, id)) throw Exception("Bad move IDStore after delete move");
    lastDate = Stored<double>(moves_, row - 1, 2);
  }
  journal_.RunOperation([&] {
    WriteGoodsTotals(totals, lastDate);
    moves_.Delete();
  });
}

void TStore::EditNote(const std::string& note) {
  journal_.RunOperation([&] {
    Change(moves_, [&] {
      moves_.Edit();
      moves_.Note.SetAsString(note);
      moves_.Post();
    });
  });
}

bool TStore::CanStoreText(const std::string& text, const TStringField& field) const {
  try {
    if (!SurvivesCodePage(text, dataCodePage_)) return false;
    // Past the field's bytes the stored text is cut: harmless only where
    // every letter took one byte, so the cut falls between letters.
    const size_t bytes = ToDataCodePage(text).size();
    return bytes <= static_cast<size_t>(field.Size()) || bytes == static_cast<size_t>(Utf8Length(text));
  } catch (...) {
    return false;
  }
}

bool TStore::CanAddGoods(const std::string& price, const std::string& weight, const std::string& count) {
  try {
    TMoneyField::MulMoney(TMoneyField::StrToMoney(price), TMoneyField::StrToMoney(weight));
    auto c = TryStrToInt(count);
    return c && *c >= 0;
  } catch (const Exception&) {
    return false;
  }
}

bool TStore::CanAddMove(bool incoming, const std::string& weight, const std::string& count) {
  try {
    const uint32_t w = TMoneyField::StrToMoney(weight);
    const uint32_t s = incoming ? TMoneyField::MulMoney(goods_.Cost.Value(), w)
                                : OutgoingSum(goods_.Cost.Value(), w, goods_.Weight.Value(), goods_.Sum.Value());
    auto c = TryStrToInt(count);
    if (!c || *c < 0) return false;
    if (incoming) {
      CheckedAdd(goods_.Sum.Value(), s);
      CheckedAdd(goods_.Weight.Value(), w);
      return CheckedAdd(goods_.PCount.Value(), *c) >= 0;
    }
    CheckedSub(goods_.Sum.Value(), s);
    CheckedSub(goods_.Weight.Value(), w);
    return CheckedSub(goods_.PCount.Value(), *c) >= 0;
  } catch (const Exception&) {
    return false;
  }
}

bool TStore::CanAddIncoming(const std::string& weight, const std::string& count) {
  return CanAddMove(true, weight, count);
}

bool TStore::CanAddOutgoing(const std::string& weight, const std::string& count) {
  return CanAddMove(false, weight, count);
}

bool TStore::CanReprice(const std::string& price) {
  try {
    const uint32_t p = TMoneyField::StrToMoney(price);
    TMoneyField::MulMoney(p, goods_.Weight.Value());
    int64_t total = 0;
    PlanReprice(p, total);  // the same sums and total that EditGoods writes
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool TStore::CanDeleteMove(bool& isIncoming) {
  const uint64_t w = moves_.Weight.Value(), s = moves_.Sum.Value();
  const int64_t c = moves_.PCount.Value();
  isIncoming = moves_.Direction.Value();
  if (isIncoming) {
    // The value too: DeleteMove refuses what would take more than the product holds.
    return w <= goods_.Weight.Value() && c <= goods_.PCount.Value() && s <= goods_.Sum.Value();
  }
  return goods_.Weight.Value() + w <= 4294967295ull && goods_.PCount.Value() + c <= 2147483647ll &&
         goods_.Sum.Value() + s <= 4294967295ull;
}

bool TStore::FindByName(const std::string& text) {
  if (goods_.GetIndex() != &goods_.IndName) goods_.SetIndex(&goods_.IndName);
  goods_.FindKey(ToDataCodePage(text));
  return goods_.Name.StartsWith(text);
}

bool TStore::FindByCode(const std::string& text) {
  if (goods_.GetIndex() != &goods_.IndCode) goods_.SetIndex(&goods_.IndCode);
  const std::string wanted = ToDataCodePage(text);
  goods_.FindKey(wanted);
  if (wanted.empty()) return true;
  const std::string code = goods_.Code.Value().substr(0, wanted.size());
  return platform::CompareTextIgnoreCase(CodePageToWide(code, dataCodePage_), CodePageToWide(wanted, dataCodePage_)) ==
         0;
}

void TStore::GetTotals(std::string& count, std::string& weight, std::string& sum, std::string& goods) {
  const int32_t recNo = goods_.RecNo();
  uint32_t packs = 0, quantity = 0, value = 0, products = 0;
  try {
    for (goods_.First(); !goods_.Eof(); goods_.Next()) {
      packs = CheckedAdd(packs, static_cast<uint32_t>(goods_.PCount.Value()));
      quantity = CheckedAdd(quantity, goods_.Weight.Value());
      value = CheckedAdd(value, goods_.Sum.Value());
      products = CheckedAdd(products, 1u);
    }
  } catch (...) {
    goods_.SetRecNo(recNo);
    throw;
  }
  goods_.SetRecNo(recNo);
  count = std::to_string(packs);
  weight = TMoneyField::MoneyToStr(quantity);
  sum = TMoneyField::MoneyToStr(value);
  goods = std::to_string(products);
}

TStore& Store() {
  static TStore store;
  return store;
}

}  // namespace vk
