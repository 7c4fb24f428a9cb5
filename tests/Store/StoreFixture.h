#pragma once
// A store over an in-memory (or fault-injecting) file system with a fixed
// clock, and the consistency rules every stock state must keep.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "Core/SysUtils.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/StoreData.h"
#include "Tables/UMoneyFld.h"
#include "Tools/Service/TextConst.h"

namespace vk::testing {

inline TDateTime At(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
  return *TryEncodeDate(y, m, d) + *TryEncodeTime(h, mi, s, 0);
}

// A clock the test moves by hand.
struct FixedClock {
  TDateTime now = At(2026, 12, 8, 10, 30, 0);
  TClock Clock() {
    return [this] { return now; };
  }
};

inline void OpenStore(TStore& store, bool create = true) {
  store.Goods().SetFileName("store.dat");
  store.Moves().SetFileName("moves.dat");
  store.Goods().Open(create);
  store.Moves().Open(create);
}

inline void CloseStore(TStore& store) {
  store.Moves().Close();
  store.Goods().Close();
}

template <typename T>
T Cell(const TTable& t, int32_t row, int32_t field) {
  T v;
  std::memcpy(&v, t.CellData(row, field), sizeof v);
  return v;
}

// Checks, straight from the stored records, that every product's totals are
// its incoming less its outgoing movements, every incoming movement's sum is
// price times quantity (an outgoing one's may differ by the rounding it
// settled), and the last date is the latest movement's date. Movements
// of no product (left by a deletion cut short) are allowed, and so is a
// product with no movement and zero totals (left by a new product cut short).
inline void ExpectConsistent(TStore& store, const std::string& where) {
  TTableStore& g = store.Goods();
  TTableMoves& m = store.Moves();
  ASSERT_EQ(g.State(), tsBrowse) << where;
  ASSERT_EQ(m.State(), tsBrowse) << where;
  struct Totals {
    int64_t weight = 0, count = 0, sum = 0;
    TDateTime last = 0;
    int moves = 0;
  };
  std::map<int32_t, Totals> fromMoves;
  for (int32_t i = 0; i < m.RecordCount(); ++i) {
    const int32_t idStore = Cell<int32_t>(m, i, 1);
    const bool incoming = Cell<int32_t>(m, i, 3) != 0;
    const uint32_t weight = Cell<uint32_t>(m, i, 5), cost = Cell<uint32_t>(m, i, 6), sum = Cell<uint32_t>(m, i, 7);
    const int32_t count = Cell<int32_t>(m, i, 4);
    if (incoming) {
      EXPECT_EQ(sum, TMoneyField::MulMoney(cost, weight)) << where << ": movement row " << i;
    }
    Totals& t = fromMoves[idStore];
    const int sign = incoming ? 1 : -1;
    t.weight += sign * int64_t{weight};
    t.count += sign * int64_t{count};
    t.sum += sign * int64_t{sum};
    t.last = std::max(t.last, Cell<double>(m, i, 2));
    ++t.moves;
  }
  for (int32_t i = 0; i < g.RecordCount(); ++i) {
    const int32_t id = Cell<int32_t>(g, i, 0);
    const Totals t = fromMoves[id];
    EXPECT_EQ(Cell<uint32_t>(g, i, 4), t.weight) << where << ": weight of product " << id;
    EXPECT_EQ(Cell<int32_t>(g, i, 3), t.count) << where << ": packs of product " << id;
    EXPECT_EQ(Cell<uint32_t>(g, i, 6), t.sum) << where << ": sum of product " << id;
    if (t.moves > 0) {
      EXPECT_EQ(Cell<double>(g, i, 7), t.last) << where << ": last date of product " << id;
    }
  }
}

// ExpectConsistent, and nothing a stock operation cut short could leave: no
// movement of a missing product, no product without a movement, no key
// twice or at or past its table's counter.
inline void ExpectWhole(TStore& store, const std::string& where) {
  ExpectConsistent(store, where);
  TTableStore& g = store.Goods();
  TTableMoves& m = store.Moves();
  std::set<int32_t> products, moves, moved;
  for (int32_t i = 0; i < g.RecordCount(); ++i) {
    const int32_t id = Cell<int32_t>(g, i, 0);
    EXPECT_TRUE(products.insert(id).second) << where << ": product " << id << " twice";
    EXPECT_LT(id, g.ID.NextKeyValue()) << where;
  }
  for (int32_t i = 0; i < m.RecordCount(); ++i) {
    const int32_t id = Cell<int32_t>(m, i, 0), idStore = Cell<int32_t>(m, i, 1);
    EXPECT_TRUE(moves.insert(id).second) << where << ": movement " << id << " twice";
    EXPECT_LT(id, m.ID.NextKeyValue()) << where;
    EXPECT_EQ(products.count(idStore), 1u) << where << ": movement " << id << " of missing product " << idStore;
    moved.insert(idStore);
  }
  for (int32_t id : products) EXPECT_EQ(moved.count(id), 1u) << where << ": product " << id << " has no movement";
}

// Both files' bytes.
inline std::pair<std::vector<uint8_t>, std::vector<uint8_t>> Files(platform::MemoryFileSystem& fs) {
  return {fs.Contents("store.dat").value_or(std::vector<uint8_t>{}),
          fs.Contents("moves.dat").value_or(std::vector<uint8_t>{})};
}

}  // namespace vk::testing
