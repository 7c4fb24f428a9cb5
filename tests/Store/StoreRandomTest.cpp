// Thousands of random stock operations per seed, each asked of its validator
// first as the main window does: after every operation, and after every
// reopen from disk, the stock is consistent; a refused operation changes not
// one byte of either file.
#include <gtest/gtest.h>

#include <random>

#include "StoreFixture.h"

namespace vk {
namespace {

using testing::ExpectConsistent;
using testing::Files;
using testing::FixedClock;
using testing::OpenStore;

class StoreRandom {
 public:
  explicit StoreRandom(uint32_t seed) : rng_(seed) { OpenStore(store_); }

  void Step(int step) {
    where_ = "step " + std::to_string(step);
    clock_.now += Pick(3000) / 1440.0;
    if (Pick(50) == 0) store_.SetWorkDate(Pick(2) ? clock_.now - 1 - Pick(30) : 0);
    if (g_.RecordCount() > 0 && Pick(3) == 0) g_.SetRecNo(Pick(g_.RecordCount()));
    const int op = Pick(100);
    if (op < 15)
      AddGoods();
    else if (op < 35)
      AddMove(true);
    else if (op < 55)
      AddMove(false);
    else if (op < 65)
      EditGoods();
    else if (op < 73)
      DeleteMove();
    else if (op < 76)
      DeleteGoods();
    else if (op < 81)
      EditNote();
    else if (op < 88)
      Find();
    else if (op < 95)
      ChooseOrder();
    else
      Reopen();
    ExpectConsistent(store_, where_);
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

  // A refused operation must leave both files as they were.
  template <typename Validator, typename Operation>
  void Try(Validator&& valid, Operation&& run) {
    const auto before = Files(fs_);
    if (valid()) {
      run();
    } else {
      ASSERT_EQ(Files(fs_), before) << where_ << ": a refusal wrote";
    }
  }

  void AddGoods() {
    const std::string price = Money(1000000), weight = Money(100000), count = Count();
    Try([&] { return store_.CanAddGoods(price, weight, count); },
        [&] { store_.AddGoods(std::to_string(Pick(1000)), Name(), price, weight, count, "n"); });
  }

  void AddMove(bool incoming) {
    if (g_.RecordCount() == 0) return;
    const std::string weight = Money(incoming ? 100000 : 20000), count = Count();
    if (incoming) {
      Try([&] { return store_.CanAddIncoming(weight, count); }, [&] { store_.AddIncoming(weight, count, "in"); });
    } else {
      Try([&] { return store_.CanAddOutgoing(weight, count); }, [&] { store_.AddOutgoing(weight, count, "out"); });
    }
  }

  void EditGoods() {
    if (g_.RecordCount() == 0) return;
    const std::string price = Pick(3) == 0 ? g_.Cost.GetAsString() : Money(1000000);
    Try([&] { return store_.CanReprice(price); }, [&] { store_.EditGoods(std::to_string(Pick(1000)), Name(), price); });
  }

  int MovesOfCurrent() {
    int n = 0;
    const int32_t id = g_.ID.Value();
    for (int32_t i = 0; i < m_.RecordCount(); ++i) n += testing::Cell<int32_t>(m_, i, 1) == id;
    return n;
  }

  void DeleteMove() {
    if (g_.RecordCount() == 0) return;
    const int n = MovesOfCurrent();
    if (n < 2) return;  // the main window offers it only then
    m_.FindKey(std::vector<Variant>{Variant::Integer(g_.ID.Value()), Variant::Date(kMinDateDay)});
    m_.SetRecNo(m_.RecNo() + Pick(n));
    bool incoming = false;
    Try([&] { return store_.CanDeleteMove(incoming); }, [&] { store_.DeleteMove(); });
  }

  void DeleteGoods() {
    if (g_.RecordCount() > 0) store_.DeleteGoods();
  }

  void EditNote() {
    if (g_.RecordCount() == 0 || MovesOfCurrent() == 0) return;
    m_.FindKey(std::vector<Variant>{Variant::Integer(g_.ID.Value()), Variant::Date(kMinDateDay)});
    store_.EditNote(Name());
  }

  void Find() {
    const std::string text = Name().substr(0, static_cast<size_t>(Pick(4)));
    const bool found = Pick(2) ? store_.FindByName(text) : store_.FindByCode(text);
    if (text.empty()) {
      ASSERT_TRUE(found) << where_;
    }
  }

  void ChooseOrder() {
    TIndex* choices[] = {&g_.IndID,     &g_.IndCode, &g_.IndName, &g_.IndPock,
                         &g_.IndWeight, &g_.IndCost, &g_.IndSum,  &g_.IndDate};
    g_.SetIndex(choices[Pick(8)]);
  }

  void Reopen() {
    testing::CloseStore(store_);
    OpenStore(store_, false);
  }

  std::mt19937 rng_;
  platform::MemoryFileSystem fs_;
  FixedClock clock_;
  TStore store_{fs_, clock_.Clock()};
  TTableStore& g_ = store_.Goods();
  TTableMoves& m_ = store_.Moves();
  std::string where_;
};

TEST(StoreRandom, EveryOperationKeepsTheStockConsistent) {
  LoadRussianTexts();
  for (uint32_t seed : {1u, 7u, 2026u, 123456789u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    StoreRandom run(seed);
    for (int step = 0; step < 2500; ++step) {
      run.Step(step);
      if (::testing::Test::HasFailure()) return;
    }
  }
  LoadEnglishTexts();
}

}  // namespace
}  // namespace vk
