#pragma once
// A user's work at the keyboard, at random: new products, deliveries, sales,
// changes and re-pricing, deletions, notes, searches, orders, reopening.
// Every operation is asked of its validator first, as the main window does.
// The same seed on the same files and clock does the same work, so a second
// process can replay what a first one did. No test framework here: the
// process test's child program runs it too.

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Source/StoreData.h"
#include "Tables/UMoneyFld.h"

namespace vk::testing {

class RandomWork {
 public:
  enum class Did { Nothing, Refused, Changed };

  // now: the time the store's clock answers; each step moves it on.
  RandomWork(TStore& store, TDateTime& now, uint32_t seed) : store_(store), now_(now), rng_(seed) {}

  Did Step() {
    now_ += Pick(3000) / 1440.0;
    if (Pick(50) == 0) store_.SetWorkDate(Pick(2) ? now_ - 1 - Pick(30) : 0);
    if (g_.RecordCount() > 0 && Pick(3) == 0) g_.SetRecNo(Pick(g_.RecordCount()));
    const int op = Pick(100);
    if (op < 15) return AddGoods();
    if (op < 35) return AddMove(true);
    if (op < 55) return AddMove(false);
    if (op < 65) return EditGoods();
    if (op < 73) return DeleteMove();
    if (op < 76) return DeleteGoods();
    if (op < 81) return EditNote();
    if (op < 88) return Find();
    if (op < 95) return ChooseOrder();
    return Reopen();
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  std::string Money(uint32_t limit) {
    if (Pick(30) == 0) return Pick(2) ? "1.5" : "99999999.00";  // refused texts
    return TMoneyField::MoneyToStr(static_cast<uint32_t>(Pick(static_cast<int>(limit))));
  }
  std::string Count() {
    if (Pick(30) == 0) return Pick(2) ? "-1" : "x";
    return std::to_string(Pick(20));
  }
  std::string Name() {
    static const char* names[] = {"молоко", "Молоко", "хлеб", "Сыр", "apple", "Apple pie", "гвозди 100", ""};
    return names[Pick(8)];
  }

  template <typename Validator, typename Operation>
  Did Try(Validator&& valid, Operation&& run) {
    if (!valid()) return Did::Refused;
    run();
    return Did::Changed;
  }

  Did AddGoods() {
    const std::string price = Money(1000000), weight = Money(100000), count = Count();
    return Try([&] { return store_.CanAddGoods(price, weight, count); },
               [&] { store_.AddGoods(std::to_string(Pick(1000)), Name(), price, weight, count, "n"); });
  }

  Did AddMove(bool incoming) {
    if (g_.RecordCount() == 0) return Did::Nothing;
    const std::string weight = Money(incoming ? 100000 : 20000), count = Count();
    if (incoming)
      return Try([&] { return store_.CanAddIncoming(weight, count); },
                 [&] { store_.AddIncoming(weight, count, "in"); });
    return Try([&] { return store_.CanAddOutgoing(weight, count); }, [&] { store_.AddOutgoing(weight, count, "out"); });
  }

  Did EditGoods() {
    if (g_.RecordCount() == 0) return Did::Nothing;
    const std::string price = Pick(3) == 0 ? g_.Cost.GetAsString() : Money(1000000);
    return Try([&] { return store_.CanReprice(price); },
               [&] { store_.EditGoods(std::to_string(Pick(1000)), Name(), price); });
  }

  int MovesOfCurrent() {
    int n = 0;
    const int32_t id = g_.ID.Value();
    for (int32_t i = 0; i < m_.RecordCount(); ++i) {
      int32_t idStore;
      std::memcpy(&idStore, m_.CellData(i, 1), sizeof idStore);
      n += idStore == id;
    }
    return n;
  }

  void FirstMoveOfCurrent() {
    if (m_.GetIndex() != &m_.IndSD) m_.SetIndex(&m_.IndSD);
    m_.FindKey(std::vector<Variant>{Variant::Integer(g_.ID.Value()), Variant::Date(kMinDateDay)});
  }

  Did DeleteMove() {
    if (g_.RecordCount() == 0) return Did::Nothing;
    const int n = MovesOfCurrent();
    if (n < 2) return Did::Nothing;  // the main window offers it only then
    FirstMoveOfCurrent();
    m_.SetRecNo(m_.RecNo() + Pick(n));
    bool incoming = false;
    return Try([&] { return store_.CanDeleteMove(incoming); }, [&] { store_.DeleteMove(); });
  }

  Did DeleteGoods() {
    if (g_.RecordCount() == 0) return Did::Nothing;
    store_.DeleteGoods();
    return Did::Changed;
  }

  Did EditNote() {
    if (g_.RecordCount() == 0 || MovesOfCurrent() == 0) return Did::Nothing;
    FirstMoveOfCurrent();
    store_.EditNote(Name());
    return Did::Changed;
  }

  Did Find() {
    const std::string text = Name().substr(0, static_cast<size_t>(Pick(4)));
    if (Pick(2))
      store_.FindByName(text);
    else
      store_.FindByCode(text);
    return Did::Nothing;
  }

  Did ChooseOrder() {
    TIndex* choices[] = {&g_.IndID,     &g_.IndCode, &g_.IndName, &g_.IndPock,
                         &g_.IndWeight, &g_.IndCost, &g_.IndSum,  &g_.IndDate};
    g_.SetIndex(choices[Pick(8)]);
    return Did::Nothing;
  }

  Did Reopen() {
    store_.Close();
    store_.Open(false, "Data");
    return Did::Nothing;
  }

  TStore& store_;
  TDateTime& now_;
  std::mt19937 rng_;
  TTableStore& g_ = store_.Goods();
  TTableMoves& m_ = store_.Moves();
};

}  // namespace vk::testing
