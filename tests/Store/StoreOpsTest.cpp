#include <gtest/gtest.h>

#include "StoreFixture.h"

namespace vk {
namespace {

using testing::At;
using testing::Cell;
using testing::ExpectConsistent;
using testing::Files;
using testing::FixedClock;
using testing::OpenStore;

class StoreOps : public ::testing::Test {
 protected:
  platform::MemoryFileSystem fs;
  FixedClock clock;
  TStore store{fs, clock.Clock()};
  TTableStore& g = store.Goods();
  TTableMoves& m = store.Moves();
  void SetUp() override {
    LoadRussianTexts();
    OpenStore(store);
  }
  void TearDown() override { LoadEnglishTexts(); }
  // Positions the movements on the product's n-th movement (date order).
  void SelectMove(int n) {
    m.FindKey(std::vector<Variant>{Variant::Integer(g.ID.Value()), Variant::Date(kMinDateDay)});
    m.SetRecNo(m.RecNo() + n);
  }
};

TEST_F(StoreOps, NewProductBooksItsFirstDelivery) {
  ASSERT_TRUE(store.CanAddGoods("2.50", "4.00", "3"));
  store.AddGoods("A1", "Гвозди", "2.50", "4.00", "3", "первая");
  EXPECT_EQ(g.ID.Value(), 1);
  EXPECT_EQ(g.Weight.Value(), 400u);
  EXPECT_EQ(g.PCount.Value(), 3);
  EXPECT_EQ(g.Cost.Value(), 250u);
  EXPECT_EQ(g.Sum.Value(), 1000u);
  EXPECT_EQ(g.LastDate.Value(), clock.now);
  EXPECT_EQ(g.Name.GetAsString(), "Гвозди");
  ASSERT_EQ(m.RecordCount(), 1);
  EXPECT_EQ(m.IDStore.Value(), 1);
  EXPECT_TRUE(m.Direction.Value());
  EXPECT_EQ(m.Weight.Value(), 400u);
  EXPECT_EQ(m.Sum.Value(), 1000u);
  EXPECT_EQ(m.Note.GetAsString(), "первая");
  ExpectConsistent(store, "after AddGoods");
}

TEST_F(StoreOps, OutgoingMayTakeTheWholeStockAndNotAHundredthMore) {
  store.AddGoods("A1", "x", "2.50", "4.00", "3", "");
  EXPECT_FALSE(store.CanAddOutgoing("4.01", "0"));
  EXPECT_FALSE(store.CanAddOutgoing("1.00", "4"));
  ASSERT_TRUE(store.CanAddOutgoing("4.00", "3"));
  store.AddOutgoing("4.00", "3", "");
  EXPECT_EQ(g.Weight.Value(), 0u);
  EXPECT_EQ(g.Sum.Value(), 0u);
  ExpectConsistent(store, "after selling out");
}

TEST_F(StoreOps, OutgoingIsRefusedWhenItsValueExceedsTheStockValue) {
  // Two deliveries of 0.01 at 0.49 are worth 0.00 each after rounding; the
  // 0.02 in stock would be worth 0.01, more than the stock value.
  store.AddGoods("A", "x", "0.49", "0.01", "0", "");
  store.AddIncoming("0.01", "0", "");
  EXPECT_EQ(g.Weight.Value(), 2u);
  EXPECT_EQ(g.Sum.Value(), 0u);
  EXPECT_FALSE(store.CanAddOutgoing("0.02", "0"));
  EXPECT_TRUE(store.CanAddOutgoing("0.01", "0"));
}

TEST_F(StoreOps, RepricingRecomputesEveryMovementAndTheTotal) {
  store.AddGoods("A", "x", "3.00", "3.34", "0", "");  // 10.02
  store.EditGoods("A", "x", "2.99");                  // 3.34 x 2.99 = 9.9866 -> 9.99
  EXPECT_EQ(g.Sum.Value(), 999u);
  store.AddOutgoing("3.00", "0", "");  // 8.97
  EXPECT_EQ(g.Sum.Value(), 102u);
  EXPECT_EQ(g.Weight.Value(), 34u);
  EXPECT_TRUE(store.CanAddOutgoing("0.34", "0"));  // 1.0166 -> 1.02: just fits
  ASSERT_TRUE(store.CanReprice("3.00"));
  store.EditGoods("A", "x", "3.00");
  EXPECT_EQ(g.Sum.Value(), 102u);  // 10.02 - 9.00
  ExpectConsistent(store, "after re-pricing");
}

TEST_F(StoreOps, ValidatorsRefuseBadTexts) {
  store.AddGoods("A", "x", "1.00", "1.00", "1", "");
  struct Case {
    const char* price;
    const char* weight;
    const char* count;
  } bad[] = {{"1.00", "1.00", "-1"}, {"1.00", "1.00", ""},         {"1.0", "1.00", "1"},         {"1.00", "", "1"},
             {"1.00", "1.00", "x"},  {"42949672.00", "1.00", "1"}, {"100000.00", "1000.00", "1"}};
  for (const auto& c : bad)
    EXPECT_FALSE(store.CanAddGoods(c.price, c.weight, c.count)) << c.price << c.weight << c.count;
  EXPECT_FALSE(store.CanAddIncoming("1.00", "-1"));
  EXPECT_FALSE(store.CanAddOutgoing("1.00", "-1"));
  EXPECT_FALSE(store.CanAddIncoming("42949671.99", "0"));  // the value would pass 42'949'672.95
  EXPECT_FALSE(store.CanReprice("abc"));
  EXPECT_TRUE(store.CanAddIncoming("1.00", "2147483646"));
  EXPECT_FALSE(store.CanAddIncoming("1.00", "2147483647"));  // packs would overflow
}

TEST_F(StoreOps, ChangingTheNameLeavesMovementsAndThePriceRepricesThem) {
  store.AddGoods("A", "x", "2.00", "10.00", "0", "");
  store.AddOutgoing("3.00", "0", "");
  const auto movesBefore = Files(fs).second;
  store.EditGoods("B", "y", "2.00");
  EXPECT_EQ(Files(fs).second, movesBefore);
  EXPECT_EQ(g.Code.Value(), "B");
  store.EditGoods("B", "y", "1.50");
  EXPECT_EQ(g.Sum.Value(), 1050u);  // 15.00 in, 4.50 out
  SelectMove(0);
  EXPECT_EQ(m.Cost.Value(), 150u);
  EXPECT_EQ(m.Sum.Value(), 1500u);
  ExpectConsistent(store, "after re-pricing");
}

TEST_F(StoreOps, ARepriceThatWouldMakeTheTotalNegativeWritesNothing) {
  store.AddGoods("A", "x", "0.34", "1.00", "0", "");
  store.AddOutgoing("0.50", "0", "");
  store.AddOutgoing("0.50", "0", "");
  EXPECT_EQ(g.Sum.Value(), 0u);
  const auto before = Files(fs);
  EXPECT_FALSE(store.CanReprice("0.33"));
  try {
    store.EditGoods("A", "x", "0.33");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Bad sum value FFFFFFFFFFFFFFFF");
  }
  EXPECT_EQ(Files(fs), before);
  ExpectConsistent(store, "after the refused re-price");
}

TEST_F(StoreOps, DeletingTheLatestMovementMovesTheLastDateBack) {
  clock.now = At(2026, 3, 1, 9);
  store.AddGoods("A", "x", "1.00", "5.00", "0", "");
  clock.now = At(2026, 3, 5, 9);
  store.AddIncoming("1.00", "0", "");
  clock.now = At(2026, 3, 9, 9);
  store.AddIncoming("1.00", "0", "");
  SelectMove(2);
  bool incoming = false;
  ASSERT_TRUE(store.CanDeleteMove(incoming));
  EXPECT_TRUE(incoming);
  store.DeleteMove();
  EXPECT_EQ(g.LastDate.Value(), At(2026, 3, 5, 9));
  store.AddIncoming("1.00", "0", "");  // 9 March again
  SelectMove(1);
  store.DeleteMove();
  EXPECT_EQ(g.LastDate.Value(), At(2026, 3, 9, 9));
  ExpectConsistent(store, "after deleting movements");
}

TEST_F(StoreOps, AnIncomingMovementPartlySoldIsRefusedForDeletion) {
  store.AddGoods("A", "x", "1.00", "5.00", "0", "");
  store.AddIncoming("3.00", "0", "");
  store.AddOutgoing("6.00", "0", "");  // 2.00 left
  SelectMove(1);                       // the 3.00 delivery
  bool incoming = false;
  EXPECT_FALSE(store.CanDeleteMove(incoming));
  EXPECT_TRUE(incoming);
  const auto before = Files(fs);
  EXPECT_THROW(store.DeleteMove(), Exception);
  EXPECT_EQ(Files(fs), before);
}

TEST_F(StoreOps, CanDeleteMoveComparesTheValueToo) {
  // At 0.51 each sale of 0.01 takes 0.01 of value, twice what it is worth:
  // the first delivery's quantity is still in stock, its value is not.
  store.AddGoods("A", "x", "0.51", "0.04", "0", "");  // worth 0.02
  store.AddOutgoing("0.01", "0", "");
  store.AddOutgoing("0.01", "0", "");
  store.AddIncoming("0.02", "0", "");  // worth 0.01
  EXPECT_EQ(g.Weight.Value(), 4u);
  EXPECT_EQ(g.Sum.Value(), 1u);
  SelectMove(0);
  bool incoming = false;
  EXPECT_FALSE(store.CanDeleteMove(incoming));
  EXPECT_TRUE(incoming);
  const auto before = Files(fs);
  EXPECT_THROW(store.DeleteMove(), Exception);
  EXPECT_EQ(Files(fs), before);
  ExpectConsistent(store, "after the refused deletion");
}

TEST_F(StoreOps, WorkDateKeepsOnlyAnotherDay) {
  struct Case {
    TDateTime set, stored;
  } cases[] = {{clock.now, 0}, {At(2026, 12, 8, 23, 0), 0}, {0, 0}, {At(2026, 12, 7, 15, 0), At(2026, 12, 7)}};
  for (const auto& c : cases) {
    store.SetWorkDate(c.set);
    EXPECT_EQ(store.WorkDate(), c.stored);
  }
  EXPECT_EQ(store.MoveDateTime(), At(2026, 12, 7, 10, 30));
  EXPECT_EQ(store.MoveMonth(), 12);
  store.AddGoods("A", "x", "1.00", "1.00", "0", "");
  store.SetWorkDate(At(2026, 11, 1));
  store.AddIncoming("1.00", "0", "");  // booked earlier: the last date stays
  EXPECT_EQ(g.LastDate.Value(), At(2026, 12, 7, 10, 30));
  ExpectConsistent(store, "after a back-dated delivery");
}

TEST_F(StoreOps, FindByCodeStandsOnTheFirstGreaterOrTheLast) {
  for (const char* code : {"0012", "12", "123"}) store.AddGoods(code, "x", "1.00", "1.00", "0", "");
  EXPECT_TRUE(store.FindByCode("12"));
  EXPECT_EQ(g.Code.Value(), "12");
  EXPECT_FALSE(store.FindByCode("5"));
  EXPECT_EQ(g.Code.Value(), "123");
  EXPECT_TRUE(store.FindByCode(""));
  EXPECT_EQ(g.IndexName(), "IndCode");
}

TEST_F(StoreOps, FindByNameMatchesPrefixesWithoutCase) {
  for (const char* name : {"Хлеб", "молоко", "Сыр"}) store.AddGoods("1", name, "1.00", "1.00", "0", "");
  EXPECT_TRUE(store.FindByName("МОЛ"));
  EXPECT_EQ(g.Name.GetAsString(), "молоко");
  EXPECT_FALSE(store.FindByName("масло"));
  EXPECT_EQ(g.Name.GetAsString(), "молоко");  // the first greater
  EXPECT_TRUE(store.FindByName("х"));
  EXPECT_EQ(g.Name.GetAsString(), "Хлеб");
}

TEST_F(StoreOps, CodesAreStoredInTheDataCodePageAndReadBackAsTyped) {
  store.AddGoods("Б12", "x", "1.00", "1.00", "0", "");
  store.AddGoods("а7", "y", "1.00", "1.00", "0", "");
  EXPECT_EQ(g.Code.Value(),
            "\xE0"
            "7");  // "а" in code page 1251
  EXPECT_EQ(g.Code.GetAsString(), "а7");
  EXPECT_EQ(g.CellText(0, 1), "Б12");
  EXPECT_TRUE(store.FindByCode("Б1"));
  EXPECT_EQ(g.Code.GetAsString(), "Б12");
  EXPECT_FALSE(store.FindByCode("А7"));  // the code index orders bytes: "А" sorts before "Б"
  EXPECT_EQ(g.Code.GetAsString(), "Б12");
  EXPECT_TRUE(store.FindByCode("а"));
  EXPECT_EQ(g.Code.GetAsString(), "а7");
}

TEST_F(StoreOps, TheOnlyMovementOfAProductIsNotDeleted) {
  store.AddGoods("A", "x", "1.00", "1.00", "0", "");
  SelectMove(0);
  const auto before = Files(fs);
  try {
    store.DeleteMove();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Bad move IDStore after delete move");
  }
  EXPECT_EQ(Files(fs), before);
}

TEST_F(StoreOps, AnEmptySearchTextMatchesEvenAnEmptyTable) {
  EXPECT_TRUE(store.FindByName(""));
  EXPECT_TRUE(store.FindByCode(""));
  EXPECT_FALSE(store.FindByName("a"));
  EXPECT_FALSE(store.FindByCode("a"));
}

TEST_F(StoreOps, DeleteGoodsRemovesItsMovementsOnly) {
  store.AddGoods("A", "x", "1.00", "1.00", "0", "");
  store.AddGoods("B", "y", "1.00", "2.00", "0", "");
  store.AddIncoming("1.00", "0", "");
  g.SetRecNo(0);
  store.DeleteGoods();
  EXPECT_EQ(g.RecordCount(), 1);
  EXPECT_EQ(m.RecordCount(), 2);
  ExpectConsistent(store, "after DeleteGoods");
}

TEST_F(StoreOps, TotalsAddUpEveryProduct) {
  std::string count, weight, sum, goods;
  store.GetTotals(count, weight, sum, goods);
  EXPECT_EQ(std::vector<std::string>({count, weight, sum, goods}),
            std::vector<std::string>({"0", "0.00", "0.00", "0"}));
  store.AddGoods("A", "x", "2.50", "4.00", "3", "");
  store.AddGoods("B", "y", "1000.00", "1000.00", "2", "");
  g.SetRecNo(0);
  store.GetTotals(count, weight, sum, goods);
  EXPECT_EQ(std::vector<std::string>({count, weight, sum, goods}),
            std::vector<std::string>({"5", "1'004.00", "1'000'010.00", "2"}));
  EXPECT_EQ(g.RecNo(), 0);
  store.AddGoods("C", "z", "42000000.00", "1.00", "0", "");
  g.SetRecNo(1);
  EXPECT_THROW(store.GetTotals(count, weight, sum, goods), EIntOverflow);
  EXPECT_EQ(g.RecNo(), 1);
}

}  // namespace
}  // namespace vk
