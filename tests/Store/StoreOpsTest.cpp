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

TEST_F(StoreOps, AnOutgoingTakesNoMoreValueThanTheStockHolds) {
  // Two deliveries of 0.01 at 0.49 are worth 0.00 each after rounding; the
  // 0.02 in stock would be worth 0.01, more than the stock value: a sale of
  // it takes what there is.
  store.AddGoods("A", "x", "0.49", "0.01", "0", "");
  store.AddIncoming("0.01", "0", "");
  EXPECT_EQ(g.Weight.Value(), 2u);
  EXPECT_EQ(g.Sum.Value(), 0u);
  EXPECT_FALSE(store.CanAddOutgoing("0.03", "0"));
  ASSERT_TRUE(store.CanAddOutgoing("0.02", "0"));
  store.AddOutgoing("0.02", "0", "");
  EXPECT_EQ(g.Weight.Value(), 0u);
  EXPECT_EQ(g.Sum.Value(), 0u);
  ExpectConsistent(store, "after selling out");
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
  // Codes, names and notes: only what comes back from the data code page,
  // and in UTF-8 only what fits the name's 40 bytes.
  const char* const enamel = "Эмаль алкидная белая глянцевая по дереву";  // 40 letters
  const std::tuple<uint32_t, const char*, bool> texts[] = {
      {1252, "Молоко Ёж", false},    {1252, "Café crème", true},
      {1252, "Ā1", false},           {1251, "Café", false},
      {1251, "Ёлка ґанок №5", true}, {65001, "Молоко Café", true},
      {65001, enamel, false},        {65001, "Герметик«Санитарный»", true},
      {1251, enamel, true}};
  for (const auto& [codePage, text, storable] : texts) {
    store.SetDataCodePage(codePage);
    EXPECT_EQ(store.CanStoreText(text, g.Name), storable) << codePage << " " << text;
  }
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

TEST_F(StoreOps, ARepriceWhoseTotalDoesNotFitWritesNothing) {
  // Each movement is worth 24'000'000.00 at the new price; together they
  // pass 42'949'672.95.
  store.AddGoods("A", "x", "1.00", "600.00", "0", "");
  store.AddIncoming("600.00", "0", "");
  const auto before = Files(fs);
  EXPECT_FALSE(store.CanReprice("40000.00"));
  try {
    store.EditGoods("A", "x", "40000.00");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Bad sum value 000000011E1A3000");
  }
  EXPECT_EQ(Files(fs), before);
  EXPECT_EQ(g.Cost.Value(), 100u);
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

// Deliveries, sales and price changes of odd-priced products, each value
// rounded on its own. After every step the product's totals are the sums of
// its movements and no quantity means no value; at the end the stock sells
// down to exactly nothing.
TEST(StoreRounding, StockSellsDownToExactlyNothing) {
  enum Kind { In, Out, Price };
  struct Step {
    Kind kind;
    const char* text;  // the quantity, or the new price
    int times;
    int64_t sumAfter;  // the product's value after the step; -1 when not pinned
  };
  struct Case {
    const char* name;
    const char* price;
    const char* delivery;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      // 1.50 x 12.35 = 18.525 -> 18.53, but only 18.52 is left for the second half.
      {"half the stock twice", "12.35", "3.00", {{Out, "1.50", 1, 1852}, {Out, "1.50", 1, 0}}},
      // Three deliveries of 0.035 -> 0.04 each; all 0.30 at once would be 0.11.
      {"deliveries rounded up, sold at once", "0.35", "0.10", {{In, "0.10", 2, 12}, {Out, "0.30", 1, 0}}},
      // 0.05 x 1.99 = 0.0995 -> 0.10; the value runs out before the quantity.
      {"many small sales rounded up", "1.99", "9.99", {{Out, "0.05", 198, 8}, {Out, "0.05", 1, 0}}},
      // 0.25 x 7.77 = 1.9425 -> 1.94; the last quarter takes the 1.99 left.
      {"many small sales rounded down", "7.77", "5.00", {{Out, "0.25", 19, 199}, {Out, "0.25", 1, 0}}},
      // At 3.33: 16.65 in, seven sales of 0.8325 -> 0.83 out.
      {"a re-price after small sales",
       "7.77",
       "5.00",
       {{Out, "0.25", 7, 2527}, {Price, "3.33", 1, 1084}, {Out, "0.25", 12, 88}}},
      // At 0.45 the ten deliveries are worth 0.50 and the sale 0.45.
      {"a re-price after selling out",
       "0.35",
       "0.10",
       {{In, "0.10", 9, 40}, {Out, "1.00", 1, 0}, {Price, "0.45", 1, 0}, {In, "2.00", 1, 90}}},
      // At 0.33: 0.33 in, two sales of 0.165 -> 0.17 out.
      {"a re-price that would go below nothing", "0.34", "1.00", {{Out, "0.50", 2, 0}, {Price, "0.33", 1, 0}}},
      // At 0.50: 0.025 -> 0.03 in, four sales of 0.005 -> 0.01 out.
      {"a re-price that would go below nothing with stock left",
       "1.00",
       "0.05",
       {{Out, "0.01", 4, 1}, {Price, "0.50", 1, 0}, {Price, "2.00", 1, 2}}},
  };
  // A refusal ends its case only; every case reports.
  auto run = [](const Case& c) {
    platform::MemoryFileSystem fs;
    FixedClock clock;
    TStore store(fs, clock.Clock());
    OpenStore(store);
    TTableStore& g = store.Goods();
    ASSERT_TRUE(store.CanAddGoods(c.price, c.delivery, "1"));
    store.AddGoods("K-7", "Кабель", c.price, c.delivery, "1", "");
    auto check = [&](const std::string& where) {
      ExpectConsistent(store, where);
      if (g.Weight.Value() == 0) {
        EXPECT_EQ(g.Sum.Value(), 0u) << where;
      }
    };
    check("after the first delivery");
    for (const Step& step : c.steps) {
      for (int i = 0; i < step.times; ++i) {
        const std::string where = std::string(step.text) + " #" + std::to_string(i + 1);
        clock.now += 1.0 / 1440;
        switch (step.kind) {
          case In:
            ASSERT_TRUE(store.CanAddIncoming(step.text, "0")) << where;
            store.AddIncoming(step.text, "0", "");
            break;
          case Out:
            ASSERT_TRUE(store.CanAddOutgoing(step.text, "0")) << where;
            store.AddOutgoing(step.text, "0", "");
            break;
          case Price:
            ASSERT_TRUE(store.CanReprice(step.text)) << where;
            store.EditGoods("K-7", "Кабель", step.text);
            break;
        }
        check(where);
      }
      if (step.sumAfter >= 0) {
        EXPECT_EQ(g.Sum.Value(), step.sumAfter) << step.text;
      }
    }
    const uint32_t left = g.Weight.Value();
    if (left > 0) {
      EXPECT_FALSE(store.CanAddOutgoing(TMoneyField::MoneyToStr(left + 1), "0"));
      ASSERT_TRUE(store.CanAddOutgoing(TMoneyField::MoneyToStr(left), "0"));
      store.AddOutgoing(TMoneyField::MoneyToStr(left), "1", "");
    }
    EXPECT_EQ(g.Weight.Value(), 0u);
    EXPECT_EQ(g.Sum.Value(), 0u);
    check("sold out");
  };
  LoadRussianTexts();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    run(c);
  }
  LoadEnglishTexts();
}

}  // namespace
}  // namespace vk
