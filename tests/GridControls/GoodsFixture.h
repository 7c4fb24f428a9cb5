#pragma once
// The stock tables in memory for the grid windows: 200 products with
// Cyrillic and Latin names, prices from cents to a million, quantities,
// pack counts and last dates over two years, each with one to three
// movements; the columns the main window gives its goods and moves grids,
// and the search handler it connects.

#include <cstdio>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Core/Variant.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/StoreData.h"
#include "Tools/LocalDbCtrls/DataGridModel.h"
#include "Tools/LocalDbCtrls/DataGridSearch.h"
#include "Tools/Service/TextConst.h"
#include "tests/GridControls/StockGridColumns.h"

namespace vk::gui::test {

class GoodsData {
 public:
  explicit GoodsData(int count = 200) {
    LoadRussianTexts();
    store_.Goods().SetFileName("store.dat");
    store_.Moves().SetFileName("moves.dat");
    store_.Goods().Open(true);
    store_.Moves().Open(true);
    const TDateTime firstDay = *TryEncodeDate(2025, 1, 6);
    for (int i = 0; i < count; ++i) {
      store_.SetWorkDate(firstDay + i * 3);
      store_.AddGoods(std::to_string(1000 + i * 7), NameOf(i), PriceOf(i), WeightOf(i), std::to_string(1 + i % 9),
                      i % 2 ? "первая партия" : "");
      if (i % 10 == 0) {
        store_.AddIncoming("2.25", "1", "поставка");
        store_.AddOutgoing("1.50", "1", "Sale");
      }
    }
    store_.SetWorkDate(0);
  }
  ~GoodsData() { store_.Close(); }
  GoodsData(const GoodsData&) = delete;
  GoodsData& operator=(const GoodsData&) = delete;

  TStore& Store() { return store_; }
  TTableStore& Goods() { return store_.Goods(); }
  TTableMoves& Moves() { return store_.Moves(); }

  // "Клей ПВА 12", "Cable ties 13", ...: Cyrillic and Latin in turn.
  static std::string NameOf(int i) {
    static const char* const kNames[] = {"Клей ПВА",           "Cable ties",  "Гвозди строительные 100 мм",
                                         "Screws M4",          "Шпатлёвка",   "Paint white matt",
                                         "Саморезы по дереву", "Brush 50 mm", "Эмаль ПФ-115 жёлтая",
                                         "Tape measure 5 m"};
    return std::string(kNames[i % 10]) + " " + std::to_string(i);
  }
  // Every 13th product costs 1'234'567.89 for one unit.
  static std::string PriceOf(int i) {
    if (i % 13 == 0) return "1234567.89";
    char price[16];
    std::snprintf(price, sizeof price, "%d.%02d", 1 + i * 37 % 900, i * 11 % 100);
    return price;
  }
  static std::string WeightOf(int i) { return i % 13 == 0 ? "1.00" : std::to_string(1 + i % 50) + ".50"; }

  // The key range of one product's movements under IndSD.
  static std::vector<Variant> MovesFrom(int32_t id) { return {Variant::Integer(id), Variant::Date(kFirstDay)}; }
  static std::vector<Variant> MovesTo(int32_t id) { return {Variant::Integer(id + 1), Variant::Date(kFirstDay)}; }

 private:
  static constexpr double kFirstDay = -693593;  // 0001-01-01
  platform::MemoryFileSystem fs_;
  TStore store_{fs_, [] { return *TryEncodeDate(2026, 12, 8) + 0.4375; }};
};

// The main window's search: by code in the code column, by name in the
// name column, keeping the part of the text that matched.
inline void ConnectGoodsSearch(TDataGridModel& grid, TStore& store) {
  grid.OnSearch = [&grid, &store](std::string& text) {
    const bool byCode = grid.Col() - grid.FixedCols() == 0;
    while (!text.empty() && !(byCode ? store.FindByCode(text) : store.FindByName(text))) Utf8DropLast(text);
  };
}

}  // namespace vk::gui::test
